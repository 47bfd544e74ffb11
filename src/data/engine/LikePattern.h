#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace morvane::engine_detail {

// A Like pattern: * any run of characters (also none), ? one character,
// # one digit, [abc] one of the listed characters, [a-z] a range, [!...]
// any character not listed, [*] [?] [#] [[] the character itself. Letters
// match without regard to case.
class LikePattern
{
public:
    // Nothing, with *problem set, for an unclosed '[' or a reversed range.
    static std::optional<LikePattern> Compile(const QString& pattern, QString* problem = nullptr);

    bool Matches(QStringView text) const;

private:
    struct Range
    {
        char32_t low;
        char32_t high;
    };
    struct Step
    {
        enum class Kind
        {
            AnyRun,
            AnyOne,
            Digit,
            Literal,
            Set,
        };
        Kind kind = Kind::Literal;
        char32_t literal = 0; // case-folded
        bool negated = false;
        std::vector<Range> ranges;
    };

    bool stepMatches(const Step& step, char32_t folded, char32_t original) const;

    std::vector<Step> m_steps;
    // Reused between matches: the text decoded and folded.
    mutable std::u32string m_folded;
    mutable std::u32string m_original;
};

} // namespace morvane::engine_detail
