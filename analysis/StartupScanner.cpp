#include "analysis/StartupScanner.h"

#include "analysis/StartupScoring.h"
#include "analysis/StartupSources.h"
#include "analysis/StartupTasks.h"

using platform::Hive;
using platform::RegType;
using platform::RegValue;

namespace {

// A system-level hook that phase 2 shows but never offers to switch off.
StartupScanItem fixedFinding(const QString& name, const QString& command, const QString& source, int sourceType,
                             int score, bool hijacked)
{
    StartupScanItem item;
    item.name = name;
    item.command = command;
    item.source = source;
    item.sourceType = sourceType;
    item.score = score;
    item.riskLevel = 2;
    item.hijacked = hijacked;
    item.canDisable = false;
    item.riskLabel = QStringLiteral("🔴 高风险");
    return item;
}

bool hasDeepPattern(const QString& fileName)
{
    for (const char* extension : StartupSources::kDeepPatterns) {
        if (fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

StartupScanner::StartupScanner(platform::Platform& platform, const SignatureDatabase& database)
    : machine_(platform)
    , scorer_(machine_, database)
{
}

void StartupScanner::run(QVector<StartupScanItem>& items) const
{
    scanRunKeys(items);
    scanWinlogon(items);
    scanAppInit(items);
    scanShellExtensions(items);
    scanFolders(items);
    scanTasks(items);
}

void StartupScanner::scanRunKeys(QVector<StartupScanItem>& items) const
{
    for (const auto& source : StartupSources::kDeepRunKeys) {
        const auto key = machine_.openKey(source.hive, QLatin1String(source.subKey));
        if (!key)
            continue;
        const QString label = QLatin1String(source.label);
        MachineQuery::forEachValue(
            *key, StartupSources::kMaxValueNameChars, StartupSources::kMaxRunDataBytes,
            [&](const QString& name, const RegValue& value) {
                const QString command = QString::fromStdWString(value.asString());
                if ((value.type == RegType::Sz || value.type == RegType::ExpandSz) && !command.isEmpty())
                    items.append(scorer_.score(name, command, label, source.sourceType));
            });
    }
}

void StartupScanner::scanWinlogon(QVector<StartupScanItem>& items) const
{
    const auto key = machine_.openKey(Hive::LocalMachine, QLatin1String(StartupSources::kWinlogon));
    if (!key)
        return;
    for (const auto& hook : StartupSources::kWinlogonHooks) {
        QString text;
        if (!MachineQuery::readString(*key, QLatin1String(hook.valueName), StartupSources::kMaxHookDataBytes, text))
            continue;
        if (StartupScoring::isChangedHook(text, hook.expected))
            items.append(
                fixedFinding(QLatin1String(hook.valueName), text.trimmed(), QStringLiteral("Winlogon"), 7, 10, true));
    }
}

void StartupScanner::scanAppInit(QVector<StartupScanItem>& items) const
{
    const auto key = machine_.openKey(Hive::LocalMachine, QLatin1String(StartupSources::kWindows));
    QString dlls;
    if (!key || !MachineQuery::readString(*key, QStringLiteral("AppInit_DLLs"), StartupSources::kMaxHookDataBytes, dlls))
        return;
    dlls = dlls.trimmed();
    if (!dlls.isEmpty())
        items.append(fixedFinding(QStringLiteral("AppInit_DLLs"), dlls, QStringLiteral("AppInit_DLLs"), 9, 10, true));
}

void StartupScanner::scanShellExtensions(QVector<StartupScanItem>& items) const
{
    const auto key = machine_.openKey(Hive::LocalMachine, QLatin1String(StartupSources::kShellExtensions));
    std::uint32_t values = 0;
    if (!key || !platform::succeeded(key->valueCount(values)) || values <= kShellExtensionLimit)
        return;
    items.append(fixedFinding(QStringLiteral("Shell Extensions"), QStringLiteral("共 %1 个").arg(values),
                              QStringLiteral("Shell Extensions Approved"), 13, 40, false));
}

void StartupScanner::scanFolders(QVector<StartupScanItem>& items) const
{
    for (const auto& folder : StartupSources::kFolders) {
        const QString path = machine_.expand(QLatin1String(folder.path));
        if (!machine_.isFolder(path))
            continue;
        for (const QString& fileName : machine_.startupFiles(path)) {
            if (hasDeepPattern(fileName))
                items.append(scorer_.scoreProgram(fileName, MachineQuery::join(path, fileName),
                                           QLatin1String(folder.label), folder.sourceType));
        }
    }
}

void StartupScanner::scanTasks(QVector<StartupScanItem>& items) const
{
    const QString label = QString::fromUtf8(StartupSources::kScheduledTaskLabel);
    for (const StartupTasks::Task& task : StartupTasks::list(machine_.platform()))
        items.append(scorer_.score(task.name, label, label, 12));
}
