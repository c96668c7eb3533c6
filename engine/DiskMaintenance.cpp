#include "engine/DiskMaintenance.h"

#include "engine/ConsoleTool.h"
#include "engine/OptimizeCore.h"
#include "engine/SsdDetector.h"
#include "log/RunLogger.h"

namespace {

constexpr int kStep = 5;

} // namespace

DiskMaintenance::DiskMaintenance(OptimizeCore& core)
    : core_(core)
{
}

void DiskMaintenance::run(const QString& drive)
{
    emit core_.progressUpdated(kStep, 83, QStringLiteral("正在分析磁盘类型..."));
    const bool isSsd = SsdDetector(core_.machine()).detectSsd(drive);

    QString action;
    if (isSsd && core_.isWindows8OrLater()) {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("正在优化SSD（TRIM）..."));
        ConsoleTool::run(core_.machine(), QStringLiteral("defrag"), {drive, QStringLiteral("/L")}, kDefragWaitMs);
        action = QStringLiteral("执行 TRIM (/L)");
    } else if (isSsd) {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("SSD检测，跳过碎片整理"));
        action = QStringLiteral("跳过（SSD Win7）");
    } else {
        emit core_.progressUpdated(kStep, 84, QStringLiteral("正在整理磁盘碎片..."));
        ConsoleTool::run(core_.machine(), QStringLiteral("defrag"), {drive, QStringLiteral("/U")}, kDefragWaitMs);
        action = QStringLiteral("执行碎片整理 (/U)");
    }
    engineLog(QStringLiteral("  磁盘维护: %1 → %2").arg(isSsd ? QStringLiteral("SSD") : QStringLiteral("HDD"), action));
}
