#pragma once

#include "data/records/UserMessage.h"

#include <QString>

namespace morvane {

class EngineError;

// Why the data file refused an open or a change, in the user's words: a
// read-only file or folder, a full disk, a file in use, a damaged file.
QString EngineErrorReason(const EngineError& error);

// What every window says when a change could not be written to the data
// file at `path`: that saving failed, the file it could not write and why.
// What the user typed stays in the window, so the next change that can be
// written stores it.
inline const QString WriteFailureTitle = QStringLiteral("DB保存時のエラー");

UserMessage WriteFailureMessage(const QString& path, const EngineError& error,
                                const QString& title = WriteFailureTitle);

} // namespace morvane
