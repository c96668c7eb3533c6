#include "engine/undo/RecordingServices.h"

#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeRecordWriter.h"
#include "text/PlatformText.h"

#include <QJsonObject>

using namespace platform;

namespace
{

class RecordingService : public Service
{
public:
    RecordingService(std::unique_ptr<Service> inner, ServiceManager& manager, std::wstring name,
                     ChangeRecordWriter& record)
        : inner_(std::move(inner)), manager_(manager), name_(std::move(name)), record_(record)
    {
    }

    Status queryStatus(ServiceStatus& status) override { return inner_->queryStatus(status); }
    Status queryConfig(ServiceConfig& config, std::uint32_t bufferBytes, std::uint32_t* requiredBytes) override
    {
        return inner_->queryConfig(config, bufferBytes, requiredBytes);
    }
    Status start() override { return inner_->start(); }

    Status changeStartType(std::uint32_t startType) override
    {
        ServiceConfig config;
        // The handle the caller holds may lack the right to read the configuration; a handle of our own has it.
        std::unique_ptr<Service> reader;
        if (succeeded(manager_.openService(name_, ServiceAccess::QueryConfig, reader)) &&
            succeeded(reader->queryConfig(config)))
            append(ChangeJson::kServiceStart, static_cast<int>(config.startType));
        return inner_->changeStartType(startType);
    }

    Status stop(ServiceStatus& status) override
    {
        ServiceStatus before;
        std::unique_ptr<Service> reader;
        if (succeeded(manager_.openService(name_, ServiceAccess::QueryStatus, reader)) &&
            succeeded(reader->queryStatus(before)) && before.currentState == ServiceState::Running)
            append(ChangeJson::kServiceStopped, QJsonValue());
        return inner_->stop(status);
    }

private:
    void append(const char* kind, const QJsonValue& prior)
    {
        QJsonObject change{{QStringLiteral("kind"), QLatin1String(kind)},
                           {QStringLiteral("service"), toQString(name_)}};
        if (!prior.isNull())
            change.insert(QStringLiteral("prior"), prior);
        record_.append(change);
    }

    std::unique_ptr<Service> inner_;
    ServiceManager& manager_;
    std::wstring name_;
    ChangeRecordWriter& record_;
};

class RecordingManager : public ServiceManager
{
public:
    RecordingManager(std::unique_ptr<ServiceManager> inner, ChangeRecordWriter& record)
        : inner_(std::move(inner)), record_(record)
    {
    }

    Status openService(const std::wstring& name, std::uint32_t access, std::unique_ptr<Service>& service) override
    {
        const Status status = inner_->openService(name, access, service);
        if (succeeded(status))
            service = std::make_unique<RecordingService>(std::move(service), *inner_, name, record_);
        return status;
    }

    Status enumerate(std::vector<ServiceEntry>& services) override { return inner_->enumerate(services); }

private:
    std::unique_ptr<ServiceManager> inner_;
    ChangeRecordWriter& record_;
};

} // namespace

RecordingServices::RecordingServices(Services& inner, ChangeRecordWriter& record) : inner_(inner), record_(record) {}

Status RecordingServices::openManager(std::uint32_t access, std::unique_ptr<ServiceManager>& manager)
{
    const Status status = inner_.openManager(access, manager);
    if (succeeded(status))
        manager = std::make_unique<RecordingManager>(std::move(manager), record_);
    return status;
}
