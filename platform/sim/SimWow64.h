#pragma once

#include "platform/sim/SimMachine.h"

#include <string>

namespace platform::sim {

// What a 32-bit process meets on 64-bit Windows when the profile says it runs under WOW64
// ("system": {"wow64": true}): file paths below "%WINDIR%\System32" reach SysWOW64 (except the folders
// Windows exempts), "%WINDIR%\Sysnative" reaches the native System32, and a console tool started from
// System32 is one of SysWOW64, where the native-only tools (bcdedit) are missing.
// Without WOW64 paths are used as given and Sysnative does not exist, as for a 64-bit process.
class SimWow64 {
public:
    explicit SimWow64(const SimMachine& machine);

    bool active() const { return active_; }

    // The path the process really reaches: `path` itself, or `storage` filled with the redirected path.
    const std::wstring& redirect(const std::wstring& path, std::wstring& storage) const;

    // False when the process cannot start `program` (an absolute path) because of where WOW64 makes it look.
    bool reachesTool(const std::wstring& program, const std::wstring& toolName) const;

private:
    // The length of `prefix` (a folder) when `path` starts with it followed by the end or a separator, else 0.
    static std::size_t folderPrefix(const std::wstring& path, const std::wstring& prefix);
    bool isExempt(const std::wstring& rest) const;

    bool active_ = false;
    std::wstring system32_;  // lower case, "c:\windows\system32"
    std::wstring sysnative_; // lower case
    std::wstring syswow64_;  // as a path: "C:\Windows\SysWOW64"
    std::wstring native_;    // as a path: "C:\Windows\System32"
};

} // namespace platform::sim
