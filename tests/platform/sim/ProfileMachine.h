#pragma once

#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>

// A simulated PC made from a profile in a fresh temporary folder, removed again with the object; for the
// tests of what only the simulated PC shows.
class ProfileMachine {
public:
    explicit ProfileMachine(const nlohmann::json& profile)
    {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() / ("tidewell-sim-" + std::to_string(random()));
        open(profile);
    }

    ~ProfileMachine()
    {
        platform_.reset();
        machine_.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    ProfileMachine(const ProfileMachine&) = delete;
    ProfileMachine& operator=(const ProfileMachine&) = delete;

    platform::Platform& platform() { return platform_->platform(); }
    platform::sim::SimMachine& machine() { return *machine_; }
    std::filesystem::path host(const std::wstring& windowsPath) const { return machine_->hostPath(windowsPath); }

    // Saves the machine and opens it again, as the next run would see it.
    void reopen()
    {
        std::string error;
        if (!machine_->save(error))
            throw std::runtime_error(error);
        platform_.reset();
        machine_ = platform::sim::SimMachine::open(folder_, error);
        if (!machine_)
            throw std::runtime_error(error);
        platform_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
    }

    bool journalHas(const std::string& line) const
    {
        for (const auto& entry : machine_->journalLines()) {
            if (entry == line)
                return true;
        }
        return false;
    }

private:
    void open(const nlohmann::json& profile)
    {
        std::string error;
        machine_ = platform::sim::SimMachine::create(folder_, profile, error);
        if (!machine_)
            throw std::runtime_error(error);
        platform_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
    }

    std::filesystem::path folder_;
    std::unique_ptr<platform::sim::SimMachine> machine_;
    std::unique_ptr<platform::sim::SimPlatform> platform_;
};
