#pragma once

#include <QString>

class OptimizeCore;

// Applies the fixed system-setting changes: visual effects, boot configuration, adapters, services, power plan.
class SystemTweaks {
public:
    explicit SystemTweaks(OptimizeCore& core);
    void run();

private:
    OptimizeCore& core_;
};
