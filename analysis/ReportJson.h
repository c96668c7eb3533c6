#pragma once

#include "analysis/ScanReportBundle.h"

#include <QByteArray>
#include <QJsonObject>

// The analysis report as JSON, for tidewell-sim --report and for support staff: every member of the bundle
// and of each record under its own name, lists in report order.
namespace ReportJson {

QJsonObject toJson(const ScanReportBundle& report);

// Indented UTF-8 text of toJson.
QByteArray toText(const ScanReportBundle& report);

} // namespace ReportJson
