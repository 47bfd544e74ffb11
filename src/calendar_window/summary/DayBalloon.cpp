#include "calendar_window/summary/DayBalloon.h"

#include "calendar_window/summary/DayBalloonPopup.h"
#include "calendar_window/summary/DaySchedulesSummary.h"
#include "calendar_window/window/CalendarFrm.h"
#include "calendar_window/window/CalendarSurface.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QStyle>
#include <QWidget>

namespace morvane {

DayBalloon::DayBalloon(AppContext& context, QWidget* calendar)
    : QObject(calendar), m_context(context), m_calendar(calendar)
{
    m_restTimer.setSingleShot(true);
    const int delay = calendar ? calendar->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) : 0;
    m_restTimer.setInterval(delay > 0 ? delay : 700);
    connect(&m_restTimer, &QTimer::timeout, this, &DayBalloon::showNow);
    if (calendar) {
        calendar->installEventFilter(this);
    }
}

DayBalloon::~DayBalloon()
{
    delete m_popup;
}

bool DayBalloon::isShown() const
{
    return m_popup && m_popup->isVisible();
}

void DayBalloon::ShowDayBalloon(QDate date, QPoint globalPos)
{
    destroyBalloon();
    if (!m_context.settings().ToolTipView || !date.isValid()) {
        return;
    }
    QStringList messages;
    if (ScheduleDatabase* database = m_context.database()) {
        try {
            messages = ScheduleMessagesOn(database->schedules(), date);
        } catch (const EngineError&) {
            // A hover is no moment for an error box: the balloon just
            // shows the date, and the next drawing reports the fault.
            messages.clear();
        }
    }
    m_text = BuildDayBalloonText(date, messages);
    m_place = globalPos;
    m_armed = true;
    m_restTimer.start();
}

void DayBalloon::showNow()
{
    if (!m_armed || QGuiApplication::mouseButtons() != Qt::NoButton) {
        return;
    }
    if (!m_popup) {
        m_popup = new DayBalloonPopup;
    }
    m_popup->setText(m_text);
    // Where the pointer rests now; it may have moved within the cell.
    const QPoint pointer = QCursor::pos();
    m_popup->showAt(pointer.isNull() ? m_place : pointer);
}

void DayBalloon::destroyBalloon()
{
    m_restTimer.stop();
    m_armed = false;
    m_text = {};
    if (m_popup) {
        m_popup->hide();
    }
}

bool DayBalloon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_calendar) {
        switch (event->type()) {
        case QEvent::Hide:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            m_restTimer.stop();
            if (m_popup) {
                m_popup->hide();
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

DayBalloon* AttachDayBalloon(CalendarFrm& calendar)
{
    // The surface takes the clicks and the wheel, which put the balloon away.
    auto* balloon = new DayBalloon(calendar.context(), calendar.Picture1);
    QObject::connect(
        &calendar, &CalendarFrm::dayBalloonRequested, balloon,
        [balloon](int, QDate date, QPoint globalPos) { balloon->ShowDayBalloon(date, globalPos); });
    QObject::connect(&calendar, &CalendarFrm::dayBalloonDismissed, balloon,
                     &DayBalloon::destroyBalloon);
    return balloon;
}

} // namespace morvane
