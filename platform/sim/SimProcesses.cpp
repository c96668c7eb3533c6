#include "platform/sim/SimProcesses.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimSystemInfo.h"

namespace platform::sim {

namespace {

nlohmann::json* section(SimMachine& machine)
{
    auto& document = machine.document();
    auto it = document.find("processes");
    return it != document.end() && it->is_array() ? &*it : nullptr;
}

nlohmann::json* findProcess(SimMachine& machine, std::uint32_t pid)
{
    nlohmann::json* processes = section(machine);
    if (!processes)
        return nullptr;
    for (auto& process : *processes) {
        if (process.is_object() && memberOr(process, "pid", 0u) == pid)
            return &process;
    }
    return nullptr;
}

// Moves a process's working set to the available physical memory.
void emptyWorkingSet(SimMachine& machine, nlohmann::json& process)
{
    std::uint64_t bytes = memberOr(process, "workingSet", std::uint64_t{0});
    process["workingSet"] = 0;
    auto& memory = machine.document()["memory"];
    if (!memory.is_object())
        memory = nlohmann::json::object();
    const std::uint64_t total = memberOr(memory, "totalPhys", SimSystemInfo::kDefaultTotalPhys);
    const std::uint64_t available = memberOr(memory, "availPhys", total / 2) + bytes;
    memory["availPhys"] = available < total ? available : total;
}

} // namespace

SimProcesses::SimProcesses(SimMachine& machine)
    : machine_(machine)
{
}

Status SimProcesses::snapshot(std::vector<ProcessEntry>& processes)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    if (memberOr(machine_.document(), "processSnapshotFails", false))
        return ErrorAccessDenied;
    processes.clear();
    if (const nlohmann::json* all = section(machine_)) {
        for (const auto& process : *all) {
            processes.push_back({memberOr(process, "pid", 0u), memberOr(process, "parentPid", 0u),
                                 fromUtf8(memberOr(process, "name", std::string()))});
        }
    }
    return ErrorSuccess;
}

Status SimProcesses::trimWorkingSet(std::uint32_t pid)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    nlohmann::json* process = findProcess(machine_, pid);
    if (!process)
        return ErrorInvalidParameter;
    if (memberOr(*process, "protected", false))
        return ErrorAccessDenied;
    machine_.journal("process " + std::to_string(pid) + " " + memberOr(*process, "name", std::string()) +
                     " working set trimmed");
    emptyWorkingSet(machine_, *process);
    return ErrorSuccess;
}

Status SimProcesses::imagePath(std::uint32_t pid, std::wstring& path)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    nlohmann::json* process = findProcess(machine_, pid);
    if (!process)
        return ErrorInvalidParameter;
    if (memberOr(*process, "protected", false))
        return ErrorAccessDenied;
    std::string image = memberOr(*process, "imagePath", std::string());
    if (image.empty())
        return ErrorAccessDenied;
    path = fromUtf8(image);
    return ErrorSuccess;
}

std::uint32_t SimProcesses::currentProcessId()
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    if (const nlohmann::json* all = section(machine_)) {
        for (const auto& process : *all) {
            if (memberOr(process, "self", false))
                return memberOr(process, "pid", 0u);
        }
    }
    return 0;
}

void SimProcesses::trimAll(SimMachine& machine)
{
    std::lock_guard<std::recursive_mutex> lock(machine.mutex());
    nlohmann::json* all = section(machine);
    if (!all)
        return;
    for (auto& process : *all) {
        if (!memberOr(process, "protected", false))
            emptyWorkingSet(machine, process);
    }
}

} // namespace platform::sim
