#include "viewer/ViewerPlacement.h"

#include "core/Settings.h"

#include <algorithm>
#include <limits>

namespace morvane {

ViewerPlacement ClampViewerPlacement(ViewerPlacement p, QSize screen)
{
    p.width = std::max(p.width, ViewerMinimumSize);
    p.height = std::max(p.height, ViewerMinimumSize);
    if (p.width > screen.width()) {
        p.width = screen.width();
        p.left = 0;
    }
    if (p.height > screen.height()) {
        p.height = screen.height();
        p.top = 0;
    }
    if (p.left + 500 > screen.width())
        p.left = screen.width() - p.width;
    if (p.top + 500 > screen.height())
        p.top = screen.height() - p.height;
    p.left = std::max(p.left, 0);
    p.top = std::max(p.top, 0);
    return p;
}

ViewerPlacement PlacementFromSettings(const Settings& s)
{
    return {s.ViewLeft, s.ViewTop, s.ViewWidth, s.ViewHeight, s.ViewLineX, s.ViewLineY};
}

namespace {
qint16 Short(int value)
{
    return qint16(std::clamp(value, int(std::numeric_limits<qint16>::min()),
                             int(std::numeric_limits<qint16>::max())));
}
} // namespace

void StorePlacement(Settings& s, const ViewerPlacement& p)
{
    s.ViewLeft = Short(p.left);
    s.ViewTop = Short(p.top);
    s.ViewWidth = Short(p.width);
    s.ViewHeight = Short(p.height);
    s.ViewLineX = Short(p.lineX);
    s.ViewLineY = Short(p.lineY);
}

bool AcceptsLineX(int lineX, int windowWidth)
{
    return lineX > 100 && lineX < windowWidth - 200;
}

bool AcceptsLineY(int lineY, int windowHeight, int statusBarHeight)
{
    return lineY > 500 && lineY < windowHeight - statusBarHeight - 200;
}

} // namespace morvane
