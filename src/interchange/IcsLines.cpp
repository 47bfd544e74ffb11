#include "interchange/IcsLines.h"

#include <QList>
#include <QStringDecoder>

namespace morvane {

namespace {

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Length of the name at text[at], or 0.
qsizetype NameLength(const QByteArray& text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && IsNameChar(text[end]))
        ++end;
    return end - at;
}

// The position of the ':' that ends name and parameters, or -1.
qsizetype ValueColon(const QByteArray& line)
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

struct LogicalLine
{
    int number; // of its first physical line
    QByteArray text;
};

} // namespace

IcsLineCheck CheckIcsLines(const QByteArray& bytes)
{
    IcsLineCheck check;
    const auto fail = [&check](int line, const QString& reason) {
        check.errorLine = std::max(line, 1);
        check.reason = reason;
        check.eventLines.clear();
        return check;
    };

    std::vector<LogicalLine> lines;
    const QList<QByteArray> physical = bytes.split('\n');
    for (qsizetype i = 0; i < physical.size(); ++i) {
        QByteArray line = physical[i];
        if (line.endsWith('\r'))
            line.chop(1);
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)QString(utf8(line));
        if (utf8.hasError())
            return fail(int(i + 1), QStringLiteral("UTF-8 の文字ではありません"));
        if (!line.isEmpty() && (line[0] == ' ' || line[0] == '\t')) {
            if (lines.empty())
                return fail(int(i + 1), QStringLiteral("続きの行の前に行がありません"));
            lines.back().text += line.mid(1);
            continue;
        }
        lines.push_back({int(i + 1), line});
    }
    while (!lines.empty() && lines.back().text.trimmed().isEmpty())
        lines.pop_back();
    if (lines.empty())
        return fail(1, QStringLiteral("空のファイルです"));

    std::vector<QByteArray> open;
    bool eventHasStart = false;
    int eventLine = 0;
    bool calendarSeen = false;
    for (const LogicalLine& line : lines) {
        if (line.text.isEmpty())
            return fail(line.number, QStringLiteral("空の行があります"));
        const qsizetype colon = ValueColon(line.text);
        if (colon < 0)
            return fail(line.number, QStringLiteral("「名前:値」の形ではありません"));
        const QByteArray name = line.text.left(NameLength(line.text, 0)).toUpper();
        const QByteArray value = line.text.mid(colon + 1).trimmed().toUpper();
        if (open.empty() && (calendarSeen || name != "BEGIN" || value != "VCALENDAR"))
            return fail(line.number, QStringLiteral("BEGIN:VCALENDAR で始まっていません"));
        if (name == "BEGIN") {
            if (value.isEmpty())
                return fail(line.number, QStringLiteral("BEGIN に名前がありません"));
            open.push_back(value);
            if (value == "VCALENDAR")
                calendarSeen = true;
            if (value == "VEVENT") {
                eventHasStart = false;
                eventLine = line.number;
                check.eventLines.push_back(line.number);
            }
        } else if (name == "END") {
            if (open.empty() || open.back() != value)
                return fail(line.number, QStringLiteral("END:%1 に対応する BEGIN がありません")
                                             .arg(QString::fromUtf8(value)));
            if (value == "VEVENT" && !eventHasStart)
                return fail(eventLine, QStringLiteral("予定に開始日 (DTSTART) がありません"));
            open.pop_back();
        } else if (name == "DTSTART" && !open.empty() && open.back() == "VEVENT") {
            eventHasStart = true;
        }
    }
    if (!open.empty()) {
        return fail(lines.back().number, QStringLiteral("ファイルが END:%1 の前で終わっています")
                                             .arg(QString::fromUtf8(open.back())));
    }
    return check;
}

} // namespace morvane
