#include "log/OsVersionName.h"

#include "text/PlatformText.h"

#include <QStringList>

namespace {

std::uint32_t dwordValue(const platform::RegistryKey& key, const wchar_t* name)
{
    platform::RegValue value;
    if (key.queryValue(name, value, 4) != platform::ErrorSuccess)
        return 0;
    return value.asDword().value_or(0);
}

QString textValue(const platform::RegistryKey& key, const wchar_t* name)
{
    platform::RegValue value;
    if (key.queryValue(name, value, 256) != platform::ErrorSuccess)
        return {};
    return toQString(value.asString()).trimmed();
}

std::uint32_t buildNumber(const platform::RegistryKey& key)
{
    bool ok = false;
    const uint build = textValue(key, L"CurrentBuildNumber").toUInt(&ok);
    return ok ? build : 0;
}

struct MajorMinor {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// Windows 10 added the number values; Windows 7, 8 and 8.1 only have CurrentVersion ("6.1", "6.2", "6.3"),
// which Windows 10 and 11 still hold as "6.3" for old programs, so it counts only where the numbers are absent.
MajorMinor majorMinor(const platform::RegistryKey& key)
{
    platform::RegValue value;
    if (key.queryValue(L"CurrentMajorVersionNumber", value, 4) != platform::ErrorFileNotFound)
        return {dwordValue(key, L"CurrentMajorVersionNumber"), dwordValue(key, L"CurrentMinorVersionNumber")};
    const QStringList parts = textValue(key, L"CurrentVersion").split(QLatin1Char('.'));
    if (parts.size() != 2)
        return {};
    return {parts[0].toUInt(), parts[1].toUInt()};
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
    const auto [major, minor] = majorMinor(*key);
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
