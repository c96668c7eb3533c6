#include "analysis/AnalysisStep.h"

#include "analysis/BrowserChecks.h"
#include "analysis/ConflictAnalyzer.h"
#include "analysis/JunkSoftwareDetector.h"
#include "analysis/PopupWindowAnalyzer.h"
#include "analysis/SignatureDatabase.h"
#include "analysis/StartupScanner.h"
#include "log/RunLogger.h"

#include <QCoreApplication>

AnalysisStep::AnalysisStep(platform::Platform& machine, ScanReportBundle& report, StepProgress progress)
    : machine_(machine)
    , report_(report)
    , progress_(std::move(progress))
{
    registerScanReportBundle();
}

void AnalysisStep::run()
{
    SignatureDatabase& database = SignatureDatabase::instance();
    if (!database.loaded)
        database.load(QCoreApplication::applicationDirPath() + QStringLiteral("/signatures"));

    progress_(6, 96, QStringLiteral("正在深度分析开机自启..."));
    StartupScanner(machine_, database).run(report_.startupItems);
    progress_(6, 97, QStringLiteral("正在检测垃圾软件..."));
    JunkSoftwareDetector(machine_, database).detect(report_);
    progress_(6, 98, QStringLiteral("正在检查浏览器劫持..."));
    BrowserChecks(machine_).run(report_.browserItems);
    progress_(6, 98, QStringLiteral("正在分析弹窗进程..."));
    PopupWindowAnalyzer(machine_, database).run(report_.popupWindows);
    progress_(6, 99, QStringLiteral("正在检查软件冲突..."));
    ConflictAnalyzer(machine_, database).run(report_.conflicts);

    for (const QString& line : findingLines(report_))
        engineLog(line);
    engineLog(summaryLine(report_));
}

QStringList AnalysisStep::findingLines(const ScanReportBundle& report)
{
    QStringList lines;
    for (const StartupScanItem& item : report.startupItems) {
        if (item.riskLevel >= 1 || item.hijacked)
            lines.append(QStringLiteral("    扫描[自启]: %1 | %2 | 评分%3 | %4")
                             .arg(item.name, item.source, QString::number(item.score), item.riskLabel));
    }
    for (const JunkSoftwareHit& hit : report.junkSoftware)
        lines.append(QStringLiteral("    扫描[垃圾软件]: %1(%2) | 维度:%3 | 风险:%4")
                         .arg(hit.nameCn.isEmpty() ? hit.name : hit.nameCn, hit.id, hit.dimension, hit.riskLevel));
    for (const BrowserCheckItem& item : report.browserItems) {
        if (item.abnormal)
            lines.append(QStringLiteral("    扫描[浏览器劫持]: %1 | %2 | 当前值:%3").arg(item.scope, item.item, item.value));
    }
    for (const PopupWindowItem& popup : report.popupWindows)
        lines.append(QStringLiteral("    扫描[可疑弹窗]: %1 (PID %2) | %3")
                         .arg(popup.processName, QString::number(popup.pid), popup.reason));
    for (const ConflictAdvice& advice : report.conflicts)
        lines.append(QStringLiteral("    扫描[冲突/建议]: %1 | %2").arg(advice.title, advice.suggestion));
    return lines;
}

QString AnalysisStep::summaryLine(const ScanReportBundle& report)
{
    return QStringLiteral("  Phase1扫描汇总: 自启 %1 项 | 垃圾软件 %2 款 | 浏览器劫持 %3 处 | 可疑弹窗 %4 个 | 冲突/建议 %5 条")
        .arg(report.startupItems.size())
        .arg(report.junkSoftware.size())
        .arg(report.browserItems.size())
        .arg(report.popupWindows.size())
        .arg(report.conflicts.size());
}
