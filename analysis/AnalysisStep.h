#pragma once

#include "analysis/ScanReportBundle.h"
#include "analysis/StepProgress.h"
#include "platform/Platform.h"

#include <QString>

// The read-only detailed analysis at the end of phase 1: loads the signature database if it is not loaded
// yet, runs the five scanners into the report with their progress texts, and logs the findings and a
// summary line.
class AnalysisStep {
public:
    AnalysisStep(platform::Platform& machine, ScanReportBundle& report, StepProgress progress);
    void run();

    // The run-log lines of a finished report: the notable findings list by list, then the summary.
    static QStringList findingLines(const ScanReportBundle& report);
    static QString summaryLine(const ScanReportBundle& report);

private:
    platform::Platform& machine_;
    ScanReportBundle& report_;
    StepProgress progress_;
};
