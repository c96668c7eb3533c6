#include "platform/win32/OfflineTrust.h"

#include <softpub.h>

namespace platform::win32 {

LONG verifyOffline(WINTRUST_DATA& data, DWORD& lastError)
{
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL | WTD_REVOCATION_CHECK_NONE;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    SetLastError(ERROR_SUCCESS);
    const LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    lastError = GetLastError();
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

LONG trustAnswer(LONG result, DWORD lastError)
{
    const auto error = static_cast<LONG>(lastError);
    if (result != TRUST_E_NOSIGNATURE || error >= 0)
        return result;
    if (error == TRUST_E_NOSIGNATURE || error == TRUST_E_SUBJECT_FORM_UNKNOWN || error == TRUST_E_PROVIDER_UNKNOWN)
        return result;
    return error;
}

} // namespace platform::win32
