#pragma once

#include "analysis/FileTrust.h"
#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"
#include "platform/Platform.h"

// Reports the visible top-level windows that belong to unsigned programs or carry advertising titles, the
// usual look of ad pop-ups, at most 30. Only one analysis runs at a time in the process: the running one is
// registered process-wide for the duration of the enumeration, and a second one started meanwhile finds
// nothing rather than mixing its windows into the first one's report.
class PopupWindowAnalyzer {
public:
    PopupWindowAnalyzer(platform::Platform& platform, const SignatureDatabase& database);

    void run(QVector<PopupWindowItem>& popups);

    static constexpr int kMaxRecords = 30;
    static constexpr std::uint32_t kToolWindowStyle = 0x00000080; // WS_EX_TOOLWINDOW

private:
    void examine(const platform::WindowInfo& window, QVector<PopupWindowItem>& popups) const;
    QString imagePathOf(std::uint32_t pid) const;

    platform::Platform& platform_;
    MachineQuery machine_;
    FileTrust trust_;
    const SignatureDatabase& database_;
    std::uint32_t ownPid_ = 0;
};
