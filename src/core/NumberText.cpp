#include "core/NumberText.h"

namespace morvane {

char16_t* WriteNumber(char16_t* out, qint64 number, int minDigits)
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
    for (int pad = minDigits - count; pad > 0; --pad)
        *out++ = u'0';
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

void AppendNumber(QString& text, qint64 number, int minDigits)
{
    char16_t small[48];
    if (minDigits <= 24) {
        const char16_t* end = WriteNumber(small, number, minDigits);
        text.append(reinterpret_cast<const QChar*>(small), end - small);
        return;
    }
    QString wide(qsizetype(minDigits) + 24, Qt::Uninitialized);
    auto* begin = reinterpret_cast<char16_t*>(wide.data());
    wide.truncate(WriteNumber(begin, number, minDigits) - begin);
    text += wide;
}

} // namespace morvane
