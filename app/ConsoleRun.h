#pragma once

#include <QString>
#include <QTextStream>

// Phase 1 without the window on the machine this build runs on (the real PC on Windows), for
// administrators and the end-to-end tests:
//   tidewell-console [--log-dir DIR] [--report FILE]
//   tidewell-console [--log-dir DIR] --undo [STAMP]
// It prints what tidewell-sim prints (progress lines, the run log) and writes the run log to <appDir>/logs
// unless --log-dir names another folder. The agreement is the window's gate and is not asked here. Exit
// codes: 0 after a finished run, 3 after a refused one, 2 for a bad command line, a machine that cannot
// be opened or a report that cannot be written. --undo puts back a run's changes instead (UndoRun), with 2
// when there is no such record and 3 when it belongs to another PC.
class ConsoleRun {
public:
    ConsoleRun(QTextStream& out, QTextStream& err);

    int exec(const QStringList& arguments, const QString& appDir);

private:
    bool parse(const QStringList& arguments);

    QTextStream& out_;
    QTextStream& err_;
    QString logDir_;
    QString reportPath_;
    bool undo_ = false;
    QString undoStamp_;
};
