#include "calendar_window/summary/DayBalloon.h"

#include "calendar_window/month/MonthModel.h"
#include "calendar_window/summary/DayBalloonPopup.h"
#include "calendar_window/summary/DaySchedulesSummary.h"
#include "core/context/AppContext.h"
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

void DayBalloon::cellHovered(int cell)
{
    if (!m_context.settings().ToolTipView) {
        destroyBalloon();
        return;
    }
    const std::optional<int> day = DayInCell(m_context.displayMonthDate(), cell);
    if (cell != 0 && !day) {
        destroyBalloon(); // blank or header cell; the last index stays
        return;
    }
    if (cell == m_lastTipIndex) {
        // Back over the day after leaving the window or a click: rest again
        // and the same balloon comes back.
        if (m_armed && !m_pending && !isShown() &&
            QGuiApplication::mouseButtons() == Qt::NoButton) {
            m_pending = true;
            m_restTimer.start();
        }
        return;
    }
    m_lastTipIndex = cell;
    destroyBalloon();
    if (day && QGuiApplication::mouseButtons() == Qt::NoButton) {
        const QDate month = m_context.displayMonthDate();
        buildFor(QDate(month.year(), month.month(), *day));
    }
}

void DayBalloon::buildFor(QDate date)
{
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
    m_armed = true;
    m_pending = true;
    m_restTimer.start();
}

void DayBalloon::showNow()
{
    if (!m_pending) {
        return;
    }
    m_pending = false;
    if (!m_popup) {
        m_popup = new DayBalloonPopup;
    }
    m_popup->setText(m_text);
    m_popup->showAt(QCursor::pos());
}

void DayBalloon::destroyBalloon()
{
    m_restTimer.stop();
    m_pending = false;
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
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            if (hasBalloon()) {
                // Hidden, not forgotten: resting on the same day again shows
                // it again without searching anew.
                m_restTimer.stop();
                m_pending = false;
                if (m_popup) {
                    m_popup->hide();
                }
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morvane
