#include "app/TerminationSignals.h"

namespace morvane {

// Windows ends a desktop program through the session (log-off, shut-down),
// which the application object already reports; there is nothing to watch.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

} // namespace morvane
