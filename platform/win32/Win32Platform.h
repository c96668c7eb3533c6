#pragma once

#include "platform/Platform.h"
#include "platform/win32/Win32Commands.h"
#include "platform/win32/Win32Devices.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Security.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Tasks.h"
#include "platform/win32/Win32TopLevelWindows.h"

#include <memory>

namespace platform::win32 {

// The real-Windows backend: one group object per interface, bundled as a Platform.
class Win32Platform {
public:
    Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& platform() { return platform_; }

private:
    Win32Registry registry_;
    Win32Services services_;
    Win32Security security_;
    Win32SystemInfo systemInfo_;
    Win32Processes processes_;
    Win32TopLevelWindows windows_;
    Win32Devices devices_;
    Win32Tasks tasks_;
    Win32Shell shell_;
    Win32Files files_;
    Win32Commands commands_;
    Platform platform_;
};

// The factory main uses on Windows.
std::unique_ptr<Win32Platform> createPlatform();

} // namespace platform::win32
