#include "sync/SyncSchedule.h"

#include <algorithm>

namespace morvane {

qint64 SyncSchedule::intervalMs() const
{
    return qint64(m_intervalMinutes) * 60000;
}

void SyncSchedule::configure(bool enabled, int intervalMinutes, qint64 nowMs)
{
    m_enabled = enabled;
    m_intervalMinutes = std::max(1, intervalMinutes);
    m_failures = 0;
    m_changeAt.reset();
    m_now = enabled;
    m_regularAt = nowMs + intervalMs();
    // A run in progress under the old settings is followed by one under
    // the new ones.
    m_queued = enabled && m_running;
}

void SyncSchedule::localChange(qint64 nowMs)
{
    if (!m_enabled)
        return;
    m_changeAt = nowMs + kDebounceMs;
}

void SyncSchedule::requestNow(qint64 /*nowMs*/)
{
    if (!m_enabled)
        return;
    if (m_running)
        m_queued = true;
    else
        m_now = true;
}

std::optional<qint64> SyncSchedule::nextWake() const
{
    if (!m_enabled || m_running)
        return std::nullopt;
    if (m_now)
        return qint64(0);
    qint64 at = m_regularAt;
    if (m_changeAt) {
        // After a failure a change waits for the retry; otherwise it comes
        // before the interval.
        at = m_failures > 0 ? std::max(*m_changeAt, m_regularAt) : std::min(*m_changeAt, at);
    }
    return at;
}

bool SyncSchedule::startDue(qint64 nowMs)
{
    const std::optional<qint64> at = nextWake();
    if (!at || *at > nowMs)
        return false;
    m_running = true;
    m_now = false;
    m_changeAt.reset();
    return true;
}

void SyncSchedule::deferred(qint64 nowMs)
{
    if (!m_running)
        return;
    m_running = false;
    m_changeAt = nowMs + kDebounceMs;
    m_regularAt = std::max(m_regularAt, nowMs + kDebounceMs);
    if (m_queued) {
        m_queued = false;
        m_now = false;
    }
}

void SyncSchedule::finished(bool ok, qint64 nowMs)
{
    if (!m_running)
        return;
    m_running = false;
    if (ok) {
        m_failures = 0;
        m_regularAt = nowMs + intervalMs();
    } else {
        ++m_failures;
        const int doublings = std::min(m_failures - 1, 20);
        m_regularAt = nowMs + std::min(kFirstRetryMs << doublings, intervalMs());
    }
    if (m_queued) {
        m_queued = false;
        m_now = m_enabled;
    }
}

} // namespace morvane
