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

} // namespace morvane
