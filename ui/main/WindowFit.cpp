#include "ui/main/WindowFit.h"

#include <algorithm>

namespace {

constexpr double kBaseDpi = 96.0;

} // namespace

double WindowFit::extraScale(const platform::PrimaryScreen& screen)
{
    if (screen.dpi <= 0 || screen.workWidth <= 0 || screen.workHeight <= 0)
        return 1.0;
    const double dpiScale = screen.dpi / kBaseDpi;
    const double fit = std::min({dpiScale, static_cast<double>(screen.workWidth) / kWidth,
                                 static_cast<double>(screen.workHeight) / kHeight});
    return fit < dpiScale ? fit / dpiScale : 1.0;
}
