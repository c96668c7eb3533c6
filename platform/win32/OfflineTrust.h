#pragma once

#include <windows.h>
#include <wintrust.h>

namespace platform::win32 {

// WinVerifyTrust(WINTRUST_ACTION_GENERIC_VERIFY_V2) on the file or catalog member that `data` names, never
// reaching the network: no user interface, no revocation check and URLs from the local cache only, so that
// an offline PC answers at once and every PC answers the same. The verification state is released before
// returning. `lastError` receives GetLastError as the check left it.
LONG verifyOffline(WINTRUST_DATA& data, DWORD& lastError);

} // namespace platform::win32
