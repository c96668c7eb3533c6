#pragma once

#include "platform/sim/SimMachine.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::sim {

// What a simulated console tool printed and returned.
struct ToolOutcome {
    std::uint32_t exitCode = 0;
    std::string output;
};

// A simulated console tool: it applies its effect to the machine and answers in the real tool's format.
using ToolHandler = std::function<ToolOutcome(SimMachine&, const std::vector<std::wstring>&)>;

// wmic, answered from the "wmi" section of the profile.
ToolOutcome runWmic(SimMachine& machine, const std::vector<std::wstring>& arguments);

// The handler of a tool by its lower-case name without folder or ".exe"; null for an unknown tool.
const ToolHandler* findTool(const std::wstring& name);

} // namespace platform::sim
