#pragma once

#include <QString>

class StageCore;

// Switches off the telemetry tasks and writes the privacy values.
class PrivacyTweaks {
public:
    explicit PrivacyTweaks(StageCore& core);
    void run();

private:
    // A task or folder the machine lacks is passed over without a word.
    void disableTelemetryTasks();
    void progress(int percent, const QString& text);

    StageCore& core_;
};
