#include "platform/ComSecurity.h"

namespace platform {

std::uint32_t setComSecurity()
{
    return 0;
}

} // namespace platform
