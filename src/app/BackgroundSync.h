#pragma once

#include "sync/CalendarSync.h"
#include "sync/SyncSchedule.h"
#include "sync/SyncSettings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

class QSettings;
class QThread;

namespace morvane {

class AppContext;

// The sync inside the running calendar: SyncSchedule decides when, a worker
// thread runs CalendarSync with a connection of its own to the data file,
// and what it received is read back into the windows' rows on this thread,
// which then redraw. The windows never wait on the network.
class BackgroundSync : public QObject
{
    Q_OBJECT

public:
    // Asks the user for the password when no secret store has one;
    // returns nothing when the user declines.
    using PasswordPrompt = std::function<std::optional<QString>(const QString& user,
                                                               const QString& server)>;
    // False while another window waits for the user (the first-run
    // choice): the question comes a few seconds after it is answered.
    using PromptAllowed = std::function<bool()>;

    BackgroundSync(AppContext& context, QSettings& store, PasswordPrompt prompt,
                   PromptAllowed promptAllowed = {}, QObject* parent = nullptr);
    // Waits for a sync still running.
    ~BackgroundSync() override;

    // Reads the settings and starts (a sync at once) or stops.
    void reconfigure();
    // Sync is on, with a server and a user: the tray offers "今すぐ同期(&Y)".
    bool offered() const { return m_offered; }

private:
    qint64 now() const { return m_monotonic.elapsed(); }
    void arm();
    void wake();
    void start();
    void finish(const SyncOutcome& outcome);
    void checkLocalChange();
    // The journal's highest entry so far: it grows with every change.
    qint64 journalMark() const;
    // Changes whenever another connection committed to the file.
    qint64 dataVersion() const;
    std::optional<QString> password();
    void setStatus(bool running, const QString& line, bool failing);

    AppContext& m_context;
    QSettings& m_store;
    PasswordPrompt m_prompt;
    PromptAllowed m_promptAllowed;
    SyncSettings m_settings;
    SyncSchedule m_schedule;
    QElapsedTimer m_monotonic;
    QTimer m_timer;
    QThread* m_worker = nullptr;
    std::optional<QString> m_password; // this run's, in memory only
    bool m_offered = false;
    bool m_asked = false;              // the user was asked this run
    qint64 m_seenJournal = -1;
    qint64 m_versionBefore = -1;
};

} // namespace morvane
