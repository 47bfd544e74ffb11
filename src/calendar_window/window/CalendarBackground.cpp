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

void CalendarFrm::resizeSurface(QSize pixels)
{
    if (m_surfaceImage.size() == pixels)
        return;
    QImage surface(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    surface.fill(SettingColor(m_context.settings().CalendarBackColor));
    if (!m_surfaceImage.isNull()) {
        QPainter painter(&surface);
        painter.drawImage(QPoint(0, 0), m_surfaceImage);
    }
    m_surfaceImage = surface;
}

void CalendarFrm::ClearPicture1()
{
    m_surfaceImage.fill(SettingColor(m_context.settings().CalendarBackColor));
    Picture1->update();
}

void CalendarFrm::DrawCalendarBox()
{
    const Settings& settings = m_context.settings();
    if (!settings.CalendarBox || m_surfaceImage.isNull())
        return;
    QPainter painter(&m_surfaceImage);
    const QColor color = SettingColor(settings.BoxColor);
    const QSizeF size = m_surfaceImage.size();

    // A three-pixel pen centred half a pixel inside the edge leaves two
    // pixels of frame on every side. With rounded corners the frame follows
    // the outline instead of being cut off by it.
    painter.setRenderHint(QPainter::Antialiasing, settings.CalendarWinRgn);
    painter.setPen(QPen(color, 3));
    painter.setBrush(Qt::NoBrush);
    const QRectF edge(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    if (settings.CalendarWinRgn)
        painter.drawRoundedRect(edge, kCornerRadius - 0.5, kCornerRadius - 0.5);
    else
        painter.drawRect(edge);

    const CalendarBoxLines lines = CalendarBoxGeometry(CalendarWindowSize(settings.CalendarSize));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 1));
    painter.drawLine(TwipsToPixels(lines.ruleFrom), TwipsToPixels(lines.ruleTo));
    Picture1->update();
}

void CalendarFrm::PaintCalendarBackground()
{
    paintBackground(isVisible());
}

void CalendarFrm::paintBackground(bool showWhenDone)
{
    // The event pump below may run a handler that asks for another repaint;
    // it is done once this one has finished.
    if (m_painting) {
        m_repaintAgain = true;
        return;
    }
    m_painting = true;
    const QPoint place = pos();
    const bool wasActive = isActiveWindow();
    do {
        m_repaintAgain = false;
        const Settings& settings = m_context.settings();
        if (settings.Transparency) {
            if (isVisible()) {
                hide();
                LetDesktopRepaint(std::max(0, static_cast<int>(settings.ShowWait)) + 1);
            }
            const QImage desktop = GrabDesktop(QRect(place, size()));
            // Without a picture of the screen the calendar shows its own
            // background rather than stale pixels.
            m_surfaceImage =
                desktop.isNull() ? Picture2.copy(QRect(QPoint(0, 0), size())) : desktop;
            if (m_surfaceImage.format() != QImage::Format_RGB32)
                m_surfaceImage = m_surfaceImage.convertToFormat(QImage::Format_RGB32);
            const int value = settings.Transparency_value;
            if (value <= 16) {
                AlphaBlendDC(m_surfaceImage, 0, 0, width(), height(), Picture2, 0, 0,
                             std::max(0, value) * 16);
            }
            DrawCalendarBox();
        } else if (!settings.PictureFile.trimmed().isEmpty()) {
            QPainter painter(&m_surfaceImage);
            painter.drawImage(QPoint(0, 0), Picture2, QRect(QPoint(0, 0), size()));
            painter.end();
            DrawCalendarBox();
        }
    } while (m_repaintAgain);
    m_painting = false;
    Picture1->update();
    if (showWhenDone && !isVisible()) {
        showAt(place);
        if (wasActive)
            activateWindow();
    }
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
    if (!settings.TransparencyEx || !IsLayeringAvailable())
        return;
    const int value = std::clamp(static_cast<int>(settings.TransparencyEx_value), 0, 15);
    setWindowOpacity((255 - 16 * value) / 255.0);
}

void CalendarFrm::ResetLayeredAlpha()
{
    if (IsLayeringAvailable())
        setWindowOpacity(1.0);
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
