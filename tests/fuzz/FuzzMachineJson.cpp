// Hostile machine.json in a folder without drives (a recipe written by hand): opening the simulated PC never
// crashes and never makes anything outside its folder. A refusal says why; a machine that opens passes the
// schema check, answers every group of the platform, and saves so that it opens again.
#include "platform/sim/MachineSchema.h"
#include "platform/sim/SimPlatform.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace platform;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Everything the program reads of a machine, asked once; only crashes count here.
void askEveryGroup(Platform& machine)
{
    std::unique_ptr<RegistryKey> key;
    if (succeeded(machine.registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                           RegAccess::Read, RegView::Native64, key))) {
        std::wstring name;
        RegValue value;
        for (std::uint32_t i = 0; succeeded(key->enumValue(i, name, value)); ++i) {
        }
    }
    std::unique_ptr<ServiceManager> manager;
    std::vector<ServiceEntry> services;
    if (succeeded(machine.services.openManager(0, manager)) && succeeded(manager->enumerate(services))) {
        for (const ServiceEntry& entry : services) {
            std::unique_ptr<Service> service;
            ServiceConfig config;
            if (succeeded(manager->openService(entry.name, 0, service)))
                service->queryConfig(config);
        }
    }
    std::vector<ProcessEntry> processes;
    machine.processes.snapshot(processes);
    std::vector<WindowInfo> windows;
    machine.windows.enumerate(windows);
    std::vector<NetworkAdapter> adapters;
    machine.devices.adapters(adapters);
    std::vector<PrinterInfo> printers;
    machine.devices.printers(printers);
    std::unique_ptr<TaskFolder> tasks;
    std::vector<std::unique_ptr<ScheduledTask>> listed;
    if (succeeded(machine.tasks.folder(L"\\", tasks)))
        tasks->tasks(true, listed);
    OsVersion version;
    machine.systemInfo.version(version);
    DiskSpace space;
    machine.systemInfo.diskSpace(L"C:\\", space);
    std::vector<RestorePoint> points;
    machine.systemInfo.restorePoints(points);
    std::wstring expanded;
    machine.systemInfo.expandEnvironment(L"%APPDATA%\\x", expanded);
    machine.files.list(L"C:\\", [](const FileEntry&) { return true; });
    CommandResult result;
    machine.commands.run(L"C:\\Windows\\System32\\wbem\\wmic.exe", {L"path", L"SystemRestore", L"get", L"SequenceNumber"}, 10, result);
    machine.commands.run(L"C:\\Windows\\System32\\bcdedit.exe", {L"/enum", L"osloader"}, 10, result);
    machine.commands.run(L"C:\\Windows\\System32\\wevtutil.exe", {L"gl", L"System"}, 10, result);
}

// The names directly inside `folder`.
std::vector<std::string> entriesOf(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two levels between the scratch root and the machine, so that a path climbing out lands where it shows.
    static const fs::path root = fs::temp_directory_path() / ("machine-json-" + std::to_string(getpid()));
    const fs::path folder = root / "a" / "b" / "machine";
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(folder);
    std::ofstream(folder / "machine.json", std::ios::binary).write(reinterpret_cast<const char*>(data), size);

    std::string error;
    std::unique_ptr<sim::SimMachine> machine = sim::SimMachine::open(folder, error);
    require(machine != nullptr || !error.empty());
    if (machine) {
        require(sim::checkMachineSchema(machine->document(), "machine.json", error));
        auto simulated = std::make_unique<sim::SimPlatform>(*machine);
        askEveryGroup(simulated->platform());
        require(machine->save(error));
        simulated.reset();
        machine.reset();
        require(sim::SimMachine::open(folder, error) != nullptr);
    }
    require(entriesOf(root) == std::vector<std::string>{"a"});
    require(entriesOf(root / "a") == std::vector<std::string>{"b"});
    require(entriesOf(root / "a" / "b") == std::vector<std::string>{"machine"});
    return 0;
}
