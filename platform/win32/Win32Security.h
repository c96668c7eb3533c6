#pragma once

#include "platform/Security.h"

namespace platform::win32 {

// Administrator membership (advapi32) and Authenticode checks of a file's own signature and of the
// security catalog that lists it (wintrust).
class Win32Security : public Security {
public:
    Status isAdministrator(bool& member) override;
    Status verifyFile(const std::wstring& path, std::int32_t& trustResult) override;
    Status verifyCatalog(const std::wstring& path, std::int32_t& trustResult) override;
    Status interactiveUser(std::wstring& sid, bool& isProcessUser) override;
};

} // namespace platform::win32
