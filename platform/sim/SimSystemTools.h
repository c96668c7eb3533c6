#pragma once

#include "platform/sim/SimTools.h"

// The event-log and network tools of the simulated PC, with their effects and their real output layout
// (English, 8-bit, "\r\n").
namespace platform::sim {

// wevtutil gl|get-log NAME, and sl|set-log NAME /ms:BYTES, over
//   "eventLogs": { "Application": { "maxSize": 20971520 }, ... }
// An unknown log exits with 15007 (ERROR_EVT_CHANNEL_NOT_FOUND) and a size that is not a whole number of
// bytes of at least 1 MB with 87, as the real tool does; nothing is changed then.
ToolOutcome runWevtutil(SimMachine& machine, const std::vector<std::wstring>& arguments);

// netsh interface tcp set global autotuninglevel=LEVEL | netsh interface tcp show global, over
//   "tcpGlobal": { "autotuninglevel": "disabled" }
// Any other command line, the level split from its name among them, is refused with exit code 1.
ToolOutcome runNetsh(SimMachine& machine, const std::vector<std::wstring>& arguments);

} // namespace platform::sim
