#pragma once

#include <QObject>

namespace morvane {

// Turns the system's request to terminate the process (SIGTERM, SIGINT and
// SIGHUP where there are signals) into a Qt signal delivered on the
// user-interface thread, so that the program can end through its normal
// close path and keep its settings.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False where the platform offers no such requests or they could not be
    // watched.
    bool isWatching() const { return m_watching; }

signals:
    void terminationRequested();

private:
    bool m_watching = false;
};

} // namespace morvane
