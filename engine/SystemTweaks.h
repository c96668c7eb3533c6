#pragma once

#include <QString>

class StageCore;

// Applies the fixed system-setting changes: visual effects, boot configuration, adapters, services, power plan.
class SystemTweaks {
public:
    explicit SystemTweaks(StageCore& core);
    void run();

    // The high-performance power scheme.
    static constexpr const char* kHighPerformanceScheme = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";

private:
    void progress(int percent, const QString& text);

    StageCore& core_;
};
