#include "data/engine/FilterParser.h"

#include "data/engine/FilterLexer.h"
#include "data/engine/LikePattern.h"

namespace morvane::engine_detail {

namespace {

using Kind = FilterTokenKind;

QString Describe(const FilterToken& token)
{
    switch (token.kind) {
    case Kind::Field:
        return QStringLiteral("field name '%1'").arg(token.text);
    case Kind::Number:
        return QStringLiteral("number %1").arg(token.number);
    case Kind::Text:
        return QStringLiteral("text '%1'").arg(token.text);
    case Kind::LeftParen:
        return QStringLiteral("'('");
    case Kind::RightParen:
        return QStringLiteral("')'");
    case Kind::End:
        return QStringLiteral("the end of the filter");
    case Kind::And:
    case Kind::Or:
    case Kind::Not:
    case Kind::Like:
    case Kind::Is:
    case Kind::Null:
        return QStringLiteral("keyword");
    default:
        return QStringLiteral("operator");
    }
}

class Parser
{
public:
    explicit Parser(const QString& filter) : m_filter(filter), m_tokens(TokenizeFilter(filter)) {}

    std::unique_ptr<FilterNode> run()
    {
        if (current().kind == Kind::End)
            fail(current(), QStringLiteral("the filter is empty"));
        auto root = parseOr();
        if (current().kind != Kind::End)
            fail(current(), QStringLiteral("unexpected %1").arg(Describe(current())));
        return root;
    }

private:
    const FilterToken& current() const { return m_tokens[m_index]; }
    const FilterToken& take() { return m_tokens[m_index++]; }

    [[noreturn]] void fail(const FilterToken& at, const QString& problem) const
    {
        ThrowFilterSyntax(m_filter, at.offset, problem);
    }

    std::unique_ptr<FilterNode> parseOr()
    {
        auto first = parseAnd();
        if (current().kind != Kind::Or)
            return first;
        auto node = std::make_unique<FilterNode>();
        node->kind = FilterNode::Kind::Or;
        node->children.push_back(std::move(first));
        while (current().kind == Kind::Or) {
            take();
            node->children.push_back(parseAnd());
        }
        return node;
    }

    std::unique_ptr<FilterNode> parseAnd()
    {
        auto first = parseNot();
        if (current().kind != Kind::And)
            return first;
        auto node = std::make_unique<FilterNode>();
        node->kind = FilterNode::Kind::And;
        node->children.push_back(std::move(first));
        while (current().kind == Kind::And) {
            take();
            node->children.push_back(parseNot());
        }
        return node;
    }

    // Nesting deeper than any filter the program writes is refused rather
    // than allowed to exhaust the stack.
    struct DepthGuard
    {
        DepthGuard(Parser& parser, const FilterToken& at) : m_parser(parser)
        {
            if (++m_parser.m_depth > kMaxDepth)
                m_parser.fail(at, QStringLiteral("nested too deeply"));
        }
        ~DepthGuard() { --m_parser.m_depth; }
        Parser& m_parser;
    };
    static constexpr int kMaxDepth = 256;

    std::unique_ptr<FilterNode> parseNot()
    {
        const DepthGuard guard(*this, current());
        if (current().kind != Kind::Not)
            return parsePrimary();
        take();
        auto node = std::make_unique<FilterNode>();
        node->kind = FilterNode::Kind::Not;
        node->children.push_back(parseNot());
        return node;
    }

    std::unique_ptr<FilterNode> parsePrimary()
    {
        if (current().kind == Kind::LeftParen) {
            const FilterToken& open = take();
            auto inner = parseOr();
            if (current().kind != Kind::RightParen)
                fail(open, QStringLiteral("'(' without ')'"));
            take();
            return inner;
        }
        auto node = std::make_unique<FilterNode>();
        node->left = parseOperand();
        const FilterToken& op = take();
        switch (op.kind) {
        case Kind::Equal:
        case Kind::NotEqual:
        case Kind::Less:
        case Kind::Greater:
        case Kind::LessEqual:
        case Kind::GreaterEqual:
            node->kind = FilterNode::Kind::Compare;
            node->op = CompareOpOf(op.kind);
            node->right = parseOperand();
            return node;
        case Kind::Like: {
            node->kind = FilterNode::Kind::Like;
            node->right = parseOperand();
            if (node->right.kind == FilterOperand::Kind::Field)
                fail(m_tokens[m_index - 1], QStringLiteral("Like needs a text pattern"));
            if (node->right.kind == FilterOperand::Kind::Number) {
                node->right.kind = FilterOperand::Kind::Text;
                node->right.text = QString::number(node->right.number);
            }
            QString problem;
            if (!LikePattern::Compile(node->right.text, &problem))
                ThrowFilterSyntax(m_filter, node->right.offset, problem);
            return node;
        }
        case Kind::Is:
            node->kind = FilterNode::Kind::IsNull;
            if (current().kind == Kind::Not) {
                take();
                node->negated = true;
            }
            if (current().kind != Kind::Null)
                fail(current(), QStringLiteral("Is must be followed by Null or Not Null"));
            take();
            return node;
        default:
            fail(op, QStringLiteral("expected a comparison operator, Like or Is but found %1")
                         .arg(Describe(op)));
        }
    }

    FilterOperand parseOperand()
    {
        const FilterToken& token = take();
        FilterOperand operand;
        operand.offset = token.offset;
        switch (token.kind) {
        case Kind::Field:
            operand.kind = FilterOperand::Kind::Field;
            operand.text = token.text;
            return operand;
        case Kind::Number:
            operand.kind = FilterOperand::Kind::Number;
            operand.number = token.number;
            return operand;
        case Kind::Text:
            operand.kind = FilterOperand::Kind::Text;
            operand.text = token.text;
            return operand;
        default:
            fail(token, QStringLiteral("expected a field, a number or a quoted text but found %1")
                            .arg(Describe(token)));
        }
    }

    static CompareOp CompareOpOf(Kind kind)
    {
        switch (kind) {
        case Kind::NotEqual:
            return CompareOp::NotEqual;
        case Kind::Less:
            return CompareOp::Less;
        case Kind::Greater:
            return CompareOp::Greater;
        case Kind::LessEqual:
            return CompareOp::LessEqual;
        case Kind::GreaterEqual:
            return CompareOp::GreaterEqual;
        default:
            return CompareOp::Equal;
        }
    }

    const QString& m_filter;
    std::vector<FilterToken> m_tokens;
    size_t m_index = 0;
    int m_depth = 0;
};

} // namespace

std::shared_ptr<const ParsedFilter> ParseFilter(const QString& filter)
{
    auto parsed = std::make_shared<ParsedFilter>();
    parsed->text = filter;
    parsed->root = Parser(filter).run();
    return parsed;
}

} // namespace morvane::engine_detail
