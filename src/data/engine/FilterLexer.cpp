#include "data/engine/FilterLexer.h"

#include "data/engine/DatabaseEngine.h"

#include <limits>

namespace morvane::engine_detail {

namespace {

bool IsNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

FilterTokenKind KeywordKind(const QString& word)
{
    static const struct
    {
        const char* word;
        FilterTokenKind kind;
    } keywords[] = {
        {"and", FilterTokenKind::And}, {"or", FilterTokenKind::Or},
        {"not", FilterTokenKind::Not}, {"like", FilterTokenKind::Like},
        {"is", FilterTokenKind::Is},   {"null", FilterTokenKind::Null},
    };
    for (const auto& keyword : keywords) {
        if (word.compare(QLatin1String(keyword.word), Qt::CaseInsensitive) == 0)
            return keyword.kind;
    }
    return FilterTokenKind::Field;
}

class Lexer
{
public:
    explicit Lexer(const QString& filter) : m_filter(filter) {}

    std::vector<FilterToken> run()
    {
        std::vector<FilterToken> tokens;
        for (;;) {
            skipBlanks();
            FilterToken token;
            token.offset = m_pos;
            if (m_pos >= m_filter.size()) {
                tokens.push_back(token);
                return tokens;
            }
            readToken(token);
            tokens.push_back(std::move(token));
        }
    }

private:
    QChar peek(qsizetype ahead = 0) const
    {
        const qsizetype at = m_pos + ahead;
        return at < m_filter.size() ? m_filter[at] : QChar();
    }

    void skipBlanks()
    {
        while (m_pos < m_filter.size() && m_filter[m_pos].isSpace())
            ++m_pos;
    }

    void readToken(FilterToken& token)
    {
        const QChar c = peek();
        switch (c.unicode()) {
        case u'(':
            token.kind = FilterTokenKind::LeftParen;
            ++m_pos;
            return;
        case u')':
            token.kind = FilterTokenKind::RightParen;
            ++m_pos;
            return;
        case u'=':
            token.kind = FilterTokenKind::Equal;
            ++m_pos;
            return;
        case u'<':
            ++m_pos;
            if (peek() == QLatin1Char('>')) {
                token.kind = FilterTokenKind::NotEqual;
                ++m_pos;
            } else if (peek() == QLatin1Char('=')) {
                token.kind = FilterTokenKind::LessEqual;
                ++m_pos;
            } else {
                token.kind = FilterTokenKind::Less;
            }
            return;
        case u'>':
            ++m_pos;
            if (peek() == QLatin1Char('=')) {
                token.kind = FilterTokenKind::GreaterEqual;
                ++m_pos;
            } else {
                token.kind = FilterTokenKind::Greater;
            }
            return;
        case u'[':
            readBracketName(token);
            return;
        case u'\'':
        case u'"':
            readQuoted(token, c);
            return;
        case u'-':
        case u'+':
            readSignedNumber(token);
            return;
        default:
            break;
        }
        if (IsDigit(c)) {
            readNumber(token, false);
        } else if (IsNameStart(c)) {
            readName(token);
        } else {
            ThrowFilterSyntax(m_filter, m_pos, QStringLiteral("unexpected character '%1'").arg(c));
        }
    }

    void readBracketName(FilterToken& token)
    {
        const qsizetype close = m_filter.indexOf(QLatin1Char(']'), m_pos + 1);
        if (close < 0)
            ThrowFilterSyntax(m_filter, m_pos, QStringLiteral("'[' without ']'"));
        const QString name = m_filter.mid(m_pos + 1, close - m_pos - 1);
        if (name.trimmed().isEmpty())
            ThrowFilterSyntax(m_filter, m_pos, QStringLiteral("empty field name"));
        token.kind = FilterTokenKind::Field;
        token.text = name;
        m_pos = close + 1;
    }

    // Inside quotes the quote character written twice stands for itself.
    void readQuoted(FilterToken& token, QChar quote)
    {
        QString text;
        qsizetype at = m_pos + 1;
        for (;;) {
            if (at >= m_filter.size())
                ThrowFilterSyntax(m_filter, m_pos, QStringLiteral("text without closing quote"));
            const QChar c = m_filter[at];
            if (c == quote) {
                if (at + 1 < m_filter.size() && m_filter[at + 1] == quote) {
                    text.append(quote);
                    at += 2;
                    continue;
                }
                break;
            }
            text.append(c);
            ++at;
        }
        token.kind = FilterTokenKind::Text;
        token.text = text;
        m_pos = at + 1;
    }

    void readSignedNumber(FilterToken& token)
    {
        const bool negative = peek() == QLatin1Char('-');
        const qsizetype signAt = m_pos;
        ++m_pos;
        skipBlanks();
        if (!IsDigit(peek()))
            ThrowFilterSyntax(m_filter, signAt, QStringLiteral("sign without a number"));
        readNumber(token, negative);
        token.offset = signAt;
    }

    void readNumber(FilterToken& token, bool negative)
    {
        const qsizetype start = m_pos;
        qint64 magnitude = 0;
        while (IsDigit(peek())) {
            const int digit = peek().unicode() - u'0';
            if (magnitude > (std::numeric_limits<qint64>::max() - digit) / 10)
                ThrowFilterSyntax(m_filter, start, QStringLiteral("number too large"));
            magnitude = magnitude * 10 + digit;
            ++m_pos;
        }
        if (peek() == QLatin1Char('.'))
            ThrowFilterSyntax(m_filter, start, QStringLiteral("only whole numbers are allowed"));
        token.kind = FilterTokenKind::Number;
        token.number = negative ? -magnitude : magnitude;
    }

    void readName(FilterToken& token)
    {
        const qsizetype start = m_pos;
        while (IsNameChar(peek()))
            ++m_pos;
        token.text = m_filter.mid(start, m_pos - start);
        token.kind = KeywordKind(token.text);
    }

    const QString& m_filter;
    qsizetype m_pos = 0;
};

} // namespace

std::vector<FilterToken> TokenizeFilter(const QString& filter)
{
    return Lexer(filter).run();
}

void ThrowFilterSyntax(const QString& filter, qsizetype offset, const QString& problem)
{
    throw EngineError(EngineErrorCode::FilterSyntax,
                      QStringLiteral("Syntax error in filter at character %1 (%2): %3")
                          .arg(offset + 1)
                          .arg(problem, filter));
}

} // namespace morvane::engine_detail
