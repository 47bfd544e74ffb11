#pragma once

#include "core/Clock.h"

#include <QDate>
#include <QObject>
#include <QSettings>
#include <QString>
#include <memory>

namespace morvane {

class AlarmWiring;
class BackgroundSync;
class AppContext;
class CalendarFrm;
class CalendarMenuFrm;
class EditorWiring;
class Lifecycle;
class OptionsWiring;
class SearchWiring;
class SingleInstance;
class StartingFrm;
class TerminationSignals;
class ViewerWiring;

// Where a run keeps its things; the program uses the defaults, tests point
// them at temporary folders.
struct ProgramPlaces
{
    QString programFolder;                    // empty: ProgramFolder()
    QString lockFolder;                       // empty: the user's runtime folder
    std::unique_ptr<QSettings> settingsStore; // null: the user's store
};

// The running program: the start-up in its fixed order, the 5-second tick
// and the ways it ends. Lives from the start of main to its end.
class MorvaneProgram : public QObject
{
    Q_OBJECT

public:
    // The bound of the toolkit's store of drawn pictures while the program runs.
    static constexpr int kPictureCacheKilobytes = 2048;

    explicit MorvaneProgram(ProgramPlaces places = {}, const Clock* clock = nullptr,
                            QObject* parent = nullptr);
    ~MorvaneProgram() override;

    // Runs the start-up. True when the program is now running and the event
    // loop should take over; false when it must end at once with exitCode()
    // (a second copy, a data file that cannot be opened).
    bool start();
    int exitCode() const { return m_exitCode; }

    AppContext* context() const { return m_context.get(); }
    CalendarFrm* calendar() const { return m_calendar.get(); }
    CalendarMenuFrm* menu() const { return m_menu.get(); }
    AlarmWiring* alarms() const { return m_alarms.get(); }
    Lifecycle* lifecycle() const { return m_lifecycle.get(); }

private:
    void connectEndings();
    void terminationRequested();
    void startTimer1();
    void startSync();
    void traceFirstPaint();

    ProgramPlaces m_places;
    SystemClock m_systemClock;
    const Clock& m_clock;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<Lifecycle> m_lifecycle;
    std::unique_ptr<TerminationSignals> m_termination;
    // Windows go before the context they refer to.
    std::unique_ptr<StartingFrm> m_starting;
    std::unique_ptr<CalendarFrm> m_calendar;
    std::unique_ptr<CalendarMenuFrm> m_menu;
    std::unique_ptr<EditorWiring> m_editor;
    std::unique_ptr<SearchWiring> m_search;
    std::unique_ptr<ViewerWiring> m_viewer;
    std::unique_ptr<OptionsWiring> m_options;
    // Goes before the windows it drives.
    std::unique_ptr<AlarmWiring> m_alarms;
    // Goes first of all: it waits for a sync still running.
    std::unique_ptr<BackgroundSync> m_sync;
    QDate m_lastDate;
    int m_exitCode = 0;
    bool m_running = false;     // the start-up is done
    bool m_terminating = false; // termination asked for during the start-up
};

} // namespace morvane
