#pragma once

#include <QImage>
#include <QRect>
#include <functional>

namespace morvane {

// What the screen shows in rect (global pixels), at that size. Null when the
// platform gives no picture of the screen (offscreen, some Wayland desktops).
QImage GrabDesktop(const QRect& rect);

// The desktop's own background on `devicePixels` (screen pixels), without
// any window on it: the calendar's copy is never of itself, of another
// window of the program, or of a window it was dropped on, and it is taken
// with the calendar on screen. Where the window system has no such picture
// (not X11) it is what the screen shows there.
QImage GrabDesktopBackground(const QRect& devicePixels);

// The picture of the desktop behind the calendar, kept between repaints.
// It is taken again only when what lies behind the window can have changed:
// the window moved or was resized (the place differs), or the owner forgot
// it (the window was hidden, the translucency settings changed, the
// wallpaper changed, the user asked for a fresh picture).
class DesktopCopy
{
public:
    using Grabber = std::function<QImage(const QRect&)>;

    explicit DesktopCopy(Grabber grab = GrabDesktop) : m_grab(std::move(grab)) {}

    // The copy was taken at exactly this place and size and is still good.
    bool covers(const QRect& place) const { return m_valid && m_place == place; }
    // Takes the picture of place (the caller has moved its window away).
    const QImage& take(const QRect& place);
    void forget() { m_valid = false; }

    // Null when the platform gave no picture.
    const QImage& image() const { return m_image; }
    // How many pictures were taken so far.
    int takenCount() const { return m_taken; }

    void setGrabber(Grabber grab) { m_grab = std::move(grab); }

private:
    Grabber m_grab;
    QImage m_image;
    QRect m_place;
    bool m_valid = false;
    int m_taken = 0;
};

} // namespace morvane
