#pragma once

#include "platform/Platform.h"

#include <QString>

// Item "E1": puts TCP receive-window auto-tuning back to the Windows default through netsh.
class TcpAutoTuning {
public:
    explicit TcpAutoTuning(platform::Platform& machine);
    QString run();

private:
    platform::Platform& machine_;
};
