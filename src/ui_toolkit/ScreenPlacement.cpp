#include "ui_toolkit/ScreenPlacement.h"

#include "ui_toolkit/platform/DesktopLayer.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <limits>

namespace morvane {

namespace {

// Squared distance from `point` to the nearest point of `area`.
qint64 DistanceSquared(QPoint point, const QRect& area)
{
    const qint64 dx =
        std::max({qint64(area.left()) - point.x(), qint64(0), qint64(point.x()) - area.right()});
    const qint64 dy =
        std::max({qint64(area.top()) - point.y(), qint64(0), qint64(point.y()) - area.bottom()});
    return dx * dx + dy * dy;
}

bool Reachable(const QRect& window, const QRect& screen, QSize needed)
{
    const QRect shown = window.intersected(screen);
    return shown.width() >= needed.width() && shown.height() >= needed.height();
}

} // namespace

QPoint KeepReachable(QPoint wanted, QSize size, const QList<QRect>& screens)
{
    if (screens.isEmpty() || size.isEmpty())
        return wanted;
    const QSize needed(std::min(size.width(), kReachablePixels),
                       std::min(size.height(), kReachablePixels));
    const QRect window(wanted, size);
    for (const QRect& screen : screens) {
        if (Reachable(window, screen, needed))
            return wanted;
    }

    const QPoint centre = window.center();
    const QRect* nearest = &screens.front();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        const qint64 distance = DistanceSquared(centre, screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    const QRect& screen = *nearest;
    const int left = std::clamp(wanted.x(), screen.left(),
                                std::max(screen.left(), screen.right() + 1 - size.width()));
    const int top = std::clamp(wanted.y(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {left, top};
}

QPoint KeepReachableOnDesktop(QPoint wanted, QSize size)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return KeepReachable(wanted, size, areas);
}

bool ProgramPlacesWindows()
{
    return !WindowSystemMovesWindows();
}

bool WindowSystemMovesWindows()
{
    // On the desktop's layers the program anchors the calendar itself.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
           !DesktopLayerAvailable();
}

} // namespace morvane
