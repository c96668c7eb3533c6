#include "phase2/DiskDiagnosticTasks.h"

#include "engine/PhaseTwoPlaces.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

using namespace platform;

DiskDiagnosticTasks::DiskDiagnosticTasks(Platform& machine)
    : machine_(machine)
{
}

ItemResult DiskDiagnosticTasks::run()
{
    std::unique_ptr<TaskFolder> folder;
    std::vector<std::unique_ptr<ScheduledTask>> tasks;
    if (!succeeded(machine_.tasks.folder(PhaseTwoPlaces::kDiskDiagnosticFolder, folder)) ||
        !succeeded(folder->tasks(true, tasks)) || tasks.empty())
        return ItemResult::unchanged(QStringLiteral("磁盘诊断服务：未找到后台收集任务，未作改动"));
    int switched = 0;
    int failed = 0;
    for (const auto& task : tasks) {
        bool enabled = true;
        if (succeeded(task->enabled(enabled)) && !enabled)
            continue;
        if (succeeded(task->setEnabled(false))) {
            ++switched;
            RunLogger::instance().log(QStringLiteral("[Phase2] 已禁用计划任务: %1").arg(toQString(task->path())));
        } else {
            ++failed;
        }
    }
    if (failed > 0)
        return ItemResult::failed(
            QStringLiteral("磁盘诊断服务：%1 个后台收集任务禁用失败，%2 个已禁用").arg(failed).arg(switched));
    if (switched == 0)
        return ItemResult::unchanged(QStringLiteral("磁盘诊断服务：后台收集任务已是禁用状态"));
    return ItemResult::changed(QStringLiteral("磁盘诊断服务：已禁用后台收集任务（%1 个）").arg(switched));
}
