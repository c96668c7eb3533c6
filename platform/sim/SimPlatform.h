#pragma once

#include "platform/Platform.h"
#include "platform/sim/SimCommands.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimDevices.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimSecurity.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimTasks.h"
#include "platform/sim/SimWindows.h"

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
    SimServices services_;
    SimSecurity security_;
    SimSystemInfo systemInfo_;
    SimProcesses processes_;
    SimWindows windows_;
    SimDevices devices_;
    SimTasks tasks_;
    SimShell shell_;
    SimFiles files_;
    SimCommands commands_;
    Platform platform_;
};

} // namespace platform::sim
