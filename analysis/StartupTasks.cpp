#include "analysis/StartupTasks.h"

#include "text/PlatformText.h"

namespace StartupTasks {

namespace {

int countStartTriggers(const std::vector<std::uint32_t>& types)
{
    int count = 0;
    for (std::uint32_t type : types) {
        if (type == platform::TriggerType::Logon || type == platform::TriggerType::Boot)
            ++count;
    }
    return count;
}

} // namespace

QVector<Task> list(platform::Platform& platform)
{
    QVector<Task> result;
    std::unique_ptr<platform::TaskFolder> root;
    std::vector<std::unique_ptr<platform::ScheduledTask>> tasks;
    if (!platform::succeeded(platform.tasks.folder(L"\\", root)) || !root ||
        !platform::succeeded(root->tasks(true, tasks)))
        return result;
    for (const auto& task : tasks) {
        bool enabled = false;
        std::vector<std::uint32_t> types;
        if (!task || !platform::succeeded(task->enabled(enabled)) || !enabled ||
            !platform::succeeded(task->triggerTypes(types)))
            continue;
        const int triggers = countStartTriggers(types);
        if (triggers > 0)
            result.append({toQString(task->name()), triggers});
    }
    return result;
}

} // namespace StartupTasks
