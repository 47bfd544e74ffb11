#pragma once

#include <QString>

namespace morvane {

// Hands a web address, a file or a folder to the desktop to open with its
// usual program. On failure tells the user ("ｴﾗｰが発生しました。") and
// returns false; never throws.
bool ShellOpen(const QString& target);

} // namespace morvane
