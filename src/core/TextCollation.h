#pragma once

#include <QString>

namespace morvane {

// Compares two texts the way a Japanese reader orders them (kana by the
// syllabary, kanji by their readings' order in the Japanese collation,
// digits by value), not by UTF-16 code units. Negative, 0 or positive like
// QString::compare. Every list that sorts its rows by a text uses this one.
int CompareJapaneseText(const QString& a, const QString& b);

} // namespace morvane
