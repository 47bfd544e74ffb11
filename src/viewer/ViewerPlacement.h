#pragma once

#include <QSize>

namespace morvane {

struct Settings;

// The viewer's window and splitters in twips, as the settings keep them.
struct ViewerPlacement
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int lineX = 0; // left edge of the splitter between tree and list
    int lineY = 0; // top of the splitter between list and detail box
    bool operator==(const ViewerPlacement&) const = default;
};

inline constexpr int ViewerMinimumSize = 2000;

// The saved placement brought onto a screen of this size: at least
// 2000 x 2000, no larger than the screen, at least 500 of it on the screen,
// never left of or above its origin.
ViewerPlacement ClampViewerPlacement(ViewerPlacement placement, QSize screen);

ViewerPlacement PlacementFromSettings(const Settings& settings);
void StorePlacement(Settings& settings, const ViewerPlacement& placement);

// Splitter limits while dragging: the vertical one between 100 and the
// window width - 200, the horizontal one between 500 and the window height
// - status bar - 200.
bool AcceptsLineX(int lineX, int windowWidth);
bool AcceptsLineY(int lineY, int windowHeight, int statusBarHeight);

} // namespace morvane
