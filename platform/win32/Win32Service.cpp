#include "platform/win32/Win32Service.h"

#include "platform/win32/Win32Buffer.h"

namespace platform::win32 {

namespace {

std::wstring orEmpty(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

void copyStatus(const SERVICE_STATUS& from, ServiceStatus& to)
{
    to.currentState = from.dwCurrentState;
    to.win32ExitCode = from.dwWin32ExitCode;
}

} // namespace

Win32Service::Win32Service(UniqueServiceHandle service)
    : service_(std::move(service))
{
}

Status Win32Service::queryStatus(ServiceStatus& status)
{
    SERVICE_STATUS current{};
    if (!QueryServiceStatus(service_.get(), &current))
        return static_cast<Status>(GetLastError());
    copyStatus(current, status);
    return ErrorSuccess;
}

Status Win32Service::queryConfig(ServiceConfig& config, std::uint32_t bufferBytes, std::uint32_t* requiredBytes)
{
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    const Status status = queryThenFill(buffer, bufferBytes, needed, [&](BYTE* bytes, DWORD& size) {
        DWORD wanted = 0;
        const BOOL ok =
            QueryServiceConfigW(service_.get(), reinterpret_cast<QUERY_SERVICE_CONFIGW*>(bytes), size, &wanted);
        size = ok ? size : wanted;
        return ok ? ErrorSuccess : static_cast<Status>(GetLastError());
    });
    if (requiredBytes)
        *requiredBytes = needed;
    if (status != ErrorSuccess)
        return status;
    const auto* answer = reinterpret_cast<const QUERY_SERVICE_CONFIGW*>(buffer.data());
    config.startType = answer->dwStartType;
    config.binaryPath = orEmpty(answer->lpBinaryPathName);
    config.displayName = orEmpty(answer->lpDisplayName);
    return ErrorSuccess;
}

Status Win32Service::changeStartType(std::uint32_t startType)
{
    if (!ChangeServiceConfigW(service_.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr, nullptr))
        return static_cast<Status>(GetLastError());
    return ErrorSuccess;
}

Status Win32Service::stop(ServiceStatus& status)
{
    SERVICE_STATUS current{};
    const BOOL ok = ControlService(service_.get(), SERVICE_CONTROL_STOP, &current);
    const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    copyStatus(current, status);
    return static_cast<Status>(error);
}

Status Win32Service::start()
{
    return StartServiceW(service_.get(), 0, nullptr) ? ErrorSuccess : static_cast<Status>(GetLastError());
}

} // namespace platform::win32
