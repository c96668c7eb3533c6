#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// TASK_TRIGGER_TYPE2 values the program distinguishes.
namespace TriggerType {
constexpr std::uint32_t Event = 0;
constexpr std::uint32_t Time = 1;
constexpr std::uint32_t Daily = 2;
constexpr std::uint32_t Boot = 8;
constexpr std::uint32_t Logon = 9;
// Not a Windows value: stands for a trigger whose type could not be read (ITriggerCollection::get_Item or
// ITrigger::get_Type failed), so that one bad trigger does not hide the task's others.
constexpr std::uint32_t Unreadable = 0xFFFFFFFF;
} // namespace TriggerType

// IRegisteredTask, the members the program reads or writes.
class ScheduledTask {
public:
    virtual ~ScheduledTask() = default;
    virtual std::wstring name() const = 0;
    virtual std::wstring path() const = 0;
    // get_Enabled.
    virtual Status enabled(bool& enabled) = 0;
    // put_Enabled: switches the registered task on or off.
    virtual Status setEnabled(bool enabled) = 0;
    // The types of the task definition's triggers, Unreadable for each one whose type cannot be read. Fails
    // only when the definition or its trigger collection cannot be read.
    virtual Status triggerTypes(std::vector<std::uint32_t>& types) = 0;
};

// ITaskFolder.
class TaskFolder {
public:
    virtual ~TaskFolder() = default;
    // GetTask: ERROR_FILE_NOT_FOUND when there is no such task.
    virtual Status task(const std::wstring& name, std::unique_ptr<ScheduledTask>& task) = 0;
    // GetTasks(TASK_ENUM_HIDDEN or 0).
    virtual Status tasks(bool includeHidden, std::vector<std::unique_ptr<ScheduledTask>>& tasks) = 0;
    // GetFolders: the names of the subfolders.
    virtual Status subFolders(std::vector<std::wstring>& names) = 0;
};

// The Task Scheduler 2.0 group (COM, taskschd). The backend initialises COM in the multithreaded model
// around its own use.
class Tasks {
public:
    virtual ~Tasks() = default;
    // ITaskService::Connect + GetFolder: ERROR_FILE_NOT_FOUND for a missing folder.
    virtual Status folder(const std::wstring& /*path*/, std::unique_ptr<TaskFolder>& /*folder*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
