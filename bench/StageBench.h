#pragma once

#include "platform/sim/SimPlatform.h"

#include <QTextStream>

class OptimizeCore;

#include <memory>

// What the stage drivers share: the simulated PC in the folder named on the command line, opened as the
// programs open it, or a message and exit code 2 when it cannot be.
class StageBench
{
public:
    StageBench(int argc, char* argv[], const char* usage);

    bool isOpen() const { return simulated_ != nullptr; }
    platform::Platform& platform() { return simulated_->platform(); }
    QTextStream& out() { return out_; }
    // Runs the environment check that every stage needs first; prints "refused: ..." when it refuses.
    bool environmentAccepted(OptimizeCore& core);

private:
    QTextStream out_;
    std::unique_ptr<platform::sim::SimMachine> machine_;
    std::unique_ptr<platform::sim::SimPlatform> simulated_;
};
