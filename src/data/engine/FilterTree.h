#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace morvane::engine_detail {

// A filter as parsed, before it meets a table: field names are still names.

enum class CompareOp
{
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
};

struct FilterOperand
{
    enum class Kind
    {
        Field,
        Number,
        Text,
    };
    Kind kind = Kind::Number;
    QString text; // field name or text value
    qint64 number = 0;
    qsizetype offset = 0; // in the filter text, for messages
};

struct FilterNode
{
    enum class Kind
    {
        Or,      // children: two or more
        And,     // children: two or more
        Not,     // children: one
        Compare, // left op right
        Like,    // left Like pattern (right, a text)
        IsNull,  // left Is [Not] Null; negated for Is Not Null
    };
    Kind kind = Kind::Compare;
    std::vector<std::unique_ptr<FilterNode>> children;
    CompareOp op = CompareOp::Equal;
    FilterOperand left;
    FilterOperand right;
    bool negated = false;
};

struct ParsedFilter
{
    QString text;
    std::unique_ptr<FilterNode> root;
};

} // namespace morvane::engine_detail
