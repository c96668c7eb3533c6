#pragma once

#include <QString>

class OptimizeCore;

// Switches off the telemetry tasks and writes the privacy values.
class PrivacyTweaks {
public:
    explicit PrivacyTweaks(OptimizeCore& core);
    void run();

private:
    OptimizeCore& core_;
};
