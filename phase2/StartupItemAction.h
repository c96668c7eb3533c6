#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Items "ST:<source number>:<name>": switches one start-up entry off. Run keys and start-up folders go
// through the start-up manager's approved values, the policy Run keys through PolicyRunBackup; every other
// source is only reported.
class StartupItemAction {
public:
    explicit StartupItemAction(platform::Platform& machine);
    ItemResult run(const QString& id);

private:
    platform::Platform& machine_;
};
