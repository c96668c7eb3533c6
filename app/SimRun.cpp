#include "app/SimRun.h"

#include "app/PhaseOneRun.h"
#include "platform/sim/SimPlatform.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>

SimRun::SimRun(QTextStream& out, QTextStream& err)
    : out_(out)
    , err_(err)
{
}

bool SimRun::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption machine(QStringLiteral("machine"), QStringLiteral("machine folder"), QStringLiteral("DIR"));
    const QCommandLineOption logDir(QStringLiteral("log-dir"), QStringLiteral("run log folder"), QStringLiteral("DIR"));
    const QCommandLineOption report(QStringLiteral("report"), QStringLiteral("analysis report JSON file"),
                                    QStringLiteral("FILE"));
    parser.addOptions({machine, logDir, report});
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        err_ << "tidewell-sim: " << (parser.errorText().isEmpty() ? QStringLiteral("unexpected argument")
                                                                  : parser.errorText())
             << "\nusage: tidewell-sim [--machine DIR] [--log-dir DIR] [--report FILE]\n";
        return false;
    }
    machineDir_ = parser.value(machine);
    logDir_ = parser.value(logDir);
    reportPath_ = parser.value(report);
    return true;
}

QString SimRun::chooseMachineFolder()
{
    if (!machineDir_.isEmpty())
        return machineDir_;
    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/tidewell-machine-XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.isValid())
        return {};
    out_ << "machine: " << temporary.path() << "\n";
    return temporary.path();
}

int SimRun::exec(const QStringList& arguments, const QString& appDir)
{
    if (!parse(arguments))
        return PhaseOneRun::kUsage;
    const QString folder = chooseMachineFolder();
    std::string error;
    auto machine = folder.isEmpty() ? nullptr : platform::sim::SimMachine::open(folder.toStdString(), error);
    if (!machine) {
        err_ << "tidewell-sim: cannot open the machine " << folder << ": " << QString::fromStdString(error) << "\n";
        return PhaseOneRun::kUsage;
    }
    platform::sim::SimPlatform simulated(*machine);
    platform::setCurrent(&simulated.platform());
    PhaseOneRun phaseOne(out_, err_, QStringLiteral("tidewell-sim"));
    const int exitCode = phaseOne.run(simulated.platform(), appDir, logDir_, reportPath_);
    if (!machine->save(error))
        err_ << "tidewell-sim: " << QString::fromStdString(error) << "\n";
    phaseOne.printRunLog();
    out_ << "\n--- journal\n";
    for (const auto& line : machine->journalLines())
        out_ << QString::fromStdString(line) << "\n";
    platform::setCurrent(nullptr);
    return exitCode;
}
