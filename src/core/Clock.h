#pragma once

#include <QDate>
#include <QDateTime>

namespace morvane {

// The one source of "now". The program runs on SystemClock; tests hand a
// FixedClock to whatever they exercise so that every date-dependent result
// is reproducible.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    // The same moment as now(), in milliseconds since 1970 UTC: for a
    // caller that only needs to know whether a minute has passed, without
    // the cost of turning it into the local date and time.
    virtual qint64 epochMilliseconds() const { return now().toMSecsSinceEpoch(); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 epochMilliseconds() const override { return QDateTime::currentMSecsSinceEpoch(); }
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime moment = {}) : m_now(std::move(moment)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& moment) { m_now = moment; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

} // namespace morvane
