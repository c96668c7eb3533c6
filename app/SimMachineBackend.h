#pragma once

#include "app/PlatformChoice.h"
#include "platform/sim/SimPlatform.h"

// The simulated PC behind the window: the machine folder named by the environment variable
// TIDEWELL_MACHINE, or the embedded default machine in a new temporary folder that is kept (its path is
// printed) so that the run can be looked at afterwards.
class SimMachineBackend : public MachineBackend {
public:
    static std::unique_ptr<SimMachineBackend> open(QString& error);

    platform::Platform& platform() override { return simulated->platform(); }
    bool save(QString& error) override;

private:
    explicit SimMachineBackend(std::unique_ptr<platform::sim::SimMachine> machine);

    std::unique_ptr<platform::sim::SimMachine> machine;
    std::unique_ptr<platform::sim::SimPlatform> simulated;
};
