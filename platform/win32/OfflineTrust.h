#pragma once

#include <windows.h>
#include <wintrust.h>

namespace platform::win32 {

// WinVerifyTrust(WINTRUST_ACTION_GENERIC_VERIFY_V2) on the file or catalog member that `data` names, never
// reaching the network: no user interface, no revocation check and URLs from the local cache only, so that
// an offline PC answers at once and every PC answers the same. The verification state is released before
// returning. `lastError` receives GetLastError as the check left it.
LONG verifyOffline(WINTRUST_DATA& data, DWORD& lastError);

// The answer of verifyOffline with what GetLastError adds: TRUST_E_NOSIGNATURE means "no signature" only
// when the last error is one of TRUST_E_NOSIGNATURE, TRUST_E_SUBJECT_FORM_UNKNOWN or
// TRUST_E_PROVIDER_UNKNOWN; with any other failure code there, a signature is present and could not be
// checked, and that code is the answer.
LONG trustAnswer(LONG result, DWORD lastError);

} // namespace platform::win32
