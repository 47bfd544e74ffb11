#pragma once

#include <QtGlobal>
#include <optional>

namespace morvane {

// When the background sync runs, as plain bookkeeping over a monotonic time
// in milliseconds, so that every rule can be followed without a timer:
//
// - at start and after the settings changed (configure), at once;
// - every interval after the last sync ended;
// - a few seconds after the last local change (each change moves the
//   moment on, so a burst of saves gives one sync);
// - at once when asked (the tray's "今すぐ同期").
//
// One sync at a time: whatever asks while one runs makes exactly one more
// follow it. After a failure the next try comes after 1, 2, 4 ... minutes,
// never later than the interval; a local change does not bring a retry
// forward, a request of the user does.
class SyncSchedule
{
public:
    static constexpr qint64 kDebounceMs = 5000;
    static constexpr qint64 kFirstRetryMs = 60000;

    // Sync on or off, every intervalMinutes; on means a sync is due now.
    void configure(bool enabled, int intervalMinutes, qint64 nowMs);
    void localChange(qint64 nowMs);
    void requestNow(qint64 nowMs);

    // When startDue should next be asked; none while off or running.
    std::optional<qint64> nextWake() const;
    // True when a sync should start now; it then counts as running.
    bool startDue(qint64 nowMs);
    void finished(bool ok, qint64 nowMs);
    // The sync that was due could not start yet (a question to the user
    // must wait for another window): it is due again after the quiet time,
    // and nothing counts as failed.
    void deferred(qint64 nowMs);

    bool enabled() const { return m_enabled; }
    bool running() const { return m_running; }
    int failures() const { return m_failures; }

private:
    qint64 intervalMs() const;

    bool m_enabled = false;
    int m_intervalMinutes = 30;
    bool m_running = false;
    bool m_now = false;      // asked to run at once
    bool m_queued = false;   // asked while running: one more follows
    int m_failures = 0;      // failed syncs in a row
    qint64 m_regularAt = 0;  // the interval's next run, or the retry after a failure
    std::optional<qint64> m_changeAt; // the debounced run after a local change
};

} // namespace morvane
