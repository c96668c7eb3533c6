#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Item "F3": switches off the scheduled tasks, hidden ones included, of the disk-diagnostic folder.
class DiskDiagnosticTasks {
public:
    explicit DiskDiagnosticTasks(platform::Platform& machine);
    ItemResult run();

private:
    platform::Platform& machine_;
};
