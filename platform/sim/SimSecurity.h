#pragma once

#include "platform/Security.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// Security on the simulated PC, from the "security" section of machine.json:
//   "security": { "administrator": true, "signedFiles": [ "C:\\Windows\\explorer.exe" ] }
// The program runs as an administrator unless the profile says otherwise. A file carries a trusted
// signature when it exists and is listed (without regard to case); any other existing file has none.
class SimSecurity : public Security {
public:
    explicit SimSecurity(SimMachine& machine);

    Status isAdministrator(bool& member) override;
    Status verifyFile(const std::wstring& path, std::int32_t& trustResult) override;

    static constexpr std::int32_t kNoSignature = static_cast<std::int32_t>(0x800B0100);

private:
    SimMachine& machine_;
};

} // namespace platform::sim
