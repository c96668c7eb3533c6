#include "engine/StartupSource.h"

using platform::Hive;
using Kind = StartupSource::Kind;

namespace {

// In scan order.
const StartupSource kSources[] = {
    {"HKCU_Run", Kind::RunKey, Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Run", 2},
    {"HKLM_Run", Kind::RunKey, Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Run", 1},
    {"HKLM_Run32", Kind::RunKey, Hive::LocalMachine,
     "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", "Run32", 5},
    {"HKCU_RunOnce", Kind::RunOnceKey, Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
     "Run", 4},
    {"HKLM_RunOnce", Kind::RunOnceKey, Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
     "Run", 3},
    {"StartupFolder_User", Kind::Folder, Hive::CurrentUser,
     "%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs\\Startup", "StartupFolder", 11},
    {"StartupFolder_Common", Kind::Folder, Hive::LocalMachine,
     "%PROGRAMDATA%\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp", "StartupFolder", 10},
};

} // namespace

const StartupSource* StartupSource::ofType(int sourceType)
{
    for (const auto& source : kSources) {
        if (source.sourceType == sourceType)
            return &source;
    }
    return nullptr;
}

const StartupSource* StartupSource::named(const QString& name)
{
    for (const auto& source : kSources) {
        if (name == QLatin1String(source.name))
            return &source;
    }
    return nullptr;
}

const StartupSource* StartupSource::begin()
{
    return std::begin(kSources);
}

const StartupSource* StartupSource::end()
{
    return std::end(kSources);
}
