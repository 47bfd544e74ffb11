#pragma once

#include <QByteArray>
#include <QStringList>

namespace morvane {

// The interface name under which a Wayland compositor offers to put
// surfaces on the layers of the desktop (below or above all windows).
inline constexpr char kLayerShellInterface[] = "zwlr_layer_shell_v1";

// The window-system platform the program asks Qt for at start, or empty
// for Qt's own choice. A Wayland compositor that offers its desktop layers
// (`waylandGlobals`, the interfaces it announces) gets the calendar as a
// native Wayland surface on them, anchored at its saved place. Without
// them, on a Wayland session that also runs an X server for older programs
// (XWayland), the calendar goes through the X server: there a program
// places its windows itself and can stay below or above other windows; a
// plain Wayland window is placed where the compositor likes. A platform
// the user named (QT_QPA_PLATFORM) always stands.
QByteArray StartPlatform(const QByteArray& userPlatform, const QByteArray& waylandDisplay,
                         const QByteArray& x11Display, const QStringList& waylandGlobals = {});

// The same from this process's environment and the interfaces the
// session's Wayland compositor announced.
QByteArray StartPlatformFromEnvironment(const QStringList& waylandGlobals);

} // namespace morvane
