#pragma once

#include "data/engine/DatabaseEngine.h"
#include "data/engine/FilterTree.h"
#include "data/engine/LikePattern.h"

#include <functional>

namespace morvane::engine_detail {

// Null, for a column kept empty because every row holds Null in it.
inline const Value kNullValue;

// One row of a table kept by column: field f of the row is columns[f][row],
// or Null when that column is empty.
struct RowRef
{
    const std::vector<Value>* columns;
    size_t row;
    const Value& operator[](size_t field) const
    {
        const std::vector<Value>& column = columns[field];
        return column.empty() ? kNullValue : column[row];
    }
};

// Three-valued truth: a comparison with Null is Unknown, and so is Not of
// it; a record matches only when its filter is True.
enum class Truth : unsigned char
{
    False,
    True,
    Unknown,
};

// A parsed filter tied to the fields of one table: names resolved to
// indexes and literals converted to the fields' types, so that evaluating
// a row does no lookups and no allocation.
class BoundFilter
{
public:
    // Resolves a field name to its index, or -1 when the table lacks it.
    using FieldLookup = std::function<int(const QString& name)>;

    // Throws EngineError UnknownFilterField for a name the table lacks and
    // FilterTypeMismatch for a number field compared with a text that is
    // not a number.
    static std::shared_ptr<const BoundFilter> Bind(const ParsedFilter& filter,
                                                   const std::vector<FieldDef>& fields,
                                                   const FieldLookup& lookup);

    bool Matches(RowRef row) const { return evaluate(m_root, row) == Truth::True; }
    Truth Evaluate(RowRef row) const { return evaluate(m_root, row); }

private:
    struct Node
    {
        enum class Kind
        {
            Or,
            And,
            Not,
            Constant,
            FieldVsNumber,
            FieldVsText,
            FieldVsField,
            Like,
            IsNull,
        };
        Kind kind = Kind::Constant;
        std::vector<Node> children;
        CompareOp op = CompareOp::Equal;
        unsigned accepted = 0; // FieldVsNumber: orderings op accepts
        int field = -1;
        int otherField = -1;
        qint64 number = 0;
        QString text;
        Truth constant = Truth::False;
        bool negated = false;
        std::shared_ptr<const LikePattern> like;
    };

    Node bind(const FilterNode& node, const std::vector<FieldDef>& fields,
              const FieldLookup& lookup) const;
    Truth evaluate(const Node& node, RowRef row) const;

    QString m_text;
    Node m_root;
};

} // namespace morvane::engine_detail
