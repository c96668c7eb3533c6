#pragma once

#include "platform/TopLevelWindows.h"

namespace platform::win32 {

// EnumWindows and the per-window queries of user32.
class Win32TopLevelWindows : public TopLevelWindows {
public:
    Status enumerate(std::vector<WindowInfo>& windows) override;
};

} // namespace platform::win32
