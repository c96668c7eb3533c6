#pragma once

#include "platform/Platform.h"

#include <QString>

// Item "H2": deletes the oldest restore points so that the newest `keep` remain; only deletions Windows
// confirmed are counted.
class RestorePointCleanup {
public:
    explicit RestorePointCleanup(platform::Platform& machine);
    QString run(int keep);

private:
    platform::Platform& machine_;
};
