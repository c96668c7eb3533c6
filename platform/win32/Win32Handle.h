#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// One owner per kind of Win32 handle the backend opens, so that every early return closes what it
// opened. The null value (and INVALID_HANDLE_VALUE where the API uses it) owns nothing.
namespace platform::win32 {

struct KernelHandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

// CreateFileW, CreateToolhelp32Snapshot and friends report failure as INVALID_HANDLE_VALUE.
inline UniqueHandle ownHandle(HANDLE handle)
{
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

inline UniqueFind ownFind(HANDLE find)
{
    return UniqueFind(find == INVALID_HANDLE_VALUE ? nullptr : find);
}

struct SidFreer {
    void operator()(PSID sid) const { FreeSid(sid); }
};
using UniqueSid = std::unique_ptr<void, SidFreer>;

} // namespace platform::win32
