#pragma once

class QWidget;

namespace morvane {

// Puts a top-level window on every workspace (virtual desktop), as the tray
// icon is: a desktop-resident window must not stay behind on the first one.
// Call it whenever the window is shown: some window managers forget the
// setting when a window is hidden. Does nothing where the window system has
// no such notion or no window exists yet.
void ShowOnAllWorkspaces(QWidget* window);

} // namespace morvane
