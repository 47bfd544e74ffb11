#include "core/NumberText.h"

namespace morvane {

void AppendNumber(QString& text, qint64 number, int minDigits)
{
    char16_t reversed[24];
    int count = 0;
    // The magnitude as unsigned, so that the smallest number has one too.
    const bool negative = number < 0;
    quint64 value = negative ? quint64(0) - quint64(number) : quint64(number);
    do {
        reversed[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (negative)
        reversed[count++] = u'-';
    char16_t out[48];
    int length = 0;
    for (int pad = minDigits - count; pad > 0 && length < 24; --pad)
        out[length++] = u'0';
    while (count > 0)
        out[length++] = reversed[--count];
    text.append(reinterpret_cast<const QChar*>(out), length);
}

} // namespace morvane
