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

    // WinVerifyTrust with WINTRUST_ACTION_GENERIC_VERIFY_V2 on a file, no UI, no revocation check.
    // `trustResult` receives the LONG it returns (0 = signed and trusted, 0x800B0100 = no signature).
    virtual Status verifyFile(const std::wstring& /*path*/, std::int32_t& /*trustResult*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
