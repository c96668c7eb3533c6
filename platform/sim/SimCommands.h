#pragma once

#include "platform/Commands.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// Console tools on the simulated PC. Each known tool is simulated with its effect and its real output
// format (SimTools). The profile's "tools" section overrides any tool by name, known or not: "missing",
// "hang" past any wait, or {"exitCode": n, "output": "..."} printed instead of doing its work. A tool
// that is neither known nor named there is missing. A program not named by its absolute path is refused,
// as by the Win32 backend. Under WOW64 a tool is looked up where a 32-bit
// process looks (SimWow64). Every start is journalled.
class SimCommands : public Commands {
public:
    explicit SimCommands(SimMachine& machine);

    Status run(const std::wstring& program, const std::vector<std::wstring>& arguments, std::uint32_t timeoutMs,
               CommandResult& result) override;
    Status startDetached(const std::wstring& program, const std::vector<std::wstring>& arguments) override;
    // The simulated tools write UTF-8, the simulated PC's console code page.
    std::wstring consoleText(const std::string& bytes) const override;

    // "C:\Windows\System32\Cleanmgr.EXE" -> "cleanmgr".
    static std::wstring toolName(const std::wstring& program);

private:
    SimMachine& machine_;
};

} // namespace platform::sim
