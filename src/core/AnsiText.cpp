#include "core/AnsiText.h"

namespace morvane {

qsizetype AnsiByteLength(const QString& text)
{
    // Length checks run on every keystroke of some editors; plain ASCII,
    // by far the common case, needs no conversion.
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    return ascii ? text.size() : ToAnsi(text).size();
}

QString FitAnsiCapacity(const QString& text, qsizetype capacity)
{
    QString fitted;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, length);
        bytes += AnsiByteLength(piece);
        if (bytes > capacity)
            break;
        fitted += piece;
        i += length;
    }
    return fitted;
}

} // namespace morvane
