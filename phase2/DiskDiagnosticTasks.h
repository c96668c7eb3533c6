#pragma once

#include "platform/Platform.h"

#include <QString>

// Item "F3": switches off the scheduled tasks, hidden ones included, of the disk-diagnostic folder.
class DiskDiagnosticTasks {
public:
    explicit DiskDiagnosticTasks(platform::Platform& machine);
    QString run();

private:
    platform::Platform& machine_;
};
