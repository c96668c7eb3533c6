#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// What the program asks of one top-level window (IsWindowVisible, GetWindowLongW(GWL_EXSTYLE),
// GetClassNameW, GetWindowTextW, GetWindowThreadProcessId).
struct WindowInfo {
    std::uint64_t handle = 0;
    bool visible = false;
    std::uint32_t exStyle = 0;
    std::wstring className;
    std::wstring title;
    std::uint32_t pid = 0;
};

// The windows group (user32).
class TopLevelWindows {
public:
    virtual ~TopLevelWindows() = default;
    // EnumWindows, in Z order.
    virtual Status enumerate(std::vector<WindowInfo>& /*windows*/) { return ErrorCallNotImplemented; }
};

} // namespace platform
