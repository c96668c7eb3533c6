#include "log/OsVersionName.h"

#include "engine/PlatformText.h"

namespace {

std::uint32_t dwordValue(const platform::RegistryKey& key, const wchar_t* name)
{
    platform::RegValue value;
    if (key.queryValue(name, value, 4) != platform::ErrorSuccess)
        return 0;
    return value.asDword().value_or(0);
}

std::uint32_t buildNumber(const platform::RegistryKey& key)
{
    platform::RegValue value;
    if (key.queryValue(L"CurrentBuildNumber", value, 256) != platform::ErrorSuccess)
        return 0;
    bool ok = false;
    const uint build = toQString(value.asString()).trimmed().toUInt(&ok);
    return ok ? build : 0;
}

struct VersionRow {
    std::uint32_t major;
    std::uint32_t minor;
    const char* format;
};

const VersionRow kVersionRows[] = {
    {6, 1, "Win7 (Build %1)"},
    {6, 2, "Win8 (Build %1)"},
    {6, 3, "Win8.1 (Build %1)"},
};

} // namespace

QString osVersionName(platform::Platform& platform)
{
    std::unique_ptr<platform::RegistryKey> key;
    if (platform.registry.openKey(platform::Hive::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                  platform::RegAccess::Read, platform::RegView::Native64, key) != platform::ErrorSuccess)
        return QStringLiteral("Unknown OS");
    const std::uint32_t major = dwordValue(*key, L"CurrentMajorVersionNumber");
    const std::uint32_t minor = dwordValue(*key, L"CurrentMinorVersionNumber");
    const std::uint32_t build = buildNumber(*key);
    key.reset();

    for (const VersionRow& row : kVersionRows) {
        if (major == row.major && minor == row.minor)
            return QString::fromLatin1(row.format).arg(build);
    }
    if (major == 10)
        return QString::fromLatin1(build < 22000 ? "Win10 (Build %1)" : "Win11 (Build %1)").arg(build);
    return QStringLiteral("Unknown (%1.%2 Build %3)").arg(major).arg(minor).arg(build);
}
