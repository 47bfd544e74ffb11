// The background of the calendar: the surface picture, the frame, the
// desktop copy, and the window's outline, translucency and stacking.

#include "calendar_window/month/SettingColor.h"
#include "calendar_window/window/AlphaBlend.h"
#include "calendar_window/window/CalendarFrm.h"
#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/CalendarSurface.h"
#include "calendar_window/window/DesktopCapture.h"
#include "context/AppContext.h"
#include "ui_toolkit/EventPump.h"
#include "ui_toolkit/Twips.h"
#include "ui_toolkit/WindowLayering.h"
#include "ui_toolkit/WindowStacking.h"

#include <QApplication>
#include <QMoveEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>

namespace morvane {

namespace {

// Corners of the rounded outline: an ellipse of 30 x 30 pixels.
constexpr qreal kCornerRadius = 15.0;

QPainterPath RoundedOutline(QSizeF size)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), size), kCornerRadius, kCornerRadius);
    return path;
}

// Another window of the program is open (a dialog, the viewer, an alarm):
// the calendar then keeps its place in the stack.
bool AnotherWindowOpen(const QWidget* calendar)
{
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [calendar](const QWidget* window) {
        if (window == calendar || !window->isVisible())
            return false;
        const Qt::WindowType type = window->windowType();
        return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen &&
               type != Qt::Desktop;
    });
}

} // namespace

QSize CalendarFrm::deviceSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize().expandedTo(QSize(1, 1));
}

void CalendarFrm::resizeSurface(QSize pixels)
{
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(pixels) * ratio).toSize().expandedTo(QSize(1, 1));
    if (m_surfaceImage.size() == device && m_surfaceImage.devicePixelRatio() == ratio)
        return;
    QImage surface(device, QImage::Format_ARGB32_Premultiplied);
    surface.setDevicePixelRatio(ratio);
    surface.fill(SettingColor(m_context.settings().CalendarBackColor));
    if (!m_surfaceImage.isNull()) {
        QPainter painter(&surface);
        painter.drawImage(QPoint(0, 0), m_surfaceImage);
    }
    m_surfaceImage = surface;
}

void CalendarFrm::ClearPicture1()
{
    if (m_composited) {
        paintTranslucentBackground();
    } else {
        m_surfaceImage.fill(SettingColor(m_context.settings().CalendarBackColor));
    }
    Picture1->update();
}

void CalendarFrm::DrawCalendarBox()
{
    const Settings& settings = m_context.settings();
    if (!settings.CalendarBox || m_surfaceImage.isNull())
        return;
    QPainter painter(&m_surfaceImage);
    const QColor color = SettingColor(settings.BoxColor);
    const QSizeF size = m_surfaceImage.deviceIndependentSize();

    // A three-pixel pen centred half a pixel inside the edge leaves two
    // pixels of frame on every side. With rounded corners the frame follows
    // the outline instead of being cut off by it.
    painter.setRenderHint(QPainter::Antialiasing, settings.CalendarWinRgn);
    painter.setPen(QPen(color, 3));
    painter.setBrush(Qt::NoBrush);
    if (m_composited) {
        // Nothing outside the outline: the frame's outer half would show
        // where the alpha has already cut the corner away.
        painter.setClipPath(settings.CalendarWinRgn ? RoundedOutline(size)
                                                    : QPainterPath());
        painter.setClipping(settings.CalendarWinRgn);
    }
    const QRectF edge(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    if (settings.CalendarWinRgn)
        painter.drawRoundedRect(edge, kCornerRadius - 0.5, kCornerRadius - 0.5);
    else
        painter.drawRect(edge);
    painter.setClipping(false);

    const CalendarBoxLines lines = CalendarBoxGeometry(CalendarWindowSize(settings.CalendarSize));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 1));
    painter.drawLine(TwipsToPixels(lines.ruleFrom), TwipsToPixels(lines.ruleTo));
    Picture1->update();
}

void CalendarFrm::PaintCalendarBackground()
{
    paintBackground();
}

void CalendarFrm::RefreshDesktopCopy()
{
    m_desktopCopy.forget();
    paintBackground();
}

void CalendarFrm::setComposited(bool composited)
{
    if (composited == m_composited)
        return;
    m_composited = composited;
    // The desktop copy and the 1-bit outline belong to the uncomposed
    // screen; the alpha takes their place, and they come back with it.
    m_desktopCopy.forget();
    ApplyWindowOutline();
    ApplyLayeredAlpha();
    if (!composited) {
        resizeSurface(size());
        m_surfaceImage.fill(SettingColor(m_context.settings().CalendarBackColor));
        DrawCalendarBox();
    }
    paintBackground();
}

qreal CalendarFrm::surfaceOpacity() const
{
    const Settings& settings = m_context.settings();
    if (!m_composited || !settings.TransparencyEx)
        return 1.0;
    const int value = std::clamp(static_cast<int>(settings.TransparencyEx_value), 0, 15);
    return (255 - 16 * value) / 255.0;
}

void CalendarFrm::paintBackground()
{
    if (m_painting) {
        m_repaintAgain = true;
        return;
    }
    m_painting = true;
    do {
        m_repaintAgain = false;
        if (m_composited)
            paintTranslucentBackground();
        else
            paintCopiedBackground();
    } while (m_repaintAgain);
    m_painting = false;
    Picture1->update();
}

// The calendar's own background (colour and picture) at the surface's
// device pixels.
QImage CalendarFrm::ownBackground(QSize devicePixels) const
{
    QImage own(devicePixels, QImage::Format_RGB32);
    own.setDevicePixelRatio(devicePixelRatioF());
    own.fill(SettingColor(m_context.settings().CalendarBackColor));
    QPainter painter(&own);
    painter.drawImage(QPoint(0, 0), Picture2);
    return own;
}

