#include "platform/sim/SimCommands.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimTools.h"
#include "platform/sim/SimWow64.h"

#include <cstdlib>

namespace platform::sim {

namespace {

std::string commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::string line = toUtf8(program);
    for (const auto& argument : arguments)
        line += " " + toUtf8(argument);
    return line;
}

// The profile's override for a tool: "missing", "hang", "powerLoss", or an object with "exitCode"/"output"
// ("fail").
constexpr int kPowerLossExit = 137;

nlohmann::json behaviourOf(const SimMachine& machine, const std::wstring& name)
{
    const auto& document = machine.document();
    if (!document.contains("tools") || !document["tools"].is_object())
        return nullptr;
    for (auto it = document["tools"].begin(); it != document["tools"].end(); ++it) {
        if (equalsIgnoreCase(fromUtf8(it.key()), name))
            return it.value();
    }
    return nullptr;
}

// A bare name would be searched for first in the folder of the running program, on the stick. The stick's
// own programs (the updater) are named by their Linux path here.
bool refuseBareName(SimMachine& machine, const std::wstring& program, const std::string& line)
{
    if (isAbsolutePath(program) || (!program.empty() && program.front() == L'/'))
        return false;
    machine.journal(line + " -> refused, not a full path");
    return true;
}

} // namespace

SimCommands::SimCommands(SimMachine& machine)
    : machine_(machine)
{
}

std::wstring SimCommands::toolName(const std::wstring& program)
{
    std::wstring name = program;
    auto slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name = name.substr(slash + 1);
    name = lower(name);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, L".exe") == 0)
        name.resize(name.size() - 4);
    return name;
}

Status SimCommands::run(const std::wstring& program, const std::vector<std::wstring>& arguments,
                        std::uint32_t timeoutMs, CommandResult& result)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    result = {};
    std::wstring name = toolName(program);
    std::string line = "command " + commandLine(program, arguments);
    if (refuseBareName(machine_, program, line))
        return ErrorBadPathname;
    nlohmann::json behaviour = behaviourOf(machine_, name);
    const ToolHandler* handler = findTool(name);
    if (!SimWow64(machine_).reachesTool(program, name) || behaviour == "missing" ||
        (!handler && !behaviour.is_object() && behaviour != "hang")) {
        machine_.journal(line + " -> not found");
        return ErrorFileNotFound;
    }
    if (behaviour == "hang") {
        machine_.journal(line + " -> no answer within " + std::to_string(timeoutMs) + " ms, ended");
        return WaitTimeout;
    }
    if (behaviour == "powerLoss") {
        // The PC goes dark here: the program ends at once, nothing is saved, as when it is killed half way.
        machine_.journal(line + " -> power lost");
        std::_Exit(kPowerLossExit);
    }
    if (behaviour.is_object()) {
        result.exitCode = memberOr(behaviour, "exitCode", 1u);
        result.output = memberOr(behaviour, "output", std::string());
        machine_.journal(line + " -> failed, exit " + std::to_string(result.exitCode));
        return ErrorSuccess;
    }
    ToolOutcome outcome = (*handler)(machine_, arguments);
    result.exitCode = outcome.exitCode;
    result.output = std::move(outcome.output);
    machine_.journal(line + " -> exit " + std::to_string(result.exitCode));
    return ErrorSuccess;
}

Status SimCommands::startDetached(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring name = toolName(program);
    std::string line = "start " + commandLine(program, arguments);
    if (refuseBareName(machine_, program, line))
        return ErrorBadPathname;
    nlohmann::json behaviour = behaviourOf(machine_, name);
    const ToolHandler* handler = findTool(name);
    if (!SimWow64(machine_).reachesTool(program, name) || behaviour == "missing" ||
        (!handler && !behaviour.is_object() && behaviour != "hang")) {
        machine_.journal(line + " -> not found");
        return ErrorFileNotFound;
    }
    machine_.journal(line + " -> started");
    if (handler && behaviour.is_null())
        (*handler)(machine_, arguments);
    return ErrorSuccess;
}

std::wstring SimCommands::consoleText(const std::string& bytes) const
{
    return fromUtf8(bytes);
}

} // namespace platform::sim
