#include "platform/Platform.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
std::atomic<Platform*> processPlatform{nullptr};
}

Platform& current()
{
    Platform* platform = processPlatform.load();
    if (!platform) {
        std::fputs("platform::current() used before a platform was chosen\n", stderr);
        std::abort();
    }
    return *platform;
}

void setCurrent(Platform* platform)
{
    processPlatform.store(platform);
}

} // namespace platform
