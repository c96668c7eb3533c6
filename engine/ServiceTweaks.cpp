#include "engine/ServiceTweaks.h"

#include "engine/StageCore.h"
#include "engine/VirtualPrinterCheck.h"
#include "log/RunLogger.h"

using TweakTables::KeepWhen;

ServiceTweaks::ServiceTweaks(StageCore& core)
    : core_(core)
{
}

void ServiceTweaks::apply()
{
    const bool virtualPrinter = VirtualPrinterCheck::hasVirtualPrinter(core_.machine().devices);
    for (const auto& service : TweakTables::kServices) {
        if (!isProcessed(service))
            continue;
        if (service.keepWhen == KeepWhen::BiometricOrNoBattery && hasBiometricDevice()) {
            engineLog(QStringLiteral("C6 跳过：检测到生物识别设备，保留 %1").arg(QString::fromLatin1(service.name)));
            continue;
        }
        if (isKept(service, virtualPrinter)) {
            engineLog(QString::fromUtf8(service.keptLine));
            continue;
        }
        disableFirstList(QString::fromLatin1(service.name));
    }
    for (const auto& service : TweakTables::kLegacyServices) {
        if (service.passedOverOnWindows7 && core_.isWindows7())
            continue;
        disableLegacy(QString::fromLatin1(service.name));
    }
}

bool ServiceTweaks::isProcessed(const TweakTables::ServiceTweak& service) const
{
    if (service.windows10Only)
        return core_.isWindows10OrLater();
    return !(service.skipOnWindows7 && core_.isWindows7());
}

bool ServiceTweaks::isKept(const TweakTables::ServiceTweak& service, bool virtualPrinter) const
{
    switch (service.keepWhen) {
    case KeepWhen::VirtualPrinter:
        return virtualPrinter;
    case KeepWhen::BiometricOrNoBattery:
        return !core_.hasBattery;
    case KeepWhen::DomainJoined:
        return core_.isDomainJoined;
    case KeepWhen::Never:
        break;
    }
    return false;
}

bool ServiceTweaks::hasBiometricDevice() const
{
    std::vector<std::wstring> devices;
    return platform::succeeded(core_.machine().devices.presentDevicesOfClass(kBiometricClass, devices)) &&
           !devices.empty();
}

void ServiceTweaks::disableFirstList(const QString& name)
{
    try {
        report(QStringLiteral("C2-C7"), name, core_.disableService(name), QStringLiteral("不存在或前置不满足，跳过"));
    } catch (...) {
        engineLog(QStringLiteral("  服务 %1 禁用失败").arg(name));
    }
}

void ServiceTweaks::disableLegacy(const QString& name)
{
    try {
        report(QStringLiteral("V1.4"), name, core_.disableService(name), QStringLiteral("不存在或已禁用，跳过"));
    } catch (...) {
        engineLog(QStringLiteral("  旧版服务 %1 禁用失败").arg(name));
    }
}

void ServiceTweaks::report(const QString& list, const QString& name, ServiceDisable outcome, const QString& skipped)
{
    switch (outcome) {
    case ServiceDisable::Disabled:
        engineLog(QStringLiteral("  服务禁用 [%1]: %2 → 已禁用").arg(list, name));
        return;
    case ServiceDisable::Unavailable:
        engineLog(QStringLiteral("  服务 [%1]: %2 → %3").arg(list, name, skipped));
        return;
    case ServiceDisable::Refused:
        engineLog(QStringLiteral("  服务 [%1]: %2 → 系统拒绝更改启动类型（受保护的服务），保持原状，未停止").arg(list, name));
        return;
    case ServiceDisable::DependentsRunning:
        engineLog(QStringLiteral("  服务禁用 [%1]: %2 → 已禁用，依赖它的服务仍在运行，暂不停止").arg(list, name));
        return;
    }
}
