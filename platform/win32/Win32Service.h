#pragma once

#include "platform/Services.h"
#include "platform/win32/ServiceHandle.h"

namespace platform::win32 {

// An open service (OpenServiceW).
class Win32Service : public Service {
public:
    explicit Win32Service(UniqueServiceHandle service);

    Status queryStatus(ServiceStatus& status) override;
    Status queryConfig(ServiceConfig& config, std::uint32_t bufferBytes, std::uint32_t* requiredBytes) override;
    Status changeStartType(std::uint32_t startType) override;
    Status stop(ServiceStatus& status) override;
    Status start() override;

private:
    UniqueServiceHandle service_;
};

} // namespace platform::win32
