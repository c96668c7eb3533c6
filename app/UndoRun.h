#pragma once

#include "engine/undo/ChangeRestorer.h"
#include "platform/Platform.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

// One headless undo, as the command-line programs perform it: puts back the changes of the change record
// with the time stamp `stamp` (the newest record of this PC when empty) from the folder beside the run logs,
// printing "undo: FILE" and an "undo LINE" per result line. Returns kDone, kNoRecord when there is no such
// record, or kRefused when the record belongs to another PC or stick, its times are false, or this PC's
// identifier cannot be read (the reason is printed).
class UndoRun
{
public:
    UndoRun(QTextStream& out, QTextStream& err, const QString& programName);

    // The run log is started as for a phase-1 run (in `logDir`, or <appDir>/logs when empty).
    int run(platform::Platform& machine, const QString& appDir, const QString& logDir, const QString& stamp);

    // The last undo for --json: "changeRecord" (RunJson::changeRecord, null when none was found), "refused",
    // the counts of the result and "lines", the result lines as printed.
    QJsonObject json() const;

    // Changes of the last undo that could not be put back.
    int failed() const { return summary_.failed; }

    static constexpr int kDone = 0;
    static constexpr int kNoRecord = 2;
    static constexpr int kRefused = 3;

private:
    static QString newestPath(const QString& folder, const QString& device, const QString& pc);

    QTextStream& out_;
    QTextStream& err_;
    QString programName_;
    QString recordPath_;
    ChangeRestorer::Summary summary_;
};
