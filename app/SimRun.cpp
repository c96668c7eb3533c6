#include "app/SimRun.h"

#include "app/Phase2Selection.h"
#include "app/PhaseOneRun.h"
#include "app/UndoRun.h"
#include "phase2/Phase2Executor.h"
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
    const QCommandLineOption phase2(QStringLiteral("phase2"), QStringLiteral("item ids"), QStringLiteral("IDS"));
    const QCommandLineOption h2Keep(QStringLiteral("h2-keep"), QStringLiteral("points kept"), QStringLiteral("N"));
    const QCommandLineOption a2Size(QStringLiteral("a2-size"), QStringLiteral("event-log size"), QStringLiteral("MB"));
    const QCommandLineOption undo(QStringLiteral("undo"), QStringLiteral("put back a run's changes"));
    const QCommandLineOption programDir(QStringLiteral("program-dir"), QStringLiteral("the program's folder on the PC"),
                                        QStringLiteral("PATH"));
    parser.addOptions({machine, logDir, report, phase2, h2Keep, a2Size, undo, programDir});
    QString problem;
    const bool parsed = parser.parse(arguments);
    undo_ = parsed && parser.isSet(undo);
    const int stamps = undo_ ? 1 : 0;
    if (!parsed)
        problem = parser.errorText();
    else if (parser.positionalArguments().size() > stamps)
        problem = QStringLiteral("unexpected argument");
    else if (undo_ && (parser.isSet(report) || parser.isSet(phase2)))
        problem = QStringLiteral("--undo runs no phase");
    else if (!parsePhase2(parser.values(phase2), parser.value(h2Keep), parser.value(a2Size)))
        problem = QStringLiteral("--h2-keep takes 1 to 5, --a2-size 128, 256, 512 or 1024, --phase2 item ids");
    else if (parser.isSet(programDir) && !isDrivePath(parser.value(programDir)))
        problem = QStringLiteral("--program-dir takes a Windows path on the simulated PC, such as E:\\Tidewell\\app");
    if (!problem.isEmpty()) {
        err_ << "tidewell-sim: " << problem
             << "\nusage: tidewell-sim [--machine DIR] [--log-dir DIR] [--report FILE] [--phase2 ID[,ID...]]"
                " [--h2-keep N] [--a2-size MB] [--program-dir PATH]\n       tidewell-sim [--machine DIR] [--log-dir DIR] --undo [STAMP]\n";
        return false;
    }
    machineDir_ = parser.value(machine);
    logDir_ = parser.value(logDir);
    reportPath_ = parser.value(report);
    programDir_ = parser.value(programDir);
    undoStamp_ = parser.positionalArguments().value(0);
    return true;
}

bool SimRun::parsePhase2(const QStringList& lists, const QString& h2Keep, const QString& a2Size)
{
    for (const QString& list : lists) {
        phase2Ids_.append(list.split(QLatin1Char(','), Qt::SkipEmptyParts));
    }
    bool ok = true;
    if (!h2Keep.isEmpty())
        h2KeepN_ = h2Keep.toInt(&ok);
    if (!ok || h2KeepN_ < 1 || h2KeepN_ > 5)
        return false;
    if (!a2Size.isEmpty())
        a2SizeMB_ = a2Size.toInt(&ok);
    return ok && QVector<int>{128, 256, 512, 1024}.contains(a2SizeMB_) &&
           (lists.isEmpty() || !phase2Ids_.isEmpty());
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

void SimRun::runPhase2(platform::Platform& machine, const ScanReportBundle& report)
{
    const QVector<OptItem> items = Phase2Selection::fromIds(phase2Ids_, report);
    Phase2Executor executor(machine, false, programDir_);
    QObject::connect(&executor, &Phase2Executor::progressUpdated, [this](int percent, const QString& status) {
        out_ << "phase2 " << percent << "% " << status << "\n";
        out_.flush();
    });
    QObject::connect(&executor, &Phase2Executor::finished,
                     [this](const QString& summary) { out_ << "\n--- phase 2\n" << summary << "\n"; });
    executor.execute(items, report, h2KeepN_, a2SizeMB_);
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
    if (!undo_ && exitCode == PhaseOneRun::kFinished && !phase2Ids_.isEmpty())
        runPhase2(simulated.platform(), phaseOne.report());
    if (!machine->save(error))
        err_ << "tidewell-sim: " << QString::fromStdString(error) << "\n";
    phaseOne.printRunLog();
    out_ << "\n--- journal\n";
    for (const auto& line : machine->journalLines())
        out_ << QString::fromStdString(line) << "\n";
    platform::setCurrent(nullptr);
    return exitCode;
}
