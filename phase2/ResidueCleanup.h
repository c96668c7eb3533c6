#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Items "RES:<record id>": removes the uninstall leftovers the junk-software detection found for a record,
// each path only when ResiduePathGuard allows it and only through the guarded deletion, which inside such a
// path also takes read-only files. The line counts only what is really gone.
class ResidueCleanup {
public:
    ResidueCleanup(platform::Platform& machine, const QString& ownFolder);
    ItemResult run(const QString& recordId, const ScanReportBundle& report);

private:
    platform::Platform& machine_;
    const QString ownFolder_;
};
