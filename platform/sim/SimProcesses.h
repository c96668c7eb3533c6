#pragma once

#include "platform/Processes.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// Running processes on the simulated PC, from the "processes" section of machine.json:
//   "processes": [ { "pid": 4, "name": "System", "protected": true },
//                  { "pid": 6120, "parentPid": 3864, "name": "WeChat.exe", "imagePath": "C:\\...\\WeChat.exe",
//                    "workingSet": 183500800 },
//                  { "pid": 7400, "name": "tidewell.exe", "self": true } ]
// Trimming a working set empties it: its bytes become available physical memory (the "memory" section
// read by SimSystemInfo). A "protected" process cannot be opened; the "self" entry is the program itself.
class SimProcesses : public Processes {
public:
    explicit SimProcesses(SimMachine& machine);

    Status snapshot(std::vector<ProcessEntry>& processes) override;
    Status trimWorkingSet(std::uint32_t pid) override;
    Status imagePath(std::uint32_t pid, std::wstring& path) override;
    std::uint32_t currentProcessId() override;

    // Empties every working set that can be opened; the memory-list command of SimSystemInfo uses it.
    static void trimAll(SimMachine& machine);

private:
    SimMachine& machine_;
};

} // namespace platform::sim
