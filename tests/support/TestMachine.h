#pragma once

#include "platform/sim/SimPlatform.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A simulated PC for one test, in a temporary folder that disappears with it.
class TestMachine {
public:
    // A small Windows 10 (build 19045) desktop: version values, system directory and the two device
    // identity answers of wmic. Tests merge what they need on top with mergeProfile.
    static nlohmann::json windows10();

    explicit TestMachine(const nlohmann::json& profile = windows10());

    platform::Platform& platform() { return simulated_->platform(); }
    platform::sim::SimMachine& machine() { return *machine_; }
    QString folder() const { return dir_.path(); }

    // The host path of a Windows path on this machine.
    QString hostPath(const QString& windowsPath) const;

    QStringList journal() const;

    // Saves the machine and opens it again, as a second run would see it.
    void reopen();

private:
    QTemporaryDir dir_;
    std::unique_ptr<platform::sim::SimMachine> machine_;
    std::unique_ptr<platform::sim::SimPlatform> simulated_;
};
