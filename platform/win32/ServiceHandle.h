#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace platform::win32 {

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
// The owner of an SC_HANDLE, from OpenSCManagerW or OpenServiceW.
using UniqueServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

} // namespace platform::win32
