#include "ui/result/ResultRules.h"

#include <algorithm>

namespace ResultRules {

int healthScore(int cleanedMB, int freedMemoryMB, int junkFilesCount)
{
    return kBaseScore + std::min(cleanedMB / 500 + freedMemoryMB / 200 + junkFilesCount / 200, kMaxBonus);
}

int animatedValue(int value, int progress)
{
    return static_cast<int>(static_cast<qint64>(value) * progress / 100);
}

FindingCounts findingCounts(const ScanReportBundle& report)
{
    FindingCounts counts;
    counts.startup = static_cast<int>(std::count_if(report.startupItems.begin(), report.startupItems.end(),
                                                    [](const StartupScanItem& item) {
                                                        return item.riskLevel >= 1 && item.canDisable;
                                                    }));
    counts.junkSoftware = report.junkSoftware.size();
    // Normal settings are recorded too (a default search engine with its value), so only the abnormal ones
    // are hijacks.
    counts.browserHijacks = static_cast<int>(std::count_if(report.browserItems.begin(), report.browserItems.end(),
                                                           [](const BrowserCheckItem& item) { return item.abnormal; }));
    counts.popups = report.popupWindows.size();
    return counts;
}

QString storageAdvice(const ScanReportBundle& report)
{
    if (report.fastStartupReason.isEmpty() && report.hibernationReason.isEmpty())
        return QString();
    QString text = QStringLiteral("💾 存储优化建议：\n");
    text += QStringLiteral("· %1（%2）\n")
                .arg(report.fastStartupEnabled ? QStringLiteral("建议启用快速启动") : QStringLiteral("不建议启用快速启动"),
                     report.fastStartupReason);
    text += QStringLiteral("· %1（%2）\n")
                .arg(report.keepHibernation ? QStringLiteral("保持休眠") : QStringLiteral("建议关闭休眠"),
                     report.hibernationReason);
    if (!report.pagefileAdvice.isEmpty())
        text += QStringLiteral("· 虚拟内存：") + report.pagefileAdvice + QLatin1Char('\n');
    if (!report.restoreAdvice.isEmpty())
        text += QStringLiteral("· 系统还原：") + report.restoreAdvice;
    if (report.hibernationTurnedOff && report.storageFreedMB > 0)
        text += QStringLiteral("\n· 本次关闭休眠释放约 %1 MB").arg(report.storageFreedMB);
    return text;
}

} // namespace ResultRules
