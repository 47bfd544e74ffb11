#include "app/MorvaneProgram.h"

#include "app/AlarmWiring.h"
#include "app/BackgroundSync.h"
#include "app/DateTick.h"
#include "app/EditorWiring.h"
#include "app/Lifecycle.h"
#include "app/OptionsWiring.h"
#include "app/SearchWiring.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "app/ViewerWiring.h"
#include "calendar_window/dialogs/NewAppFrm.h"
#include "calendar_window/month/DrawCalendar.h"
#include "calendar_window/summary/DayBalloon.h"
#include "calendar_window/tray/CalendarMenuFrm.h"
#include "calendar_window/window/CalendarFrm.h"
#include "calendar_window/window/CalendarSurface.h"
#include "calendar_window/window/StartingFrm.h"
#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "core/ProgramFolder.h"
#include "core/SettingsStore.h"
#include "data/records/ScheduleDatabase.h"
#include "ui_toolkit/EventPump.h"
#include "ui_toolkit/MsgBox.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPixmapCache>
#include <QSessionManager>
#include <QSettings>
#include <QTimer>

namespace morvane {

namespace {

const QString kTitle = QStringLiteral(u"モルヴァ");
constexpr int kTickMilliseconds = 5000;

void ShowUserMessage(const UserMessage& message)
{
    MsgBox(message.text, static_cast<int>(message.icon),
           message.title.isEmpty() ? kTitle : message.title);
}

} // namespace

MorvaneProgram::MorvaneProgram(ProgramPlaces places, const Clock* clock, QObject* parent)
    : QObject(parent), m_places(std::move(places)), m_clock(clock ? *clock : m_systemClock)
{}

MorvaneProgram::~MorvaneProgram() = default;

bool MorvaneProgram::start()
{
    // 1. One copy per user; a second one only says so and touches nothing.
    m_instance = std::make_unique<SingleInstance>(m_places.lockFolder);
    if (!m_instance->acquire()) {
        MsgBox(QStringLiteral(u"既に起動されています"), MsgBoxStyle::Information, kTitle);
        m_exitCode = 0;
        return false;
    }

    // A request to terminate during the start-up (a log-off while a warning
    // of the import is open) ends it in order: the data file being built is
    // dropped, nothing half-made stays.
    m_termination = std::make_unique<TerminationSignals>();
    connect(m_termination.get(), &TerminationSignals::terminationRequested, this,
            &MorvaneProgram::terminationRequested);

    // Pictures drawn for the widgets are kept for reuse under keys that
    // include the palette, and the lists set palettes of their own: each
    // viewer or search window opened leaves pictures no later one can use.
    // A small bound keeps those from growing the program by megabytes over
    // a day of opening windows.
    QPixmapCache::setCacheLimit(kPictureCacheKilobytes);

    // 2. Settings, 3. the start line of the log, 4. the mark glyphs.
    m_store = m_places.settingsStore ? std::move(m_places.settingsStore) : OpenUserSettingsStore();
    const QString folder =
        m_places.programFolder.isEmpty() ? ProgramFolder() : m_places.programFolder;
    m_context = std::make_unique<AppContext>(m_clock, folder);
    SettingsEnvironment environment;
    environment.screenFonts = QFontDatabase::families();
    m_context->settings() = LoadSettings(*m_store, environment);
    const Settings& settings = m_context->settings();
    if (settings.StartLog)
        AppendLogLine(folder, kLogStartEvent, m_clock);
    m_context->MarkSymbols = StandardMarkSymbols();

    AppEvents& events = m_context->events();
    connect(&events, &AppEvents::warningRaised, this,
            [](const QString& text) { MsgBox(text, MsgBoxStyle::Exclamation, kTitle); });

    // 5. The start-up window over a copy of the desktop.
    m_starting = std::make_unique<StartingFrm>(&events);
    if (settings.ShowTitle)
        m_starting->showOverDesktop();

    // 6. The data file; on a first run it is created empty and the initial
    // set is offered once the calendar stands.
    DoEvents();
    OpenScheduleResult opened =
        OpenScheduleDatabase(folder, ShowUserMessage, [this] { return m_terminating; });
    if (opened.outcome == OpenOutcome::Stopped || (opened.ok() && m_terminating)) {
        if (opened.database)
            opened.database->Close();
        m_exitCode = 0;
        return false;
    }
    if (!opened.ok()) {
        m_starting->hide();
        ShowUserMessage(opened.failure);
        m_exitCode = 1;
        return false;
    }
    const bool firstRun = opened.outcome == OpenOutcome::CreatedNew;
    m_context->setDatabase(std::move(opened.database));

    // 7. The day the date tick compares with.
    const QDate today = m_clock.today();
    m_context->LastDay = today.day();
    m_lastDate = today;

    // 8. The calendar window (progress 0 to 70), 9. the menu window.
    m_calendar = std::make_unique<CalendarFrm>(*m_context);
    m_calendar->Form_Load();
    AttachDayBalloon(*m_calendar);
    m_menu = std::make_unique<CalendarMenuFrm>(*m_context);
    m_editor = std::make_unique<EditorWiring>(*m_context, m_menu.get());
    m_search = std::make_unique<SearchWiring>(*m_context);
    m_viewer = std::make_unique<ViewerWiring>(*m_context, m_menu.get());
    m_alarms = std::make_unique<AlarmWiring>(*m_context, *m_calendar, *m_menu);
    m_options = std::make_unique<OptionsWiring>(*m_context, *m_calendar, *m_menu, m_store.get());
    connectEndings();
    traceFirstPaint();

    // 10. The current month (progress 70 to 100), 11. the start-up window
    // goes, 12. and 13. layout, title and icons.
    DrawCalendar(*m_context, *m_calendar, FirstDayText(today));
    m_starting.reset();
    m_calendar->LayoutCalendar();
    m_calendar->PlaceTitleAndIcons();

    // 14. and 15. Stacking and visibility.
    if (settings.TopView)
        m_calendar->SetTopMost();
    if (settings.CalendarView) {
        if (settings.Transparency) {
            // The desktop copy of the first drawing may hold the start-up
            // window; take it again now that the window is gone, before the
            // calendar covers that place.
            DoEvents();
            m_calendar->PaintCalendarBackground();
        }
        m_calendar->show();
    } else {
        m_calendar->hide();
    }
    if (firstRun)
        ShowNewAppFrm(*m_context);

    // 16. to 18. Alarms, then the tick.
    DoEvents();
    m_alarms->ResetAlarmFlags();
    ScanAlarms(*m_context);
    DoEvents();
    startTimer1();
    startSync();
    m_running = true;
    if (m_terminating) {
        // Asked during the last steps: the close path, as in the running program.
        m_lifecycle->closeRequested();
        return false;
    }
    return true;
}

void MorvaneProgram::startSync()
{
    // Where no secret store answers, the password is asked once per run and
    // kept in memory only.
    const auto ask = [](const QString& user, const QString& server) -> std::optional<QString> {
        bool ok = false;
        const QString password = QInputDialog::getText(
            nullptr, kTitle,
            QStringLiteral("同期するサーバーのパスワードを入力してください。\n%1（%2）\n"
                           "パスワードはこのプログラムの終了まで覚えておきます。")
                .arg(user, server),
            QLineEdit::Password, QString(), &ok);
        if (!ok || password.isEmpty())
            return std::nullopt;
        return password;
    };
    // Not over a window that waits for the user's answer.
    const auto mayAsk = [] {
        if (QApplication::activeModalWidget())
            return false;
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == QLatin1String("NewAppFrm"))
                return false;
        }
        return true;
    };
    m_sync = std::make_unique<BackgroundSync>(*m_context, *m_store, ask, mayAsk);
    connect(&m_context->events(), &AppEvents::syncStatusChanged, this,
            [this] { m_menu->setSyncOffered(m_sync && m_sync->offered()); });
    m_sync->reconfigure();
}

