#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/Phase2Executor.h"
#include "platform/Platform.h"

#include <QCommandLineParser>
#include <QJsonObject>
#include <QTextStream>

// The phase-2 part of a headless run, shared by tidewell-sim and tidewell-console: the options
//   --phase2 ID[,ID...]  the items to execute, in this order (the option may be repeated)
//   --h2-keep N          restore points kept, 1 to 5 (1 unless given)
//   --a2-size MB         event-log size, 128, 256, 512 or 1024 (256 unless given)
// and the execution of those items with the report of the phase-1 run before it, printed as a
// "phase2 PERCENT% STATUS" line per item and the summary after "--- phase 2".
class Phase2Run {
public:
    static QList<QCommandLineOption> options();

    // Takes the values of options() from a parsed command line; false when one is out of range or --phase2
    // names no id.
    bool read(const QCommandLineParser& parser);

    static QString usage() { return QStringLiteral("[--phase2 ID[,ID...]] [--h2-keep N] [--a2-size MB]"); }
    static QString valuesProblem();

    bool requested() const { return !ids_.isEmpty(); }

    // Prints to `out`. `ownFolder` is the folder holding the program, which residue clean-up never touches.
    void run(QTextStream& out, platform::Platform& machine, const ScanReportBundle& report, const QString& ownFolder);

    // Whether an executed item reported that it failed.
    bool anyFailed() const;

    // The last run for --json: "items", each {"id", "outcome", "line"} as the item reported it, and
    // "changeRecord" (RunJson::changeRecord).
    QJsonObject json() const;

private:
    QStringList ids_;
    int h2KeepN_ = 1;
    int a2SizeMB_ = 256;
    QVector<Phase2Executor::Executed> results_;
    QString changeRecordPath_;
};
