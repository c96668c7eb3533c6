#include "platform/PrimaryScreen.h"

namespace platform {

// The simulated PC has no monitor: the window keeps whatever scale Qt chooses on the host.
PrimaryScreen primaryScreen()
{
    return {};
}

} // namespace platform
