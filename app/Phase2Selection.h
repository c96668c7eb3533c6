#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/OptItem.h"

#include <QStringList>

// The phase-2 items a headless run executes, made from their ids: the title of a report-derived item comes
// from the report, a fixed item keeps its id as its title.
namespace Phase2Selection {

QVector<OptItem> fromIds(const QStringList& ids, const ScanReportBundle& report);

} // namespace Phase2Selection
