#pragma once

#include "app/Phase2Run.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

class MachineBackend;
class PhaseOneRun;

// The runs without the window on the machine this build runs on (the real PC on Windows), for
// administrators and the end-to-end tests:
//   tidewell-console [--log-dir DIR] [--report FILE] [--phase2 ID[,ID...]] [--h2-keep N] [--a2-size MB] [--json]
//   tidewell-console [--log-dir DIR] --undo [STAMP] [--json]
// It prints what tidewell-sim prints (progress lines, the phase-2 summary, the run log) and writes the run log
// to <appDir>/logs unless --log-dir names another folder; residue clean-up never touches the folder holding
// the program. The agreement is the window's gate and is not asked here. --undo puts back a run's changes
// instead (UndoRun). With --json standard output holds nothing but one JSON object, written at the end.
// Exit codes: 0 done; 1 a phase-2 item or a change being put back failed; 2 a bad command line, a machine
// that cannot be opened, a report that cannot be written or no such change record; 3 phase 1 refused by
// the environment check, or a record of another PC; 4 not running as an administrator (nothing is run).
class ConsoleRun {
public:
    ConsoleRun(QTextStream& out, QTextStream& err);

    int exec(const QStringList& arguments, const QString& appDir);

    static constexpr int kItemFailed = 1;
    static constexpr int kNotAdministrator = 4;

private:
    bool parse(const QStringList& arguments);
    int runOn(MachineBackend& machine, const QString& appDir, QTextStream& lines);
    int runPhases(MachineBackend& machine, const QString& appDir, PhaseOneRun& phaseOne, QTextStream& lines);
    int runUndo(MachineBackend& machine, const QString& appDir, QTextStream& lines);
    int finish(int exitCode);

    QTextStream& out_;
    QTextStream& err_;
    QString logDir_;
    QString reportPath_;
    bool undo_ = false;
    bool json_ = false;
    QString undoStamp_;
    Phase2Run phase2_;
    QJsonObject summary_;
};