void MorvaneProgram::terminationRequested()
{
    if (m_running) {
        m_lifecycle->closeRequested();
        return;
    }
    // The start-up checks this after each step that may wait for the user;
    // a message box waiting now is answered as if closed.
    m_terminating = true;
    if (QWidget* box = QApplication::activeModalWidget())
        box->close();
}

void MorvaneProgram::connectEndings()
{
    m_lifecycle = std::make_unique<Lifecycle>(*m_context, *m_store);
    CalendarFrm* calendar = m_calendar.get();
    CalendarMenuFrm* menu = m_menu.get();
    m_lifecycle->stopTimers = [calendar] {
        calendar->Timer1->stop();
        calendar->Timer2->stop();
    };
    m_lifecycle->removeTrayIcon = [menu] {
        menu->removeTrayIcon();
    };
    m_lifecycle->quit = [](int code) {
        QCoreApplication::exit(code);
    };

    Lifecycle* lifecycle = m_lifecycle.get();
    connect(&m_context->events(), &AppEvents::exitRequested, lifecycle, &Lifecycle::exitProgram);
    connect(calendar, &CalendarFrm::queryUnload, lifecycle, &Lifecycle::closeRequested);

    // The desktop session ending (log-off, shut-down) and a request to
    // terminate take the close path, so that the settings are kept.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, lifecycle,
                [lifecycle](QSessionManager&) { lifecycle->closeRequested(); });
    }
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, lifecycle,
            &Lifecycle::closeRequested);

    connect(&m_context->events(), &AppEvents::initialScheduleSetRequested, this,
            [this] { ShowNewAppFrm(*m_context); });
}

void MorvaneProgram::startTimer1()
{
    QTimer* timer = m_calendar->Timer1;
    // A few hundred milliseconds either way do not matter to a date check
    // or an alarm minute, and let the system bundle wake-ups.
    timer->setTimerType(Qt::CoarseTimer);
    connect(timer, &QTimer::timeout, this, [this] { m_alarms->Timer1_Timer(m_lastDate); });
    timer->start(kTickMilliseconds);
}

// For the start-up benchmark only: the moment the month is first painted,
// in milliseconds since the epoch, written to the file the benchmark names.
void MorvaneProgram::traceFirstPaint()
{
    const QString path = qEnvironmentVariable("MORVANE_FIRST_PAINT_TRACE");
    if (path.isEmpty())
        return;
    class FirstPaint final : public QObject
    {
    public:
        FirstPaint(QString path, QObject* parent) : QObject(parent), m_path(std::move(path)) {}
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !m_done) {
                m_done = true;
                // Written once the paint has run.
                QTimer::singleShot(0, this, [this] {
                    QFile file(m_path);
                    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                        file.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '\n');
                });
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        QString m_path;
        bool m_done = false;
    };
    m_calendar->Picture1->installEventFilter(new FirstPaint(path, this));
}

} // namespace morvane
