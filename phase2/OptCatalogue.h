#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/OptItem.h"

// The phase-2 catalogue: seven groups in a fixed order. Groups 0 to 3 hold the same items on every machine;
// groups 4 to 6 are built from the detailed-analysis report of the last run. The ids built here are the keys
// the executor dispatches on. Every id occurs at most once in a group, so a checked item runs once.
namespace OptCatalogue {

constexpr int kGroupCount = 7;
constexpr int kStartupGroup = 4;
constexpr int kJunkGroup = 5;
constexpr int kConflictGroup = 6;

// The seven groups with their fixed items; the report groups are empty and carry their initial description.
QVector<OptGroup> build();

// Badge text of a risk level (0 slight, 1 mild, 2 moderate).
QString riskText(int riskLevel);

// The report groups, items and description; `base` supplies icon and title.
OptGroup startupGroup(const OptGroup& base, const QVector<StartupScanItem>& startupItems);
OptGroup junkGroup(const OptGroup& base, const QVector<JunkSoftwareHit>& junkSoftware);
OptGroup conflictGroup(const OptGroup& base, const QVector<ConflictAdvice>& conflicts);

// Replaces groups 4 to 6 of `groups` (a catalogue from build()) with the ones derived from `report`.
void applyReport(QVector<OptGroup>& groups, const ScanReportBundle& report);

} // namespace OptCatalogue
