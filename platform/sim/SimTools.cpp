#include "platform/sim/SimTools.h"

#include "platform/Text.h"
#include "platform/sim/SimCleanupTools.h"
#include "platform/sim/SimMaintenanceTools.h"
#include "platform/sim/SimSystemTools.h"

#include <utility>

namespace platform::sim {

namespace {

// Every console tool the simulated PC knows. A tool not listed here is missing, as on a machine that
// lacks it.
const std::pair<const wchar_t*, ToolHandler> kTools[] = {
    {L"wmic", runWmic},
    {L"bcdedit", runBcdedit},
    {L"powercfg", runPowercfg},
    {L"defrag", runDefrag},
    {L"ipconfig", runIpconfig},
    {L"cleanmgr", runCleanmgr},
    {L"wevtutil", runWevtutil},
    {L"netsh", runNetsh},
};

} // namespace

const ToolHandler* findTool(const std::wstring& name)
{
    for (const auto& [toolName, handler] : kTools) {
        if (name == toolName)
            return &handler;
    }
    return nullptr;
}

} // namespace platform::sim
