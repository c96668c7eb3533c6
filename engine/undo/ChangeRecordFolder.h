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

// This PC's records, newest first: those written with this stick on this PC whose times agree, at most
// kMostRecordsListed of them however many other PCs' the folder holds. Only their header lines are read
// (ChangeRecord::readHeader); read a record whole before restoring it.
QVector<ChangeRecord> records(const QString& folder, const QString& device, const QString& machine);

// The record named with this time stamp, or empty.
QString pathOf(const QString& folder, const QString& stamp);

// Whether a record was written on this PC with this stick. A PC without an identifier owns no record.
bool belongsTo(const ChangeRecord& record, const QString& device, const QString& machine);

// Whether the header's start time is the one the file name carries, and is not later than `now`: a header
// edited to pass for the newest record is not.
bool timesAgree(const ChangeRecord& record, const QDateTime& now);

// A record undone in full is marked by a small file beside it ("<record>.restored", holding the time), so
// that the record itself stays as it was written and every version of the program reads it as before.
bool markRestored(const QString& recordPath, const QDateTime& when);
// The time of the mark, or an invalid time when the record was never undone in full.
QDateTime restoredAt(const QString& recordPath);

constexpr int kMostRecordsListed = 500;

} // namespace ChangeRecordFolder
