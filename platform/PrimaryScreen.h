#pragma once

namespace platform {

// The primary monitor as the system reports it before any window exists: its work area (without the
// taskbar) in physical pixels and the system DPI (96 at 100 %). All zero when the backend has no screen to
// tell of.
struct PrimaryScreen {
    int dpi = 0;
    int workWidth = 0;
    int workHeight = 0;
};

PrimaryScreen primaryScreen();

} // namespace platform
