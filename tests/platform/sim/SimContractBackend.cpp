#include "platform/ContractTest.h"
#include "platform/Text.h"
#include "platform/sim/SimPlatform.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace fs = std::filesystem;

namespace {

// A small simulated PC for the contract tests, in a fresh folder for every test.
class SimContractBackend : public ContractBackend {
public:
    SimContractBackend()
    {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tidewell-contract-" + std::to_string(random()));
        nlohmann::json profile = {
            {"system", {{"systemDirectory", "C:\\Windows\\system32"}, {"version", {{"major", 10}, {"minor", 0}, {"build", 19045}}}}},
            {"wmi", {{"Win32_Processor", {{{"ProcessorId", "BFEBFBFF000906EA"}}}}}},
            {"tools", {{"slowtool", "hang"}}},
            {"files", {{{"path", "C:\\Scratch"}, {"folder", true}}}},
            {"services", {{"wuauserv", {{"displayName", "Windows Update"}, {"state", "stopped"}, {"startType", "manual"}}}}},
            {"processes",
             {{{"pid", 4}, {"name", "System"}, {"protected", true}},
              {{"pid", 4242}, {"name", "platform_tests.exe"}, {"imagePath", "C:\\Tests\\platform_tests.exe"}, {"self", true}}}},
        };
        std::string error;
        machine_ = platform::sim::SimMachine::create(folder_, profile, error);
        if (!machine_)
            throw std::runtime_error(error);
        simulated_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
    }

    ~SimContractBackend() override
    {
        simulated_.reset();
        machine_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    platform::Platform& platform() override { return simulated_->platform(); }
    bool isSimulated() const override { return true; }
    std::wstring scratchKey() const override { return L"Software\\TidewellContract"; }
    std::wstring scratchFolder() override { return L"C:\\Scratch"; }

    void writeFile(const std::wstring& path, const std::string& bytes) override
    {
        const fs::path host = machine_->hostPath(path);
        std::error_code ec;
        fs::create_directories(host.parent_path(), ec);
        std::ofstream out(host, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    Tool printingTool(const std::string& text, int exitCode) override
    {
        machine_->document()["tools"]["printer"] = {{"exitCode", exitCode}, {"output", text}};
        return {L"C:\\Tools\\printer.exe", {}};
    }

    Tool slowTool() override { return {L"C:\\Tools\\slowtool.exe", {L"--forever"}}; }
    std::wstring missingTool() const override { return L"C:\\Tools\\no-such-tool-4711.exe"; }

    bool addTask(const std::wstring& name, bool enabled) override
    {
        std::string path = platform::toUtf8(scratchTaskFolder() + L"\\" + name);
        machine_->document()["tasks"].push_back(nlohmann::json::object({{"path", path}, {"enabled", enabled}}));
        return true;
    }

    platform::sim::SimMachine& machine() { return *machine_; }

private:
    fs::path folder_;
    std::unique_ptr<platform::sim::SimMachine> machine_;
    std::unique_ptr<platform::sim::SimPlatform> simulated_;
};

std::unique_ptr<SimContractBackend> current;

} // namespace

ContractBackend& backend()
{
    return *current;
}

void resetBackend()
{
    current = std::make_unique<SimContractBackend>();
}

void releaseBackend()
{
    current.reset();
}

void ContractTest::SetUp()
{
    resetBackend();
}

void ContractTest::TearDown()
{
    releaseBackend();
}
