#include "platform/PrimaryScreen.h"

#include <windows.h>

namespace platform {

// The manifest declares the process DPI aware, so both answers are in physical pixels. Qt scales by the
// horizontal DPI; Windows keeps the vertical one equal to it.
PrimaryScreen primaryScreen()
{
    PrimaryScreen screen;
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        return screen;
    const HDC dc = GetDC(nullptr);
    if (!dc)
        return screen;
    screen.dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    screen.workWidth = work.right - work.left;
    screen.workHeight = work.bottom - work.top;
    return screen;
}

} // namespace platform
