#include "platform/win32/Win32Processes.h"

#include "platform/win32/TokenPrivilege.h"
#include "platform/win32/Win32Handle.h"

#include <windows.h>
#include <tlhelp32.h>

namespace platform::win32 {

namespace {

// The longest path Windows hands out (the \\?\ form).
constexpr DWORD longestPath = 32768;

} // namespace

Status Win32Processes::snapshot(std::vector<ProcessEntry>& processes)
{
    processes.clear();
    const UniqueHandle snapshot = ownHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return static_cast<Status>(GetLastError());
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    BOOL more = Process32FirstW(snapshot.get(), &entry);
    while (more) {
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
        more = Process32NextW(snapshot.get(), &entry);
    }
    const DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? ErrorSuccess : static_cast<Status>(error);
}

Status Win32Processes::trimWorkingSet(std::uint32_t pid)
{
    std::call_once(debugPrivilege_, [] { enablePrivilege(SE_DEBUG_NAME); });
    const UniqueHandle process(OpenProcess(PROCESS_SET_QUOTA | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process)
        return static_cast<Status>(GetLastError());
    const auto unlimited = static_cast<SIZE_T>(-1);
    if (!SetProcessWorkingSetSize(process.get(), unlimited, unlimited))
        return static_cast<Status>(GetLastError());
    return ErrorSuccess;
}

Status Win32Processes::imagePath(std::uint32_t pid, std::wstring& path)
{
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return static_cast<Status>(GetLastError());
    std::wstring buffer(longestPath, L'\0');
    DWORD chars = longestPath;
    if (!QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &chars))
        return static_cast<Status>(GetLastError());
    buffer.resize(chars);
    path = std::move(buffer);
    return ErrorSuccess;
}

std::uint32_t Win32Processes::currentProcessId()
{
    return GetCurrentProcessId();
}

} // namespace platform::win32
