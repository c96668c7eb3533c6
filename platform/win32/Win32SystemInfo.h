#pragma once

#include "platform/SystemInfo.h"
#include "platform/win32/NtdllFunctions.h"
#include "platform/win32/Win32Handle.h"

#include <mutex>

namespace platform::win32 {

// The system-information group over kernel32, netapi32 and the run-time-resolved ntdll calls. When the
// program runs as another account than the user of its session (findInteractiveUser), environment strings
// are expanded with that user's environment (ExpandEnvironmentStringsForUserW, userenv loaded at run
// time), so that %TEMP%, %LOCALAPPDATA%, %APPDATA% and %USERPROFILE% name that user's folders.
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
    // The token of the session's user when the program runs as another account; null otherwise.
    HANDLE otherUserToken();

    NtdllFunctions ntdll_;
    std::once_flag userLookedUp_;
    UniqueHandle otherUserToken_;
};

} // namespace platform::win32
