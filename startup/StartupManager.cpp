#include "startup/StartupManager.h"

#include "engine/NativeSystemFolder.h"
#include "engine/RegistryValueCopy.h"
#include "log/RunLogger.h"
#include "startup/StartupFolderFiles.h"
#include "text/PlatformText.h"

#include <QFileInfo>
#include <QMap>

using namespace platform;

namespace {

const char* const kKnownSafeNames[] = {
    "QQMusic",   "NetEaseMusic", "cloudmusic",     "KuGou",        "KuWo",     "Thunder",      "XunLei",
    "QQDownload", "BitComet",    "uTorrent",       "BaiduNetdisk", "YunPan",   "OneDrive",     "Dropbox",
    "eCloud",    "WPS",          "wps",            "OfficeClickToRun", "PotPlayer", "QQPlayer", "暴风影音",
    "iQIYI",     "TencentVideo", "EdgeAutoLaunch", "MicrosoftEdgeAutoLaunch", "WeChat", "WeChatWork", "DingTalk",
    "TIM",       "QQProtect",    "QQNT",           "Alipay",       "TaobaoProtect", "Sunlogin", "向日葵",
    "PddWorkbench", "Pdd",       "NvBackend",      "NVIDIA",       "SogouInput", "BaiduInput",
};

const QString kBackupSuffix = QStringLiteral(".optimizer_bak");

QString join(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('\\') + name;
}

// "Foo.lnk" -> "Foo", as the analysis names folder entries.
QString baseName(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

// The program a command line starts: the quoted part, else the text before the first blank.
QString programOf(const QString& command)
{
    const QString trimmed = command.trimmed();
    if (trimmed.startsWith(QLatin1Char('"'))) {
        const int close = trimmed.indexOf(QLatin1Char('"'), 1);
        if (close > 0)
            return trimmed.mid(1, close - 1);
    }
    const int blank = trimmed.indexOf(QLatin1Char(' '));
    return blank > 0 ? trimmed.left(blank) : trimmed;
}

QString registryPath(const StartupSource& source)
{
    const char* hive = source.hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    return QLatin1String(hive) + QLatin1String(source.path);
}

bool isWindows7(Platform& machine)
{
    OsVersion version;
    return succeeded(machine.systemInfo.version(version)) && version.major == 6 && version.minor == 1;
}

} // namespace

StartupManager::StartupManager(Platform& machine)
    : machine_(machine)
    , approved_(machine)
    , approvalsSupported_(!isWindows7(machine))
{
}

void StartupManager::fillKnownSafeNames()
{
    for (const char* name : kKnownSafeNames)
        knownSafeNames.append(QString::fromUtf8(name));
}

QList<StartupEntry> StartupManager::scan()
{
    entries.clear();
    for (const StartupSource* source = StartupSource::begin(); source != StartupSource::end(); ++source) {
        if (source->isFolder())
            scanFolder(*source);
        else
            scanRunKey(*source);
    }
    int recommended = 0;
    int disabled = 0;
    for (const auto& entry : qAsConst(entries)) {
        recommended += entry.recommended && !entry.disabled ? 1 : 0;
        disabled += entry.disabled ? 1 : 0;
    }
    RunLogger::instance().log(QStringLiteral("扫描到 %1 个启动项，其中 %2 个可安全禁用，%3 个已禁用")
                                  .arg(entries.size())
                                  .arg(recommended)
                                  .arg(disabled));
    return entries;
}

void StartupManager::scanRunKey(const StartupSource& source)
{
    QMap<QString, QString> values;
    std::unique_ptr<RegistryKey> key;
    if (succeeded(machine_.registry.openKey(source.hive, toWString(QLatin1String(source.path)), RegAccess::Read,
                                            RegView::Native64, key))) {
        std::wstring name;
        RegValue value;
        for (std::uint32_t index = 0; succeeded(key->enumValue(index, name, value)); ++index) {
            if (value.type == RegType::Sz || value.type == RegType::ExpandSz)
                values.insert(toQString(name), toQString(value.asString()));
        }
    }
    const QString sourceName = QLatin1String(source.name);
    RunLogger::instance().log(QStringLiteral("  [%1] 读取到 %2 项").arg(sourceName, QString::number(values.size())));
    const bool governed = source.kind == StartupSource::Kind::RunKey;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.key().endsWith(kBackupSuffix)) {
            if (governed && approvalsSupported_)
                migrateValue(source, it.key().chopped(kBackupSuffix.size()));
            continue;
        }
        StartupEntry entry{it.key(), it.key(), it.value(), sourceName,
                           registryPath(source),
                           false, false};
        if (governed) {
            entry.recommended = isWellKnown(entry.name, entry.command);
            entry.disabled = approvalsSupported_ && approved_.isDisabled(source, entry.name);
            const QString description = fileDescription(entry.command);
            if (!description.isEmpty())
                entry.displayName = description;
        }
        entries.append(entry);
    }
}

