#include "analysis/UninstallResidueCounter.h"

#include "analysis/MachineQuery.h"
#include "engine/CanonicalPath.h"
#include "text/PlatformText.h"

using platform::Hive;

namespace {

struct UninstallRoot {
    Hive hive;
    const char* key;
};

const UninstallRoot kUninstallRoots[] = {
    {Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {Hive::LocalMachine, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {Hive::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
};

const char* const kSystemFolders[] = {"C:\\Windows", "C:\\ProgramData"};

bool readPath(const platform::RegistryKey& key, const wchar_t* name, QString& path)
{
    platform::RegValue value;
    if (!platform::succeeded(key.queryValue(name, value, UninstallResidueCounter::kMaxValueBytes)))
        return false;
    if (value.type != platform::RegType::Sz && value.type != platform::RegType::ExpandSz)
        return false;
    path = toQString(value.asString());
    return true;
}

} // namespace

UninstallResidueCounter::UninstallResidueCounter(platform::Platform& machine)
    : machine_(machine)
{
}

int UninstallResidueCounter::run()
{
    int leftovers = 0;
    for (const auto& root : kUninstallRoots)
        leftovers += countIn(root.hive, QString::fromLatin1(root.key));
    return leftovers;
}

int UninstallResidueCounter::countIn(Hive hive, const QString& root)
{
    MachineQuery query(machine_);
    auto rootKey = query.openKey(hive, root);
    if (!rootKey)
        return 0;
    int leftovers = 0;
    MachineQuery::forEachSubKey(*rootKey, kMaxKeyNameChars, [&](const QString& name) {
        auto entry = query.openKey(hive, root + QLatin1Char('\\') + name);
        if (entry && isLeftover(installPath(*entry)))
            ++leftovers;
    });
    return leftovers;
}

QString UninstallResidueCounter::installPath(const platform::RegistryKey& entry) const
{
    QString path;
    if (readPath(entry, L"InstallLocation", path) || readPath(entry, L"InstallDir", path))
        return path;
    return QString();
}

bool UninstallResidueCounter::isLeftover(const QString& installPath) const
{
    const QString path = toQString(CanonicalPath(machine_).of(toWString(installPath)).path);
    if (path.isEmpty())
        return false;
    for (const char* folder : kSystemFolders) {
        if (path.startsWith(QLatin1String(folder), Qt::CaseInsensitive))
            return false;
    }
    return isMissing(path);
}

bool UninstallResidueCounter::isMissing(const QString& path) const
{
    platform::FileEntry entry;
    const platform::Status status =
        machine_.files.attributes(toWString(path), entry);
    return status == platform::ErrorFileNotFound || status == platform::ErrorPathNotFound;
}
