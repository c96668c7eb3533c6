#include "engine/PrivacyTweaks.h"

#include "engine/StageCore.h"
#include "engine/TweakTables.h"
#include "text/PlatformText.h"

namespace {

constexpr int kStep = 4;

} // namespace

PrivacyTweaks::PrivacyTweaks(StageCore& core)
    : core_(core)
{
}

void PrivacyTweaks::run()
{
    progress(66, QStringLiteral("正在检查隐私相关计划任务..."));
    if (!core_.isWindows7())
        disableTelemetryTasks();

    progress(68, QStringLiteral("正在关闭客户体验改善计划..."));
    TweakTables::kCeipValue.apply(core_);

    progress(70, QStringLiteral("正在应用隐私保护设置..."));
    for (const auto& value : TweakTables::kPrivacyValues) {
        if (value.appliesTo(core_))
            value.apply(core_);
    }

    progress(74, QStringLiteral("隐私优化完成"));
}

void PrivacyTweaks::disableTelemetryTasks()
{
    platform::Tasks& tasks = core_.machine().tasks;
    for (const auto& row : TweakTables::kTelemetryTasks) {
        std::unique_ptr<platform::TaskFolder> folder;
        if (!platform::succeeded(tasks.folder(toWString(QString::fromLatin1(row.folder)), folder)))
            continue;
        std::unique_ptr<platform::ScheduledTask> task;
        if (platform::succeeded(folder->task(toWString(QString::fromLatin1(row.name)), task)))
            task->setEnabled(false);
    }
}

void PrivacyTweaks::progress(int percent, const QString& text)
{
    emit core_.progressUpdated(kStep, percent, text);
}
