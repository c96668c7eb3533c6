#pragma once

#include "platform/TopLevelWindows.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// The top-level windows of the simulated PC, in Z order, from the "windows" section of machine.json:
//   "windows": [ { "pid": 6120, "title": "微信", "className": "WeChatMainWndForPC", "visible": true,
//                  "toolWindow": false, "exStyle": 256, "handle": 65560 } ]
// "visible" defaults to true; "toolWindow" adds WS_EX_TOOLWINDOW to "exStyle"; a window without "handle"
// gets one from its position. "windowsEnumerationFails": true makes EnumWindows fail.
class SimWindows : public TopLevelWindows {
public:
    explicit SimWindows(SimMachine& machine);

    Status enumerate(std::vector<WindowInfo>& windows) override;

    static constexpr std::uint32_t kToolWindow = 0x00000080;

    // The machine behind this group, for tests that arrange its state.
    SimMachine& machine() const { return machine_; }

private:
    SimMachine& machine_;
};

} // namespace platform::sim
