#pragma once

#include <QString>
#include <QTextStream>

// One headless phase-1 run on a simulated PC, as `tidewell-sim` performs it:
//   tidewell-sim [--machine DIR] [--log-dir DIR]
// Exit codes: 0 after optimizationFinished, 3 after errorOccurred, 2 for a bad command line or a machine
// that cannot be read (nothing is changed then).
class SimRun {
public:
    SimRun(QTextStream& out, QTextStream& err);

    int exec(const QStringList& arguments, const QString& appDir);

    static constexpr int kFinished = 0;
    static constexpr int kUsage = 2;
    static constexpr int kRefused = 3;

private:
    bool parse(const QStringList& arguments);
    QString chooseMachineFolder();
    void printFile(const QString& path);

    QTextStream& out_;
    QTextStream& err_;
    QString machineDir_;
    QString logDir_;
};
