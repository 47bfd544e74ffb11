#pragma once

#include "data/records/UserMessage.h"

#include <QString>

namespace morvane {

class EngineError;

// The reason of an engine failure in the user's words: a file or folder
// that cannot be written, a full disk, a file another program holds, a file
// that is not ours; else the engine's own number and text.
QString EngineFailureReason(const EngineError& error);

// What a window says when a change cannot be stored in the data file at
// path: that the file cannot be written, the file, and the reason. The
// window keeps what the user typed and the program runs on.
UserMessage DataWriteFailure(const QString& path, const EngineError& error, const QString& title);

} // namespace morvane
