#pragma once

#include "platform/sim/SimTools.h"

// The boot, power and disk tools of the simulated PC. Each changes the machine as the real tool would and
// prints what the real tool prints (English, 8-bit, "\r\n").
namespace platform::sim {

// bcdedit /export FILE | /set {id} element value | /timeout N | /enum osloader, over the profile's "boot" section:
//   "boot": { "timeout": 30, "loaderHeading": "Windows Boot Loader",
//             "entries": { "{current}": { "description": "Windows 10", "quietboot": false } } }
// /export writes the boot store (the section as JSON) to FILE, which must lie in an existing folder.
// /enum osloader prints one block per loader ({current} and each entry without a "type" other than
// "osloader"), each under `loaderHeading` underlined with dashes, as a translated Windows prints it.
ToolOutcome runBcdedit(SimMachine& machine, const std::vector<std::wstring>& arguments);

// powercfg /setactive GUID | /hibernate on|off | /h on|off | /h /type full|reduced, over
//   "powerSchemes": { "active": "381b4222-...", "schemes": { "381b4222-...": "Balanced", ... } },
//   "hibernation": { "enabled": true, "type": "full", "fullSize": 6871947264 }
// Switching hibernation on creates hiberfil.sys in the root of the system drive (half of "fullSize" for
// the reduced type); switching it off removes the file. Without "schemes" the three Windows schemes exist.
ToolOutcome runPowercfg(SimMachine& machine, const std::vector<std::wstring>& arguments);

// defrag X: /L (retrim) | /U (defragment, with progress) | /A. Retrim on a drive whose "disks" entry says
// it incurs a seek penalty fails as on a spinning disk.
ToolOutcome runDefrag(SimMachine& machine, const std::vector<std::wstring>& arguments);

// "C:" from the profile's system directory.
std::wstring simSystemDrive(const SimMachine& machine);

} // namespace platform::sim
