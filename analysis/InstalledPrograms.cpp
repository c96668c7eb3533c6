#include "analysis/InstalledPrograms.h"

namespace {

struct UninstallKey {
    platform::Hive hive;
    const char* subKey;
    bool analysed;
};

const UninstallKey kUninstallKeys[] = {
    {platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
    {platform::Hive::LocalMachine, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
    {platform::Hive::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
    {platform::Hive::CurrentUser, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", false},
};

constexpr std::uint32_t kMaxSubKeyChars = 1024;
constexpr std::uint32_t kMaxStringBytes = 8192;

QString stringValue(const platform::RegistryKey& key, const QString& name)
{
    QString text;
    return MachineQuery::readString(key, name, kMaxStringBytes, text) ? text : QString();
}

} // namespace

InstalledPrograms::InstalledPrograms(const MachineQuery& machine, Keys keys)
    : machine_(machine)
    , keys_(keys)
{
}

QVector<InstalledPrograms::Program> InstalledPrograms::programs() const
{
    QVector<Program> result;
    for (const auto& uninstall : kUninstallKeys) {
        if (keys_ == Keys::Analysed && !uninstall.analysed)
            continue;
        const QString parentPath = QLatin1String(uninstall.subKey);
        const auto parent = machine_.openKey(uninstall.hive, parentPath);
        if (!parent)
            continue;
        MachineQuery::forEachSubKey(*parent, kMaxSubKeyChars, [&](const QString& name) {
            const auto program = machine_.openKey(uninstall.hive, parentPath + QLatin1Char('\\') + name);
            if (program)
                result.append({stringValue(*program, QStringLiteral("DisplayName")),
                               stringValue(*program, QStringLiteral("InstallLocation")),
                               stringValue(*program, QStringLiteral("UninstallString")),
                               stringValue(*program, QStringLiteral("DisplayIcon"))});
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
