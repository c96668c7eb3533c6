#pragma once

#include <QString>
#include <QTextStream>

// One headless phase-1 run on a simulated PC, as `tidewell-sim` performs it:
//   tidewell-sim [--machine DIR] [--log-dir DIR] [--report FILE]
// --report writes the analysis report as JSON after the run. Exit codes: 0 after optimizationFinished, 3
// after errorOccurred, 2 for a bad command line or a machine that cannot be read (nothing is changed then)
// or a report file that cannot be written.
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
};
