#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Item "E1": puts TCP receive-window auto-tuning back to the Windows default through netsh.
class TcpAutoTuning {
public:
    explicit TcpAutoTuning(platform::Platform& machine);
    ItemResult run();

private:
    platform::Platform& machine_;
};
