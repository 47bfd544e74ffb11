#include "core/LineBreaks.h"

namespace morvane {

QString ShownLineBreaks(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString StoredLineBreaks(const QString& text)
{
    QString stored = ShownLineBreaks(text);
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return stored;
}

} // namespace morvane
