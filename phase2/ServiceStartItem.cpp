#include "phase2/ServiceStartItem.h"

#include "engine/PhaseTwoPlaces.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

using namespace platform;

namespace {

const char* const kStartTypeNames[] = {"引导", "系统", "自动", "手动", "禁用"};

QString startTypeName(std::uint32_t startType)
{
    return startType < std::size(kStartTypeNames) ? QString::fromUtf8(kStartTypeNames[startType])
                                                   : QString::number(startType);
}

} // namespace

ServiceStartItem::ServiceStartItem(Platform& machine)
    : machine_(machine)
{
}

ItemResult ServiceStartItem::run(const OptItem& item)
{
    const QString service = PhaseTwoPlaces::manualStartServiceOf(item.id);
    if (service.isEmpty())
        return ItemResult::failed(QStringLiteral("%1：未知服务项").arg(item.title));
    const ItemResult failed = ItemResult::failed(QStringLiteral("%1：设置失败或服务不存在").arg(item.title));
    std::unique_ptr<ServiceManager> manager;
    std::unique_ptr<Service> handle;
    ServiceConfig config;
    if (!succeeded(machine_.services.openManager(ManagerAccess::All, manager)) ||
        !succeeded(manager->openService(toWString(service),
                                        ServiceAccess::ChangeConfig | ServiceAccess::QueryConfig |
                                            ServiceAccess::QueryStatus,
                                        handle)) ||
        !succeeded(handle->queryConfig(config)))
        return failed;
    if (config.startType == ServiceStart::Manual)
        return ItemResult::unchanged(QStringLiteral("%1（%2）：已是手动启动").arg(item.title, service));
    if (config.startType == ServiceStart::Disabled)
        return ItemResult::unchanged(QStringLiteral("%1（%2）：已是禁用状态，未改动").arg(item.title, service));
    if (!succeeded(handle->changeStartType(ServiceStart::Manual)))
        return failed;
    RunLogger::instance().log(QStringLiteral("[Phase2] 服务 %1 原启动类型: %2，已设为手动启动")
                                  .arg(service, startTypeName(config.startType)));
    return ItemResult::changed(QStringLiteral("%1（%2）：已设为手动启动").arg(item.title, service));
}
