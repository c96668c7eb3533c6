#pragma once

#include "platform/Processes.h"

#include <mutex>

namespace platform::win32 {

// The processes group over Toolhelp and kernel32. The first trim enables the debug privilege, without which
// an administrator may not open the processes of other accounts and services; protected processes refuse
// even then (ERROR_ACCESS_DENIED) and are left alone.
class Win32Processes : public Processes {
public:
    Status snapshot(std::vector<ProcessEntry>& processes) override;
    Status trimWorkingSet(std::uint32_t pid) override;
    Status imagePath(std::uint32_t pid, std::wstring& path) override;
    std::uint32_t currentProcessId() override;

private:
    std::once_flag debugPrivilege_;
};

} // namespace platform::win32
