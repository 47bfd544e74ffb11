#include "calendar_window/window/DesktopCapture.h"

#include "ui_toolkit/platform/RootBackground.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace morvane {

QImage GrabDesktop(const QRect& rect)
{
    if (rect.isEmpty())
        return {};
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->geometry();
    const QPixmap shot = screen->grabWindow(0, rect.x() - area.x(), rect.y() - area.y(),
                                            rect.width(), rect.height());
    if (shot.isNull())
        return {};
    QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
    if (image.size() != rect.size())
        image = image.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(1.0);
    return image;
}

QImage GrabDesktopBackground(const QRect& devicePixels)
{
    const QImage background = GrabRootBackground(devicePixels);
    if (!background.isNull() || QGuiApplication::platformName() == QLatin1String("xcb"))
        return background;
    return GrabDesktop(devicePixels);
}

} // namespace morvane

namespace morvane {

const QImage& DesktopCopy::take(const QRect& place)
{
    m_image = m_grab ? m_grab(place) : QImage();
    if (!m_image.isNull() && m_image.format() != QImage::Format_RGB32) {
        const qreal ratio = m_image.devicePixelRatio();
        m_image = m_image.convertToFormat(QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
    }
    m_place = place;
    m_valid = true;
    ++m_taken;
    return m_image;
}

} // namespace morvane