void StartupManager::migrateValue(const StartupSource& source, const QString& name)
{
    std::unique_ptr<RegistryKey> key;
    if (!succeeded(machine_.registry.openKey(source.hive, toWString(QLatin1String(source.path)), RegAccess::ReadWrite,
                                             RegView::Native64, key)))
        return;
    // A value under the old name is the user's own newer entry: the backup never overwrites it, just as a
    // backup file is never renamed over a file of that name.
    RegValue existing;
    if (key->queryValue(toWString(name), existing, 0) != ErrorFileNotFound)
        return;
    RunLogger::instance().log(
        QStringLiteral("迁移旧版 .optimizer_bak 启动项: %1 [%2]").arg(name, QLatin1String(source.name)));
    if (RegistryValueCopy::move(*key, toWString(name + kBackupSuffix), *key, toWString(name)))
        approved_.setEnabled(source, name, false);
}

void StartupManager::scanFolder(const StartupSource& source)
{
    const QString sourceName = QLatin1String(source.name);
    std::wstring expanded;
    machine_.systemInfo.expandEnvironment(toWString(QLatin1String(source.path)), expanded);
    const QString folder = toQString(expanded);
    FileEntry folderInfo;
    if (folder.contains(QLatin1Char('%')) || !succeeded(machine_.files.attributes(expanded, folderInfo)) ||
        !folderInfo.isDirectory() || folderInfo.isLink()) {
        RunLogger::instance().log(QStringLiteral("  [%1] 文件夹不存在: %2").arg(sourceName, folder));
        return;
    }
    QStringList files;
    QStringList backups;
    for (const QString& name : StartupFolderFiles::list(machine_, expanded)) {
        if (name.endsWith(kBackupSuffix))
            backups.append(name);
        else if (!name.startsWith(QLatin1Char('.')))
            files.append(name);
    }
    int count = 0;
    for (const QString& backup : qAsConst(backups)) {
        QString name;
        if (!approvalsSupported_ || !migrateFile(source, folder, backup, name))
            continue;
        StartupEntry entry = folderEntry(source, folder, name);
        entry.recommended = true;
        entry.disabled = true;
        entries.append(entry);
        ++count;
    }
    for (const QString& name : qAsConst(files)) {
        StartupEntry entry = folderEntry(source, folder, name);
        entry.recommended = isWellKnown(baseName(name), QString());
        entry.disabled = approvalsSupported_ && approved_.isDisabled(source, name);
        entries.append(entry);
        ++count;
    }
    RunLogger::instance().log(QStringLiteral("  [%1] 读取到 %2 项").arg(sourceName, QString::number(count)));
}

bool StartupManager::migrateFile(const StartupSource& source, const QString& folder, const QString& backupName,
                                 QString& name)
{
    name = backupName.chopped(kBackupSuffix.size());
    if (!succeeded(machine_.files.rename(toWString(join(folder, backupName)), toWString(join(folder, name)))))
        return false;
    approved_.setEnabled(source, name, false);
    RunLogger::instance().log(QStringLiteral("  [%1] 迁移bak并禁用: %2").arg(QLatin1String(source.name), name));
    return true;
}

