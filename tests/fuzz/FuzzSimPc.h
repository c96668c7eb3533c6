#pragma once

#include "platform/sim/SimPlatform.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

// A small simulated Windows 10 PC for one input of a target that reads through the platform, in a scratch
// folder of the process's own. It is made afresh for each input and gone after it: a PC kept across inputs
// would grow its journal with every change, and libFuzzer would then take each input for a leak and scan
// the whole heap after it.
class FuzzSimPc {
public:
    FuzzSimPc()
    {
        std::filesystem::remove_all(folder());
        std::string error;
        machine_ = platform::sim::SimMachine::create(
            folder(), {{"system", {{"version", {{"major", 10}, {"minor", 0}, {"build", 19045}}}}}}, error);
        if (!machine_)
            std::abort();
        simulated_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
    }

    ~FuzzSimPc()
    {
        simulated_.reset();
        machine_.reset();
        std::filesystem::remove_all(folder());
    }

    platform::Platform& platform() { return simulated_->platform(); }
    platform::sim::SimMachine& machine() { return *machine_; }

private:
    static const std::filesystem::path& folder()
    {
        static const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("fuzz-pc-" + std::to_string(getpid()));
        return path;
    }

    std::unique_ptr<platform::sim::SimMachine> machine_;
    std::unique_ptr<platform::sim::SimPlatform> simulated_;
};
