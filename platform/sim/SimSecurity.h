#pragma once

#include "platform/Security.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// Security on the simulated PC, from the "security" section of machine.json:
//   "security": { "administrator": true, "signedFiles": [ "C:\\Program Files\\App\\app.exe" ],
//                 "catalogSignedFiles": [ "C:\\Windows\\System32\\conhost.exe" ],
//                 "uncheckableFiles": [ "C:\\Program Files\\New\\new.exe" ] }
// The program runs as an administrator unless the profile says otherwise. A file carries a trusted
// signature of its own, or is listed in a trusted security catalog, when it exists and is in the matching
// list (without regard to case). A file in "uncheckableFiles" carries a signature whose chain this PC cannot
// complete offline (CERT_E_CHAINING), for its own signature and in a catalog alike; any other existing file
// has none.
class SimSecurity : public Security {
public:
    explicit SimSecurity(SimMachine& machine);

    Status isAdministrator(bool& member) override;
    Status verifyFile(const std::wstring& path, std::int32_t& trustResult) override;
    Status verifyCatalog(const std::wstring& path, std::int32_t& trustResult) override;
    Status interactiveUser(std::wstring& sid, bool& isProcessUser) override;

    static constexpr std::int32_t kNoSignature = static_cast<std::int32_t>(0x800B0100);
    static constexpr std::int32_t kChainNotComplete = static_cast<std::int32_t>(0x800B010A);

private:
    Status verifyListed(const char* list, const std::wstring& path, std::int32_t& trustResult);
    bool isListed(const char* list, const std::wstring& path) const;

    SimMachine& machine_;
};

} // namespace platform::sim
