#include "engine/undo/RecordingPlatform.h"

RecordingPlatform::RecordingPlatform(platform::Platform& inner, ChangeRecordWriter& record)
    : registry_(inner.registry, record)
    , services_(inner.services, record)
    , devices_(inner.devices, record)
    , tasks_(inner.tasks, record)
    , commands_(inner, record)
    , platform_{registry_, services_, inner.security, inner.systemInfo, inner.processes, inner.windows,
                devices_,  tasks_,    inner.shell,    inner.files,      commands_}
{
}
