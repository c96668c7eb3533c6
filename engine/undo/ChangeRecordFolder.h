#pragma once

#include "engine/undo/ChangeRecord.h"

#include <QString>
#include <QVector>

// Where change records live and how they are named: a folder "changes" beside the run-log folder, one file
// "changes_<device>_<yyyyMMdd_HHmmss>.jsonl" per run.
namespace ChangeRecordFolder
{

QString besideLogs(const QString& logFolder);

// A free name for a new record of the header's device and start time: "_2", "_3"... after the stamp when
// another run of the same second has the name.
QString newRecordPath(const QString& folder, const ChangeRecord::Header& header);

// The time stamp in a record's file name ("20261209_013000" or "20261209_013000_2"); empty for other names.
QString stampOf(const QString& fileName);

// Every record of the folder that can be read, newest first.
QVector<ChangeRecord> records(const QString& folder);

// Whether a record was written on this PC with this stick.
bool belongsTo(const ChangeRecord& record, const QString& device, const QString& machine);

} // namespace ChangeRecordFolder
