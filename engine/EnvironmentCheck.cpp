#include "engine/EnvironmentCheck.h"

#include "engine/ConsoleTool.h"
#include "engine/DualBootSigns.h"
#include "engine/StageCore.h"
#include "text/ConsoleText.h"
#include "text/PlatformText.h"

using namespace platform;

namespace {

constexpr std::uint8_t kNoSystemBattery = 128;
constexpr std::uint8_t kAcOffline = 0;
constexpr int kLowestBatteryPercent = 20;
constexpr int kBcdeditWaitMs = 5000;

} // namespace

EnvironmentCheck::EnvironmentCheck(StageCore& core)
    : core_(core)
{
}

bool EnvironmentCheck::run(QString& refusal)
{
    if (!checkAdministrator(refusal) || !checkVersion(refusal))
        return false;
    readDomainMembership();
    if (!checkPower(refusal) || !checkSystemDrive(refusal))
        return false;
    detectDualBoot();
    return true;
}

bool EnvironmentCheck::checkAdministrator(QString& refusal)
{
    bool member = false;
    if (succeeded(core_.machine().security.isAdministrator(member)) && member)
        return true;
    refusal = QStringLiteral("需要管理员权限才能运行优化。");
    return false;
}

bool EnvironmentCheck::checkVersion(QString& refusal)
{
    OsVersion version;
    if (succeeded(core_.machine().systemInfo.version(version))) {
        core_.osMajor = static_cast<int>(version.major);
        core_.osMinor = static_cast<int>(version.minor);
        core_.osBuild = static_cast<int>(version.build);
        if ((core_.osMajor == 6 && core_.osMinor >= 1) || core_.osMajor >= 10)
            return true;
    }
    refusal = QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。");
    return false;
}

void EnvironmentCheck::readDomainMembership()
{
    JoinStatus status = JoinStatus::Unknown;
    core_.isDomainJoined = succeeded(core_.machine().systemInfo.joinStatus(status)) && status == JoinStatus::Domain;
}

bool EnvironmentCheck::checkPower(QString& refusal)
{
    PowerStatus power;
    if (!succeeded(core_.machine().systemInfo.powerStatus(power))) {
        refusal = QStringLiteral("无法检测电源状态。");
        return false;
    }
    core_.hasBattery = power.batteryFlag != kNoSystemBattery;
    core_.onBattery = power.acLineStatus == kAcOffline;
    core_.batteryPercent = power.batteryLifePercent > 100 ? -1 : power.batteryLifePercent;
    if (core_.onBattery && core_.batteryPercent < kLowestBatteryPercent) {
        refusal = QStringLiteral("电池电量过低（低于20%），请连接电源后再试。");
        return false;
    }
    return true;
}

bool EnvironmentCheck::checkSystemDrive(QString& refusal)
{
    std::wstring directory;
    if (!succeeded(core_.machine().systemInfo.systemDirectory(directory, 260)) || directory.empty()) {
        refusal = QStringLiteral("无法识别系统盘。");
        return false;
    }
    core_.systemDrive = toQString(directory).left(2);
    return true;
}

void EnvironmentCheck::detectDualBoot()
{
    int installations = 0;
    core_.machine().files.list(toWString(core_.systemDrive + QLatin1Char('\\')), [&](const FileEntry& entry) {
        if (entry.isDirectory() && !(entry.attributes & FileAttribute::Hidden) &&
            DualBootSigns::isInstallationFolder(toQString(entry.name)))
            ++installations;
        return true;
    });
    core_.isDualBoot = installations > 1 || bootLoaderCount() > 1;
}

int EnvironmentCheck::bootLoaderCount()
{
    const ConsoleTool::Outcome outcome =
        ConsoleTool::run(core_.machine(), QStringLiteral("bcdedit"),
                         {QStringLiteral("/enum"), QStringLiteral("osloader")}, kBcdeditWaitMs);
    return outcome.succeeded() ? DualBootSigns::loaderBlocks(ConsoleText::lines(outcome.output)) : 0;
}
