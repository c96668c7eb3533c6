#pragma once

#include "platform/Shell.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// Shell links and version resources of the simulated PC, from the "shell" section of machine.json:
//   "shell": { "shortcuts": { "C:\\...\\Startup\\Foo.lnk": { "target": "C:\\Foo\\foo.exe", "arguments": "-q" } },
//              "fileDescriptions": { "C:\\Foo\\foo.exe": "Foo updater" } }
// A target is the raw path the link stores, resolved as ShortcutTarget does with the machine's environment
// (under WOW64 "%ProgramFiles%" is the 32-bit folder). Paths match without regard to case. The file itself
// must exist in the sandbox: a missing file fails with ERROR_FILE_NOT_FOUND, an existing one that is not a
// listed link or has no description with ERROR_INVALID_DATA.
class SimShell : public Shell {
public:
    explicit SimShell(SimMachine& machine);

    Status shortcutTarget(const std::wstring& lnkPath, std::wstring& target, std::wstring& arguments) override;
    Status fileDescription(const std::wstring& path, std::wstring& description) override;

    // The machine behind this group, for tests that arrange its state.
    SimMachine& machine() const { return machine_; }

private:
    // The entry of shell.<table> for `path`, or null; `status` tells why there is none.
    const nlohmann::json* entryFor(const char* table, const std::wstring& path, Status& status) const;

    SimMachine& machine_;
};

} // namespace platform::sim
