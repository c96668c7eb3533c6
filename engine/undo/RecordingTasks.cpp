#include "engine/undo/RecordingTasks.h"

#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeRecordWriter.h"
#include "text/PlatformText.h"

#include <QJsonObject>

using namespace platform;

namespace
{

class RecordingTask : public ScheduledTask
{
public:
    RecordingTask(std::unique_ptr<ScheduledTask> inner, ChangeRecordWriter& record)
        : inner_(std::move(inner)), record_(record)
    {
    }

    std::wstring name() const override { return inner_->name(); }
    std::wstring path() const override { return inner_->path(); }
    Status enabled(bool& enabled) override { return inner_->enabled(enabled); }
    Status triggerTypes(std::vector<std::uint32_t>& types) override { return inner_->triggerTypes(types); }

    Status setEnabled(bool enabled) override
    {
        bool before = false;
        if (succeeded(inner_->enabled(before)))
            record_.append({{QStringLiteral("kind"), QLatin1String(ChangeJson::kTaskEnabled)},
                            {QStringLiteral("path"), toQString(inner_->path())},
                            {QStringLiteral("prior"), before}});
        return inner_->setEnabled(enabled);
    }

private:
    std::unique_ptr<ScheduledTask> inner_;
    ChangeRecordWriter& record_;
};

class RecordingFolder : public TaskFolder
{
public:
    RecordingFolder(std::unique_ptr<TaskFolder> inner, ChangeRecordWriter& record)
        : inner_(std::move(inner)), record_(record)
    {
    }

    Status task(const std::wstring& name, std::unique_ptr<ScheduledTask>& task) override
    {
        const Status status = inner_->task(name, task);
        if (succeeded(status))
            task = std::make_unique<RecordingTask>(std::move(task), record_);
        return status;
    }

    Status tasks(bool includeHidden, std::vector<std::unique_ptr<ScheduledTask>>& tasks) override
    {
        const Status status = inner_->tasks(includeHidden, tasks);
        for (auto& task : tasks)
            task = std::make_unique<RecordingTask>(std::move(task), record_);
        return status;
    }

    Status subFolders(std::vector<std::wstring>& names) override { return inner_->subFolders(names); }

private:
    std::unique_ptr<TaskFolder> inner_;
    ChangeRecordWriter& record_;
};

} // namespace

RecordingTasks::RecordingTasks(Tasks& inner, ChangeRecordWriter& record) : inner_(inner), record_(record) {}

Status RecordingTasks::folder(const std::wstring& path, std::unique_ptr<TaskFolder>& folder)
{
    const Status status = inner_.folder(path, folder);
    if (succeeded(status))
        folder = std::make_unique<RecordingFolder>(std::move(folder), record_);
    return status;
}
