#pragma once

#include "platform/Services.h"

namespace platform::win32 {

// The service control manager group (ADVAPI32).
class Win32Services : public Services {
public:
    Status openManager(std::uint32_t access, std::unique_ptr<ServiceManager>& manager) override;
};

} // namespace platform::win32
