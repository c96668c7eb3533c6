#include "platform/win32/TokenPrivilege.h"

#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

Status enablePrivilege(const wchar_t* name)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return static_cast<Status>(GetLastError());
    const UniqueHandle owner(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid))
        return static_cast<Status>(GetLastError());
    if (!AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(privileges), nullptr, nullptr))
        return static_cast<Status>(GetLastError());
    const DWORD outcome = GetLastError();
    return outcome == ERROR_NOT_ALL_ASSIGNED ? ErrorPrivilegeNotHeld : ErrorSuccess;
}

} // namespace platform::win32
