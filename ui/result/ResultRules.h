#pragma once

#include "analysis/ScanReportBundle.h"

#include <QString>

// The rules behind the result page's figures, kept apart from the widgets so that they can be checked alone.
namespace ResultRules {

constexpr int kBaseScore = 85;
constexpr int kMaxBonus = 14;

// 85 plus one point per 500 MB cleaned, per 200 MB of memory and per 200 junk files, at most 14 points.
int healthScore(int cleanedMB, int freedMemoryMB, int junkFilesCount);

// The animated value at `progress` percent (0 to 100) of the way up.
int animatedValue(int value, int progress);

// What the analysis found, one number per group card of the result page.
struct FindingCounts {
    int startup = 0;       // entries worth switching off
    int junkSoftware = 0;
    int browserHijacks = 0; // abnormal browser and network findings only
    int popups = 0;
};

FindingCounts findingCounts(const ScanReportBundle& report);

// The storage-advice text, or an empty text when the run made no fast start-up and hibernation decision.
QString storageAdvice(const ScanReportBundle& report);

} // namespace ResultRules
