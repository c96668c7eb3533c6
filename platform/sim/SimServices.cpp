#include "platform/sim/SimServices.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"

namespace platform::sim {

namespace {

const std::pair<const char*, std::uint32_t> kStates[] = {
    {"stopped", ServiceState::Stopped},
    {"start-pending", ServiceState::StartPending},
    {"stop-pending", ServiceState::StopPending},
    {"running", ServiceState::Running},
};

const std::pair<const char*, std::uint32_t> kStartTypes[] = {
    {"boot", ServiceStart::Boot},         {"system", ServiceStart::System},
    {"auto", ServiceStart::Automatic},    {"manual", ServiceStart::Manual},
    {"disabled", ServiceStart::Disabled},
};

template <std::size_t N>
std::uint32_t fromJson(const nlohmann::json& value, const std::pair<const char*, std::uint32_t> (&names)[N],
                       std::uint32_t fallback)
{
    if (value.is_number_unsigned())
        return value.get<std::uint32_t>();
    if (!value.is_string())
        return fallback;
    for (const auto& [name, number] : names) {
        if (value.get<std::string>() == name)
            return number;
    }
    return fallback;
}

template <std::size_t N>
std::string toName(std::uint32_t number, const std::pair<const char*, std::uint32_t> (&names)[N])
{
    for (const auto& [name, value] : names) {
        if (value == number)
            return name;
    }
    return std::to_string(number);
}

// Each access bit a service handle was opened with, checked as the SCM does.
class SimServiceHandle : public Service {
public:
    SimServiceHandle(SimServices& services, std::shared_ptr<SimService> service, std::uint32_t access)
        : services_(services)
        , service_(std::move(service))
        , access_(access)
    {
    }

    Status queryStatus(ServiceStatus& status) override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        if (!allowed(ServiceAccess::QueryStatus))
            return ErrorAccessDenied;
        status.currentState = service_->state;
        status.win32ExitCode = 0;
        return ErrorSuccess;
    }

    Status queryConfig(ServiceConfig& config, std::uint32_t bufferBytes, std::uint32_t* requiredBytes) override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        if (!allowed(ServiceAccess::QueryConfig))
            return ErrorAccessDenied;
        // QUERY_SERVICE_CONFIGW is nine pointer-sized fields followed by its strings.
        auto needed = static_cast<std::uint32_t>(
            36 + 2 * (service_->binaryPath.size() + service_->displayName.size() + 8));
        if (requiredBytes)
            *requiredBytes = needed;
        if (bufferBytes < needed)
            return ErrorInsufficientBuffer;
        config.startType = service_->startType;
        config.binaryPath = service_->binaryPath;
        config.displayName = service_->displayName;
        return ErrorSuccess;
    }

    Status changeStartType(std::uint32_t startType) override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        if (!allowed(ServiceAccess::ChangeConfig))
            return ErrorAccessDenied;
        if (startType > ServiceStart::Disabled)
            return ErrorInvalidParameter;
        if (service_->protectedConfig) {
            journal("start type change refused");
            return ErrorAccessDenied;
        }
        journal("start type " + std::to_string(service_->startType) + " -> " + std::to_string(startType));
        service_->startType = startType;
        keep("startType", toName(startType, kStartTypes));
        return ErrorSuccess;
    }

    Status stop(ServiceStatus& status) override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        if (!allowed(ServiceAccess::Stop))
            return ErrorAccessDenied;
        if (service_->state == ServiceState::Stopped)
            return ErrorServiceNotActive;
        if (service_->state == ServiceState::StopPending || service_->onStop == "refuses") {
            journal("stop refused");
            return ErrorServiceCannotAcceptCtrl;
        }
        if (service_->onStop == "dependents") {
            journal("stop refused, dependent services running");
            return ErrorDependentServicesRunning;
        }
        if (service_->onStop == "hangs") {
            service_->state = ServiceState::StopPending;
            journal("stop -> stop pending, never stops");
            keepState();
        } else {
            service_->state = ServiceState::Stopped;
            service_->processId = 0;
            journal("stop -> stopped");
            keepState();
        }
        status.currentState = service_->state;
        return ErrorSuccess;
    }

    Status start() override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        if (!allowed(ServiceAccess::Start))
            return ErrorAccessDenied;
        if (service_->startType == ServiceStart::Disabled)
            return ErrorServiceDisabled;
        if (service_->state != ServiceState::Stopped)
            return ErrorServiceAlreadyRunning;
        service_->state = ServiceState::Running;
        journal("start -> running");
        keepState();
        return ErrorSuccess;
    }

