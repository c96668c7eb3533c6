#include "platform/win32/Win32Services.h"

#include "platform/win32/Win32ServiceManager.h"

namespace platform::win32 {

Status Win32Services::openManager(std::uint32_t access, std::unique_ptr<ServiceManager>& manager)
{
    manager.reset();
    UniqueServiceHandle handle(OpenSCManagerW(nullptr, nullptr, access));
    if (!handle)
        return static_cast<Status>(GetLastError());
    manager = std::make_unique<Win32ServiceManager>(std::move(handle));
    return ErrorSuccess;
}

} // namespace platform::win32
