#pragma once

#include <QString>
#include <vector>

namespace morvane::engine_detail {

enum class FilterTokenKind
{
    Field,  // [Name] or a bare name
    Number, // 12, -1, - 3
    Text,   // 'text' or "text", doubled quotes read as one
    LeftParen,
    RightParen,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    And,
    Or,
    Not,
    Like,
    Is,
    Null,
    End,
};

struct FilterToken
{
    FilterTokenKind kind = FilterTokenKind::End;
    qsizetype offset = 0; // where the token starts in the filter text
    QString text;         // field name or text value
    qint64 number = 0;
};

// Splits a filter into tokens. Throws EngineError FilterSyntax for an
// unterminated quote or bracket, a stray character or a number beyond 64
// bits. The last token is always End.
std::vector<FilterToken> TokenizeFilter(const QString& filter);

// "Syntax error in filter at character N (...): <filter>" as an EngineError.
[[noreturn]] void ThrowFilterSyntax(const QString& filter, qsizetype offset,
                                    const QString& problem);

} // namespace morvane::engine_detail
