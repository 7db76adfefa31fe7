#include "ui/windowsize.h"

int MaxW = 0;
int MaxH = 0;
int MiniW = 0;
int MiniH = 0;
QPoint centerPoint;

namespace {

// Width to height of the golden section, in single precision as the sizes were always computed.
constexpr float scaleHW = 0.618f;
constexpr int leastMiniH = 540;

} // namespace

WindowSizes windowSizesFor(const QRect &screen)
{
    WindowSizes sizes;
    sizes.maxH = screen.height();
    sizes.maxW = static_cast<int>(static_cast<float>(sizes.maxH) / scaleHW);
    if (screen.width() < sizes.maxW)
        sizes.maxW = screen.width();
    sizes.miniH = static_cast<int>(sizes.maxH / 2.0);
    if (sizes.miniH < leastMiniH)
        sizes.miniH = leastMiniH;
    sizes.miniW = static_cast<int>(static_cast<float>(sizes.miniH) / scaleHW);
    if (screen.width() < sizes.miniW)
        sizes.miniW = screen.width();
    sizes.centerPoint = screen.center();
    return sizes;
}
