#include "phase2/StartupItemAction.h"

#include "engine/StartupSource.h"
#include "phase2/PolicyRunBackup.h"
#include "startup/StartupManager.h"

#include <QStringList>

namespace {

constexpr int kPolicyRun = 6;

ItemResult outcomeResult(StartupManager::Outcome outcome, const QString& name)
{
    switch (outcome) {
    case StartupManager::Outcome::Changed:
        return ItemResult::changed(QStringLiteral("已禁用开机自启：%1").arg(name));
    case StartupManager::Outcome::AlreadySo:
        return ItemResult::unchanged(QStringLiteral("开机自启已是禁用状态：%1").arg(name));
    case StartupManager::Outcome::NotFound:
        return ItemResult::failed(QStringLiteral("自启禁用：未找到 %1，未作改动").arg(name));
    case StartupManager::Outcome::Failed:
        return ItemResult::failed(QStringLiteral("自启禁用失败：%1").arg(name));
    case StartupManager::Outcome::RunsOnce:
        return ItemResult::unchanged(QStringLiteral("自启项只运行一次，已保留不动：%1").arg(name));
    case StartupManager::Outcome::Unsupported:
        return ItemResult::unchanged(QStringLiteral("自启禁用：Windows 7 没有启动项开关，未作改动：%1").arg(name));
    }
    return {};
}

} // namespace

StartupItemAction::StartupItemAction(platform::Platform& machine)
    : machine_(machine)
{
}

ItemResult StartupItemAction::run(const QString& id)
{
    const QStringList parts = id.split(QLatin1Char(':'));
    bool isNumber = false;
    const int type = parts.size() >= 3 ? parts[1].toInt(&isNumber) : 0;
    if (!isNumber)
        return ItemResult::failed(QStringLiteral("自启禁用：参数无效"));
    const QString name = parts.mid(2).join(QLatin1Char(':'));
    if (type == kPolicyRun)
        return PolicyRunBackup(machine_).disable(name);
    const StartupSource* source = StartupSource::ofType(type);
    if (!source)
        return ItemResult::unchanged(QStringLiteral("自启项仅报告，未操作：%1").arg(name));
    StartupManager manager(machine_);
    manager.fillKnownSafeNames();
    manager.scan();
    const QString sourceName = QLatin1String(source->name);
    return outcomeResult(manager.disable(sourceName, name), manager.entryName(sourceName, name));
}
