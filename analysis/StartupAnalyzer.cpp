#include "analysis/StartupAnalyzer.h"

#include "analysis/StartupScoring.h"
#include "analysis/StartupSources.h"
#include "analysis/StartupTasks.h"
#include "log/RunLogger.h"

using platform::Hive;
using platform::RegType;
using platform::RegValue;

namespace {

bool isString(const RegValue& value)
{
    return value.type == RegType::Sz || value.type == RegType::ExpandSz;
}

bool hasPattern(const QString& fileName)
{
    for (const char* extension : StartupSources::kCountedPatterns) {
        if (fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

StartupAnalyzer::StartupAnalyzer(platform::Platform& machine, WindowsVersion version, StepProgress progress)
    : machine_(machine)
    , version_(version)
    , progress_(std::move(progress))
{
}

int StartupAnalyzer::run()
{
    progress_(6, 86, QStringLiteral("正在扫描注册表启动项..."));
    int count = countRunKeys() + countHooks();
    progress_(6, 88, QStringLiteral("正在扫描Shell扩展..."));
    count += countShellExtensions();
    progress_(6, 89, QStringLiteral("正在扫描启动文件夹..."));
    count += countFolderFiles();
    progress_(6, 90, QStringLiteral("正在扫描计划任务启动项..."));
    if (!version_.isWindows7())
        count += countTaskTriggers();
    progress_(6, 91, QStringLiteral("启动项扫描完成"));
    engineLog(QStringLiteral("  开机自启扫描: 共发现 %1 项，预计开机提速 %2 秒").arg(count).arg(count * kSecondsPerEntry));
    return count;
}

int StartupAnalyzer::countRunKeys() const
{
    int count = 0;
    for (const auto& source : StartupSources::kDeepRunKeys) {
        const auto key = machine_.openKey(source.hive, QLatin1String(source.subKey));
        if (!key)
            continue;
        MachineQuery::forEachValue(*key, StartupSources::kMaxValueNameChars, StartupSources::kMaxRunDataBytes,
                                   [&count](const QString&, const RegValue& value) {
                                       if (isString(value))
                                           ++count;
                                   });
    }
    return count;
}

// Only the Winlogon and Windows values that start a program count: their other values are settings.
int StartupAnalyzer::countHooks() const
{
    int count = 0;
    if (const auto winlogon = machine_.openKey(Hive::LocalMachine, QLatin1String(StartupSources::kWinlogon))) {
        for (const auto& hook : StartupSources::kWinlogonHooks) {
            QString text;
            if (MachineQuery::readString(*winlogon, QLatin1String(hook.valueName), StartupSources::kMaxHookDataBytes,
                                         text) &&
                StartupScoring::isChangedHook(text, hook.expected))
                ++count;
        }
    }
    if (const auto windows = machine_.openKey(Hive::LocalMachine, QLatin1String(StartupSources::kWindows))) {
        for (const char* valueName : StartupSources::kWindowsStarters) {
            QString text;
            if (MachineQuery::readString(*windows, QLatin1String(valueName), StartupSources::kMaxHookDataBytes, text) &&
                !text.trimmed().isEmpty())
                ++count;
        }
    }
    return count;
}

int StartupAnalyzer::countShellExtensions() const
{
    const auto key = machine_.openKey(Hive::LocalMachine, QLatin1String(StartupSources::kShellExtensions));
    std::uint32_t values = 0;
    if (!key || !platform::succeeded(key->valueCount(values)) || values <= 50)
        return 0;
    return static_cast<int>((values - 50) / 10);
}

int StartupAnalyzer::countFolderFiles() const
{
    int count = 0;
    for (const auto& folder : StartupSources::kFolders) {
        const QString path = machine_.expand(QLatin1String(folder.path));
        if (!machine_.isFolder(path))
            continue;
        for (const QString& name : machine_.startupFiles(path)) {
            if (hasPattern(name))
                ++count;
        }
    }
    return count;
}

int StartupAnalyzer::countTaskTriggers() const
{
    int count = 0;
    for (const StartupTasks::Task& task : StartupTasks::list(machine_.platform()))
        count += task.startTriggers;
    return count;
}
