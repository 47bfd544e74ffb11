#pragma once

#include <QString>

namespace morvane {

class EngineError;

// The message of a write the data file refused: what failed, the file, and
// the reason in words a user can act on.
QString WriteFailureText(const EngineError& error, const QString& path);

} // namespace morvane
