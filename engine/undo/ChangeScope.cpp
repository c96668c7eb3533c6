#include "engine/undo/ChangeScope.h"

#include "engine/JunkCleaner.h"
#include "engine/PhaseTwoPlaces.h"
#include "engine/StartupSource.h"
#include "engine/TweakTables.h"
#include "platform/Services.h"

#include <QRegularExpression>
#include <QStringList>
#include <QVector>

using platform::Hive;
using platform::RegType;

namespace ChangeScope
{

namespace
{

constexpr int kSettingBytes = 1024;
constexpr int kApprovalBytes = 4096;
constexpr int kLongestTaskName = 512;
const QVector<RegType> kSettingTypes = {RegType::Dword, RegType::Sz, RegType::ExpandSz};
// Approvals are binary as Windows writes them, but whatever else an entry held comes back as it was.
const QVector<RegType> kApprovalTypes = {RegType::None,  RegType::Sz,      RegType::ExpandSz, RegType::Binary,
                                         RegType::Dword, RegType::MultiSz, RegType::Qword};
const QVector<RegType> kMovesOnly = {};
const QString kOldBackupSuffix = QStringLiteral(".optimizer_bak");
const std::pair<Hive, const char*> kPolicyHives[] = {{Hive::LocalMachine, "HKLM"}, {Hive::CurrentUser, "HKCU"}};

// A place the program writes to: one named value, or any value of the key when `name` is empty. No `types`:
// the program only ever moves the place's values.
struct Place {
    Hive hive;
    QString key;
    QString name;
    const QVector<RegType>* types;
    int maxBytes;
};

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void addTweak(QVector<Place>& places, const RegistryTweak& tweak)
{
    places.append(
        {tweak.hive, QLatin1String(tweak.key), QLatin1String(tweak.valueName), &kSettingTypes, kSettingBytes});
}

QVector<Place> buildPlaces()
{
    QVector<Place> places;
    for (const RegistryTweak* tweak : TweakTables::registryTweaks())
        addTweak(places, *tweak);
    for (const StartupSource* source = StartupSource::begin(); source != StartupSource::end(); ++source) {
        if (!source->isFolder())
            places.append({source->hive, QLatin1String(source->path), {}, &kMovesOnly, 0});
        places.append({source->hive,
                       QLatin1String(StartupSource::kApprovedRoot) + QLatin1String(source->approvedKey),
                       {},
                       &kApprovalTypes,
                       kApprovalBytes});
    }
    for (const auto& [hive, label] : kPolicyHives) {
        places.append({hive, QString::fromWCharArray(PhaseTwoPlaces::kPolicyRunKey), {}, &kMovesOnly, 0});
        places.append({Hive::LocalMachine,
                       QLatin1String(PhaseTwoPlaces::kPolicyRunBackupKey) + QLatin1String(label),
                       {},
                       &kMovesOnly,
                       0});
    }
    return places;
}

const QVector<Place>& places()
{
    static const QVector<Place> all = buildPlaces();
    return all;
}

bool isPlainValueName(const QString& name)
{
    return name.size() <= RegistryPlace::kLongestName && !name.contains(QChar(0));
}

bool isPolicyBackup(const RegistryPlace& original, const RegistryPlace& copy)
{
    for (const auto& [hive, label] : kPolicyHives) {
        if (original.hive == hive && same(original.key, QString::fromWCharArray(PhaseTwoPlaces::kPolicyRunKey)) &&
            copy.hive == Hive::LocalMachine &&
            same(copy.key, QLatin1String(PhaseTwoPlaces::kPolicyRunBackupKey) + QLatin1String(label)))
            return original.name == copy.name && original.view == copy.view;
    }
    return false;
}

bool isOldBackupReturn(const RegistryPlace& original, const RegistryPlace& copy)
{
    if (original.hive != copy.hive || original.view != copy.view || !same(original.key, copy.key) ||
        original.name != copy.name + kOldBackupSuffix)
        return false;
    for (const StartupSource* source = StartupSource::begin(); source != StartupSource::end(); ++source) {
        if (!source->isFolder() && source->hive == original.hive && same(QLatin1String(source->path), original.key))
            return true;
    }
    return false;
}

int limitFor(const Place& place, const std::optional<RegType>& type)
{
    if (place.types->isEmpty())
        return 0;
    if (!type)
        return 1;
    return place.types->contains(*type) ? place.maxBytes : 0;
}

} // namespace

int registryValueLimit(Hive hive, const QString& key, const QString& name, const std::optional<RegType>& type)
{
    if (!isPlainValueName(name))
        return 0;
    for (const Place& place : places()) {
        if (place.hive == hive && same(place.key, key) && (place.name.isEmpty() || same(place.name, name)))
            return limitFor(place, type);
    }
    return 0;
}

bool isProgramMove(const RegistryPlace& original, const RegistryPlace& copy)
{
    return isPlainValueName(original.name) && isPlainValueName(copy.name) &&
           (isPolicyBackup(original, copy) || isOldBackupReturn(original, copy));
}

int adapterValueLimit(const QString& adapter, const QString& name, const std::optional<RegType>& type)
{
    static const QRegularExpression guid(
        QStringLiteral("^\\{[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\\}$"));
    if (!guid.match(adapter).hasMatch() || name != QLatin1String("PnPCapabilities"))
        return 0;
    if (!type)
        return 1;
    return *type == RegType::Dword || *type == RegType::Sz ? kSettingBytes : 0;
}

bool allowsKeyRemoval(Hive hive, const QString& key)
{
    // Keys near the top of a hive exist on every Windows; only deeper ones, and the program's own, can have
    // been created by a run.
    constexpr int kShallowestCreated = 3;
    const QString wanted = key.toLower();
    const QStringList levels = wanted.split(QLatin1Char('\\'));
    if (levels.contains(QString()))
        return false;
    const bool ownKey = wanted.startsWith(QStringLiteral("software\\tidewell"));
    for (const Place& place : places()) {
        const QString known = place.key.toLower();
        if (place.hive != hive)
            continue;
        if (known == wanted ||
            (known.startsWith(wanted + QLatin1Char('\\')) && (ownKey || levels.size() >= kShallowestCreated)))
            return true;
    }
    return false;
}

bool allowsService(const QString& service)
{
    for (const auto& row : TweakTables::kServices) {
        if (same(service, QLatin1String(row.name)))
            return true;
    }
    for (const auto& row : TweakTables::kLegacyServices) {
        if (same(service, QLatin1String(row.name)))
            return true;
    }
    return PhaseTwoPlaces::isManualStartService(service);
}

bool allowsRestart(const QString& service)
{
    for (const char* paused : JunkCleaner::kPausedServices) {
        if (same(service, QLatin1String(paused)))
            return true;
    }
    return allowsService(service);
}

bool allowsStartType(std::uint32_t startType)
{
    return startType == platform::ServiceStart::Automatic || startType == platform::ServiceStart::Manual ||
           startType == platform::ServiceStart::Disabled;
}

bool allowsTask(const QString& path)
{
    for (const auto& task : TweakTables::kTelemetryTasks) {
        if (same(path, QLatin1String(task.folder) + QString::fromUtf8(task.name)))
            return true;
    }
    const QString folder = QString::fromWCharArray(PhaseTwoPlaces::kDiskDiagnosticFolder) + QLatin1Char('\\');
    const QString name = path.mid(folder.size());
    return path.startsWith(folder, Qt::CaseInsensitive) && !name.isEmpty() && !name.contains(QLatin1Char('\\')) &&
           name.size() <= kLongestTaskName;
}

} // namespace ChangeScope
