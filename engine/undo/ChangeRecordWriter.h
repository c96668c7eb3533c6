#pragma once

#include "engine/undo/ChangeRecord.h"

#include <QFile>
#include <QJsonObject>
#include <QMutex>
#include <QString>

// Appends one run's prior states to its record as they happen. The file is created with the first change, so
// a run that changes nothing leaves no record; each line is flushed at once. With no folder (nowhere to keep
// records) or when the file cannot be written, nothing is kept and failed() says so.
class ChangeRecordWriter
{
public:
    ChangeRecordWriter(const QString& folder, const ChangeRecord::Header& header);

    void append(const QJsonObject& change);

    int count() const { return count_; }
    QString path() const { return file_.fileName(); }
    bool failed() const { return failed_; }

private:
    bool open();
    bool writeLine(const QJsonObject& object);

    QString folder_;
    ChangeRecord::Header header_;
    QFile file_;
    QMutex mutex_;
    int count_ = 0;
    bool failed_ = false;
};