StartupEntry StartupManager::folderEntry(const StartupSource& source, const QString& folder, const QString& fileName)
{
    const QString path = join(folder, fileName);
    StartupEntry entry{fileName, fileName, path, QLatin1String(source.name), path, false, false};
    if (!fileName.endsWith(QLatin1String(".lnk"), Qt::CaseInsensitive))
        return entry;
    std::wstring target;
    std::wstring arguments;
    if (succeeded(machine_.shell.shortcutTarget(toWString(path), target, arguments)) && !target.empty()) {
        entry.command = toQString(target);
        const QString description = fileDescription(entry.command);
        if (!description.isEmpty())
            entry.displayName = description;
    }
    return entry;
}

bool StartupManager::isWellKnown(const QString& name, const QString& command) const
{
    const QString lowerName = name.toLower();
    const QString lowerCommand = command.toLower();
    for (const QString& known : knownSafeNames) {
        const QString lowerKnown = known.toLower();
        if (lowerName.contains(lowerKnown) || lowerCommand.contains(lowerKnown))
            return true;
    }
    return false;
}

QString StartupManager::fileDescription(const QString& command)
{
    const QString program = programOf(command);
    if (program.isEmpty())
        return {};
    std::wstring expanded;
    if (!succeeded(machine_.systemInfo.expandEnvironment(toWString(program), expanded)))
        return {};
    // Under WOW64 "System32" would read the 32-bit copy in SysWOW64, or nothing for a 64-bit-only program.
    const std::wstring file = toWString(NativeSystemFolder(machine_).map(toQString(expanded)));
    std::wstring description;
    if (!succeeded(machine_.shell.fileDescription(file, description)))
        return {};
    return toQString(description).trimmed();
}

StartupEntry* StartupManager::find(const QString& source, const QString& name)
{
    // An entry of exactly that name wins over one that only shares the base name ("Foo" before "Foo.lnk").
    for (auto& entry : entries) {
        if (entry.source == source && entry.name == name)
            return &entry;
    }
    const StartupSource* place = StartupSource::named(source);
    if (!place || !place->isFolder())
        return nullptr;
    for (auto& entry : entries) {
        if (entry.source == source && baseName(entry.name) == name)
            return &entry;
    }
    return nullptr;
}

QString StartupManager::entryName(const QString& source, const QString& name)
{
    const StartupEntry* entry = find(source, name);
    return entry ? entry->name : name;
}

StartupManager::Outcome StartupManager::disable(const QString& source, const QString& name)
{
    return switchEntry(source, name, false);
}

StartupManager::Outcome StartupManager::restore(const QString& source, const QString& name)
{
    return switchEntry(source, name, true);
}

StartupManager::Outcome StartupManager::switchEntry(const QString& source, const QString& name, bool enable)
{
    const StartupSource* place = StartupSource::named(source);
    if (place && place->kind == StartupSource::Kind::RunOnceKey)
        return Outcome::RunsOnce;
    if (!approvalsSupported_)
        return Outcome::Unsupported;
    StartupEntry* entry = place ? find(source, name) : nullptr;
    if (!entry)
        return Outcome::NotFound;
    if (entry->disabled != enable)
        return Outcome::AlreadySo;
    if (!approved_.setEnabled(*place, entry->name, enable)) {
        RunLogger::instance().log(QStringLiteral("修改启动项失败: %1 [%2]").arg(entry->name, source));
        return Outcome::Failed;
    }
    entry->disabled = !enable;
    RunLogger::instance().log((enable ? QStringLiteral("已恢复启动项: %1 [%2]") : QStringLiteral("已禁用启动项: %1 [%2]"))
                                  .arg(entry->name, source));
    return Outcome::Changed;
}
