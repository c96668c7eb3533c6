#include "platform/win32/Win32SystemInfo.h"

#include "platform/win32/InteractiveUser.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/TokenPrivilege.h"
#include "platform/win32/Win32RestorePoints.h"
#include "platform/win32/Win32Buffer.h"

#include <lm.h>

#include <memory>

namespace platform::win32 {

namespace {

constexpr ULONG SystemMemoryListInformation = 80;

struct NetBufferFreer {
    void operator()(void* buffer) const { NetApiBufferFree(buffer); }
};

Status expandForUser(HANDLE token, const std::wstring& text, std::wstring& expanded)
{
    using ExpandForUserFn = BOOL(WINAPI*)(HANDLE, LPCWSTR, LPWSTR, DWORD);
    const HMODULE userenv = loadSystemLibrary(L"userenv.dll");
    if (!userenv)
        return static_cast<Status>(GetLastError());
    const auto expand = reinterpret_cast<ExpandForUserFn>(
        reinterpret_cast<void*>(GetProcAddress(userenv, "ExpandEnvironmentStringsForUserW")));
    if (!expand)
        return ErrorCallNotImplemented;
    std::wstring out(32768, L'\0');
    if (!expand(token, text.c_str(), out.data(), static_cast<DWORD>(out.size())))
        return static_cast<Status>(GetLastError());
    expanded.assign(out.c_str());
    return ErrorSuccess;
}

} // namespace

Status Win32SystemInfo::systemDirectory(std::wstring& path, std::uint32_t maxChars)
{
    std::wstring buffer(maxChars, L'\0');
    const UINT length = GetSystemDirectoryW(buffer.data(), maxChars);
    if (length == 0)
        return static_cast<Status>(GetLastError());
    if (length >= maxChars)
        return ErrorInsufficientBuffer;
    buffer.resize(length);
    path = std::move(buffer);
    return ErrorSuccess;
}

Status Win32SystemInfo::isWow64Process(bool& wow64)
{
    // Resolved at run time: a kernel32 without it is a Windows without WOW64.
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    wow64 = false;
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto isWow64 =
        kernel32
            ? reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel32, "IsWow64Process")))
            : nullptr;
    if (!isWow64)
        return ErrorSuccess;
    BOOL answer = FALSE;
    if (!isWow64(GetCurrentProcess(), &answer))
        return static_cast<Status>(GetLastError());
    wow64 = answer != FALSE;
    return ErrorSuccess;
}

Status Win32SystemInfo::version(OsVersion& version)
{
    if (!ntdll_.rtlGetVersion)
        return ErrorNotFound;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    const Status status = ntdll_.toWin32(ntdll_.rtlGetVersion(&info));
    if (status != ErrorSuccess)
        return status;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.servicePackMajor = info.wServicePackMajor;
    version.productType = info.wProductType;
    return ErrorSuccess;
}

Status Win32SystemInfo::powerStatus(PowerStatus& status)
{
    SYSTEM_POWER_STATUS power{};
    if (!GetSystemPowerStatus(&power))
        return static_cast<Status>(GetLastError());
    status.acLineStatus = power.ACLineStatus;
    status.batteryFlag = power.BatteryFlag;
    status.batteryLifePercent = power.BatteryLifePercent;
    return ErrorSuccess;
}

Status Win32SystemInfo::diskSpace(const std::wstring& root, DiskSpace& space)
{
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free))
        return static_cast<Status>(GetLastError());
    space.freeBytesAvailable = available.QuadPart;
    space.totalBytes = total.QuadPart;
    space.totalFreeBytes = free.QuadPart;
    return ErrorSuccess;
}

Status Win32SystemInfo::memoryStatus(MemoryStatus& status)
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    if (!GlobalMemoryStatusEx(&memory))
        return static_cast<Status>(GetLastError());
    status.memoryLoad = memory.dwMemoryLoad;
    status.totalPhys = memory.ullTotalPhys;
    status.availPhys = memory.ullAvailPhys;
    status.totalPageFile = memory.ullTotalPageFile;
    status.availPageFile = memory.ullAvailPageFile;
    return ErrorSuccess;
}

HANDLE Win32SystemInfo::otherUserToken()
{
    std::call_once(userLookedUp_, [this] {
        InteractiveUser user;
        if (findInteractiveUser(user) == ErrorSuccess && !user.isProcessUser)
            otherUserToken_ = std::move(user.token);
    });
    return otherUserToken_.get();
}

Status Win32SystemInfo::expandEnvironment(const std::wstring& text, std::wstring& expanded)
{
    if (HANDLE token = otherUserToken())
        return expandForUser(token, text, expanded);
    constexpr DWORD limit = 32768 * sizeof(wchar_t);
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    const Status status = queryThenFill(buffer, limit, needed, [&](BYTE* bytes, DWORD& size) {
        const DWORD chars =
            ExpandEnvironmentStringsW(text.c_str(), reinterpret_cast<wchar_t*>(bytes), size / sizeof(wchar_t));
        if (chars == 0)
            return static_cast<Status>(GetLastError());
        const DWORD wanted = chars * sizeof(wchar_t);
        const bool fits = bytes && wanted <= size;
        size = wanted;
        return fits ? ErrorSuccess : static_cast<Status>(ERROR_MORE_DATA);
    });
    if (status != ErrorSuccess)
        return status;
    expanded.assign(reinterpret_cast<const wchar_t*>(buffer.data()), needed / sizeof(wchar_t) - 1);
    return ErrorSuccess;
}

Status Win32SystemInfo::joinStatus(JoinStatus& status)
{
    LPWSTR name = nullptr;
    NETSETUP_JOIN_STATUS joined = NetSetupUnknownStatus;
    const NET_API_STATUS result = NetGetJoinInformation(nullptr, &name, &joined);
    const std::unique_ptr<void, NetBufferFreer> owner(name);
    if (result != NERR_Success)
        return static_cast<Status>(result);
    status = static_cast<JoinStatus>(joined);
    return ErrorSuccess;
}

Status Win32SystemInfo::memoryListCommand(std::uint32_t command)
{
    if (!ntdll_.ntSetSystemInformation)
        return ErrorNotFound;
    const Status privilege = enablePrivilege(SE_PROF_SINGLE_PROCESS_NAME);
    if (privilege != ErrorSuccess)
        return privilege;
    ULONG value = command;
    return ntdll_.toWin32(ntdll_.ntSetSystemInformation(SystemMemoryListInformation, &value, sizeof(value)));
}

std::uint32_t Win32SystemInfo::driveType(const std::wstring& root)
{
    return GetDriveTypeW(root.c_str());
}

Status Win32SystemInfo::restorePoints(std::vector<RestorePoint>& points)
{
    return listRestorePoints(points);
}

Status Win32SystemInfo::removeRestorePoint(std::uint32_t sequenceNumber)
{
    return win32::removeRestorePoint(sequenceNumber);
}

} // namespace platform::win32
