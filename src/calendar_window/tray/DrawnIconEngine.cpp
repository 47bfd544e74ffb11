#include "calendar_window/tray/DrawnIconEngine.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace morvane {

DrawnIconEngine::DrawnIconEngine(std::function<QImage(int)> draw) : m_draw(std::move(draw)) {}

QPixmap DrawnIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State)
{
    const int side = std::max(1, std::min(size.width(), size.height()));
    auto found = m_drawn.constFind(side);
    if (found == m_drawn.constEnd()) {
        found = m_drawn.insert(side, QPixmap::fromImage(m_draw(side)));
    }
    return *found;
}

void DrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state)
{
    // Drawn at the device's own pixels: the painter's device tells how many
    // there are to a point.
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const int side = std::min(rect.width(), rect.height());
    const auto pixels = int(std::lround(side * ratio));
    QPixmap picture = pixmap(QSize(pixels, pixels), mode, state);
    picture.setDevicePixelRatio(ratio);
    const QRect square(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2,
                       side, side);
    painter->drawPixmap(square, picture);
}

QSize DrawnIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    const int side = std::min(size.width(), size.height());
    return {side, side};
}

QList<QSize> DrawnIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const int side : {16, 22, 24, 32, 44, 48, 64}) {
        sizes << QSize(side, side);
    }
    return sizes;
}

QIconEngine* DrawnIconEngine::clone() const
{
    return new DrawnIconEngine(m_draw);
}

QString DrawnIconEngine::key() const
{
    return QStringLiteral("morvane-drawn");
}

} // namespace morvane
