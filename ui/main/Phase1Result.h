#pragma once

#include "analysis/ScanReportBundle.h"

// What the window takes from the engine when a phase-1 run has finished: the five figures and the
// detailed-analysis report, all zero and empty when there was no engine to read.
struct Phase1Result {
    int cleanedMB = 0;
    int freedMemoryMB = 0;
    int junkFilesCount = 0;
    int startupFasterSeconds = 0;
    int startupItemsCount = 0;
    ScanReportBundle report;
};
