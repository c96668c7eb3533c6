#include "engine/undo/ChangeNames.h"

#include "engine/TweakTables.h"
#include "engine/undo/ChangeJson.h"
#include "engine/undo/RegistryPlace.h"
#include "engine/undo/ToolSettings.h"
#include "text/PlatformText.h"

using namespace platform;

namespace
{

// A display name longer than this is not one Windows would show.
constexpr int kLongestDisplayName = 256;
const QString kOldBackupSuffix = QStringLiteral(".optimizer_bak");

QString member(const QJsonObject& change, const char* name)
{
    return change.value(QLatin1String(name)).toString();
}

// A value of the tweak tables is named as its row; any other value the program writes or moves belongs to a
// start-up entry of that name (its approval, its command or the program's copy of it).
QString registryName(const RegistryPlace& place)
{
    for (const RegistryTweak* tweak : TweakTables::registryTweaks()) {
        if (tweak->hive == place.hive && place.key.compare(QLatin1String(tweak->key), Qt::CaseInsensitive) == 0 &&
            place.name.compare(QLatin1String(tweak->valueName), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(tweak->label);
    }
    QString entry = place.name;
    if (entry.endsWith(kOldBackupSuffix))
        entry.chop(kOldBackupSuffix.size());
    return QStringLiteral("开机自启项 %1").arg(entry);
}

} // namespace

ChangeNames::ChangeNames(Platform& machine) : machine_(machine) {}

QStringList ChangeNames::of(const QVector<QJsonObject>& changes)
{
    QStringList names;
    for (const QJsonObject& change : changes)
        names.append(nameOf(change));
    // A created key is recorded just before the value it was made for, and is named after it.
    const QString key = QLatin1String(ChangeJson::kRegistryKey);
    for (int i = names.size() - 2; i >= 0; --i) {
        if (member(changes[i], "kind") == key)
            names[i] = names[i + 1];
    }
    return names;
}

QString ChangeNames::nameOf(const QJsonObject& change)
{
    const QString kind = member(change, "kind");
    if (kind == QLatin1String(ChangeJson::kRegistryValue) || kind == QLatin1String(ChangeJson::kMovedValue)) {
        const auto place = RegistryPlace::fromJson(change);
        return place ? registryName(*place) : QString();
    }
    if (kind == QLatin1String(ChangeJson::kServiceStart) || kind == QLatin1String(ChangeJson::kServiceStopped))
        return serviceName(member(change, "service"));
    if (kind == QLatin1String(ChangeJson::kTaskEnabled))
        return QStringLiteral("计划任务 %1").arg(member(change, "path").section(QLatin1Char('\\'), -1));
    if (kind == QLatin1String(ChangeJson::kAdapterValue))
        return QStringLiteral("网卡 %1 的电源管理设置").arg(member(change, "adapter"));
    if (kind == QLatin1String(ChangeJson::kSetting)) {
        const ToolSetting* setting = ToolSetting::named(member(change, "setting"));
        return setting ? setting->describe(member(change, "target")) : QString();
    }
    if (kind == QLatin1String(ChangeJson::kRegistryKey))
        return QStringLiteral("注册表项 %1\\%2").arg(member(change, "hive"), member(change, "key"));
    return {};
}

QString ChangeNames::serviceName(const QString& service)
{
    const auto known = services_.constFind(service.toLower());
    if (known != services_.constEnd())
        return *known;
    QString shown = service;
    std::unique_ptr<ServiceManager> manager;
    std::unique_ptr<Service> handle;
    ServiceConfig config;
    if (succeeded(machine_.services.openManager(ManagerAccess::Connect, manager)) &&
        succeeded(manager->openService(toWString(service), ServiceAccess::QueryConfig, handle)) &&
        succeeded(handle->queryConfig(config)) && !config.displayName.empty() &&
        config.displayName.size() <= kLongestDisplayName)
        shown = toQString(config.displayName);
    const QString name = QStringLiteral("服务 %1").arg(shown);
    services_.insert(service.toLower(), name);
    return name;
}
