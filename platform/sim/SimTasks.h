#pragma once

#include "platform/Tasks.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// The Task Scheduler on the simulated PC, from the profile:
//   "tasks": [ { "path": "\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater",
//                "enabled": true, "hidden": false, "triggers": [8, 9] } ],
//   "taskFolders": [ "\\Microsoft\\Windows\\Empty Folder" ]
// A task lives in the folder its path names; folders exist when a task or a "taskFolders" entry lies in or
// below them. "triggers" holds TASK_TRIGGER_TYPE2 numbers; "triggerError": n makes reading that task's
// triggers fail with n; "unreadableTriggers": n adds n triggers whose type cannot be read. The tasks are
// kept in the document itself, so a change is saved with the machine and every switch is journalled.
class SimTasks : public Tasks {
public:
    explicit SimTasks(SimMachine& machine);

    Status folder(const std::wstring& path, std::unique_ptr<TaskFolder>& folder) override;

    // "\\A\\B\\" and "A\\B" -> "\\A\\B"; the root is "\\".
    static std::wstring normalisePath(const std::wstring& path);

private:
    SimMachine& machine_;
};

} // namespace platform::sim
