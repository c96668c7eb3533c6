#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>

namespace platform::win32 {

// Most of Windows' own files carry no signature of their own: the security catalogs of the system list
// their hashes and are signed instead. This walks every catalog that lists a file's hash (SHA-256 where the
// system has the functions for it, Windows 8 and later, then SHA-1) and verifies the file as a member of
// each (WinVerifyTrust with WTD_CHOICE_CATALOG), offline, until one verifies. `trustResult` receives 0 then,
// else the answer for the first catalog that lists the file (see trustAnswer), or TRUST_E_NOSIGNATURE when
// none does; a file that cannot be opened gives the CreateFileW error.
Status verifyCatalogMember(const std::wstring& path, std::int32_t& trustResult);

} // namespace platform::win32
