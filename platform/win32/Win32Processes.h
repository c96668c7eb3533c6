#pragma once

#include "platform/Processes.h"

namespace platform::win32 {

// The processes group over Toolhelp and kernel32.
class Win32Processes : public Processes {
public:
    Status snapshot(std::vector<ProcessEntry>& processes) override;
    Status trimWorkingSet(std::uint32_t pid) override;
    Status imagePath(std::uint32_t pid, std::wstring& path) override;
    std::uint32_t currentProcessId() override;
};

} // namespace platform::win32
