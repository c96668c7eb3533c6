#include "analysis/InstalledPrograms.h"

namespace {

struct UninstallKey {
    platform::Hive hive;
    const char* subKey;
};

const UninstallKey kUninstallKeys[] = {
    {platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {platform::Hive::LocalMachine, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {platform::Hive::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
};

constexpr std::uint32_t kMaxSubKeyChars = 1024;
constexpr std::uint32_t kMaxStringBytes = 8192;

QString stringValue(const platform::RegistryKey& key, const QString& name)
{
    QString text;
    return MachineQuery::readString(key, name, kMaxStringBytes, text) ? text : QString();
}

} // namespace

InstalledPrograms::InstalledPrograms(const MachineQuery& machine)
    : machine_(machine)
{
}

QVector<InstalledPrograms::Program> InstalledPrograms::programs() const
{
    QVector<Program> result;
    for (const auto& uninstall : kUninstallKeys) {
        const QString parentPath = QLatin1String(uninstall.subKey);
        const auto parent = machine_.openKey(uninstall.hive, parentPath);
        if (!parent)
            continue;
        MachineQuery::forEachSubKey(*parent, kMaxSubKeyChars, [&](const QString& name) {
            const auto program = machine_.openKey(uninstall.hive, parentPath + QLatin1Char('\\') + name);
            if (program)
                result.append({stringValue(*program, QStringLiteral("DisplayName")),
                               stringValue(*program, QStringLiteral("InstallLocation"))});
        });
    }
    return result;
}

QStringList InstalledPrograms::displayNames() const
{
    QStringList names;
    for (const Program& program : programs()) {
        const QString name = program.displayName.trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}
