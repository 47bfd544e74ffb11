#include "data/engine/LikePattern.h"

namespace morvane::engine_detail {

namespace {

char32_t Fold(char32_t c)
{
    return QChar::toCaseFolded(c);
}

// Calls `visit` with each code point of `text`; a pair of surrogates is one
// character, so ? matches a rare kanji outside the basic plane whole.
template <typename Emit> void ForEachCodePoint(QStringView text, Emit visit)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            visit(char32_t(c.unicode()));
        }
    }
}

std::u32string CodePoints(QStringView text)
{
    std::u32string points;
    points.reserve(size_t(text.size()));
    ForEachCodePoint(text, [&](char32_t c) { points.push_back(c); });
    return points;
}

} // namespace

std::optional<LikePattern> LikePattern::Compile(const QString& pattern, QString* problem)
{
    const std::u32string points = CodePoints(pattern);
    LikePattern compiled;
    for (size_t i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        Step step;
        if (c == U'*') {
            // Runs of stars mean the same as one.
            if (!compiled.m_steps.empty() && compiled.m_steps.back().kind == Step::Kind::AnyRun)
                continue;
            step.kind = Step::Kind::AnyRun;
        } else if (c == U'?') {
            step.kind = Step::Kind::AnyOne;
        } else if (c == U'#') {
            step.kind = Step::Kind::Digit;
        } else if (c == U'[') {
            size_t close = i + 1;
            while (close < points.size() && points[close] != U']')
                ++close;
            if (close == points.size()) {
                if (problem)
                    *problem = QStringLiteral("'[' without ']' in Like pattern");
                return std::nullopt;
            }
            size_t at = i + 1;
            if (at < close && points[at] == U'!' && close - at > 1) {
                step.negated = true;
                ++at;
            }
            if (at == close) {
                // "[]" stands for the empty text: it consumes nothing.
                i = close;
                continue;
            }
            step.kind = Step::Kind::Set;
            while (at < close) {
                char32_t low = points[at];
                char32_t high = low;
                if (at + 2 < close && points[at + 1] == U'-') {
                    high = points[at + 2];
                    if (high < low) {
                        if (problem)
                            *problem = QStringLiteral("reversed range in Like pattern");
                        return std::nullopt;
                    }
                    at += 3;
                } else {
                    ++at;
                }
                step.ranges.push_back(Range{low, high});
            }
            i = close;
        } else {
            step.kind = Step::Kind::Literal;
            step.literal = Fold(c);
        }
        compiled.m_steps.push_back(std::move(step));
    }
    return compiled;
}

bool LikePattern::stepMatches(const Step& step, char32_t folded, char32_t original) const
{
    switch (step.kind) {
    case Step::Kind::AnyOne:
        return true;
    case Step::Kind::Digit:
        return original >= U'0' && original <= U'9';
    case Step::Kind::Literal:
        return step.literal == folded;
    case Step::Kind::Set: {
        const char32_t upper = QChar::toUpper(original);
        const char32_t lower = QChar::toLower(original);
        bool inSet = false;
        for (const Range& range : step.ranges) {
            for (const char32_t c : {original, folded, upper, lower}) {
                if (c >= range.low && c <= range.high) {
                    inSet = true;
                    break;
                }
            }
            if (inSet)
                break;
        }
        return inSet != step.negated;
    }
    case Step::Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::Matches(QStringView text) const
{
    m_original.clear();
    m_folded.clear();
    ForEachCodePoint(text, [this](char32_t c) {
        m_original.push_back(c);
        m_folded.push_back(Fold(c));
    });

    // Every step but AnyRun consumes exactly one character, so the classic
    // match with backtracking to the last star is exact.
    const size_t stepCount = m_steps.size();
    const size_t length = m_folded.size();
    size_t s = 0;
    size_t t = 0;
    size_t starStep = SIZE_MAX;
    size_t starText = 0;
    while (t < length) {
        if (s < stepCount && m_steps[s].kind == Step::Kind::AnyRun) {
            starStep = s++;
            starText = t;
        } else if (s < stepCount && stepMatches(m_steps[s], m_folded[t], m_original[t])) {
            ++s;
            ++t;
        } else if (starStep != SIZE_MAX) {
            s = starStep + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (s < stepCount && m_steps[s].kind == Step::Kind::AnyRun)
        ++s;
    return s == stepCount;
}

} // namespace morvane::engine_detail
