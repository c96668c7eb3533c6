#include "analysis/ReportJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ReportJson {

namespace {

QJsonObject toJson(const StartupScanItem& item)
{
    return {{QStringLiteral("name"), item.name},
            {QStringLiteral("command"), item.command},
            {QStringLiteral("source"), item.source},
            {QStringLiteral("sourceType"), item.sourceType},
            {QStringLiteral("score"), item.score},
            {QStringLiteral("riskLevel"), item.riskLevel},
            {QStringLiteral("hijacked"), item.hijacked},
            {QStringLiteral("canDisable"), item.canDisable},
            {QStringLiteral("riskLabel"), item.riskLabel}};
}

QJsonObject toJson(const JunkSoftwareHit& hit)
{
    return {{QStringLiteral("id"), hit.id},
            {QStringLiteral("name"), hit.name},
            {QStringLiteral("nameCn"), hit.nameCn},
            {QStringLiteral("category"), hit.category},
            {QStringLiteral("riskLevel"), hit.riskLevel},
            {QStringLiteral("dimension"), hit.dimension},
            {QStringLiteral("description"), hit.description},
            {QStringLiteral("evidencePaths"), QJsonArray::fromStringList(hit.evidencePaths)}};
}

QJsonObject toJson(const BrowserCheckItem& item)
{
    return {{QStringLiteral("scope"), item.scope},
            {QStringLiteral("item"), item.item},
            {QStringLiteral("value"), item.value},
            {QStringLiteral("expected"), item.expected},
            {QStringLiteral("abnormal"), item.abnormal},
            {QStringLiteral("note"), item.note}};
}

QJsonObject toJson(const PopupWindowItem& popup)
{
    return {{QStringLiteral("processName"), popup.processName},
            {QStringLiteral("windowTitle"), popup.windowTitle},
            {QStringLiteral("pid"), popup.pid},
            {QStringLiteral("isSigned"), popup.isSigned},
            {QStringLiteral("isSuspicious"), popup.isSuspicious},
            {QStringLiteral("reason"), popup.reason}};
}

QJsonObject toJson(const ConflictAdvice& advice)
{
    return {{QStringLiteral("category"), advice.category},
            {QStringLiteral("title"), advice.title},
            {QStringLiteral("detail"), advice.detail},
            {QStringLiteral("suggestion"), advice.suggestion}};
}

template <typename Record>
QJsonArray listToJson(const QVector<Record>& records)
{
    QJsonArray array;
    for (const Record& record : records)
        array.append(toJson(record));
    return array;
}

} // namespace

QJsonObject toJson(const ScanReportBundle& report)
{
    return {{QStringLiteral("startupItems"), listToJson(report.startupItems)},
            {QStringLiteral("junkSoftware"), listToJson(report.junkSoftware)},
            {QStringLiteral("browserItems"), listToJson(report.browserItems)},
            {QStringLiteral("popupWindows"), listToJson(report.popupWindows)},
            {QStringLiteral("conflicts"), listToJson(report.conflicts)},
            {QStringLiteral("fastStartupEnabled"), report.fastStartupEnabled},
            {QStringLiteral("keepHibernation"), report.keepHibernation},
            {QStringLiteral("hibernationTurnedOff"), report.hibernationTurnedOff},
            {QStringLiteral("fastStartupReason"), report.fastStartupReason},
            {QStringLiteral("hibernationReason"), report.hibernationReason},
            {QStringLiteral("pagefileAdvice"), report.pagefileAdvice},
            {QStringLiteral("restoreAdvice"), report.restoreAdvice},
            {QStringLiteral("storageFreedMB"), report.storageFreedMB},
            {QStringLiteral("uninstallResidueCount"), report.uninstallResidueCount}};
}

QByteArray toText(const ScanReportBundle& report)
{
    return QJsonDocument(toJson(report)).toJson(QJsonDocument::Indented);
}

} // namespace ReportJson
