#pragma once

#include <QObject>

namespace morvane {

// True when a compositing manager owns the X11 screen's _NET_WM_CM_S0
// selection, so window opacity is honoured. Answers true off X11.
bool X11HasCompositingManager();

// Whether a top-level window of this session can carry a colour with an
// alpha channel: always on Wayland, on X11 when the screen offers a 32-bit
// visual. Known at start, before the first native window is made.
bool ArgbWindowsAvailable();

// Whether something composes the screen right now, so per-pixel alpha of
// a window shows as translucency: always on Wayland, on X11 while a
// compositing manager runs, never on a platform without a screen
// (offscreen).
bool ScreenIsComposited();

// Follows the X11 compositing manager as it comes and goes, by the events
// the X server sends about its selection (nothing is polled). On other
// platforms it never signals.
class CompositorWatch : public QObject
{
    Q_OBJECT

public:
    explicit CompositorWatch(QObject* parent = nullptr);
    ~CompositorWatch() override;

    bool composited() const { return m_composited; }

signals:
    void compositedChanged(bool composited);
    // The root window's wallpaper picture was replaced.
    void wallpaperChanged();

private:
    void recheck();

    class Filter;
    Filter* m_filter = nullptr;
    bool m_composited = false;
};

} // namespace morvane
