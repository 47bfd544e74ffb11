#include "interchange/IcsLines.h"

#include <QByteArrayView>
#include <QDate>
#include <algorithm>
#include <cstring>

namespace morvane {

namespace {

// A text longer than this tells nothing more: no schedule field holds a
// tenth of it, and the cut is still seen as one.
constexpr qsizetype kTextKeepOctets = 8 * 1024;

// Offsets of real zones lie within this many seconds of UTC.
constexpr int kMaxZoneOffsetSeconds = 14 * 3600;

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Length of the name at text[at], or 0.
qsizetype NameLength(QByteArrayView text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && IsNameChar(text[end]))
        ++end;
    return end - at;
}

// The position of the ':' that ends name and parameters, or -1.
qsizetype ValueColon(QByteArrayView line)
{
    qsizetype at = NameLength(line, 0);
    if (at == 0)
        return -1;
    while (at < line.size() && line[at] == ';') {
        const qsizetype name = NameLength(line, at + 1);
        if (name == 0 || at + 1 + name >= line.size() || line[at + 1 + name] != '=')
            return -1;
        at += 2 + name;
        for (;;) { // values, comma separated, quoted or plain
            if (at < line.size() && line[at] == '"') {
                const qsizetype close = line.indexOf('"', at + 1);
                if (close < 0)
                    return -1;
                at = close + 1;
            } else {
                while (at < line.size() && line[at] != ';' && line[at] != ':' && line[at] != ',' &&
                       line[at] != '"')
                    ++at;
            }
            if (at < line.size() && line[at] == ',') {
                ++at;
                continue;
            }
            break;
        }
    }
    return at < line.size() && line[at] == ':' ? at : -1;
}

bool IsOneOf(const QByteArray& name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&name](const char* n) { return name == QByteArrayView(n); });
}

// Components the import reads, by their parent.
bool KeepsComponent(const QByteArray& parent, const QByteArray& name)
{
    if (parent.isEmpty())
        return name == "VCALENDAR";
    if (parent == "VCALENDAR")
        return name == "VEVENT" || name == "VTIMEZONE";
    if (parent == "VEVENT")
        return name == "VALARM";
    if (parent == "VTIMEZONE")
        return name == "STANDARD" || name == "DAYLIGHT";
    return false;
}

// Properties the import reads, by their component.
bool KeepsProperty(const QByteArray& component, const QByteArray& name)
{
    if (component == "VEVENT") {
        return IsOneOf(name, {"DTSTART", "DTEND", "DURATION", "RRULE", "RDATE", "EXDATE", "EXRULE",
                              "RECURRENCE-ID", "STATUS", "SUMMARY", "DESCRIPTION", "CATEGORIES",
                              "COLOR", "UID", "X-MORVANE-TYPE", "X-MORVANE-MARK",
                              "X-MORVANE-BIRTHYEAR", "X-MORVANE-BIRTHPERSON"});
    }
    if (component == "VALARM")
        return IsOneOf(name, {"ACTION", "TRIGGER", "REPEAT", "DURATION"});
    if (component == "VTIMEZONE")
        return name == "TZID";
    if (component == "STANDARD" || component == "DAYLIGHT")
        return IsOneOf(name, {"DTSTART", "TZOFFSETFROM", "TZOFFSETTO", "RRULE", "RDATE", "TZNAME"});
    return false;
}

bool IsText(const QByteArray& name)
{
    return IsOneOf(name, {"SUMMARY", "DESCRIPTION", "CATEGORIES", "X-MORVANE-BIRTHPERSON"});
}

