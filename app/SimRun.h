#pragma once

#include "app/Phase2Run.h"

#include <QString>
#include <QTextStream>

// One headless phase-1 run on a simulated PC, as `tidewell-sim` performs it:
//   tidewell-sim [--machine DIR] [--log-dir DIR] [--report FILE] [--phase2 ID[,ID...]] [--h2-keep N] [--a2-size MB]
//                [--program-dir PATH]
//   tidewell-sim [--machine DIR] [--log-dir DIR] --undo [STAMP]
// --report writes the analysis report as JSON after the run. --phase2 then executes the listed phase-2 items
// (Phase2Run) with the phase-1 report. An item that reports a failure leaves the exit code as it is.
// --program-dir names, as a Windows path on the simulated PC, the
// folder holding the program (a portable copy's "...\Tidewell\app"); residue clean-up never touches the
// copy's folder. Without it no folder of the simulated PC is the program's. Exit codes: 0 after
// optimizationFinished, 3 after errorOccurred, 2 for a bad command line or a machine that cannot be read, has a member of the wrong
// type or a files recipe that names no drive path (nothing is changed then),
// or a report file that cannot be written.
// --undo runs no phase: it puts back the changes of the change record STAMP (the newest of this PC when none
// is given; see UndoRun), with 2 when there is no such record and 3 when it belongs to another PC.
class SimRun {
public:
    SimRun(QTextStream& out, QTextStream& err);

    int exec(const QStringList& arguments, const QString& appDir);

private:
    bool parse(const QStringList& arguments);
    QString chooseMachineFolder();

    QTextStream& out_;
    QTextStream& err_;
    QString machineDir_;
    QString logDir_;
    QString reportPath_;
    QString programDir_;
    Phase2Run phase2_;
    bool undo_ = false;
    QString undoStamp_;
};
