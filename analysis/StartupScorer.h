#pragma once

#include "analysis/FileTrust.h"
#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"

// Scores one start-up entry from 0 (dangerous) to 100 (safe): 25 for a signed program and 25 more for it,
// 25 for a normal location (10 more when an unsigned program is really there), and 25 unless the entry's
// name is a known junk-software name.
class StartupScorer {
public:
    StartupScorer(const MachineQuery& machine, const SignatureDatabase& database);

    StartupScanItem score(const QString& name, const QString& command, const QString& source, int sourceType) const;

private:
    const MachineQuery& machine_;
    const SignatureDatabase& database_;
    FileTrust trust_;
};
