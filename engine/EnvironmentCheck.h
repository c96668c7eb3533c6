#pragma once

#include <QString>

class StageCore;

// Decides whether the one-click run may touch the machine, and records the machine facts the later
// stages consult (version, domain, power, system drive, dual boot). Changes nothing. The checks run in a
// fixed order and the first refusal wins.
class EnvironmentCheck {
public:
    explicit EnvironmentCheck(StageCore& core);

    // True when the run may go on; otherwise `refusal` holds the message for the user.
    bool run(QString& refusal);

private:
    bool checkAdministrator(QString& refusal);
    bool checkVersion(QString& refusal);
    void readDomainMembership();
    bool checkPower(QString& refusal);
    bool checkSystemDrive(QString& refusal);
    // Two Windows folders at the root of the system drive, or two loaders in the boot configuration.
    void detectDualBoot();
    int bootLoaderCount();

    StageCore& core_;
};
