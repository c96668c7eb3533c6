#pragma once

#include "platform/SystemInfo.h"
#include "platform/win32/NtdllFunctions.h"

namespace platform::win32 {

// The system-information group over kernel32, netapi32 and the run-time-resolved ntdll calls.
class Win32SystemInfo : public SystemInfo {
public:
    Status systemDirectory(std::wstring& path, std::uint32_t maxChars) override;
    Status isWow64Process(bool& wow64) override;
    Status version(OsVersion& version) override;
    Status powerStatus(PowerStatus& status) override;
    Status diskSpace(const std::wstring& root, DiskSpace& space) override;
    Status memoryStatus(MemoryStatus& status) override;
    Status expandEnvironment(const std::wstring& text, std::wstring& expanded) override;
    Status joinStatus(JoinStatus& status) override;
    Status memoryListCommand(std::uint32_t command) override;
    std::uint32_t driveType(const std::wstring& root) override;
    Status restorePoints(std::vector<RestorePoint>& points) override;
    Status removeRestorePoint(std::uint32_t sequenceNumber) override;

private:
    NtdllFunctions ntdll_;
};

} // namespace platform::win32
