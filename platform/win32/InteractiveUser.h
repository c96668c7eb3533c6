#pragma once

#include "platform/Status.h"
#include "platform/win32/Win32Handle.h"

#include <string>

namespace platform::win32 {

// The user logged on to the session this program runs in. A standard user who elevates the program with
// an administrator's password runs it as the administrator: HKEY_CURRENT_USER is then the administrator's
// hive, while the machine's user is the one whose desktop the program shows on.
struct InteractiveUser {
    std::wstring sid; // "S-1-5-21-..."
    bool isProcessUser = true;
    UniqueHandle token; // TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE at least
};

// The program's own session (ProcessIdToSessionId; the console session, unless under Remote Desktop),
// its user's token from WTSQueryUserToken (wtsapi32, loaded at run time; it answers only a program running
// as SYSTEM), else from an explorer.exe of that session (OpenProcess + OpenProcessToken); the
// TokenUser SID of that token (ConvertSidToStringSidW), compared with this process's own. ERROR_NO_TOKEN
// when no token of that user can be had.
Status findInteractiveUser(InteractiveUser& user);

} // namespace platform::win32
