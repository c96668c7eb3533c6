#pragma once

#include "platform/sim/SimTools.h"

namespace platform::sim {

// ipconfig: "/flushdns" empties the simulated resolver cache (the "dnsCache" list of the profile) and
// answers as the real tool; other switches print the short configuration header only.
ToolOutcome runIpconfig(SimMachine& machine, const std::vector<std::wstring>& arguments);

// cleanmgr: "/sagerun:n" runs the cleanup set n stored under the VolumeCaches StateFlags values. The
// simulated PC has no such sets configured, so it finishes without changing anything; it prints nothing.
ToolOutcome runCleanmgr(SimMachine& machine, const std::vector<std::wstring>& arguments);

} // namespace platform::sim
