#include "platform/win32/Win32ServiceManager.h"

#include "platform/win32/Win32Buffer.h"
#include "platform/win32/Win32Service.h"

namespace platform::win32 {

namespace {

constexpr DWORD enumerationLimit = 16u << 20;

std::wstring orEmpty(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

} // namespace

Win32ServiceManager::Win32ServiceManager(UniqueServiceHandle manager)
    : manager_(std::move(manager))
{
}

Status Win32ServiceManager::openService(const std::wstring& name, std::uint32_t access,
                                        std::unique_ptr<Service>& service)
{
    service.reset();
    UniqueServiceHandle handle(OpenServiceW(manager_.get(), name.c_str(), access));
    if (!handle)
        return static_cast<Status>(GetLastError());
    service = std::make_unique<Win32Service>(std::move(handle));
    return ErrorSuccess;
}

// Without a resume handle every call lists from the start, so a retry with the bigger buffer the
// size query asked for gets the whole list at once.
Status Win32ServiceManager::enumerate(std::vector<ServiceEntry>& services)
{
    services.clear();
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    DWORD returned = 0;
    const Status status = queryThenFill(buffer, enumerationLimit, needed, [&](BYTE* bytes, DWORD& size) {
        DWORD wanted = 0;
        const BOOL ok = EnumServicesStatusExW(manager_.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32,
                                              SERVICE_STATE_ALL, bytes, size, &wanted, &returned, nullptr, nullptr);
        size = ok ? size : wanted;
        return ok ? ErrorSuccess : static_cast<Status>(GetLastError());
    });
    if (status != ErrorSuccess)
        return status;
    const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSW*>(buffer.data());
    for (DWORD i = 0; entries && i < returned; ++i) {
        services.push_back({orEmpty(entries[i].lpServiceName), orEmpty(entries[i].lpDisplayName),
                            entries[i].ServiceStatusProcess.dwCurrentState,
                            entries[i].ServiceStatusProcess.dwProcessId});
    }
    return ErrorSuccess;
}

} // namespace platform::win32
