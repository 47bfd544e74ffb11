#include "app/AlarmWiring.h"

#include "alarms/AlarmMsgFrm.h"
#include "alarms/AlarmScan.h"
#include "alarms/AlarmTick.h"
#include "alarms/QtAlarmSound.h"
#include "app/DateTick.h"
#include "calendar_window/tray/CalendarMenuFrm.h"
#include "calendar_window/window/CalendarFrm.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/UserMessage.h"
#include "ui_toolkit/EventPump.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

namespace morvane {

namespace {

qint64 MinuteOf(qint64 epochMilliseconds)
{
    return epochMilliseconds >= 0 ? epochMilliseconds / 60000 : (epochMilliseconds + 1) / 60000 - 1;
}

} // namespace

AlarmWiring::AlarmWiring(AppContext& context, CalendarFrm& calendar, CalendarMenuFrm& menu,
                         std::unique_ptr<AlarmSound> sound, QObject* parent)
    : QObject(parent), m_context(context), m_calendar(calendar), m_menu(menu),
      m_sound(sound ? std::move(sound) : std::make_unique<QtAlarmSound>())
{
    AppEvents& events = context.events();
    // Direct connections: whoever asks for a scan finds the list rebuilt
    // when the emit returns.
    connect(&events, &AppEvents::alarmScanRequested, this, &AlarmWiring::ScanAlarms,
            Qt::DirectConnection);
    connect(
        &events, &AppEvents::alarmMessageRequested, this, [this] { showAlarmMessage(true); },
        Qt::DirectConnection);
    connect(
        &events, &AppEvents::alarmMessageRaised, this, [this] { showAlarmMessage(false); },
        Qt::DirectConnection);
    connect(&events, &AppEvents::alarmFlashRequested, this, [this](bool flashing) {
        if (flashing)
            m_menu.startFlashing();
        else
            m_menu.stopFlashing();
    });
    connect(&events, &AppEvents::trayIconRefreshRequested, &m_menu,
            &CalendarMenuFrm::setDayNotifyIcon);
}

AlarmWiring::~AlarmWiring() = default;

void AlarmWiring::ResetAlarmFlags()
{
    AlarmState& alarms = m_context.alarms;
    alarms.AlarmIndex = 0;
    alarms.AlarmBeeped = false;
    alarms.AlarmSounded = false;
}

void AlarmWiring::ScanAlarms()
{
    // A rescan follows a change of the table: the next tick looks again.
    m_quiet.reset();
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return;
    try {
        morvane::ScanAlarms(m_context.alarms, database->schedules(), m_context.clock().today(),
                            [] { DoEvents(); });
    } catch (const EngineError& error) {
        reportOnce(QStringLiteral(u"アラームの予定を読み込めませんでした。\r\n") + error.message());
    }
}

void AlarmWiring::Timer1_Timer(QDate& lastDate)
{
    if (m_inTick)
        return;
    const QScopedValueRollback<bool> inTick(m_inTick, true);
    // Most ticks of an idle day come within the minute of a look that found
    // nothing due. Nothing can be due then that was not, and the date has
    // not changed (it changes on a minute's boundary): such a tick does not
    // turn the time into the local date and hour.
    if (sameQuietMinute(MinuteOf(m_context.clock().epochMilliseconds()))) {
        emit m_context.events().alarmFlashRequested(false);
        m_menu.setDayNotifyIconFor(lastDate);
        return;
    }
    const QDateTime now = m_context.clock().now();
    bool failed = false;
    try {
        emit m_context.events().alarmFlashRequested(false);
        m_quiet.reset();
        if (CheckDueAlarms(m_context, *m_sound, alarmWindowVisible(), now))
            m_quiet = QuietLook{MinuteOf(now.toMSecsSinceEpoch()), m_context.alarms.AlarmList};
    } catch (const EngineError& error) {
        failed = true;
        m_quiet.reset();
        reportOnce(QStringLiteral(u"アラームを確認できませんでした。\r\n") + error.message());
    }
    if (now.date() != lastDate) {
        BusyPointer busy(&m_calendar, MousePointer::Hourglass);
        DateTick(m_context, m_calendar, lastDate);
    }
    m_menu.setDayNotifyIconFor(now.date());
    if (!failed)
        m_errorReported = false;
}

bool AlarmWiring::sameQuietMinute(qint64 epochMinute) const
{
    return m_quiet && !alarmWindowVisible() && m_quiet->epochMinute == epochMinute &&
           m_quiet->list == m_context.alarms.AlarmList;
}

AlarmMsgFrm& AlarmWiring::alarmWindow()
{
    if (!m_window)
        m_window = std::make_unique<AlarmMsgFrm>(m_context);
    return *m_window;
}

bool AlarmWiring::alarmWindowVisible() const
{
    return m_window && m_window->isVisible();
}

void AlarmWiring::showAlarmMessage(bool openedByUser)
{
    // The flasher may have stopped on its lit picture.
    m_menu.stopFlashing();
    m_menu.setDayNotifyIcon();
    try {
        if (alarmWindow().SetAlarmMsg(openedByUser ? AlarmMsgFrm::Showing::Opened
                                                   : AlarmMsgFrm::Showing::Raised))
            traceShownAlarm();
    } catch (const EngineError& error) {
        reportOnce(QStringLiteral(u"アラームの予定を読み込めませんでした。\r\n") + error.message());
    }
}

// For the end-to-end test only: the caption and text the alarm window
// shows, one line each per showing, appended to the file the test names.
void AlarmWiring::traceShownAlarm()
{
    const QString path = qEnvironmentVariable("MORVANE_ALARM_TRACE");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        const AlarmMsgFrm& window = *m_window;
        file.write(window.Label2->text().toUtf8() + '\n');
        file.write(window.Text1->toPlainText().toUtf8() + '\n');
    }
}

// One box per run of failures: a file that stays broken does not bring a
// new box every five seconds.
void AlarmWiring::reportOnce(const QString& text)
{
    if (m_errorReported)
        return;
    m_errorReported = true;
    MsgBox(text, MsgBoxStyle::Exclamation, AppTitle);
}

} // namespace morvane
