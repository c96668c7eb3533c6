#pragma once

#include "platform/Services.h"
#include "platform/sim/SimMachine.h"

#include <map>
#include <memory>

namespace platform::sim {

// One service of the simulated PC.
struct SimService {
    std::wstring name;
    std::wstring displayName;
    std::wstring binaryPath;
    std::uint32_t state = ServiceState::Stopped;
    std::uint32_t startType = ServiceStart::Manual;
    std::uint32_t processId = 0;
    std::string onStop = "stops"; // "stops", "hangs" (stays StopPending), "refuses" or "dependents"
    bool denied = false;          // every open is refused with ERROR_ACCESS_DENIED
    bool protectedConfig = false; // every start-type change is refused with ERROR_ACCESS_DENIED
};

// The service control manager on the simulated PC, from the "services" section of machine.json:
//   "services": { "wuauserv": { "displayName": "Windows Update", "state": "running", "startType": "manual",
//                               "binaryPath": "...", "pid": 1234, "onStop": "hangs", "denied": false,
//                               "protected": false } }
// "onStop": "dependents" refuses the stop with ERROR_DEPENDENT_SERVICES_RUNNING; "protected" refuses every
// start-type change, as Windows 10 and 11 do for the services they protect (WinDefend) even to an
// administrator.
// States: "stopped", "start-pending", "stop-pending", "running"; start types: "boot", "system", "auto",
// "manual", "disabled" (or their numbers). Every change is journalled and saved back.
class SimServices : public Services, public SimState {
public:
    explicit SimServices(SimMachine& machine);

    Status openManager(std::uint32_t access, std::unique_ptr<ServiceManager>& manager) override;
    void store(nlohmann::json& document) const override;

    // The live service by name (without regard to case), or null.
    std::shared_ptr<SimService> find(const std::wstring& name) const;
    std::vector<std::shared_ptr<SimService>> all() const;
    SimMachine& machine() const { return machine_; }

private:
    SimMachine& machine_;
    std::map<std::wstring, std::shared_ptr<SimService>> services_; // keyed by the lower-case name
};

} // namespace platform::sim
