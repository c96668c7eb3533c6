#include "platform/ComSecurity.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/HresultStatus.h"

namespace platform {

std::uint32_t setComSecurity()
{
    win32::ComApartment::enter();
    const HRESULT result = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                                RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    return SUCCEEDED(result) ? 0 : win32::statusFromHresult(result);
}

} // namespace platform
