#include "app/PhaseOneRun.h"

#include "analysis/ReportJson.h"
#include "app/RunJson.h"
#include "log/RunLogger.h"
#include "phase1/OptimizeCore.h"

#include <QFile>

PhaseOneRun::PhaseOneRun(QTextStream& out, QTextStream& err, const QString& programName)
    : out_(out)
    , err_(err)
    , programName_(programName)
{
}

int PhaseOneRun::run(platform::Platform& machine, const QString& appDir, const QString& logDir,
                     const QString& reportPath)
{
    RunLogger::instance().initialize(appDir, logDir, machine);

    OptimizeCore core(machine);
    int exitCode = kFinished;
    QObject::connect(&core, &OptimizeCore::progressUpdated, [this](int step, int percent, const QString& text) {
        out_ << "progress " << step << " " << percent << "% " << text << "\n";
        out_.flush();
    });
    QObject::connect(&core, &OptimizeCore::errorOccurred, [this, &exitCode](const QString& message) {
        out_ << "refused: " << message << "\n";
        json_.insert(QStringLiteral("refusal"), message);
        exitCode = kRefused;
    });
    json_ = {};
    core.startOptimize();
    report_ = core.report;
    keepFigures(core, exitCode == kFinished);
    if (reportPath.isEmpty())
        return exitCode;

    QFile file(reportPath);
    const QByteArray text = ReportJson::toText(core.report);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush()) {
        err_ << programName_ << ": cannot write the report " << reportPath << "\n";
        return kUsage;
    }
    out_ << "report: " << reportPath << "\n";
    json_.insert(QStringLiteral("report"), reportPath);
    return exitCode;
}

void PhaseOneRun::keepFigures(const OptimizeCore& core, bool finished)
{
    json_.insert(QStringLiteral("outcome"), finished ? QStringLiteral("finished") : QStringLiteral("refused"));
    json_.insert(QStringLiteral("cleanedMB"), core.cleanedMB);
    json_.insert(QStringLiteral("freedMemoryMB"), core.freedMemoryMB);
    json_.insert(QStringLiteral("junkFiles"), core.junkFilesCount);
    json_.insert(QStringLiteral("startupFasterSeconds"), core.startupFasterSeconds);
    json_.insert(QStringLiteral("startupItems"), core.startupItemsCount);
    json_.insert(QStringLiteral("uninstallResidue"), core.uninstallResidueCount);
    json_.insert(QStringLiteral("changeRecord"), RunJson::changeRecord(core.changeRecordPath));
}

void PhaseOneRun::printRunLog()
{
    const QString path = RunLogger::instance().logFilePath;
    out_ << "\n--- run log " << path << "\n";
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    out_ << QString::fromUtf8(bytes);
}
