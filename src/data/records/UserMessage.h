#pragma once

#include <QString>
#include <functional>

namespace morvane {

// A notice the data layer has for the user. The icon values are the style
// codes of the program's message box, so the window layer shows one with
// MsgBox(text, int(icon), title).
enum class MessageIcon : int
{
    Critical = 16,
    Exclamation = 48,
    Information = 64,
};

struct UserMessage
{
    QString text;
    MessageIcon icon = MessageIcon::Information;
    QString title;
};

// Where the data layer sends its notices; the program plugs in a message
// box, tests collect them. An empty sink drops them.
using MessageSink = std::function<void(const UserMessage&)>;

inline const QString AppTitle = QStringLiteral("モルヴァ");

} // namespace morvane
