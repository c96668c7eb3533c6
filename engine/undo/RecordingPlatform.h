#pragma once

#include "engine/undo/RecordingCommands.h"
#include "engine/undo/RecordingDevices.h"
#include "engine/undo/RecordingRegistry.h"
#include "engine/undo/RecordingServices.h"
#include "engine/undo/RecordingTasks.h"

class ChangeRecordWriter;

// A machine whose changes are recorded: the registry, services, tasks, adapter settings and console tools go
// through recording wrappers into `record`; every other group is the inner machine's own.
class RecordingPlatform
{
public:
    RecordingPlatform(platform::Platform& inner, ChangeRecordWriter& record);
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    platform::Platform& platform() { return platform_; }

private:
    RecordingRegistry registry_;
    RecordingServices services_;
    RecordingDevices devices_;
    RecordingTasks tasks_;
    RecordingCommands commands_;
    platform::Platform platform_;
};
