#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>

namespace platform::win32 {

// Most of Windows' own files carry no signature of their own: the security catalogs of the system list
// their hashes and are signed instead. This finds the catalog that lists a file's hash (SHA-256 where the
// system has the functions for it, Windows 8 and later, then SHA-1) and verifies the file as a member of it
// (WinVerifyTrust with WTD_CHOICE_CATALOG), offline. `trustResult` receives the LONG it returns, or
// TRUST_E_NOSIGNATURE when no catalog lists the file; a file that cannot be opened gives the CreateFileW
// error.
Status verifyCatalogMember(const std::wstring& path, std::int32_t& trustResult);

} // namespace platform::win32
