#pragma once

class QWidget;

namespace morvane {

// Where the Wayland compositor offers the layers of its desktop (the
// layer-shell protocol: KDE Plasma, sway and other wlroots compositors), a
// top-level window can stand on them instead of among ordinary windows:
// below every window, or above them, anchored at a place of the program's
// choosing on the screen that holds it. Elsewhere these do nothing.

// Readies the toolkit, before the application object exists, for windows
// on the layers of a compositor that offers them.
void PrepareDesktopLayer();

// Whether this session's compositor offers its layers and the toolkit was
// readied for them. Known once the application object exists.
bool DesktopLayerAvailable();

// Puts `window` (a top-level widget, before it is first shown) on the
// desktop's layers for as long as it lives: each time it is shown it is
// anchored at its position, follows its moves and size, and takes keys
// only once the user clicks it. `above` chooses the layer above windows.
// Does nothing where the layers are not offered.
void KeepOnDesktopLayer(QWidget* window, bool above);

// Moves a window kept on the layers between below and above windows.
void SetDesktopLayerAbove(QWidget* window, bool above);

// Whether, on this compositor's layers, the positions of a pointer whose
// button is held stay relative to where the window stood at the press
// (wlroots compositors), rather than where it stands now (KWin).
bool HeldPointerKeepsPressOrigin();

// Whether `window` is kept on the layers, so its position is where it
// stands and the program (not the compositor) moves it.
bool IsOnDesktopLayer(const QWidget* window);

} // namespace morvane
