#pragma once

#include "platform/TopLevelWindows.h"

namespace platform::win32 {

// EnumWindows and the per-window queries of user32; a title is asked for with a short time-out, so that a
// hung window of another program leaves its title empty instead of blocking the enumeration.
class Win32TopLevelWindows : public TopLevelWindows {
public:
    Status enumerate(std::vector<WindowInfo>& windows) override;
};

} // namespace platform::win32
