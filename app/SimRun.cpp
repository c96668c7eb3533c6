#include "app/SimRun.h"

#include "app/PhaseOneRun.h"
#include "app/UndoRun.h"
#include "platform/sim/SimPlatform.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>

namespace {

// The simulated PC knows only Windows paths; the folder the simulator itself runs from is not on it.
bool isDrivePath(const QString& path)
{
    return path.size() >= 3 && path[0].isLetter() && path[1] == QLatin1Char(':') && path[2] == QLatin1Char('\\');
}

} // namespace

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
    const QCommandLineOption undo(QStringLiteral("undo"), QStringLiteral("put back a run's changes"));
    const QCommandLineOption programDir(QStringLiteral("program-dir"), QStringLiteral("the program's folder on the PC"),
                                        QStringLiteral("PATH"));
    parser.addOptions({machine, logDir, report, undo, programDir});
    parser.addOptions(Phase2Run::options());
    QString problem;
    const bool parsed = parser.parse(arguments);
    undo_ = parsed && parser.isSet(undo);
    const int stamps = undo_ ? 1 : 0;
    if (!parsed)
        problem = parser.errorText();
    else if (parser.positionalArguments().size() > stamps)
        problem = QStringLiteral("unexpected argument");
    else if (undo_ && (parser.isSet(report) || parser.isSet(QStringLiteral("phase2"))))
        problem = QStringLiteral("--undo runs no phase");
    else if (!phase2_.read(parser))
        problem = Phase2Run::valuesProblem();
    else if (parser.isSet(programDir) && !isDrivePath(parser.value(programDir)))
        problem = QStringLiteral("--program-dir takes a Windows path on the simulated PC, such as E:\\Tidewell\\app");
    if (!problem.isEmpty()) {
        err_ << "tidewell-sim: " << problem
             << "\nusage: tidewell-sim [--machine DIR] [--log-dir DIR] [--report FILE] " << Phase2Run::usage()
             << " [--program-dir PATH]\n       tidewell-sim [--machine DIR] [--log-dir DIR] --undo [STAMP]\n";
        return false;
    }
    machineDir_ = parser.value(machine);
    logDir_ = parser.value(logDir);
    reportPath_ = parser.value(report);
    programDir_ = parser.value(programDir);
    undoStamp_ = parser.positionalArguments().value(0);
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
    int exitCode = 0;
    if (undo_)
        exitCode = UndoRun(out_, err_, QStringLiteral("tidewell-sim")).run(simulated.platform(), appDir, logDir_,
                                                                          undoStamp_);
    else
        exitCode = phaseOne.run(simulated.platform(), appDir, logDir_, reportPath_);
    if (!undo_ && exitCode == PhaseOneRun::kFinished && phase2_.requested())
        phase2_.run(out_, simulated.platform(), phaseOne.report(), programDir_);
    if (!machine->save(error))
        err_ << "tidewell-sim: " << QString::fromStdString(error) << "\n";
    phaseOne.printRunLog();
    out_ << "\n--- journal\n";
    for (const auto& line : machine->journalLines())
        out_ << QString::fromStdString(line) << "\n";
    platform::setCurrent(nullptr);
    return exitCode;
}
