#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/OptItem.h"

#include <QStringList>

// The phase-2 items a headless run executes, made from their ids and taken from the catalogue the page would
// show for the same report; an id the catalogue does not hold keeps its id as its title.
namespace Phase2Selection {

QVector<OptItem> fromIds(const QStringList& ids, const ScanReportBundle& report);

} // namespace Phase2Selection
