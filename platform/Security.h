#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>

namespace platform {

// The security group (advapi32, wintrust).
class Security {
public:
    virtual ~Security() = default;

    // AllocateAndInitializeSid for BUILTIN\Administrators (5, 32, 544), CheckTokenMembership with the
    // calling thread's token, FreeSid.
    virtual Status isAdministrator(bool& /*member*/) { return ErrorCallNotImplemented; }

    // WinVerifyTrust with WINTRUST_ACTION_GENERIC_VERIFY_V2 on the file's own signature, no UI, no
    // revocation check, URLs from the local cache only (WTD_CACHE_ONLY_URL_RETRIEVAL): nothing is fetched.
    // `trustResult` receives the LONG it returns (0 = signed and trusted, 0x800B0100 = no signature), except
    // that a "no signature" whose GetLastError is a failure code other than 0x800B0100, 0x800B0003 or
    // 0x800B0001 is that code: a signature is there and could not be checked (a SHA-2 signature on a
    // Windows 7 without the update for it gives 0x80090008). A chain that cannot be completed offline gives
    // 0x800B010A or 0x800B0109. ERROR_FILE_NOT_FOUND for a missing file.
    virtual Status verifyFile(const std::wstring& /*path*/, std::int32_t& /*trustResult*/)
    {
        return ErrorCallNotImplemented;
    }

    // The signature of the security catalog that lists the file's hash, as Windows checks its own files:
    // CryptCATAdminAcquireContext2 + CryptCATAdminCalcHashFromFileHandle2 (SHA-256; Windows 8 and later,
    // looked up at run time), then, where those are missing or no catalog lists the SHA-256 hash,
    // CryptCATAdminAcquireContext + CryptCATAdminCalcHashFromFileHandle (SHA-1); CryptCATAdminEnumCatalogFromHash,
    // CryptCATCatalogInfoFromContext, and WinVerifyTrust with WTD_CHOICE_CATALOG and the flags of verifyFile,
    // for every catalog that lists the hash (each next one asked with the one before) until one verifies.
    // `trustResult` as for verifyFile: 0 when a catalog verifies, else the answer for the first catalog;
    // 0x800B0100 when no catalog lists the file. The CreateFileW error
    // (ERROR_FILE_NOT_FOUND) for a file that cannot be opened.
    virtual Status verifyCatalog(const std::wstring& /*path*/, std::int32_t& /*trustResult*/)
    {
        return ErrorCallNotImplemented;
    }

    // The user logged on to the session the program runs in, as a string SID, and whether the program runs
    // as that user: ProcessIdToSessionId, WTSQueryUserToken, else OpenProcessToken of an explorer.exe of
    // the session; GetTokenInformation(TokenUser), ConvertSidToStringSidW. ERROR_NO_TOKEN when it cannot
    // be found. When the program runs as another account, Hive::CurrentUser is that user's
    // HKEY_USERS\<SID> on every backend.
    virtual Status interactiveUser(std::wstring& /*sid*/, bool& /*isProcessUser*/) { return ErrorCallNotImplemented; }
};

} // namespace platform
