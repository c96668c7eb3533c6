#include "app/ConsoleRun.h"

#include "app/PhaseOneRun.h"
#include "app/PlatformChoice.h"
#include "app/RunJson.h"
#include "app/UndoRun.h"
#include "log/RunLogger.h"

#include <QCommandLineParser>
#include <QDir>

namespace
{
const QString kName = QStringLiteral("tidewell-console");

bool isAdministrator(platform::Platform& machine)
{
    bool member = false;
    return platform::succeeded(machine.security.isAdministrator(member)) && member;
}

} // namespace

ConsoleRun::ConsoleRun(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

bool ConsoleRun::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption logDir(QStringLiteral("log-dir"), QStringLiteral("run log folder"), QStringLiteral("DIR"));
    const QCommandLineOption report(QStringLiteral("report"), QStringLiteral("analysis report JSON file"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption undo(QStringLiteral("undo"), QStringLiteral("put back a run's changes"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("one JSON object on standard output"));
    parser.addOptions({logDir, report, undo, json});
    parser.addOptions(Phase2Run::options());
    const bool parsed = parser.parse(arguments);
    undo_ = parsed && parser.isSet(undo);
    QString problem = parser.errorText();
    if (parsed && parser.positionalArguments().size() > (undo_ ? 1 : 0))
        problem = QStringLiteral("unexpected argument");
    else if (parsed && !phase2_.read(parser))
        problem = Phase2Run::valuesProblem();
    else if (undo_ && (parser.isSet(report) || phase2_.requested()))
        problem = QStringLiteral("--undo runs no phase");
    if (!problem.isEmpty()) {
        err_ << kName << ": " << problem << "\nusage: " << kName << " [--log-dir DIR] [--report FILE] "
             << Phase2Run::usage() << " [--json]\n       " << kName << " [--log-dir DIR] --undo [STAMP] [--json]\n";
        return false;
    }
    logDir_ = parser.value(logDir);
    reportPath_ = parser.value(report);
    undoStamp_ = parser.positionalArguments().value(0);
    json_ = parser.isSet(json);
    return true;
}

int ConsoleRun::exec(const QStringList& arguments, const QString& appDir)
{
    if (!parse(arguments))
        return PhaseOneRun::kUsage;
    QString error;
    const std::unique_ptr<MachineBackend> machine = openMachineBackend(error);
    if (!machine) {
        err_ << kName << ": " << error << "\n";
        return finish(PhaseOneRun::kUsage);
    }
    if (!isAdministrator(machine->platform())) {
        err_ << kName << ": needs administrator rights; run it from an elevated prompt\n";
        return finish(kNotAdministrator);
    }
    platform::setCurrent(&machine->platform());
    // With --json the human lines would break the one object a caller parses, so they go nowhere.
    QString unused;
    QTextStream quiet(&unused);
    const int exitCode = runOn(*machine, appDir, json_ ? quiet : out_);
    if (!machine->save(error))
        err_ << kName << ": cannot save the machine: " << error << "\n";
    platform::setCurrent(nullptr);
    return finish(exitCode);
}

int ConsoleRun::runOn(MachineBackend& machine, const QString& appDir, QTextStream& lines)
{
    PhaseOneRun phaseOne(lines, err_, kName);
    const int exitCode = undo_ ? runUndo(machine, appDir, lines) : runPhases(machine, appDir, phaseOne, lines);
    summary_.insert(QStringLiteral("runLog"), QDir::toNativeSeparators(RunLogger::instance().logFilePath));
    if (!json_)
        phaseOne.printRunLog();
    return exitCode;
}

int ConsoleRun::runPhases(MachineBackend& machine, const QString& appDir, PhaseOneRun& phaseOne, QTextStream& lines)
{
    const int exitCode = phaseOne.run(machine.platform(), appDir, logDir_, reportPath_);
    summary_.insert(QStringLiteral("phase1"), phaseOne.json());
    if (exitCode != PhaseOneRun::kFinished || !phase2_.requested())
        return exitCode;
    // The folder this program runs from is its own, as it is the window's.
    phase2_.run(lines, machine.platform(), phaseOne.report(), QDir::toNativeSeparators(appDir));
    summary_.insert(QStringLiteral("phase2"), phase2_.json());
    return phase2_.anyFailed() ? kItemFailed : exitCode;
}

int ConsoleRun::runUndo(MachineBackend& machine, const QString& appDir, QTextStream& lines)
{
    UndoRun undo(lines, err_, kName);
    const int exitCode = undo.run(machine.platform(), appDir, logDir_, undoStamp_);
    summary_.insert(QStringLiteral("undo"), undo.json());
    return exitCode == UndoRun::kDone && undo.failed() > 0 ? kItemFailed : exitCode;
}

int ConsoleRun::finish(int exitCode)
{
    if (!json_)
        return exitCode;
    summary_.insert(QStringLiteral("exitCode"), exitCode);
    out_ << RunJson::asciiLine(summary_);
    return exitCode;
}
