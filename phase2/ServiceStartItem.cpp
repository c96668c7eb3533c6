#include "phase2/ServiceStartItem.h"

#include "engine/PlatformText.h"
#include "log/RunLogger.h"

using namespace platform;

namespace {

struct ServiceRow {
    const char* id;
    const char* service;
};

const ServiceRow kServices[] = {
    {"C13", "TrkWks"},      {"C10", "WwanSvc"}, {"C11", "SensrSvc"}, {"C14", "FrameServer"},
    {"C8", "BthServ"},      {"C1", "WSearch"},  {"C12", "wlidsvc"},  {"C9", "Spooler"},
};

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

QString ServiceStartItem::serviceOf(const QString& id)
{
    for (const auto& row : kServices) {
        if (id == QLatin1String(row.id))
            return QLatin1String(row.service);
    }
    return {};
}

bool ServiceStartItem::manages(const QString& service)
{
    for (const auto& row : kServices) {
        if (service.compare(QLatin1String(row.service), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ServiceStartItem::run(const OptItem& item)
{
    const QString service = serviceOf(item.id);
    if (service.isEmpty())
        return QStringLiteral("%1：未知服务项").arg(item.title);
    const QString failed = QStringLiteral("%1：设置失败或服务不存在").arg(item.title);
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
        return QStringLiteral("%1（%2）：已是手动启动").arg(item.title, service);
    if (config.startType == ServiceStart::Disabled)
        return QStringLiteral("%1（%2）：已是禁用状态，未改动").arg(item.title, service);
    if (!succeeded(handle->changeStartType(ServiceStart::Manual)))
        return failed;
    RunLogger::instance().log(QStringLiteral("[Phase2] 服务 %1 原启动类型: %2，已设为手动启动")
                                  .arg(service, startTypeName(config.startType)));
    return QStringLiteral("%1（%2）：已设为手动启动").arg(item.title, service);
}
