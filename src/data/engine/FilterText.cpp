#include "data/engine/DatabaseEngine.h"

namespace morvane {

QString QuoteFilterText(const QString& text)
{
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(QLatin1Char('\''));
    for (const QChar c : text) {
        quoted.append(c);
        if (c == QLatin1Char('\''))
            quoted.append(c);
    }
    quoted.append(QLatin1Char('\''));
    return quoted;
}

QString LikePatternForLiteral(const QString& text)
{
    QString pattern;
    pattern.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'*':
        case u'?':
        case u'#':
        case u'[':
            pattern.append(QLatin1Char('['));
            pattern.append(c);
            pattern.append(QLatin1Char(']'));
            break;
        default:
            pattern.append(c);
        }
    }
    return pattern;
}

} // namespace morvane
