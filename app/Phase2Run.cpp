#include "app/Phase2Run.h"

#include "app/Phase2Selection.h"
#include "app/RunJson.h"

#include <QJsonArray>

#include <algorithm>

namespace {

const QString kIds = QStringLiteral("phase2");
const QString kH2Keep = QStringLiteral("h2-keep");
const QString kA2Size = QStringLiteral("a2-size");
const QVector<int> kEventLogSizes{128, 256, 512, 1024};

} // namespace

QList<QCommandLineOption> Phase2Run::options()
{
    return {{kIds, QStringLiteral("item ids"), QStringLiteral("IDS")},
            {kH2Keep, QStringLiteral("points kept"), QStringLiteral("N")},
            {kA2Size, QStringLiteral("event-log size"), QStringLiteral("MB")}};
}

QString Phase2Run::valuesProblem()
{
    return QStringLiteral("--h2-keep takes 1 to 5, --a2-size 128, 256, 512 or 1024, --phase2 item ids");
}

bool Phase2Run::read(const QCommandLineParser& parser)
{
    const QStringList lists = parser.values(kIds);
    for (const QString& list : lists)
        ids_.append(list.split(QLatin1Char(','), Qt::SkipEmptyParts));
    bool ok = true;
    if (parser.isSet(kH2Keep))
        h2KeepN_ = parser.value(kH2Keep).toInt(&ok);
    if (!ok || h2KeepN_ < 1 || h2KeepN_ > 5)
        return false;
    if (parser.isSet(kA2Size))
        a2SizeMB_ = parser.value(kA2Size).toInt(&ok);
    return ok && kEventLogSizes.contains(a2SizeMB_) && (lists.isEmpty() || !ids_.isEmpty());
}

void Phase2Run::run(QTextStream& out, platform::Platform& machine, const ScanReportBundle& report,
                    const QString& ownFolder)
{
    Phase2Executor executor(machine, false, ownFolder);
    QObject::connect(&executor, &Phase2Executor::progressUpdated, [&out](int percent, const QString& status) {
        out << "phase2 " << percent << "% " << status << "\n";
        out.flush();
    });
    QObject::connect(&executor, &Phase2Executor::finished,
                     [&out](const QString& summary) { out << "\n--- phase 2\n" << summary << "\n"; });
    executor.execute(Phase2Selection::fromIds(ids_, report), report, h2KeepN_, a2SizeMB_);
    results_ = executor.results;
    changeRecordPath_ = executor.changeRecordPath;
}

bool Phase2Run::anyFailed() const
{
    return std::any_of(results_.begin(), results_.end(), [](const Phase2Executor::Executed& item) {
        return item.result.outcome == ItemResult::Outcome::Failed;
    });
}

QJsonObject Phase2Run::json() const
{
    QJsonArray items;
    for (const auto& item : results_)
        items.append(QJsonObject{{QStringLiteral("id"), item.id},
                                 {QStringLiteral("outcome"), RunJson::outcomeName(item.result.outcome)},
                                 {QStringLiteral("line"), item.result.line}});
    return {{QStringLiteral("items"), items},
            {QStringLiteral("changeRecord"), RunJson::changeRecord(changeRecordPath_)}};
}
