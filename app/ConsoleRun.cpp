#include "app/ConsoleRun.h"

#include "app/PhaseOneRun.h"
#include "app/PlatformChoice.h"
#include "app/UndoRun.h"

#include <QCommandLineParser>

namespace
{
const QString kName = QStringLiteral("tidewell-console");
}

ConsoleRun::ConsoleRun(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

bool ConsoleRun::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption logDir(QStringLiteral("log-dir"), QStringLiteral("run log folder"), QStringLiteral("DIR"));
    const QCommandLineOption report(QStringLiteral("report"), QStringLiteral("analysis report JSON file"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption undo(QStringLiteral("undo"), QStringLiteral("put back a run's changes"));
    parser.addOptions({logDir, report, undo});
    const bool parsed = parser.parse(arguments);
    undo_ = parsed && parser.isSet(undo);
    const int stamps = undo_ ? 1 : 0;
    if (!parsed || parser.positionalArguments().size() > stamps || (undo_ && parser.isSet(report))) {
        err_ << kName << ": "
             << (parser.errorText().isEmpty() ? QStringLiteral("unexpected argument") : parser.errorText())
             << "\nusage: " << kName << " [--log-dir DIR] [--report FILE]\n       " << kName
             << " [--log-dir DIR] --undo [STAMP]\n";
        return false;
    }
    logDir_ = parser.value(logDir);
    reportPath_ = parser.value(report);
    undoStamp_ = parser.positionalArguments().value(0);
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
        return PhaseOneRun::kUsage;
    }
    platform::setCurrent(&machine->platform());
    PhaseOneRun phaseOne(out_, err_, kName);
    const int exitCode = undo_ ? UndoRun(out_, err_, kName).run(machine->platform(), appDir, logDir_, undoStamp_)
                               : phaseOne.run(machine->platform(), appDir, logDir_, reportPath_);
    if (!machine->save(error))
        err_ << kName << ": cannot save the machine: " << error << "\n";
    phaseOne.printRunLog();
    platform::setCurrent(nullptr);
    return exitCode;
}
