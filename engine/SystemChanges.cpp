#include "engine/SystemChanges.h"

#include "log/RunLogger.h"
#include "text/PlatformText.h"

#include <QElapsedTimer>
#include <QThread>

using namespace platform;

namespace {

constexpr int kStopWaitMs = 3000;
constexpr int kDisableWaitMs = 2000;
constexpr int kPollMs = 200;

std::unique_ptr<RegistryKey> openForWriting(Registry& registry, Hive root, const std::wstring& subKey)
{
    std::unique_ptr<RegistryKey> key;
    if (succeeded(registry.openKey(root, subKey, RegAccess::Write, RegView::Native64, key)))
        return key;
    if (succeeded(registry.createKey(root, subKey, RegAccess::Write, RegView::Native64, key)))
        return key;
    return nullptr;
}

} // namespace

SystemChanges::SystemChanges(Platform& machine)
    : machine_(machine)
{
}

void SystemChanges::setRegistryDword(Hive root, const QString& subKey, const QString& name, std::uint32_t value)
{
    auto key = openForWriting(machine_.registry, root, toWString(subKey));
    if (!key || !succeeded(key->setValue(toWString(name), RegValue::dword(value))))
        return;
    engineLog(QStringLiteral("    注册表(DWORD): %1\\%2 = %3").arg(subKey, name).arg(value));
}

void SystemChanges::setUserRegistryString(const QString& subKey, const QString& name, const QString& text)
{
    setRegistryString(Hive::CurrentUser, subKey, name, text);
}

void SystemChanges::setRegistryString(Hive root, const QString& subKey, const QString& name, const QString& text)
{
    auto key = openForWriting(machine_.registry, root, toWString(subKey));
    if (!key || !succeeded(key->setValue(toWString(name), RegValue::string(toWString(text)))))
        return;
    engineLog(QStringLiteral("    注册表(SZ): %1\\%2 = \"%3\"").arg(subKey, name, text));
}

bool SystemChanges::stopServiceAndWait(const QString& name)
{
    std::unique_ptr<ServiceManager> manager;
    if (!succeeded(machine_.services.openManager(ManagerAccess::Connect, manager)))
        return false;
    std::unique_ptr<Service> service;
    if (!succeeded(manager->openService(toWString(name), ServiceAccess::QueryStatus | ServiceAccess::Stop, service)))
        return false;
    ServiceStatus status;
    if (!succeeded(service->stop(status)))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (status.currentState != ServiceState::Stopped) {
        if (waited.elapsed() > kStopWaitMs)
            return false;
        QThread::msleep(kPollMs);
        if (!succeeded(service->queryStatus(status)))
            return true;
    }
    return true;
}

ServiceDisable SystemChanges::disableService(const QString& name)
{
    std::unique_ptr<ServiceManager> manager;
    if (!succeeded(machine_.services.openManager(ManagerAccess::All, manager)))
        return ServiceDisable::Unavailable;
    std::unique_ptr<Service> service;
    const std::uint32_t access = ServiceAccess::QueryConfig | ServiceAccess::ChangeConfig |
                                 ServiceAccess::QueryStatus | ServiceAccess::Stop;
    const Status opened = manager->openService(toWString(name), access, service);
    if (opened == ErrorAccessDenied)
        return ServiceDisable::Refused;
    if (!succeeded(opened))
        return ServiceDisable::Unavailable;
    std::uint32_t required = 0;
    ServiceConfig config;
    service->queryConfig(config, 0, &required);
    if (succeeded(service->queryConfig(config, required)))
        engineLog(QStringLiteral("服务 %1 原始启动类型: %2 → 将设为 DISABLED").arg(name).arg(config.startType));
    // Windows 10 and 11 refuse this even to an administrator for the services they protect; stopping such a
    // service anyway would only have it started again, or leave the machine without it until the next start.
    if (!succeeded(service->changeStartType(ServiceStart::Disabled)))
        return ServiceDisable::Refused;
    return stopWhileRunning(*service, kDisableWaitMs) ? ServiceDisable::Disabled : ServiceDisable::DependentsRunning;
}

bool SystemChanges::stopWhileRunning(Service& service, int limitMs)
{
    ServiceStatus status;
    if (!succeeded(service.queryStatus(status)) || status.currentState == ServiceState::Stopped)
        return true;
    if (service.stop(status) == ErrorDependentServicesRunning)
        return false;
    QElapsedTimer waited;
    waited.start();
    while (status.currentState != ServiceState::Stopped && waited.elapsed() < limitMs) {
        QThread::msleep(kPollMs);
        if (!succeeded(service.queryStatus(status)))
            return true;
    }
    return true;
}

void SystemChanges::startService(const QString& name)
{
    std::unique_ptr<ServiceManager> manager;
    if (!succeeded(machine_.services.openManager(ManagerAccess::Connect, manager)))
        return;
    std::unique_ptr<Service> service;
    if (succeeded(manager->openService(toWString(name), ServiceAccess::Start, service)))
        service->start();
}

std::uint32_t SystemChanges::serviceState(const QString& name)
{
    std::unique_ptr<ServiceManager> manager;
    if (!succeeded(machine_.services.openManager(ManagerAccess::Connect, manager)))
        return 0;
    std::unique_ptr<Service> service;
    if (!succeeded(manager->openService(toWString(name), ServiceAccess::QueryStatus, service)))
        return 0;
    ServiceStatus status;
    return succeeded(service->queryStatus(status)) ? status.currentState : 0;
}

bool SystemChanges::isProcessRunning(const QString& name)
{
    std::vector<ProcessEntry> processes;
    if (!succeeded(machine_.processes.snapshot(processes)))
        return false;
    const QString wanted = name.toLower();
    for (const auto& process : processes) {
        if (toQString(process.exeName).toLower() == wanted)
            return true;
    }
    return false;
}
