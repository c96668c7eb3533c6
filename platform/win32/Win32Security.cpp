#include "platform/win32/Win32Security.h"

#include "platform/win32/CatalogTrust.h"
#include "platform/win32/InteractiveUser.h"
#include "platform/win32/OfflineTrust.h"
#include "platform/win32/Win32Handle.h"

#include <windows.h>
#include <wintrust.h>

namespace platform::win32 {

namespace {

// HRESULT_FROM_WIN32 of the codes that mean the file is not there.
bool isMissingFile(LONG value)
{
    const auto code = static_cast<DWORD>(value);
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
           code == static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) ||
           code == static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

} // namespace

Status Win32Security::isAdministrator(bool& member)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &administrators))
        return static_cast<Status>(GetLastError());
    const UniqueSid owner(administrators);
    BOOL isMember = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &isMember))
        return static_cast<Status>(GetLastError());
    member = isMember != FALSE;
    return ErrorSuccess;
}

// A missing file is a failure of the check, not an answer about a signature: WinVerifyTrust reports it
// as "no signature" with the file error left in GetLastError, or as the file error itself.
Status Win32Security::verifyFile(const std::wstring& path, std::int32_t& trustResult)
{
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    DWORD lastError = ERROR_SUCCESS;
    const LONG result = verifyOffline(data, lastError);
    if (isMissingFile(result))
        return ErrorFileNotFound;
    if (static_cast<DWORD>(result) == static_cast<DWORD>(TRUST_E_NOSIGNATURE) && isMissingFile(lastError))
        return ErrorFileNotFound;
    trustResult = trustAnswer(result, lastError);
    return ErrorSuccess;
}

Status Win32Security::verifyCatalog(const std::wstring& path, std::int32_t& trustResult)
{
    return verifyCatalogMember(path, trustResult);
}

Status Win32Security::interactiveUser(std::wstring& sid, bool& isProcessUser)
{
    InteractiveUser user;
    const Status status = findInteractiveUser(user);
    if (status != ErrorSuccess)
        return status;
    sid = user.sid;
    isProcessUser = user.isProcessUser;
    return ErrorSuccess;
}

} // namespace platform::win32
