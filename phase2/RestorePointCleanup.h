#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Item "H2": deletes the oldest restore points so that the newest `keep` remain; only deletions Windows
// confirmed are counted.
class RestorePointCleanup {
public:
    explicit RestorePointCleanup(platform::Platform& machine);
    ItemResult run(int keep);

private:
    platform::Platform& machine_;
};
