#include "ui_toolkit/platform/Workspaces.h"

namespace morvane {

// Windows keeps a tool window on the desktop it was shown on, and offers no
// documented way to pin it to all of them; macOS has no resident calendar.
void ShowOnAllWorkspaces(QWidget* /*window*/) {}

} // namespace morvane
