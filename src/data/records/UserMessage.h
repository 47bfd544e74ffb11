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

// What the editor and the alarm window say when a schedule's text is longer
// than its field: the field's size and the text's code page 932 byte count.
inline QString ScheduleTextTooLongMessage(int fieldSize, qint64 byteCount)
{
    return QStringLiteral(u"予定内容の文字数が多すぎます。\r\n%1バイト以内で指定してください。\r\n"
                          u"\r\n（現在のバイト数=%2バイト）")
        .arg(fieldSize)
        .arg(byteCount);
}

} // namespace morvane
