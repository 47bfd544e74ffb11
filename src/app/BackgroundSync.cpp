#include "app/BackgroundSync.h"

#include "app/SyncRun.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/SharedDataFile.h"
#include "sync/SecretStore.h"

#include <QSettings>
#include <QThread>
#include <limits>

namespace morvane {

BackgroundSync::BackgroundSync(AppContext& context, QSettings& store, PasswordPrompt prompt,
                               PromptAllowed promptAllowed, QObject* parent)
    : QObject(parent),
      m_context(context),
      m_store(store),
      m_prompt(std::move(prompt)),
      m_promptAllowed(std::move(promptAllowed))
{
    m_monotonic.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &BackgroundSync::wake);

    AppEvents& events = context.events();
    connect(&events, &AppEvents::syncNowRequested, this, [this] {
        m_schedule.requestNow(now());
        arm();
    });
    connect(&events, &AppEvents::syncSettingsChanged, this, [this] {
        // The options page may have stored another password.
        m_password.reset();
        m_asked = false;
        reconfigure();
    });
    // Every change of the schedules ends in one of these; the journal tells
    // a change from a mere redraw.
    connect(&events, &AppEvents::drawCalendarRequested, this, &BackgroundSync::checkLocalChange);
    connect(&events, &AppEvents::alarmScanRequested, this, &BackgroundSync::checkLocalChange);
    connect(&events, &AppEvents::viewerRefreshRequested, this, &BackgroundSync::checkLocalChange);
}

BackgroundSync::~BackgroundSync()
{
    m_timer.stop();
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void BackgroundSync::reconfigure()
{
    m_store.sync();
    m_settings = ReadSyncSettings(m_store);
    const bool usable =
        m_settings.enabled && !m_settings.server.isEmpty() && !m_settings.user.isEmpty();
    m_schedule.configure(usable, m_settings.intervalMinutes, now());
    m_seenJournal = journalMark();
    if (m_offered != usable) {
        m_offered = usable;
        if (!usable)
            m_context.syncStatus = SyncStatus{};
        emit m_context.events().syncStatusChanged();
    }
    arm();
}

void BackgroundSync::arm()
{
    const std::optional<qint64> at = m_schedule.nextWake();
    if (!at) {
        m_timer.stop();
        return;
    }
    const qint64 wait = std::max<qint64>(0, *at - now());
    m_timer.start(int(std::min<qint64>(wait, std::numeric_limits<int>::max())));
}

void BackgroundSync::wake()
{
    if (m_schedule.startDue(now()))
        start();
    arm();
}

qint64 BackgroundSync::dataVersion() const
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return -1;
    try {
        const auto rows = database->database().QuerySql(QStringLiteral("PRAGMA data_version"));
        return rows.empty() ? -1 : rows.front().front().toLongLong();
    } catch (const EngineError&) {
        return -1;
    }
}

qint64 BackgroundSync::journalMark() const
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return -1;
    try {
        const auto rows = database->database().QuerySql(
            QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'sync_journal'"));
        return rows.empty() ? 0 : rows.front().front().toLongLong();
    } catch (const EngineError&) {
        return -1;
    }
}

void BackgroundSync::checkLocalChange()
{
    if (!m_schedule.enabled())
        return;
    if (m_schedule.running()) {
        // The file is shared with the sync now: a look could wait for its
        // commit. One more sync after this one settles it.
        m_schedule.localChange(now());
        return;
    }
    const qint64 mark = journalMark();
    if (mark == m_seenJournal)
        return;
    m_seenJournal = mark;
    m_schedule.localChange(now());
    arm();
}

