#pragma once

#include "platform/Platform.h"
#include "platform/sim/SimCommands.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimSystemInfo.h"

namespace platform::sim {

// The simulated backend: one group object per interface over one SimMachine, bundled as a Platform.
class SimPlatform {
public:
    explicit SimPlatform(SimMachine& machine);
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    Platform& platform() { return platform_; }
    SimMachine& machine() { return machine_; }

private:
    SimMachine& machine_;
    SimRegistry registry_;
    Services services_;
    Security security_;
    SimSystemInfo systemInfo_;
    Processes processes_;
    TopLevelWindows windows_;
    Devices devices_;
    Tasks tasks_;
    Shell shell_;
    Files files_;
    SimCommands commands_;
    Platform platform_;
};

} // namespace platform::sim
