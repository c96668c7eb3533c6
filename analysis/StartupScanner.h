#pragma once

#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"
#include "analysis/StartupScorer.h"

// The deep start-up analysis: one scored StartupScanItem per run-key value, start-up folder file and
// scheduled task that starts at logon or boot, plus fixed high-risk findings for a changed Winlogon hook,
// AppInit_DLLs and an excess of approved shell extensions. Reads only.
class StartupScanner {
public:
    StartupScanner(platform::Platform& platform, const SignatureDatabase& database);

    void run(QVector<StartupScanItem>& items) const;

    // More approved shell extensions than this is a finding.
    static constexpr std::uint32_t kShellExtensionLimit = 60;

private:
    void scanRunKeys(QVector<StartupScanItem>& items) const;
    void scanWinlogon(QVector<StartupScanItem>& items) const;
    void scanAppInit(QVector<StartupScanItem>& items) const;
    void scanShellExtensions(QVector<StartupScanItem>& items) const;
    void scanFolders(QVector<StartupScanItem>& items) const;
    void scanTasks(QVector<StartupScanItem>& items) const;

    MachineQuery machine_;
    StartupScorer scorer_;
};
