#include "bench/StageBench.h"

#include "phase1/OptimizeCore.h"

StageBench::StageBench(int argc, char* argv[], const char* usage) : out_(stdout)
{
    if (argc != 2) {
        out_ << "usage: " << usage << "\n";
        return;
    }
    std::string error;
    machine_ = platform::sim::SimMachine::open(argv[1], error);
    if (!machine_) {
        out_ << "cannot open the machine: " << QString::fromStdString(error) << "\n";
        return;
    }
    simulated_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
}

bool StageBench::environmentAccepted(OptimizeCore& core)
{
    QString refusal;
    if (core.checkEnvironment(refusal))
        return true;
    out_ << "refused: " << refusal << "\n";
    return false;
}
