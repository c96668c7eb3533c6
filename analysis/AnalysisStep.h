#pragma once

#include "analysis/ScanReportBundle.h"

#include <QString>

class OptimizeCore;

// The read-only detailed analysis at the end of phase 1: rebuilds the engine's report from scratch, copies the
// storage decisions into it, loads the signature database if it is not loaded yet, runs the five scanners
// with their progress texts, and logs the findings and a summary line.
class AnalysisStep {
public:
    explicit AnalysisStep(OptimizeCore& core);
    void run();

    // The run-log lines of a finished report: the notable findings list by list, then the summary.
    static QStringList findingLines(const ScanReportBundle& report);
    static QString summaryLine(const ScanReportBundle& report);

private:
    void copyStorageDecisions();

    OptimizeCore& core_;
};
