#pragma once

#include <QString>

class OptimizeCore;

// Decides whether the one-click run may touch the machine, and records the machine facts the later
// stages consult. Changes nothing.
class EnvironmentCheck {
public:
    explicit EnvironmentCheck(OptimizeCore& core);

    // True when the run may go on; otherwise `refusal` holds the message for the user.
    bool run(QString& refusal);

private:
    bool checkVersion(QString& refusal);
    bool checkSystemDrive(QString& refusal);

    OptimizeCore& core_;
};
