#pragma once

#include <QByteArray>

namespace morvane {

// The window-system platform the program asks Qt for at start, or empty
// for Qt's own choice. On a Wayland session that also runs an X server for
// older programs (XWayland), the calendar goes through the X server: there
// a program places its windows itself, so the calendar stands at its saved
// place, and it can stay below or above other windows; a plain Wayland
// window is placed where the compositor likes. A platform the user named
// (QT_QPA_PLATFORM) always stands.
QByteArray StartPlatform(const QByteArray& userPlatform, const QByteArray& waylandDisplay,
                         const QByteArray& x11Display);

// The same from this process's environment.
QByteArray StartPlatformFromEnvironment();

} // namespace morvane
