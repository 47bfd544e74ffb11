#include "calendar_window/input/CalendarInput.h"

#include "calendar_window/input/CalendarZoom.h"
#include "calendar_window/input/InputActions.h"
#include "calendar_window/month/MonthModel.h"
#include "calendar_window/window/CalendarFrm.h"
#include "calendar_window/window/CalendarSurface.h"
#include "context/AppContext.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/ScreenPlacement.h"
#include "ui_toolkit/Twips.h"
#include "ui_toolkit/platform/DesktopLayer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

namespace morvane {

namespace {

// A press on a blank cell becomes a drag once the pointer has moved this
// far, so that a slightly shaky click does not move the window.
constexpr int kDragThreshold = 3;

} // namespace

CalendarInput::CalendarInput(CalendarFrm& window) : QObject(&window), m_window(window)
{
    m_window.Picture1->installEventFilter(this);
    connect(m_window.Timer2, &QTimer::timeout, this, &CalendarInput::titleClockTick);
}

bool CalendarInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window.Picture1)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        mousePress(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        // A double click acts once: its second press comes only as this
        // event, and the first press has opened what it opens.
        return true;
    case QEvent::MouseMove:
        mouseMove(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        mouseRelease(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::KeyPress:
        return keyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        keyRelease(static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::Wheel:
        return wheel(static_cast<QWheelEvent*>(event));
    case QEvent::ToolTip:
        toolTip(static_cast<QHelpEvent*>(event));
        return true;
    case QEvent::Leave:
        m_hovered = {};
        dismissBalloon();
        m_lastTipIndex = -1;
        return false;
    default:
        return false;
    }
}

// --- Months, zoom, clock ----------------------------------------------------

void CalendarInput::stepMonth(MonthStep step)
{
    AppContext& context = m_window.context();
    QDate month = context.displayMonthDate();
    const QDate today = context.clock().today();
    if (!month.isValid())
        month = today;
    const std::optional<QString> firstDay = StepMonth(month.year(), month.month(), step, today);
    if (!firstDay)
        return;
    context.DisplayMonth = *firstDay;
    emit context.events().drawCalendarRequested(*firstDay);
}

void CalendarInput::zoom(bool zoomIn)
{
    Settings& settings = m_window.context().settings();
    if (!ZoomCalendarSettings(settings, zoomIn))
        return;

    // The title is placed by the size it had before the new font.
    CellLabel& title = m_window.LB_A[0];
    const int windowWidth = PixelsToTwipsX(m_window.width());
    title.move(ZoomedTitleLeft(settings, windowWidth, title.width(), title.left()), title.top());
    m_window.RestTitleFace();

    m_window.ApplyCalendarFonts();
    m_window.LayoutCalendar();
    m_window.ApplyWindowOutline();
    if (settings.CalendarBox) {
        m_window.ClearPicture1();
        m_window.DrawCalendarBox();
    }
    m_window.PaintCalendarBackground();
}

void CalendarInput::titleClockTick()
{
    AppContext& context = m_window.context();
    m_window.setTitle(
        TitleText(context.settings().TitleType, context.displayMonthDate(), context.clock().now()));
}

// --- Keys and wheel ---------------------------------------------------------

// A key steps when it is released, and a held key once more for every
// repeat: one step per key event. Some window systems send each repeat as a
// release and a press, others as a press alone; the repeated press is the
// one both send.
bool CalendarInput::keyPress(QKeyEvent* event)
{
    const std::optional<MonthStep> step = KeyStepFor(event->key());
    if (!step)
        return false;
    if (event->isAutoRepeat())
        stepMonth(*step);
    return true;
}

void CalendarInput::keyRelease(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    if (const std::optional<MonthStep> step = KeyStepFor(event->key()))
        stepMonth(*step);
}

bool CalendarInput::wheel(QWheelEvent* event)
{
    if (!m_window.context().settings().MouseFlg)
        return false;
    switch (WheelActionFor(event->angleDelta(), event->modifiers(), event->buttons())) {
    case WheelAction::PreviousMonth:
        stepMonth(MonthStep::PreviousMonth);
        break;
    case WheelAction::NextMonth:
        stepMonth(MonthStep::NextMonth);
        break;
    case WheelAction::ZoomIn:
        zoom(true);
        break;
    case WheelAction::ZoomOut:
        zoom(false);
        break;
    case WheelAction::None:
        break;
    }
    return true;
}

// --- Mouse ------------------------------------------------------------------

void CalendarInput::mousePress(QMouseEvent* event)
{
    const QPoint globalPos = event->globalPosition().toPoint();
    const CalendarHit hit = m_window.hitTest(event->position().toPoint());
    m_captured = hit;
    m_capturing = true;
    m_popupShown = false;
    m_dragging = false;
    m_pressGlobal = globalPos;
    m_pressLocal = event->position().toPoint();
    m_pressWindowPos = m_window.pos();

    switch (hit.part) {
    case CalendarPart::Icon:
        if (hit.index == 1 || hit.index == 2)
            m_window.PressIcon(hit.index);
        break;
    case CalendarPart::FaceLabel:
        dayOrTitlePress(hit.index, event->button(), globalPos);
        break;
    case CalendarPart::ShadowLabel:
    case CalendarPart::MarkLabel:
    case CalendarPart::Surface:
        break;
    }
}

void CalendarInput::dayOrTitlePress(int index, Qt::MouseButton button, QPoint globalPos)
{
    // The weekday names take no presses.
    if (index >= 1 && index <= 7)
        return;
    AppContext& context = m_window.context();
    context.SelectedCell = index;
    if (m_window.LB_B[index].caption().isEmpty()) {
        m_window.RestFaceLabel(index);
        return;
    }

    m_window.PressFaceLabel(index);
    if (button == Qt::LeftButton) {
        BusyPointer busy(m_window.Picture1);
        if (index != 0) {
            emit context.events().editorRequested(m_window.dateOfCell(index), false);
        } else {
            const QDate month = context.displayMonthDate();
            emit context.events().viewerRequested(month.year(), month.month(), false);
        }
    } else if (button == Qt::RightButton) {
        showPopupMenu(globalPos);
        m_window.RestFaceLabel(index);
    }
    // The face comes back to rest when the button is released.
}

void CalendarInput::showPopupMenu(QPoint globalPos)
{
    m_popupShown = true;
    emit m_window.context().events().popupMenuRequested(globalPos);
}

void CalendarInput::mouseMove(QMouseEvent* event)
{
    const QPoint globalPos = event->globalPosition().toPoint();
    const Qt::MouseButtons buttons = event->buttons();
    const CalendarHit hit = m_capturing && buttons != Qt::NoButton
                                ? m_captured
                                : m_window.hitTest(event->position().toPoint());
    const bool entered = !(hit == m_hovered);
    m_hovered = hit;
    // On some compositors' desktop layers the pointer keeps, while a
    // button is held, the positions of where the window stood at the press
    // (the compositor moves no window there and tells no screen position):
    // the drag follows the pointer from the press by them.
    const QPoint dragPos = IsOnDesktopLayer(&m_window) && HeldPointerKeepsPressOrigin()
                               ? m_pressGlobal + (event->position().toPoint() - m_pressLocal)
                               : globalPos;
    updatePointer(m_window.hitTest(event->position().toPoint()));

    switch (hit.part) {
    case CalendarPart::Icon:
        if (entered)
            dismissBalloon();
        break;
    case CalendarPart::FaceLabel:
        if (isDragPart(hit)) {
            if (buttons & Qt::LeftButton)
                dragCalendarWindow(buttons, dragPos);
            else if (entered)
                m_window.SendToBottom();
            if (entered)
                dismissBalloon();
        } else {
            hoverFace(hit.index, buttons, globalPos);
        }
        break;
    case CalendarPart::ShadowLabel:
    case CalendarPart::Surface:
        if (buttons & Qt::LeftButton)
            dragCalendarWindow(buttons, dragPos);
        else if (entered)
            m_window.SendToBottom();
        break;
    case CalendarPart::MarkLabel:
        break;
    }
}

void CalendarInput::mouseRelease(QMouseEvent* event)
{
    const QPoint globalPos = event->globalPosition().toPoint();
    const CalendarHit pressed = m_captured;
    const bool wasCapturing = m_capturing;
    if (event->buttons() == Qt::NoButton)
        m_capturing = false;
    if (m_dragging) {
        finishDrag();
        return;
    }
    if (!wasCapturing)
        return;

    const bool rightButton = event->button() == Qt::RightButton;
    const CalendarHit released = m_window.hitTest(event->position().toPoint());
    switch (pressed.part) {
    case CalendarPart::Icon:
        if (pressed.index == 1 || pressed.index == 2) {
            // The month icons step wherever and with whichever button the
            // press ends.
            m_window.RestIcon(pressed.index);
            stepMonth(pressed.index == 1 ? MonthStep::PreviousMonth : MonthStep::NextMonth);
        } else if (released == pressed && event->button() == Qt::LeftButton) {
            AppContext& context = m_window.context();
            if (pressed.index == 3) {
                emit context.events().jumpMenuRequested(globalPos);
            } else {
                const QDate month = context.displayMonthDate();
                emit context.events().viewerRequested(month.year(), month.month(), true);
            }
        }
        break;
    case CalendarPart::FaceLabel:
        if (m_window.IsFacePressed(pressed.index))
            m_window.RestFaceLabel(pressed.index);
        if (rightButton && !m_popupShown)
            showPopupMenu(globalPos);
        break;
    case CalendarPart::ShadowLabel:
        if (rightButton && !m_popupShown)
            showPopupMenu(globalPos);
        break;
    case CalendarPart::Surface:
        if (rightButton && !m_popupShown) {
            m_window.show();
            showPopupMenu(globalPos);
        }
        break;
    case CalendarPart::MarkLabel:
        break;
    }
}

void CalendarInput::toolTip(QHelpEvent* event)
{
    const CalendarHit hit = m_window.hitTest(event->pos());
    if (hit.part == CalendarPart::Icon && !m_window.icon(hit.index).toolTip.isEmpty()) {
        QToolTip::showText(event->globalPos(), m_window.icon(hit.index).toolTip, m_window.Picture1,
                           m_window.iconRectPixels(hit.index));
    } else {
        QToolTip::hideText();
    }
}

// --- Drag -------------------------------------------------------------------

// Blank cells and the weekday header move the window like the background
// does; days and the title do not.
bool CalendarInput::isDragPart(const CalendarHit& hit) const
{
    switch (hit.part) {
    case CalendarPart::Surface:
    case CalendarPart::ShadowLabel:
        return true;
    case CalendarPart::FaceLabel:
        return (hit.index >= 1 && hit.index <= 7) || m_window.LB_B[hit.index].caption().isEmpty();
    case CalendarPart::Icon:
    case CalendarPart::MarkLabel:
        return false;
    }
    return false;
}

void CalendarInput::dragCalendarWindow(Qt::MouseButtons buttons, QPoint globalPos)
{
    if (!(buttons & Qt::LeftButton) || !m_capturing || !isDragPart(m_captured))
        return;
    const QPoint moved = globalPos - m_pressGlobal;
    if (!m_dragging && moved.manhattanLength() < kDragThreshold)
        return;
    if (!m_dragging && WindowSystemMovesWindows()) {
        // The compositor moves the window itself and keeps the pointer
        // until the button is up; the program learns no place, so none is
        // stored.
        QWindow* handle = m_window.windowHandle();
        if (handle && handle->startSystemMove()) {
            m_capturing = false;
            return;
        }
    }
    m_dragging = true;
    m_window.moveWindow(m_pressWindowPos + moved);
}

void CalendarInput::finishDrag()
{
    m_dragging = false;
    m_capturing = false;
    // Stored only where it is the window's real place, for the next start.
    if (ProgramPlacesWindows()) {
        Settings& settings = m_window.context().settings();
        settings.Left = PixelsToTwipsX(m_window.x());
        settings.Top = PixelsToTwipsY(m_window.y());
    }
    m_window.PaintCalendarBackground();
    m_window.SendToBottom();
}

// --- Balloon and pointer ------------------------------------------------------

void CalendarInput::hoverFace(int index, Qt::MouseButtons buttons, QPoint globalPos)
{
    if (index == m_lastTipIndex)
        return;
    m_lastTipIndex = index;
    emit m_window.dayBalloonDismissed();
    if (index == 0 || buttons != Qt::NoButton || !m_window.context().settings().ToolTipView)
        return;
    emit m_window.dayBalloonRequested(index, m_window.dateOfCell(index), globalPos);
}

// A blank cell keeps the last day in mind, so coming straight back to it
// does not build the same balloon again.
void CalendarInput::dismissBalloon()
{
    emit m_window.dayBalloonDismissed();
}

void CalendarInput::updatePointer(const CalendarHit& hit)
{
    const bool custom = hit.part == CalendarPart::FaceLabel &&
                        m_window.LB_B[hit.index].mousePointer == CustomPointer;
    if (custom == m_customPointer)
        return;
    m_customPointer = custom;
    SetMousePointer(m_window.Picture1, custom ? MousePointer::Custom : MousePointer::Default);
}

} // namespace morvane