private:
    bool allowed(std::uint32_t right) const { return (access_ & right) == right; }
    void journal(const std::string& what) { services_.machine().journal("service " + toUtf8(service_->name) + " " + what); }
    void keep(const char* member, const nlohmann::json& value)
    {
        services_.machine().keep(nlohmann::json::json_pointer() / "services" / toUtf8(service_->name) / member, value);
    }
    void keepState()
    {
        keep("state", toName(service_->state, kStates));
        keep("pid", service_->processId);
    }

    SimServices& services_;
    std::shared_ptr<SimService> service_;
    std::uint32_t access_;
};

class SimServiceManager : public ServiceManager {
public:
    SimServiceManager(SimServices& services, std::uint32_t access)
        : services_(services)
        , access_(access)
    {
    }

    Status openService(const std::wstring& name, std::uint32_t access, std::unique_ptr<Service>& service) override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        auto found = services_.find(name);
        if (!found)
            return ErrorServiceDoesNotExist;
        if (found->denied)
            return ErrorAccessDenied;
        service = std::make_unique<SimServiceHandle>(services_, found, access);
        return ErrorSuccess;
    }

    Status enumerate(std::vector<ServiceEntry>& services) override
    {
        std::lock_guard<std::recursive_mutex> lock(services_.machine().mutex());
        if ((access_ & ManagerAccess::EnumerateService) != ManagerAccess::EnumerateService)
            return ErrorAccessDenied;
        services.clear();
        for (const auto& service : services_.all())
            services.push_back({service->name, service->displayName, service->state, service->processId});
        return ErrorSuccess;
    }

private:
    SimServices& services_;
    std::uint32_t access_;
};

} // namespace

SimServices::SimServices(SimMachine& machine)
    : machine_(machine)
{
    const auto& document = machine.document();
    auto section = document.find("services");
    if (section != document.end() && section->is_object()) {
        for (auto it = section->begin(); it != section->end(); ++it) {
            auto service = std::make_shared<SimService>();
            const auto& entry = it.value();
            service->name = fromUtf8(it.key());
            service->displayName = fromUtf8(memberOr(entry, "displayName", it.key()));
            service->binaryPath = fromUtf8(memberOr(entry, "binaryPath", std::string()));
            service->state =
                fromJson(memberOr(entry, "state", nlohmann::json("stopped")), kStates, ServiceState::Stopped);
            service->startType = fromJson(memberOr(entry, "startType", nlohmann::json("manual")), kStartTypes,
                                          ServiceStart::Manual);
            service->processId = memberOr(entry, "pid", 0u);
            service->onStop = memberOr(entry, "onStop", std::string("stops"));
            service->denied = memberOr(entry, "denied", false);
            service->protectedConfig = memberOr(entry, "protected", false);
            services_[lower(service->name)] = service;
        }
    }
    machine.addState(this);
}

Status SimServices::openManager(std::uint32_t access, std::unique_ptr<ServiceManager>& manager)
{
    manager = std::make_unique<SimServiceManager>(*this, access);
    return ErrorSuccess;
}

std::shared_ptr<SimService> SimServices::find(const std::wstring& name) const
{
    auto it = services_.find(lower(name));
    return it == services_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<SimService>> SimServices::all() const
{
    std::vector<std::shared_ptr<SimService>> result;
    for (const auto& [key, service] : services_)
        result.push_back(service);
    return result;
}

void SimServices::store(nlohmann::json& document) const
{
    auto& section = document["services"];
    for (const auto& [key, service] : services_) {
        auto& entry = section[toUtf8(service->name)];
        if (!entry.is_object())
            entry = nlohmann::json::object();
        entry["state"] = toName(service->state, kStates);
        entry["startType"] = toName(service->startType, kStartTypes);
        entry["pid"] = service->processId;
    }
}

} // namespace platform::sim
