#include "engine/DiskMaintenance.h"

#include "engine/ConsoleTool.h"
#include "engine/SsdDetector.h"
#include "engine/StageCore.h"
#include "log/RunLogger.h"

namespace {

constexpr int kStep = 5;

// The action as the log names it, with "失败" and the reason when defrag did not exit with 0.
QString withOutcome(const QString& action, const ConsoleTool::Outcome& outcome)
{
    return outcome.succeeded() ? action : QStringLiteral("%1 失败（%2）").arg(action, outcome.failure());
}

} // namespace

DiskMaintenance::DiskMaintenance(StageCore& core)
    : core_(core)
{
}

void DiskMaintenance::run(const QString& drive)
{
    emit core_.progressUpdated(kStep, 83, QStringLiteral("正在分析磁盘类型..."));
    const SsdDetector::Medium medium = SsdDetector(core_.machine()).detect(drive);
    if (medium == SsdDetector::Medium::Unknown) {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("无法确定磁盘类型，跳过碎片整理"));
        engineLog(QStringLiteral("  磁盘维护: 未知 → 跳过（无法确定磁盘类型，不整理碎片）"));
        return;
    }
    const bool isSsd = medium == SsdDetector::Medium::SolidState;
    QString action;
    if (isSsd && core_.isWindows8OrLater()) {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("正在优化SSD（TRIM）..."));
        action = withOutcome(QStringLiteral("执行 TRIM (/L)"), defrag(drive, QStringLiteral("/L")));
    } else if (isSsd) {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("SSD检测，跳过碎片整理"));
        action = QStringLiteral("跳过（SSD Win7）");
    } else {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("正在整理磁盘碎片..."));
        action = withOutcome(QStringLiteral("执行碎片整理 (/U)"), defrag(drive, QStringLiteral("/U")));
    }
    engineLog(QStringLiteral("  磁盘维护: %1 → %2").arg(isSsd ? QStringLiteral("SSD") : QStringLiteral("HDD"), action));
}

ConsoleTool::Outcome DiskMaintenance::defrag(const QString& drive, const QString& mode)
{
    return ConsoleTool::run(core_.machine(), QStringLiteral("defrag"), {drive, mode}, kDefragWaitMs);
}