bool AllDigits(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(QByteArrayView digits)
{
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

// The fault of one DATE or DATE-TIME value ("20260230", "20261301T250000Z"),
// or nothing. Values of another shape are left to libical to judge.
QString DateFault(QByteArrayView token)
{
    const bool dateOnly = token.size() == 8;
    const bool dateTime = (token.size() == 15 || (token.size() == 16 && token[15] == 'Z')) &&
                          token[8] == 'T' && AllDigits(token.sliced(9, 6));
    if ((!dateOnly && !dateTime) || !AllDigits(token.first(8)))
        return {};
    const QString shown = QString::fromLatin1(token.data(), token.size());
    if (!QDate::isValid(Number(token.sliced(0, 4)), Number(token.sliced(4, 2)), Number(token.sliced(6, 2))))
        return QStringLiteral("%1 という日付はありません").arg(shown);
    if (dateTime &&
        (Number(token.sliced(9, 2)) > 23 || Number(token.sliced(11, 2)) > 59 || Number(token.sliced(13, 2)) > 60))
        return QStringLiteral("%1 という時刻はありません").arg(shown);
    return {};
}

// The fault of a date list, a period list or a recurrence rule's UNTIL.
QString DatesFault(const QByteArray& name, QByteArrayView value)
{
    if (name == "RRULE" || name == "EXRULE") {
        for (QByteArrayView part : QByteArray::fromRawData(value.data(), value.size()).split(';')) {
            if (part.size() > 6 && QByteArrayView(part.first(6)).compare("UNTIL=", Qt::CaseInsensitive) == 0)
                return DateFault(part.sliced(6).trimmed());
        }
        return {};
    }
    for (QByteArrayView item : QByteArray::fromRawData(value.data(), value.size()).split(',')) {
        const qsizetype slash = item.indexOf('/');
        QString fault = DateFault((slash < 0 ? item : item.first(slash)).trimmed());
        if (fault.isEmpty() && slash >= 0)
            fault = DateFault(item.sliced(slash + 1).trimmed());
        if (!fault.isEmpty())
            return fault;
    }
    return {};
}

// The fault of a zone offset ("+0900", "-053000"): an offset must look like
// one and lie within the ±14:00 real zones use.
QString OffsetFault(QByteArrayView value)
{
    value = value.trimmed();
    const bool shaped = (value.size() == 5 || value.size() == 7) &&
                        (value[0] == '+' || value[0] == '-') && AllDigits(value.sliced(1));
    const QString shown = QString::fromUtf8(value.first(std::min<qsizetype>(value.size(), 20)));
    if (!shaped)
        return QStringLiteral("時差 %1 は +0900 のような形ではありません").arg(shown);
    const int minutes = Number(value.sliced(3, 2));
    const int seconds = value.size() == 7 ? Number(value.sliced(5, 2)) : 0;
    const int total = Number(value.sliced(1, 2)) * 3600 + minutes * 60 + seconds;
    if (minutes > 59 || seconds > 59 || total > kMaxZoneOffsetSeconds)
        return QStringLiteral("時差 %1 は ±14:00 の範囲を超えています").arg(shown);
    return {};
}

// Cuts a text property's line after kTextKeepOctets of its value, at a
// character and not inside an escape.
void CutText(QByteArray& line, qsizetype colon)
{
    qsizetype end = colon + 1 + kTextKeepOctets;
    if (line.size() <= end)
        return;
    while (end > colon + 1 && (uchar(line[end]) & 0xC0) == 0x80)
        --end;
    qsizetype backslashes = 0;
    while (end - backslashes > colon + 1 && line[end - 1 - backslashes] == '\\')
        ++backslashes;
    if (backslashes % 2 == 1)
        --end;
    line.truncate(end);
}

bool IsBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

struct OpenComponent
{
    QByteArray name;
    bool kept;
};

class LineChecker
{
public:
    explicit LineChecker(IcsLineCheck& check) : m_check(check) {}

    // One logical line; false when it is at fault (the check then says why).
    bool take(int number, QByteArray& line)
    {
        if (IsBlank(line)) {
            if (!m_blankLine)
                m_blankLine = number;
            return true;
        }
        if (m_blankLine)
            return fail(m_blankLine, QStringLiteral("空の行があります"));
        if (!QByteArrayView(line).isValidUtf8())
            return fail(number, QStringLiteral("UTF-8 の文字ではありません"));
        const qsizetype colon = ValueColon(line);
        if (colon < 0)
            return fail(number, QStringLiteral("「名前:値」の形ではありません"));
        const QByteArray name = line.left(NameLength(line, 0)).toUpper();
        const QByteArrayView value = QByteArrayView(line).sliced(colon + 1);
        if (name == "BEGIN" || name == "END")
            return takeBoundary(number, name, value.trimmed().toByteArray().toUpper(), line);
        if (m_open.empty())
            return fail(number, QStringLiteral("BEGIN:VCALENDAR で始まっていません"));
        const QByteArray& component = m_open.back().name;
        if (name == "DTSTART" && component == "VEVENT")
            m_eventHasStart = true;
        if (!m_open.back().kept || !KeepsProperty(component, name))
            return true;
        if (name == "TZOFFSETFROM" || name == "TZOFFSETTO") {
            if (const QString fault = OffsetFault(value); !fault.isEmpty())
                return fail(number, fault);
        }
        if (IsOneOf(name, {"DTSTART", "DTEND", "RECURRENCE-ID", "EXDATE", "RDATE", "RRULE", "EXRULE"})) {
            if (const QString fault = DatesFault(name, value); !fault.isEmpty())
                return fail(number, fault);
        }
        if (IsText(name))
            CutText(line, colon);
        else if (line.size() > kMaxIcsLineOctets)
            return fail(number, QStringLiteral("行が長すぎます（%1 バイト）").arg(line.size()));
        keep(line);
        return true;
    }

    bool finish(int lastLine)
    {
        if (!m_calendarSeen)
            return fail(1, QStringLiteral("空のファイルです"));
        if (!m_open.empty()) {
            return fail(lastLine, QStringLiteral("ファイルが END:%1 の前で終わっています")
                                      .arg(QString::fromUtf8(m_open.back().name)));
        }
        return true;
    }

    bool fail(int line, const QString& reason)
    {
        m_check.errorLine = std::max(line, 1);
        m_check.reason = reason;
        m_check.eventLines.clear();
        m_check.kept.clear();
        m_check.events.clear();
        m_check.eventSpans.clear();
        return false;
    }

private:
    bool takeBoundary(int number, const QByteArray& name, const QByteArray& value,
                      const QByteArray& line)
    {
        if (m_open.empty() && (m_calendarSeen || name != "BEGIN" || value != "VCALENDAR"))
            return fail(number, QStringLiteral("BEGIN:VCALENDAR で始まっていません"));
        if (name == "BEGIN") {
            if (value.isEmpty())
                return fail(number, QStringLiteral("BEGIN に名前がありません"));
            const QByteArray parent = m_open.empty() ? QByteArray() : m_open.back().name;
            const bool kept = (m_open.empty() || m_open.back().kept) && KeepsComponent(parent, value);
            m_open.push_back({value, kept});
            if (value == "VCALENDAR")
                m_calendarSeen = true;
            if (value == "VEVENT") {
                m_eventHasStart = false;
                m_eventLine = number;
                if (kept) {
                    m_check.eventLines.push_back(number);
                    m_inEvent = true;
                    m_check.eventSpans.push_back({m_check.events.size(), 0});
                }
            }
            if (kept)
                keep(line);
            return true;
        }
        if (m_open.empty() || m_open.back().name != value)
            return fail(number, QStringLiteral("END:%1 に対応する BEGIN がありません")
                                    .arg(QString::fromUtf8(value)));
        if (value == "VEVENT" && !m_eventHasStart)
            return fail(m_eventLine, QStringLiteral("予定に開始日 (DTSTART) がありません"));
        if (m_open.back().kept)
            keep(line);
        if (m_inEvent && m_open.size() == 2) {
            m_inEvent = false;
            IcsLineCheck::Span& span = m_check.eventSpans.back();
            span.size = m_check.events.size() - span.from;
        }
        m_open.pop_back();
        return true;
    }

    void keep(const QByteArray& line)
    {
        QByteArray& into = m_inEvent ? m_check.events : m_check.kept;
        into += line;
        into += "\r\n";
    }

    IcsLineCheck& m_check;
    std::vector<OpenComponent> m_open;
    bool m_eventHasStart = false;
    bool m_inEvent = false; // inside a VEVENT of the calendar that is kept
    bool m_calendarSeen = false;
    int m_eventLine = 0;
    int m_blankLine = 0; // a blank line is a fault unless only blank lines follow
};

} // namespace

IcsLineCheck CheckIcsLines(const QByteArray& bytes)
{
    IcsLineCheck check;
    LineChecker checker(check);
    const QByteArrayView all(bytes);
    qsizetype at = all.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    int number = 0;
    QByteArray logical;
    int logicalNumber = 0;
    int lastNonBlank = 0;
    while (at < all.size()) {
        qsizetype end = all.indexOf('\n', at);
        if (end < 0)
            end = all.size();
        QByteArrayView physical = all.sliced(at, end - at);
        at = end + 1;
        ++number;
        if (physical.endsWith('\r'))
            physical.chop(1);
        if (!physical.isEmpty() && (physical[0] == ' ' || physical[0] == '\t')) {
            // Folding may split a character: the octets are joined first.
            if (!logicalNumber)
                return checker.fail(number, QStringLiteral("続きの行の前に行がありません")), check;
            logical.append(physical.sliced(1));
            continue;
        }
        if (logicalNumber) {
            if (!IsBlank(logical))
                lastNonBlank = logicalNumber;
            if (!checker.take(logicalNumber, logical))
                return check;
        }
        logical = physical.toByteArray();
        logicalNumber = number;
    }
    if (logicalNumber) {
        if (!IsBlank(logical))
            lastNonBlank = logicalNumber;
        if (!checker.take(logicalNumber, logical))
            return check;
    }
    checker.finish(lastNonBlank);
    return check;
}

} // namespace morvane
