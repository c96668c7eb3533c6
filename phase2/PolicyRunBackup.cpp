#include "phase2/PolicyRunBackup.h"

#include "engine/PhaseTwoPlaces.h"
#include "engine/RegistryValueCopy.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

using namespace platform;

namespace {

struct PolicyKey {
    Hive hive;
    const char* label;
};

const PolicyKey kPolicyKeys[] = {{Hive::LocalMachine, "HKLM"}, {Hive::CurrentUser, "HKCU"}};

} // namespace

PolicyRunBackup::PolicyRunBackup(Platform& machine)
    : machine_(machine)
{
}

ItemResult PolicyRunBackup::disable(const QString& name)
{
    const std::wstring valueName = toWString(name);
    bool found = false;
    bool moved = false;
    for (const auto& place : kPolicyKeys) {
        std::unique_ptr<RegistryKey> run;
        RegValue value;
        if (!succeeded(
                machine_.registry.openKey(place.hive, PhaseTwoPlaces::kPolicyRunKey, RegAccess::ReadWrite, RegView::Native64, run)) ||
            !RegistryValueCopy::readWhole(*run, valueName, value))
            continue;
        found = true;
        const QString backupPath = QLatin1String(PhaseTwoPlaces::kPolicyRunBackupKey) + QLatin1String(place.label);
        std::unique_ptr<RegistryKey> backup;
        if (!succeeded(machine_.registry.createKey(Hive::LocalMachine, toWString(backupPath), RegAccess::ReadWrite,
                                                   RegView::Native64, backup)) ||
            !RegistryValueCopy::move(*run, valueName, *backup, valueName))
            continue;
        moved = true;
        RunLogger::instance().log(QStringLiteral("[Phase2] 组策略自启 %1 [%2] 已移到 HKLM\\%3")
                                      .arg(name, QLatin1String(place.label), backupPath));
    }
    if (moved)
        return ItemResult::changed(QStringLiteral("已禁用组策略自启：%1").arg(name));
    if (found)
        return ItemResult::failed(QStringLiteral("组策略自启禁用失败：%1").arg(name));
    return ItemResult::failed(QStringLiteral("组策略自启：未找到 %1，未作改动").arg(name));
}
