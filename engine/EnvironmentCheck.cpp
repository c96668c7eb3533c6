#include "engine/EnvironmentCheck.h"

#include "engine/OptimizeCore.h"
#include "engine/PlatformText.h"

EnvironmentCheck::EnvironmentCheck(OptimizeCore& core)
    : core_(core)
{
}

bool EnvironmentCheck::run(QString& refusal)
{
    return checkVersion(refusal) && checkSystemDrive(refusal);
}

bool EnvironmentCheck::checkVersion(QString& refusal)
{
    platform::OsVersion version;
    if (core_.machine().systemInfo.version(version) != platform::ErrorSuccess) {
        refusal = QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。");
        return false;
    }
    core_.osMajor = static_cast<int>(version.major);
    core_.osMinor = static_cast<int>(version.minor);
    core_.osBuild = static_cast<int>(version.build);
    if ((core_.osMajor == 6 && core_.osMinor >= 1) || core_.osMajor >= 10)
        return true;
    refusal = QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。");
    return false;
}

bool EnvironmentCheck::checkSystemDrive(QString& refusal)
{
    std::wstring directory;
    if (core_.machine().systemInfo.systemDirectory(directory, 260) != platform::ErrorSuccess) {
        refusal = QStringLiteral("无法识别系统盘。");
        return false;
    }
    core_.systemDrive = toQString(directory).left(2);
    return true;
}