void CalendarFrm::paintCopiedBackground()
{
    const Settings& settings = m_context.settings();
    const QSize device = deviceSize();
    const qreal ratio = devicePixelRatioF();
    if (settings.Transparency) {
        // The copy is of the desktop's own background, taken with the
        // window on screen: a month step or a redraw blends the copy it
        // has, a move takes a new one, and the window never leaves the
        // screen for it.
        const QRect area(pos(), size());
        if (!isVisible())
            m_desktopCopy.forget(); // anything may have changed meanwhile
        if (!m_desktopCopy.covers(area))
            m_desktopCopy.take(area);
        const QImage& desktop = m_desktopCopy.image();
        QImage surface = ownBackground(device);
        // Without a picture of the screen the calendar shows its own
        // background rather than stale pixels.
        if (!desktop.isNull() && desktop.size() == device) {
            const int value = settings.Transparency_value;
            surface = desktop.copy();
            if (value <= 16) {
                AlphaBlendDC(surface, 0, 0, device.width(), device.height(),
                             ownBackground(device), 0, 0, std::max(0, value) * 16);
            }
        }
        m_surfaceImage = surface.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        m_surfaceImage.setDevicePixelRatio(ratio);
        DrawCalendarBox();
    } else {
        // The window covered its place without a copy: what lies behind
        // may change before pseudo transparency is switched on again.
        m_desktopCopy.forget();
        resizeSurface(size());
        if (!settings.PictureFile.trimmed().isEmpty()) {
            QPainter painter(&m_surfaceImage);
            painter.drawImage(QPoint(0, 0), Picture2, QRect(QPoint(0, 0), size()));
            painter.end();
            DrawCalendarBox();
        }
    }
}

void CalendarFrm::paintTranslucentBackground()
{
    const Settings& settings = m_context.settings();
    const QSize device = deviceSize();
    // The desktop shows through by the same share as through the copy, and
    // wholly through black, the transparent key of the blend.
    int alpha = 255;
    if (settings.Transparency) {
        const int value = settings.Transparency_value;
        const int weight = value <= 16 ? std::max(0, value) * 16 : 256;
        alpha = std::clamp(255 * (256 - weight) / 256, 0, 255);
    }
    QImage own = ownBackground(device).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (alpha < 255) {
        for (int y = 0; y < own.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(own.scanLine(y));
            for (int x = 0; x < own.width(); ++x) {
                const QRgb pixel = row[x];
                const int a = (pixel & 0x00FFFFFFu) == 0 ? 0 : alpha;
                row[x] = qPremultiply(qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel), a));
            }
        }
    }
    own.setDevicePixelRatio(devicePixelRatioF());

    QImage surface(device, QImage::Format_ARGB32_Premultiplied);
    surface.setDevicePixelRatio(devicePixelRatioF());
    surface.fill(Qt::transparent);
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF outline = size();
    QPainterPath path;
    if (settings.CalendarWinRgn)
        path = RoundedOutline(outline);
    else
        path.addRect(QRectF(QPointF(0, 0), outline));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(own));
    painter.drawPath(path);
    painter.end();
    m_surfaceImage = surface;
    DrawCalendarBox();
}

void CalendarFrm::showAt(QPoint place)
{
    // A window shown again is placed anew by some window managers; it is
    // held where it was for the moment the manager takes to map it.
    // A manager may also have moved it while it was hidden.
    if (pos() != place)
        move(place);
    m_holdPlace = place;
    m_holdPlaceUntil.setRemainingTime(500);
    show();
}

void CalendarFrm::moveWindow(QPoint place)
{
    m_holdPlaceUntil.setRemainingTime(0);
    move(place);
}

void CalendarFrm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (!m_holdPlaceUntil.hasExpired() && pos() != m_holdPlace)
        move(m_holdPlace);
}

void CalendarFrm::SetRoundRegion()
{
    // Where the screen is composed the corners are cut by the alpha,
    // smoothly; a 1-bit outline is for the uncomposed screen only.
    if (m_composited) {
        clearMask();
        return;
    }
    const QPainterPath outline = RoundedOutline(size());
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

void CalendarFrm::SetRectRegion()
{
    clearMask();
}

void CalendarFrm::ApplyWindowOutline()
{
    if (m_context.settings().CalendarWinRgn)
        SetRoundRegion();
    else
        SetRectRegion();
}

void CalendarFrm::ApplyLayeredAlpha()
{
    const Settings& settings = m_context.settings();
    if (m_composited) {
        // Drawn into the pixels (surfaceOpacity), which every compositor
        // shows; a window opacity is not honoured by all of them.
        if (windowOpacity() != 1.0)
            setWindowOpacity(1.0);
        Picture1->update();
        return;
    }
    if (!settings.TransparencyEx || !IsLayeringAvailable())
        return;
    const int value = std::clamp(static_cast<int>(settings.TransparencyEx_value), 0, 15);
    setWindowOpacity((255 - 16 * value) / 255.0);
}

void CalendarFrm::ResetLayeredAlpha()
{
    if (IsLayeringAvailable() || m_composited)
        setWindowOpacity(1.0);
    Picture1->update();
}

void CalendarFrm::SetTopMost()
{
    morvane::SetTopMost(this);
}

void CalendarFrm::SetNotTopMost()
{
    morvane::SetNotTopMost(this);
}

void CalendarFrm::SendToBottom()
{
    if (!m_context.settings().BottomView || AnotherWindowOpen(this))
        return;
    morvane::SendToBottom(this);
    DoEvents();
}

} // namespace morvane
