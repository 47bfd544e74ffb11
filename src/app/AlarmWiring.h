#pragma once

#include "alarms/AlarmSound.h"
#include "context/AlarmState.h"

#include <QDate>
#include <QObject>
#include <memory>
#include <optional>
#include <vector>

namespace morvane {

class AlarmMsgFrm;
class AppContext;
class CalendarFrm;
class CalendarMenuFrm;

// The alarms in the running program: today's list rebuilt whenever a
// window asks (alarmScanRequested, answered at once), the alarm window
// shown for the raised alarm (alarmMessageRaised, without taking the keys)
// or opened from the flashing tray icon (alarmMessageRequested, activated),
// the tray flasher and day icon, and the whole 5-second tick.
class AlarmWiring : public QObject
{
    Q_OBJECT

public:
    // sound: null plays through the sound system.
    AlarmWiring(AppContext& context, CalendarFrm& calendar, CalendarMenuFrm& menu,
                std::unique_ptr<AlarmSound> sound = nullptr, QObject* parent = nullptr);
    ~AlarmWiring() override;

    // The start-up's part: no alarm raised yet, nothing beeped or played.
    void ResetAlarmFlags();

    // One tick, in its order: the flasher stops; while the alarm window is
    // hidden every due alarm is raised; a new date brings the calendar back
    // to the current month and rescans; the tray icon shows the day again.
    // An error is reported once and the program runs on; a tick that comes
    // while the previous one still waits for the user is skipped. The clock
    // is read once per tick; a tick in the same minute as a look at the
    // list that found nothing due, with the list unchanged and no scan in
    // between, reads no record, sets no picture that is already shown and
    // reads the clock only as a count of minutes (the local date and time
    // cannot have changed within that minute).
    void Timer1_Timer(QDate& lastDate);

    // Rebuilds today's alarm list from the table.
    void ScanAlarms();

    // The alarm window, made on first use.
    AlarmMsgFrm& alarmWindow();
    bool alarmWindowVisible() const;

private:
    void showAlarmMessage(bool openedByUser);
    void traceShownAlarm();
    void reportOnce(const QString& text);
    bool sameQuietMinute(qint64 epochMinute) const;

    // The last look at the alarm list that found nothing due: its minute
    // (counted from 1970 UTC; local minutes begin on the same moments) and
    // the list it saw.
    struct QuietLook
    {
        qint64 epochMinute = -1;
        std::vector<AlarmEntry> list;
    };

    AppContext& m_context;
    CalendarFrm& m_calendar;
    CalendarMenuFrm& m_menu;
    std::unique_ptr<AlarmSound> m_sound;
    std::unique_ptr<AlarmMsgFrm> m_window;
    std::optional<QuietLook> m_quiet;
    bool m_inTick = false;
    bool m_errorReported = false;
};

} // namespace morvane
