#include "platform/win32/InteractiveUser.h"

#include "platform/win32/SystemLibrary.h"

#include <windows.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <vector>

namespace platform::win32 {

namespace {

using QueryUserTokenFn = BOOL(WINAPI*)(ULONG, PHANDLE);

// Enough to read the user and to expand that user's environment (ExpandEnvironmentStringsForUserW).
constexpr DWORD kTokenAccess = TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE;

UniqueHandle sessionUserToken(DWORD session)
{
    const HMODULE wtsapi = loadSystemLibrary(L"wtsapi32.dll");
    if (!wtsapi)
        return nullptr;
    const auto query =
        reinterpret_cast<QueryUserTokenFn>(reinterpret_cast<void*>(GetProcAddress(wtsapi, "WTSQueryUserToken")));
    HANDLE token = nullptr;
    if (!query || !query(session, &token))
        return nullptr;
    return UniqueHandle(token);
}

// The shell runs as the user who logged on, whoever the programs it starts are elevated to.
UniqueHandle explorerToken(DWORD session)
{
    const UniqueHandle snapshot = ownHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return nullptr;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        DWORD owner = 0;
        if (lstrcmpiW(entry.szExeFile, L"explorer.exe") != 0 ||
            !ProcessIdToSessionId(entry.th32ProcessID, &owner) || owner != session)
            continue;
        const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        HANDLE token = nullptr;
        if (process && OpenProcessToken(process.get(), kTokenAccess, &token))
            return UniqueHandle(token);
    }
    return nullptr;
}

// The token's user as a string SID; empty when it cannot be read.
std::wstring userSid(HANDLE token)
{
    DWORD needed = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::vector<BYTE> buffer(needed, 0);
    if (!GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed))
        return {};
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    std::wstring sid(text);
    LocalFree(text);
    return sid;
}

} // namespace

Status findInteractiveUser(InteractiveUser& user)
{
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session))
        return static_cast<Status>(GetLastError());
    UniqueHandle token = sessionUserToken(session);
    if (!token)
        token = explorerToken(session);
    HANDLE own = nullptr;
    if (!token || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own))
        return ErrorNoToken;
    const UniqueHandle ownToken(own);
    const std::wstring sid = userSid(token.get());
    if (sid.empty())
        return ErrorNoToken;
    user.sid = sid;
    user.isProcessUser = sid == userSid(ownToken.get());
    user.token = std::move(token);
    return ErrorSuccess;
}

} // namespace platform::win32
