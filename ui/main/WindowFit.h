#pragma once

#include "platform/PrimaryScreen.h"

// The main window has one fixed size in device-independent pixels, which Qt multiplies by the system DPI
// scale. On a small laptop screen at 125 % or more, or on a netbook, that would be taller than the work area:
// there the whole interface is drawn smaller still, so that every page stays on screen.
class WindowFit {
public:
    static constexpr int kWidth = 860;
    static constexpr int kHeight = 680;

    // The factor by which Qt's own DPI scale must be multiplied for the window to fit the work area; 1 when
    // it fits as it is or when the screen is not known.
    static double extraScale(const platform::PrimaryScreen& screen);
};
