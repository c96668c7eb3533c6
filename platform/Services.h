#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// SERVICE_STATUS.dwCurrentState values.
namespace ServiceState {
constexpr std::uint32_t Stopped = 1;
constexpr std::uint32_t StartPending = 2;
constexpr std::uint32_t StopPending = 3;
constexpr std::uint32_t Running = 4;
} // namespace ServiceState

// Start types (dwStartType).
namespace ServiceStart {
constexpr std::uint32_t Boot = 0;
constexpr std::uint32_t System = 1;
constexpr std::uint32_t Automatic = 2;
constexpr std::uint32_t Manual = 3;
constexpr std::uint32_t Disabled = 4;
} // namespace ServiceStart

// Access rights, as the SCM checks them.
namespace ServiceAccess {
constexpr std::uint32_t QueryConfig = 0x0001;
constexpr std::uint32_t ChangeConfig = 0x0002;
constexpr std::uint32_t QueryStatus = 0x0004;
constexpr std::uint32_t Start = 0x0010;
constexpr std::uint32_t Stop = 0x0020;
constexpr std::uint32_t All = 0xF01FF;
} // namespace ServiceAccess

namespace ManagerAccess {
constexpr std::uint32_t Connect = 0x0001;
constexpr std::uint32_t EnumerateService = 0x0004;
constexpr std::uint32_t All = 0xF003F;
} // namespace ManagerAccess

struct ServiceStatus {
    std::uint32_t currentState = ServiceState::Stopped;
    std::uint32_t win32ExitCode = 0;
};

// QUERY_SERVICE_CONFIGW, the members the program reads.
struct ServiceConfig {
    std::uint32_t startType = ServiceStart::Manual;
    std::wstring binaryPath;
    std::wstring displayName;
};

// ENUM_SERVICE_STATUS_PROCESSW.
struct ServiceEntry {
    std::wstring name;
    std::wstring displayName;
    std::uint32_t currentState = ServiceState::Stopped;
    std::uint32_t processId = 0;
};

// An open service handle (SC_HANDLE from OpenServiceW); closed by the destructor.
class Service {
public:
    virtual ~Service() = default;
    // QueryServiceStatus.
    virtual Status queryStatus(ServiceStatus& status) = 0;
    // QueryServiceConfigW: with a buffer of `bufferBytes`; ERROR_INSUFFICIENT_BUFFER and `requiredBytes`
    // when it is too small (bufferBytes 0 asks for the size).
    virtual Status queryConfig(ServiceConfig& config, std::uint32_t bufferBytes = 8192,
                               std::uint32_t* requiredBytes = nullptr) = 0;
    // ChangeServiceConfigW with SERVICE_NO_CHANGE for everything but the start type.
    virtual Status changeStartType(std::uint32_t startType) = 0;
    // ControlService(SERVICE_CONTROL_STOP): ERROR_SERVICE_NOT_ACTIVE when it is not running.
    virtual Status stop(ServiceStatus& status) = 0;
    // StartServiceW without arguments.
    virtual Status start() = 0;
};

// An open service control manager (OpenSCManagerW); closed by the destructor.
class ServiceManager {
public:
    virtual ~ServiceManager() = default;
    // OpenServiceW: ERROR_SERVICE_DOES_NOT_EXIST for an unknown name, ERROR_ACCESS_DENIED when refused.
    virtual Status openService(const std::wstring& name, std::uint32_t access, std::unique_ptr<Service>& service) = 0;
    // EnumServicesStatusExW for SERVICE_WIN32, SERVICE_STATE_ALL.
    virtual Status enumerate(std::vector<ServiceEntry>& services) = 0;
};

// The service control manager group (ADVAPI32).
class Services {
public:
    virtual ~Services() = default;
    virtual Status openManager(std::uint32_t /*access*/, std::unique_ptr<ServiceManager>& /*manager*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
