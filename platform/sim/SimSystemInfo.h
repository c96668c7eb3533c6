#pragma once

#include "platform/SystemInfo.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// System information on the simulated PC, from the profile's "system" section:
//   "system": { "systemDirectory": "C:\\Windows\\system32",
//               "version": { "major": 10, "minor": 0, "build": 19045, "servicePack": 0 } }
// An empty "systemDirectory" makes GetSystemDirectoryW fail.
class SimSystemInfo : public SystemInfo {
public:
    explicit SimSystemInfo(SimMachine& machine);

    Status systemDirectory(std::wstring& path, std::uint32_t maxChars) override;
    Status version(OsVersion& version) override;

private:
    const nlohmann::json& section() const;

    SimMachine& machine_;
};

} // namespace platform::sim