std::optional<QString> BackgroundSync::password()
{
    if (m_password)
        return m_password;
    const SecretResult stored = ReadSyncPassword(m_settings.server, m_settings.user);
    if (stored.password) {
        m_password = stored.password;
        return m_password;
    }
    // Typed on the options page while no secret store would keep it.
    if (!m_context.syncPasswordForRun.isEmpty()) {
        m_password = m_context.syncPasswordForRun;
        return m_password;
    }
    if (m_asked || !m_prompt)
        return std::nullopt;
    m_asked = true;
    m_password = m_prompt(m_settings.user, m_settings.server);
    return m_password;
}

void BackgroundSync::setStatus(bool running, const QString& line, bool failing)
{
    SyncStatus& status = m_context.syncStatus;
    status.running = running;
    if (!line.isEmpty() || !running) {
        status.line = line;
        status.failing = failing;
    }
    emit m_context.events().syncStatusChanged();
}

void BackgroundSync::start()
{
    ScheduleDatabase* database = m_context.database();
    const QString time = m_context.clock().now().toString(QStringLiteral("HH:mm "));
    // Not in the middle of a batch of the windows (a bulk deletion that lets
    // events through), nor over a window that waits for the user.
    if (database && (database->database().InTransaction() ||
                     (!m_password && !m_asked && m_promptAllowed && !m_promptAllowed()))) {
        m_schedule.deferred(now());
        return;
    }
    const std::optional<QString> secret = database ? password() : std::nullopt;
    if (!database || !secret || secret->isEmpty()) {
        m_schedule.finished(false, now());
        setStatus(false,
                  time + QStringLiteral("同期できません：パスワードがありません（オプションの「同期」で設定してください）。"),
                  true);
        return;
    }
    SyncJob job;
    job.dataFile = database->path();
    job.logFolder = m_context.programFolder();
    job.server = m_settings.server;
    job.calendar = m_settings.calendar;
    job.user = m_settings.user;
    job.password = *secret;
    job.trustedFingerprint = m_settings.trustedFingerprint;
    m_versionBefore = dataVersion();
    try {
        ShareDataFile(database->database(), true);
    } catch (const EngineError& error) {
        m_schedule.finished(false, now());
        setStatus(false, time + QStringLiteral("同期できません：") + error.message(), true);
        return;
    }
    setStatus(true, {}, false);
    m_worker = QThread::create([this, job] {
        const SyncOutcome outcome = RunSyncJob(job);
        QMetaObject::invokeMethod(this, [this, outcome] { finish(outcome); },
                                  Qt::QueuedConnection);
    });
    m_worker->setObjectName(QStringLiteral("sync"));
    m_worker->start(QThread::LowPriority);
}

void BackgroundSync::finish(const SyncOutcome& outcome)
{
    if (ScheduleDatabase* database = m_context.database();
        database && database->database().InTransaction()) {
        // The rows are read back once the windows' batch is done.
        QTimer::singleShot(100, this, [this, outcome] { finish(outcome); });
        return;
    }
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    ScheduleDatabase* database = m_context.database();
    const SyncCounts& c = outcome.counts;
    bool landed = false;
    if (database) {
        try {
            ShareDataFile(database->database(), false);
            // The sync's connection committed something (a failed sync too
            // may have written a group it received): the rows follow.
            landed = dataVersion() != m_versionBefore;
            if (landed)
                ReloadScheduleRows(database->database());
        } catch (const EngineError&) {
            // The next drawing reports a broken file.
        }
    }
    m_seenJournal = journalMark();
    m_schedule.finished(outcome.ok(), now());
    const QString time = m_context.clock().now().toString(QStringLiteral("HH:mm "));
    if (outcome.ok())
        setStatus(false, time + SyncSummary(c), false);
    else
        setStatus(false, time + QStringLiteral("同期できません：") + outcome.failure, true);
    if (landed) {
        AppEvents& events = m_context.events();
        if (!m_context.DisplayMonth.isEmpty())
            emit events.drawCalendarRequested(m_context.DisplayMonth);
        emit events.viewerRefreshRequested();
        emit events.alarmScanRequested();
    }
    arm();
}

} // namespace morvane
