#include "platform/sim/SimCleanupTools.h"

#include "platform/Text.h"

namespace platform::sim {

ToolOutcome runIpconfig(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    ToolOutcome outcome;
    outcome.output = "\r\nWindows IP Configuration\r\n\r\n";
    if (arguments.size() == 1 && equalsIgnoreCase(arguments[0], L"/flushdns")) {
        machine.document()["dnsCache"] = nlohmann::json::array();
        outcome.output += "Successfully flushed the DNS Resolver Cache.\r\n";
    }
    return outcome;
}

ToolOutcome runCleanmgr(SimMachine&, const std::vector<std::wstring>&)
{
    return {};
}

} // namespace platform::sim
