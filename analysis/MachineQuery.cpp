#include "analysis/MachineQuery.h"

#include "startup/StartupFolderFiles.h"
#include "text/PlatformText.h"

#include <algorithm>

using platform::FileEntry;
using platform::RegistryKey;
using platform::RegValue;

MachineQuery::MachineQuery(platform::Platform& platform)
    : platform_(platform)
    , native_(platform)
{
}

std::unique_ptr<RegistryKey> MachineQuery::openKey(platform::Hive hive, const QString& subKey) const
{
    std::unique_ptr<RegistryKey> key;
    if (!platform::succeeded(platform_.registry.openKey(hive, toWString(subKey), platform::RegAccess::Read,
                                                        platform::RegView::Native64, key)))
        return nullptr;
    return key;
}

bool MachineQuery::readString(const RegistryKey& key, const QString& name, std::uint32_t maxBytes, QString& text)
{
    const std::wstring valueName = toWString(name);
    RegValue value;
    std::uint32_t needed = 0;
    platform::Status status = key.queryValue(valueName, value, maxBytes, &needed);
    if (status == platform::ErrorMoreData && needed > maxBytes && needed <= kMaxValueBytes)
        status = key.queryValue(valueName, value, needed);
    if (!platform::succeeded(status))
        return false;
    text = toQString(value.asString());
    return true;
}

void MachineQuery::forEachValue(const RegistryKey& key, std::uint32_t maxNameChars, std::uint32_t maxDataBytes,
                                const std::function<void(const QString&, const RegValue&)>& visit)
{
    for (std::uint32_t index = 0;; ++index) {
        std::wstring name;
        RegValue value;
        std::uint32_t needed = 0;
        platform::Status status = key.enumValue(index, name, value, maxNameChars, maxDataBytes, &needed);
        if (status == platform::ErrorMoreData && needed <= kMaxValueBytes)
            status = key.enumValue(index, name, value, kMaxValueNameChars, std::max(needed, maxDataBytes), &needed);
        if (status == platform::ErrorMoreData)
            continue;
        if (!platform::succeeded(status))
            return;
        visit(toQString(name), value);
    }
}

void MachineQuery::forEachSubKey(const RegistryKey& key, std::uint32_t maxNameChars,
                                 const std::function<void(const QString&)>& visit)
{
    for (std::uint32_t index = 0;; ++index) {
        std::wstring name;
        if (!platform::succeeded(key.enumKey(index, name, maxNameChars)))
            return;
        visit(toQString(name));
    }
}

QString MachineQuery::expand(const QString& text) const
{
    std::wstring expanded;
    if (!platform::succeeded(platform_.systemInfo.expandEnvironment(toWString(text), expanded)) ||
        expanded.size() >= static_cast<std::size_t>(kMaxExpandedChars))
        return text;
    return toQString(expanded);
}

QString MachineQuery::environment(const QString& name) const
{
    const QString reference = QLatin1Char('%') + name + QLatin1Char('%');
    const QString value = expand(reference);
    return value == reference ? QString() : value;
}

bool MachineQuery::exists(const QString& path) const
{
    FileEntry entry;
    return !path.isEmpty() && platform::succeeded(platform_.files.attributes(machinePath(path), entry));
}

bool MachineQuery::isFile(const QString& path) const
{
    FileEntry entry;
    return !path.isEmpty() && platform::succeeded(platform_.files.attributes(machinePath(path), entry)) &&
           !entry.isDirectory();
}

bool MachineQuery::isFolder(const QString& path) const
{
    FileEntry entry;
    return !path.isEmpty() && platform::succeeded(platform_.files.attributes(machinePath(path), entry)) &&
           entry.isDirectory();
}

bool MachineQuery::readFile(const QString& path, qint64 maxBytes, QByteArray& bytes) const
{
    std::string raw;
    FileEntry entry;
    if (path.isEmpty() || !platform::succeeded(platform_.files.attributes(machinePath(path), entry)) ||
        entry.isPlaceholder() ||
        !platform::succeeded(platform_.files.readFile(machinePath(path), static_cast<std::uint64_t>(maxBytes), raw)))
        return false;
    bytes = QByteArray(raw.data(), static_cast<int>(raw.size()));
    return true;
}

QStringList MachineQuery::files(const QString& folder) const
{
    return list(folder, false);
}

QStringList MachineQuery::startupFiles(const QString& folder) const
{
    return StartupFolderFiles::list(platform_, machinePath(folder));
}

QStringList MachineQuery::subFolders(const QString& folder) const
{
    return list(folder, true);
}

QStringList MachineQuery::list(const QString& folder, bool wantFolders) const
{
    QStringList names;
    platform_.files.list(machinePath(folder), [&](const FileEntry& entry) {
        if (!entry.isLink() && entry.isDirectory() == wantFolders)
            names.append(toQString(entry.name));
        return true;
    });
    return names;
}

QString MachineQuery::join(const QString& folder, const QString& name)
{
    QString path = folder;
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path + QLatin1Char('\\') + name;
}

std::wstring MachineQuery::machinePath(const QString& path) const
{
    QString trimmed = native_.map(path);
    while (trimmed.size() > 3 && trimmed.endsWith(QLatin1Char('\\')))
        trimmed.chop(1);
    return toWString(trimmed);
}
