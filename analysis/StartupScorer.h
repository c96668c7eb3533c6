#pragma once

#include "analysis/FileTrust.h"
#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"

// Scores one start-up entry from 0 (dangerous) to 100 (safe): 25 for a signed program and 25 more for it,
// 25 for a normal location (10 more when an unsigned program is really there), and 25 unless the entry's
// name is a known junk-software name. A program whose signature this PC cannot check is graded on its
// location and name alone, each counting double, and its risk label says "（签名无法验证）".
class StartupScorer {
public:
    StartupScorer(const MachineQuery& machine, const SignatureDatabase& database);

    // The program is taken from the command line, an unquoted one resolved against the files that exist.
    StartupScanItem score(const QString& name, const QString& command, const QString& source, int sourceType) const;

    // The program is known already: a start-up folder file is scored on itself. Its path, written unquoted as
    // the command, holds the blank of "Start Menu" and would be cut there by the command-line rules.
    StartupScanItem scoreProgram(const QString& name, const QString& program, const QString& source,
                                 int sourceType) const;

private:
    StartupScanItem scored(const QString& name, const QString& command, const QString& exe, const QString& source,
                           int sourceType) const;

    const MachineQuery& machine_;
    const SignatureDatabase& database_;
    FileTrust trust_;
};
