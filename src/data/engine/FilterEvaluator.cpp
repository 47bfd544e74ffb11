#include "data/engine/FilterEvaluator.h"

#include "data/engine/ValueAccess.h"
#include "data/engine/ValueConversion.h"

namespace morvane::engine_detail {

namespace {

Truth FromBool(bool value)
{
    return value ? Truth::True : Truth::False;
}

template <typename Ordering> Truth Ordered(Ordering order, CompareOp op)
{
    switch (op) {
    case CompareOp::Equal:
        return FromBool(order == 0);
    case CompareOp::NotEqual:
        return FromBool(order != 0);
    case CompareOp::Less:
        return FromBool(order < 0);
    case CompareOp::Greater:
        return FromBool(order > 0);
    case CompareOp::LessEqual:
        return FromBool(order <= 0);
    case CompareOp::GreaterEqual:
        return FromBool(order >= 0);
    }
    return Truth::False;
}

int CompareNumbers(qint64 a, qint64 b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Texts compare without regard to case, as they always have in this
// program's data.
int CompareTexts(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

// Mirrored operator for "literal op [Field]" turned into "[Field] op' literal".
CompareOp Mirrored(CompareOp op)
{
    switch (op) {
    case CompareOp::Less:
        return CompareOp::Greater;
    case CompareOp::Greater:
        return CompareOp::Less;
    case CompareOp::LessEqual:
        return CompareOp::GreaterEqual;
    case CompareOp::GreaterEqual:
        return CompareOp::LessEqual;
    default:
        return op;
    }
}

bool NumberOf(const Value& value, qint64& number)
{
    if (const qint64* n = ValueAccess::number(value)) {
        number = *n;
        return true;
    }
    if (const QString* text = ValueAccess::text(value))
        return ParseWholeNumber(*text, number);
    return false;
}

// Two values of any kind: numbers when either side is a number and the
// other reads as one, texts when both are texts; Unknown otherwise.
Truth CompareValues(const Value& a, const Value& b, CompareOp op)
{
    if (a.isNull() || b.isNull())
        return Truth::Unknown;
    if (a.isText() && b.isText())
        return Ordered(CompareTexts(*ValueAccess::text(a), *ValueAccess::text(b)), op);
    qint64 x = 0;
    qint64 y = 0;
    if (!NumberOf(a, x) || !NumberOf(b, y))
        return Truth::Unknown;
    return Ordered(CompareNumbers(x, y), op);
}

Value LiteralValue(const FilterOperand& operand)
{
    return operand.kind == FilterOperand::Kind::Number ? Value(operand.number)
                                                       : Value(operand.text);
}

// Bit set of the orderings an operator accepts: 4 less, 2 equal, 1 greater.
unsigned AcceptedOrderings(CompareOp op)
{
    switch (op) {
    case CompareOp::Equal:
        return 2;
    case CompareOp::NotEqual:
        return 5;
    case CompareOp::Less:
        return 4;
    case CompareOp::Greater:
        return 1;
    case CompareOp::LessEqual:
        return 6;
    case CompareOp::GreaterEqual:
        return 3;
    }
    return 0;
}

// A field against a number, the bulk of every day filter, evaluated without
// a call and without a branch on the operator.
inline Truth NumberLeaf(unsigned accepted, qint64 literal, const Value& value)
{
    qint64 number = 0;
    if (const qint64* n = ValueAccess::number(value)) [[likely]]
        number = *n;
    else if (!NumberOf(value, number))
        return Truth::Unknown;
    const unsigned ordering = number < literal ? 2u : (number == literal ? 1u : 0u);
    return FromBool((accepted >> ordering) & 1u);
}

} // namespace

std::shared_ptr<const BoundFilter> BoundFilter::Bind(const ParsedFilter& filter,
                                                     const std::vector<FieldDef>& fields,
                                                     const FieldLookup& lookup)
{
    auto bound = std::make_shared<BoundFilter>();
    bound->m_text = filter.text;
    bound->m_root = bound->bind(*filter.root, fields, lookup);
    return bound;
}

BoundFilter::Node BoundFilter::bind(const FilterNode& node, const std::vector<FieldDef>& fields,
                                    const FieldLookup& lookup) const
{
    Node bound;
    const auto resolve = [&](const FilterOperand& operand) {
        const int index = lookup(operand.text);
        if (index < 0) {
            throw EngineError(EngineErrorCode::UnknownFilterField,
                              QStringLiteral("The filter names a field '%1' that the table does "
                                             "not have: %2")
                                  .arg(operand.text, m_text));
        }
        return index;
    };

    switch (node.kind) {
    case FilterNode::Kind::Or:
    case FilterNode::Kind::And:
    case FilterNode::Kind::Not:
        bound.kind = node.kind == FilterNode::Kind::Or
                         ? Node::Kind::Or
                         : (node.kind == FilterNode::Kind::And ? Node::Kind::And : Node::Kind::Not);
        for (const auto& child : node.children)
            bound.children.push_back(bind(*child, fields, lookup));
        return bound;

    case FilterNode::Kind::IsNull:
        if (node.left.kind != FilterOperand::Kind::Field) {
            bound.kind = Node::Kind::Constant;
            bound.constant = FromBool(node.negated);
            return bound;
        }
        bound.kind = Node::Kind::IsNull;
        bound.field = resolve(node.left);
        bound.negated = node.negated;
        return bound;

    case FilterNode::Kind::Like: {
        auto pattern = LikePattern::Compile(node.right.text);
        if (node.left.kind != FilterOperand::Kind::Field) {
            bound.kind = Node::Kind::Constant;
            bound.constant = FromBool(pattern->Matches(LiteralValue(node.left).toString()));
            return bound;
        }
        bound.kind = Node::Kind::Like;
        bound.field = resolve(node.left);
        bound.like = std::make_shared<const LikePattern>(std::move(*pattern));
        return bound;
    }

    case FilterNode::Kind::Compare:
        break;
    }

    const bool leftField = node.left.kind == FilterOperand::Kind::Field;
    const bool rightField = node.right.kind == FilterOperand::Kind::Field;
    bound.op = node.op;
    if (leftField && rightField) {
        bound.kind = Node::Kind::FieldVsField;
        bound.field = resolve(node.left);
        bound.otherField = resolve(node.right);
        return bound;
    }
    if (!leftField && !rightField) {
        bound.kind = Node::Kind::Constant;
        bound.constant = CompareValues(LiteralValue(node.left), LiteralValue(node.right), node.op);
        return bound;
    }

    const FilterOperand& fieldOperand = leftField ? node.left : node.right;
    const FilterOperand& literal = leftField ? node.right : node.left;
    if (!leftField)
        bound.op = Mirrored(node.op);
    bound.field = resolve(fieldOperand);
    const FieldDef& field = fields[size_t(bound.field)];

    if (literal.kind == FilterOperand::Kind::Number) {
        bound.kind = Node::Kind::FieldVsNumber;
        bound.number = literal.number;
        bound.accepted = AcceptedOrderings(bound.op);
        return bound;
    }
    if (field.type == FieldType::Text) {
        bound.kind = Node::Kind::FieldVsText;
        bound.text = literal.text;
        return bound;
    }
    // A number field against a quoted number ('12') compares numbers; any
    // other text cannot be compared with it.
    if (!ParseWholeNumber(literal.text, bound.number)) {
        throw EngineError(EngineErrorCode::FilterTypeMismatch,
                          QStringLiteral("The filter compares the number field '%1' with the text "
                                         "'%2': %3")
                              .arg(field.name, literal.text, m_text));
    }
    bound.kind = Node::Kind::FieldVsNumber;
    bound.accepted = AcceptedOrderings(bound.op);
    return bound;
}

Truth BoundFilter::evaluate(const Node& node, RowRef row) const
{
    const auto child = [&](const Node& c) {
        if (c.kind == Node::Kind::FieldVsNumber)
            return NumberLeaf(c.accepted, c.number, row[size_t(c.field)]);
        return evaluate(c, row);
    };
    switch (node.kind) {
    case Node::Kind::Or: {
        Truth result = Truth::False;
        for (const Node& c : node.children) {
            const Truth truth = child(c);
            if (truth == Truth::True)
                return Truth::True;
            if (truth == Truth::Unknown)
                result = Truth::Unknown;
        }
        return result;
    }
    case Node::Kind::And: {
        Truth result = Truth::True;
        for (const Node& c : node.children) {
            const Truth truth = child(c);
            if (truth == Truth::False)
                return Truth::False;
            if (truth == Truth::Unknown)
                result = Truth::Unknown;
        }
        return result;
    }
    case Node::Kind::Not: {
        const Truth truth = child(node.children.front());
        if (truth == Truth::Unknown)
            return Truth::Unknown;
        return truth == Truth::True ? Truth::False : Truth::True;
    }
    case Node::Kind::Constant:
        return node.constant;
    case Node::Kind::FieldVsNumber:
        return NumberLeaf(node.accepted, node.number, row[size_t(node.field)]);
    case Node::Kind::FieldVsText: {
        const Value& value = row[size_t(node.field)];
        if (const QString* text = ValueAccess::text(value))
            return Ordered(CompareTexts(*text, node.text), node.op);
        if (const qint64* n = ValueAccess::number(value))
            return Ordered(CompareTexts(QString::number(*n), node.text), node.op);
        return Truth::Unknown;
    }
    case Node::Kind::FieldVsField:
        return CompareValues(row[size_t(node.field)], row[size_t(node.otherField)], node.op);
    case Node::Kind::Like: {
        const Value& value = row[size_t(node.field)];
        if (const QString* text = ValueAccess::text(value))
            return FromBool(node.like->Matches(*text));
        if (const qint64* n = ValueAccess::number(value))
            return FromBool(node.like->Matches(QString::number(*n)));
        return Truth::Unknown;
    }
    case Node::Kind::IsNull:
        return FromBool(row[size_t(node.field)].isNull() != node.negated);
    }
    return Truth::False;
}

} // namespace morvane::engine_detail
