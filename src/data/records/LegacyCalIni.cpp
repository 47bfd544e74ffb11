#include "data/records/LegacyCalIni.h"

#include "data/records/ScheduleCodes.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool IsLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The number a text starts with, the way the old runtime's Val read it:
// leading blanks skipped, digits up to the first other character, 0 when
// there are none.
int LeadingNumber(const QString& text)
{
    int value = 0;
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        if (value > 100000)
            break;
        value = value * 10 + (text.at(i).unicode() - '0');
    }
    return negative ? -value : value;
}

// A text that is wholly an integer (blanks around it allowed); what a
// number field accepts from a text.
std::optional<int> WholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QDate> CodeAsDate(const QString& code)
{
    const QStringList parts = code.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return std::nullopt;
    const std::optional<int> y = WholeNumber(parts[0]);
    const std::optional<int> m = WholeNumber(parts[1]);
    const std::optional<int> d = WholeNumber(parts[2]);
    if (!y || !m || !d)
        return std::nullopt;
    const QDate date(*y, *m, *d);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<int> WeekdayOfWord(const QString& word)
{
    static const char* const names[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    for (int i = 0; i < 7; ++i) {
        if (word == QLatin1String(names[i]))
            return i + 1;
    }
    return std::nullopt;
}

} // namespace

QStringList ReadListInputFields(const QString& text)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && IsBlank(text.at(i)))
            ++i;
        if (i >= n)
            break;
        if (IsLineEnd(text.at(i))) {
            // A line end straight after a field's comma closes an empty
            // field; an empty line holds nothing.
            ++i;
            continue;
        }
        QString field;
        if (text.at(i) == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            qsizetype lineEnd = i + 1;
            while (lineEnd < n && !IsLineEnd(text.at(lineEnd)))
                ++lineEnd;
            if (close < 0 || close > lineEnd) {
                field = text.mid(i + 1, lineEnd - i - 1);
                i = lineEnd;
            } else {
                field = text.mid(i + 1, close - i - 1);
                i = close + 1;
                // Whatever stands between the closing quote and the next
                // separator is not part of the field.
                while (i < n && text.at(i) != QLatin1Char(',') && !IsLineEnd(text.at(i)))
                    ++i;
            }
        } else {
            const qsizetype start = i;
            while (i < n && text.at(i) != QLatin1Char(',') && !IsLineEnd(text.at(i)))
                ++i;
            field = text.mid(start, i - start).trimmed();
        }
        fields.append(field);
        if (i < n && text.at(i) == QLatin1Char(',')) {
            ++i;
            // "a," at the end of a line: the comma opens one more, empty field.
            qsizetype j = i;
            while (j < n && IsBlank(text.at(j)))
                ++j;
            if (j >= n || IsLineEnd(text.at(j))) {
                fields.append(QString());
                i = j;
            }
        }
    }
    return fields;
}

std::vector<LegacyEntry> ParseLegacyEntries(const QString& text)
{
    const QStringList fields = ReadListInputFields(text);
    std::vector<LegacyEntry> entries;
    for (qsizetype i = 0; i + 3 < fields.size(); i += 4)
        entries.push_back({fields[i], fields[i + 1], fields[i + 2], fields[i + 3]});
    return entries;
}

std::optional<int> LegacyColorCode(const QString& color)
{
    if (const std::optional<int> whole = WholeNumber(color))
        return whole;
    // Some versions wrote the colour as a decimal ("12.0"); the old runtime
    // read such a text as the number, rounding halves to even.
    bool ok = false;
    const double value = color.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 32767)
        return std::nullopt;
    return int(std::nearbyint(value));
}

LegacyDateFields ConvertLegacyDateCode(const QString& sourceCode, std::optional<int> color)
{
    LegacyDateFields f;
    QString code = sourceCode;

    if (code.left(4) == QLatin1String("9999")) {
        f.year = 0;
        f.type = int(color == HolidayColor ? ScheduleKind::Holiday : ScheduleKind::Event);
    } else {
        f.type = int(ScheduleKind::Ordinary);
        f.year = WholeNumber(code.left(4));
    }

    const auto lastIsDigit = [&code] {
        return !code.isEmpty() && code.back().isDigit() && code.back().unicode() < 128;
    };

    if (code.mid(5, 2) == QLatin1String("99")) {
        f.month = 0;
        // Every month: the rest is re-based on January so that the code
        // still reads as a date below.
        const QString rest = lastIsDigit() ? code.mid(8) : code.right(4);
        code = code.left(4) + QLatin1String("/1/") + rest;
    } else {
        f.month = LeadingNumber(code.mid(5, 2));
    }

    if (lastIsDigit()) {
        QString dayText = code.right(2);
        if (dayText.startsWith(QLatin1Char('/')))
            dayText.remove(0, 1);
        f.day = LeadingNumber(dayText);
        const std::optional<QDate> asDate = CodeAsDate(code);
        if (asDate && asDate->year() == 1950) {
            // The first versions stored every-year dates in the year 1950.
            f.year = 0;
            f.month = asDate->month();
            f.day = asDate->day();
        }
    } else if (code.endsWith(QLatin1String("Vernal")) || code.endsWith(QLatin1String("Autumnal"))) {
        f.type = int(ScheduleKind::EquinoxHoliday);
        f.month = code.endsWith(QLatin1String("Vernal")) ? 3 : 9;
    } else {
        f.week = code.size() >= 4 ? WholeNumber(code.mid(code.size() - 4, 1)) : std::nullopt;
        if (f.week && *f.week > 4) {
            f.fifthWeekOrLater = true;
            return f;
        }
        f.dayOfTheWeek = WeekdayOfWord(code.right(3));
    }
    return f;
}

QString ShownPartOfMessage(const QString& message)
{
    // A message box lays out every character it is given: a megabyte of
    // text keeps the program busy for half a minute and fills the screen.
    if (message.size() <= kShownMessageLength)
        return message;
    qsizetype cut = kShownMessageLength;
    if (message.at(cut - 1).isHighSurrogate())
        --cut;
    return message.left(cut) + QStringLiteral(u"…");
}

QString FifthWeekWarningText(const QString& message)
{
    return QStringLiteral("第５週以降の予定があります。\r\nこの予定を削除します。\r\n\r\n(") +
           ShownPartOfMessage(message) + QLatin1Char(')');
}

QString FifthWeekWarningText(const QStringList& messages)
{
    if (messages.size() == 1)
        return FifthWeekWarningText(messages.front());
    QString text =
        QStringLiteral("第５週以降の予定が %1 件あります。\r\nこれらの予定を削除します。\r\n")
            .arg(messages.size());
    const qsizetype listed = std::min<qsizetype>(messages.size(), kListedFifthWeekEntries);
    for (qsizetype i = 0; i < listed; ++i)
        text += QStringLiteral("\r\n(") + ShownPartOfMessage(messages.at(i)) + QLatin1Char(')');
    if (messages.size() > listed)
        text += QStringLiteral("\r\nほか %1 件").arg(messages.size() - listed);
    return text;
}

} // namespace morvane
