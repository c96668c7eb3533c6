#include "platform/win32/Win32ServiceManager.h"

#include "platform/win32/Win32Service.h"

namespace platform::win32 {

namespace {

constexpr DWORD chunkBytes = 64u << 10;
constexpr DWORD enumerationLimit = 16u << 20;

std::wstring orEmpty(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

void append(const std::vector<std::uint8_t>& buffer, DWORD count, std::vector<ServiceEntry>& services)
{
    const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSW*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        services.push_back({orEmpty(entries[i].lpServiceName), orEmpty(entries[i].lpDisplayName),
                            entries[i].ServiceStatusProcess.dwCurrentState,
                            entries[i].ServiceStatusProcess.dwProcessId});
    }
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

// One call returns at most 256 KB of entries, whatever the buffer: the rest comes from further calls that
// go on where the resume handle says. A buffer too small for even one entry is made as big as asked.
Status Win32ServiceManager::enumerate(std::vector<ServiceEntry>& services)
{
    services.clear();
    std::vector<std::uint8_t> buffer(chunkBytes);
    DWORD resume = 0;
    for (;;) {
        DWORD wanted = 0;
        DWORD returned = 0;
        const BOOL ok = EnumServicesStatusExW(manager_.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_STATE_ALL,
                                              buffer.data(), static_cast<DWORD>(buffer.size()), &wanted, &returned,
                                              &resume, nullptr);
        const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
        if (error != ERROR_SUCCESS && error != ERROR_MORE_DATA)
            return static_cast<Status>(error);
        append(buffer, returned, services);
        if (error == ERROR_SUCCESS)
            return ErrorSuccess;
        if (returned == 0 && (wanted <= buffer.size() || wanted > enumerationLimit))
            return static_cast<Status>(error);
        if (returned == 0)
            buffer.resize(wanted);
    }
}

} // namespace platform::win32
