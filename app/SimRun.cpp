#include "app/SimRun.h"

#include "analysis/ReportJson.h"
#include "engine/OptimizeCore.h"
#include "log/RunLogger.h"
#include "platform/sim/SimPlatform.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
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

bool SimRun::writeReport(const ScanReportBundle& report)
{
    if (reportPath_.isEmpty())
        return true;
    QFile file(reportPath_);
    const QByteArray text = ReportJson::toText(report);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush()) {
        err_ << "tidewell-sim: cannot write the report " << reportPath_ << "\n";
        return false;
    }
    out_ << "report: " << reportPath_ << "\n";
    return true;
}

void SimRun::printFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    out_ << QString::fromUtf8(bytes);
}

int SimRun::exec(const QStringList& arguments, const QString& appDir)
{
    if (!parse(arguments))
        return kUsage;
    const QString folder = chooseMachineFolder();
    std::string error;
    auto machine = folder.isEmpty() ? nullptr : platform::sim::SimMachine::open(folder.toStdString(), error);
    if (!machine) {
        err_ << "tidewell-sim: cannot open the machine " << folder << ": " << QString::fromStdString(error) << "\n";
        return kUsage;
    }
    platform::sim::SimPlatform simulated(*machine);
    platform::setCurrent(&simulated.platform());

    RunLogger& logger = RunLogger::instance();
    logger.initialize(appDir, logDir_);

    OptimizeCore core(simulated.platform());
    int exitCode = kFinished;
    QObject::connect(&core, &OptimizeCore::progressUpdated, [this](int step, int percent, const QString& text) {
        out_ << "progress " << step << " " << percent << "% " << text << "\n";
        out_.flush();
    });
    QObject::connect(&core, &OptimizeCore::errorOccurred, [this, &exitCode](const QString& message) {
        out_ << "refused: " << message << "\n";
        exitCode = kRefused;
    });
    core.startOptimize();
    if (!writeReport(core.report))
        exitCode = kUsage;

    if (!machine->save(error))
        err_ << "tidewell-sim: " << QString::fromStdString(error) << "\n";
    out_ << "\n--- run log " << logger.logFilePath << "\n";
    printFile(logger.logFilePath);
    out_ << "\n--- journal\n";
    for (const auto& line : machine->journalLines())
        out_ << QString::fromStdString(line) << "\n";
    platform::setCurrent(nullptr);
    return exitCode;
}
