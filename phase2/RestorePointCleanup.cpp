#include "phase2/RestorePointCleanup.h"

#include "log/RunLogger.h"
#include "phase2/RestorePointListing.h"

RestorePointCleanup::RestorePointCleanup(platform::Platform& machine)
    : machine_(machine)
{
}

ItemResult RestorePointCleanup::run(int keep)
{
    QVector<RestorePointListing::Point> points;
    if (!RestorePointListing(machine_).read(points))
        return ItemResult::failed(QStringLiteral("系统还原点：无法读取还原点列表，未作改动"));
    const int excess = points.size() - qMax(1, keep);
    if (excess < 1)
        return ItemResult::unchanged(QStringLiteral("系统还原点：当前 %1 个，无需清理").arg(points.size()));
    int removed = 0;
    for (int i = 0; i < excess; ++i) {
        const auto& point = points[i];
        if (!platform::succeeded(machine_.systemInfo.removeRestorePoint(point.sequenceNumber)))
            continue;
        ++removed;
        RunLogger::instance().log(
            QStringLiteral("[Phase2] 已删除还原点 %1: %2").arg(point.sequenceNumber).arg(point.description));
    }
    QString line = QStringLiteral("系统还原点：共 %1 个，已删除 %2 个，保留最近 %3 个")
                       .arg(points.size())
                       .arg(removed)
                       .arg(points.size() - removed);
    if (removed == excess)
        return ItemResult::changed(line);
    return ItemResult::failed(line + QStringLiteral("，%1 个删除失败").arg(excess - removed));
}
