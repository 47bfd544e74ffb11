#include "calendar_math/DateFormat.h"

#include "calendar_math/WeekFunctions.h"

#include <vector>

namespace morvane {

namespace {

enum class Field
{
    Literal,
    Year, // width 4 or 2
    DayOfYear,
    Month, // width 1 or 2
    MonthName,
    Day,         // width 1 or 2
    WeekdayName, // width 1 short, 2 long
    WeekdayNumber,
    Era,     // width 3 name, 2 first kanji, 1 initial
    EraYear, // width 1 or 2
    Hour,    // width 1 or 2
    Minute,  // width 1 or 2
    Second,  // width 1 or 2
    Designator,
};

struct Token
{
    Field field = Field::Literal;
    int width = 0;
    QString text; // literal text, or the designator as written
};

struct Designator
{
    QStringView written;
    QStringView morning;
    QStringView afternoon;
};

// Longest first, so "AMPM" is not read as "A" and "MPM". Case matters here.
const Designator kDesignators[] = {
    {u"AM/PM", u"AM", u"PM"},    {u"am/pm", u"am", u"pm"}, {u"AMPM", u"午前", u"午後"},
    {u"ampm", u"午前", u"午後"}, {u"A/P", u"A", u"P"},     {u"a/p", u"a", u"p"},
};

const Designator* FindDesignator(QStringView text)
{
    for (const Designator& designator : kDesignators) {
        if (text == designator.written)
            return &designator;
    }
    return nullptr;
}

qsizetype RunLength(QStringView pattern, qsizetype at)
{
    const QChar letter = pattern[at].toLower();
    qsizetype end = at;
    while (end < pattern.size() && pattern[end].toLower() == letter)
        ++end;
    return end - at;
}

void AppendLiteral(std::vector<Token>& tokens, QStringView text)
{
    if (!tokens.empty() && tokens.back().field == Field::Literal)
        tokens.back().text += text;
    else
        tokens.push_back({Field::Literal, 0, text.toString()});
}

Token FieldToken(QChar letter, qsizetype run)
{
    const int n = static_cast<int>(run);
    switch (letter.unicode()) {
    case u'y':
        if (n == 1)
            return {Field::DayOfYear, 1, {}};
        return {Field::Year, n == 2 ? 2 : 4, {}};
    case u'm':
        if (n >= 3)
            return {Field::MonthName, 1, {}};
        return {Field::Month, n, {}};
    case u'd':
        if (n >= 4)
            return {Field::WeekdayName, 2, {}};
        if (n == 3)
            return {Field::WeekdayName, 1, {}};
        return {Field::Day, n, {}};
    case u'g':
        return {Field::Era, qMin(n, 3), {}};
    case u'e':
        return {Field::EraYear, qMin(n, 2), {}};
    case u'h':
        return {Field::Hour, qMin(n, 2), {}};
    case u'n':
        return {Field::Minute, qMin(n, 2), {}};
    case u's':
        return {Field::Second, qMin(n, 2), {}};
    default:
        return {};
    }
}

std::vector<Token> Tokenize(QStringView pattern)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            AppendLiteral(tokens, pattern.sliced(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (c == u'\\') {
            if (i + 1 < pattern.size())
                AppendLiteral(tokens, pattern.sliced(i + 1, 1));
            i += 2;
            continue;
        }
        const Designator* designator = nullptr;
        for (const Designator& candidate : kDesignators) {
            if (pattern.sliced(i).startsWith(candidate.written)) {
                designator = &candidate;
                break;
            }
        }
        if (designator) {
            tokens.push_back({Field::Designator, 0, designator->written.toString()});
            i += designator->written.size();
            continue;
        }
        const qsizetype run = RunLength(pattern, i);
        const QChar letter = c.toLower();
        if (letter == u'a' && (run == 3 || run == 4)) {
            tokens.push_back({Field::WeekdayName, run == 3 ? 1 : 2, {}});
            i += run;
            continue;
        }
        if (letter == u'w' && run == 1) {
            tokens.push_back({Field::WeekdayNumber, 1, {}});
            i += run;
            continue;
        }
        const Token token = FieldToken(letter, run);
        if (token.field == Field::Literal) {
            AppendLiteral(tokens, pattern.sliced(i, 1));
            ++i;
            continue;
        }
        tokens.push_back(token);
        i += run;
    }

    // "m" next to an hour or before seconds is a minute, not a month.
    const Field* previous = nullptr;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        Token& token = tokens[t];
        if (token.field == Field::Literal)
            continue;
        if (token.field == Field::Month) {
            const Field* next = nullptr;
            for (std::size_t u = t + 1; u < tokens.size() && !next; ++u) {
                if (tokens[u].field != Field::Literal)
                    next = &tokens[u].field;
            }
            if ((previous && *previous == Field::Hour) || (next && *next == Field::Second))
                token.field = Field::Minute;
        }
        previous = &token.field;
    }
    return tokens;
}

QString Number(int value, int width)
{
    const QString digits = QString::number(value);
    return width >= 2 ? digits.rightJustified(width, u'0') : digits;
}

QString LongWeekdayName(QDate date)
{
    const QString name = GetWeekNameOfDate(date);
    return name.isEmpty() ? name : name + QStringLiteral("曜日");
}

QString EraText(QDate date, int width)
{
    const JapaneseEra era = EraOf(date);
    if (width >= 3)
        return era.name;
    if (width == 2)
        return era.name.left(1);
    return era.initial;
}

QString FieldText(const Token& token, QDate date, QTime time, bool twelveHour)
{
    switch (token.field) {
    case Field::Literal:
        return token.text;
    case Field::Year:
        return token.width == 4 ? Number(date.year(), 4) : Number(date.year() % 100, 2);
    case Field::DayOfYear:
        return Number(date.dayOfYear(), 1);
    case Field::Month:
        return Number(date.month(), token.width);
    case Field::MonthName:
        return QString::number(date.month()) + QStringLiteral("月");
    case Field::Day:
        return Number(date.day(), token.width);
    case Field::WeekdayName:
        return token.width == 1 ? GetWeekNameOfDate(date) : LongWeekdayName(date);
    case Field::WeekdayNumber:
        return Number(WeekdayNumber(date), 1);
    case Field::Era:
        return EraText(date, token.width);
    case Field::EraYear:
        return Number(EraYear(date), token.width);
    case Field::Hour: {
        int hour = time.hour();
        if (twelveHour) {
            hour %= 12;
            if (hour == 0)
                hour = 12;
        }
        return Number(hour, token.width);
    }
    case Field::Minute:
        return Number(time.minute(), token.width);
    case Field::Second:
        return Number(time.second(), token.width);
    case Field::Designator: {
        const Designator* designator = FindDesignator(token.text);
        if (!designator)
            return {};
        return (time.hour() < 12 ? designator->morning : designator->afternoon).toString();
    }
    }
    return {};
}

} // namespace

QString FormatDateTime(QDate date, QTime time, QStringView pattern)
{
    if (!date.isValid() || !time.isValid())
        return {};
    const std::vector<Token> tokens = Tokenize(pattern);
    bool twelveHour = false;
    for (const Token& token : tokens)
        twelveHour = twelveHour || token.field == Field::Designator;

    QString text;
    for (const Token& token : tokens)
        text += FieldText(token, date, time, twelveHour);
    return text;
}

QString FormatDateTime(const QDateTime& moment, QStringView pattern)
{
    return FormatDateTime(moment.date(), moment.time(), pattern);
}

QString FormatDate(QDate date, QStringView pattern)
{
    return FormatDateTime(date, QTime(0, 0), pattern);
}

QString FormatTime(QTime time, QStringView pattern)
{
    return FormatDateTime(QDate(1899, 12, 30), time, pattern);
}

} // namespace morvane
