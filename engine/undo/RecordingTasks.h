#pragma once

#include "platform/Tasks.h"

class ChangeRecordWriter;

// The Task Scheduler while a run's changes are recorded: switching a task on or off first records whether it
// was enabled.
class RecordingTasks : public platform::Tasks
{
public:
    RecordingTasks(platform::Tasks& inner, ChangeRecordWriter& record);
    platform::Status folder(const std::wstring& path, std::unique_ptr<platform::TaskFolder>& folder) override;

private:
    platform::Tasks& inner_;
    ChangeRecordWriter& record_;
};
