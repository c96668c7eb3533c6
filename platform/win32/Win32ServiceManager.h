#pragma once

#include "platform/Services.h"
#include "platform/win32/ServiceHandle.h"

namespace platform::win32 {

// An open service control manager (OpenSCManagerW).
class Win32ServiceManager : public ServiceManager {
public:
    explicit Win32ServiceManager(UniqueServiceHandle manager);

    Status openService(const std::wstring& name, std::uint32_t access, std::unique_ptr<Service>& service) override;
    Status enumerate(std::vector<ServiceEntry>& services) override;

private:
    UniqueServiceHandle manager_;
};

} // namespace platform::win32
