#pragma once

#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"

// The pure rules of start-up scoring: where a program may live, whether its entry carries a junk-software
// name, and the grade that follows from a score.
namespace StartupScoring {

// `expandedPath` after environment expansion. A temporary folder is never a normal place; the program and
// Windows folders and the roots of C: and D: are; anywhere else is normal only for a signed program.
bool isNormalLocation(const QString& expandedPath, bool isSigned);

// True when `name` contains (any case) an entry of some signature's start-up or process names. Never true
// for a database that is not loaded.
bool isJunkName(const QString& name, const SignatureDatabase& database);

// True when a Winlogon hook starts a program other than Windows' own: the trimmed value is not empty and
// does not contain (any case) the program the hook normally names ("explorer.exe", "userinit.exe").
bool isChangedHook(const QString& value, const char* expectedProgram);

// Clamps `item.score` to 0..100 and sets `riskLevel` and `riskLabel`.
void grade(StartupScanItem& item);

// The sources phase 2 may offer for disabling: the run keys and the two start-up folders.
bool canDisable(int sourceType);

} // namespace StartupScoring
