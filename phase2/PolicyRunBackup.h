#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Start-up entries of the policy Run keys (source 6) have no approved value; they are switched off by
// moving the value, with its type and all of its data, to a key of the program's own that Windows never
// runs. The original goes only once the copy reads back equal.
class PolicyRunBackup {
public:
    explicit PolicyRunBackup(platform::Platform& machine);
    ItemResult disable(const QString& name);

private:
    platform::Platform& machine_;
};
