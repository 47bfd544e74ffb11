#pragma once

#include "context/AlarmState.h"
#include "context/AppEvents.h"
#include "context/WindowLinks.h"
#include "core/Clock.h"
#include "core/Settings.h"

#include <QDate>
#include <QString>
#include <array>
#include <memory>

namespace morvane {

class ScheduleDatabase;

// Where the background sync stands, for the options page's status line and
// the tray tooltip.
struct SyncStatus
{
    bool running = false;
    // "12:04 同期しました（送信 3件、受信 1件）" or the time and the reason of
    // the last failure; empty before the first sync of the run.
    QString line;
    bool failing = false; // the last sync failed
};

// Glyph of a schedule's Mark code k is entry k + 1; entry 0 stays empty so
// that a Mark of -1 shows nothing.
using MarkSymbolTable = std::array<QString, 16>;

// The marks in code order: "", "●", "■", ... "〓".
MarkSymbolTable StandardMarkSymbols();

// The one application context: settings, database and the run-time state
// every window shares. Created by the entry procedure and passed by
// reference; nothing of it is global.
class AppContext
{
public:
    AppContext(const Clock& clock, QString programFolder);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }

    const Clock& clock() const { return m_clock; }

    // Folder of the executable: the data file and the log live there.
    const QString& programFolder() const { return m_programFolder; }

    // The open schedule database, or nullptr before it is opened and after
    // it was closed.
    ScheduleDatabase* database() const { return m_database.get(); }
    void setDatabase(std::unique_ptr<ScheduleDatabase> database);
    // Closes the database; harmless when none is open.
    void closeDatabase();

    AppEvents& events() { return m_events; }

    // The displayed month as a date (its first day); invalid before the
    // first drawing.
    QDate displayMonthDate() const;
    // DisplayMonth := "yyyy/M/01" of date's month.
    void setDisplayMonth(QDate date);

    // First day of the displayed month as text, "2026/12/01" (no leading
    // zero in the month). Set by every drawing of the month.
    QString DisplayMonth;
    // Days of the displayed month.
    int DaysInMonth = 0;
    // Cell of the last press on a day (8 to 49) or on the title (0); 0 also
    // stands for today.
    int SelectedCell = 0;
    // Day of the month seen at the last date check.
    int LastDay = 0;
    // Mark glyphs; filled at start-up.
    MarkSymbolTable MarkSymbols{};
    // Today's alarm list and its flags.
    AlarmState alarms;
    // What the viewer and the search window show.
    ViewerLink viewer;
    SearchLink search;
    SyncStatus syncStatus;
    // The sync password typed on the options page when the desktop's secret
    // store could not keep it: held in memory for this run only, for the
    // server and user stored in the settings. Empty otherwise.
    QString syncPasswordForRun;

private:
    const Clock& m_clock;
    QString m_programFolder;
    Settings m_settings;
    std::unique_ptr<ScheduleDatabase> m_database;
    AppEvents m_events;
};

// "yyyy/M/01" of date's month: the text form in which months pass between
// routines.
QString FirstDayText(QDate date);
// Reads "yyyy/M/d" (leading zeros allowed) as a date; invalid when it is not
// one.
QDate ParseDateText(const QString& text);

} // namespace morvane
