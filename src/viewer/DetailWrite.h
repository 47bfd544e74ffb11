#pragma once

#include "viewer/ListModel.h"

#include <QString>
#include <QStringList>

namespace morvane {

class Recordset;

// What a keystroke in the detail box did to the record behind the row.
enum class DetailWrite
{
    Saved,     // the record's text was replaced
    Created,   // an empty day got a new record; the row now stands for it
    Unchanged, // the record already held the text, or nothing to create
    TooLong,   // the text does not fit; the record keeps its previous text
    Stale,     // the row's record is gone; nothing was written
};

// The month list row of day `row.day` in year/month shows `text` in its
// schedule cell. A row with a key updates exactly its own record (found by
// its stable id, never by its text), whatever its type, colour or text. A
// row without a key (an empty day) gets a one-date record of `newType` for
// that day; the row then carries that record's key and icon, so the
// following keystrokes update the same record.
DetailWrite WriteMonthRowText(Recordset& schedules, ListRow& row, int year, int month, int newType,
                              const QString& text);

// The all list row's record takes `text`.
DetailWrite WriteAllRowText(Recordset& schedules, ListRow& row, const QString& text);

// The cell of the month list that shows the schedule text.
inline constexpr std::size_t MonthTextCell = 3;
// The cell of the all list that shows it.
inline constexpr std::size_t AllTextCell = 1;

// The length message of a text that does not fit: the field's size and the
// text's code page 932 byte count.
QString MemoTextTooLongMessage(int fieldSize, qsizetype bytes);
inline const QString TextTooLongTitle = QStringLiteral("メモの保存");

// Whether `title` is already the text of one of `nodeTexts`, compared the
// way the data file compares texts (without regard to case).
bool TitleTaken(const QStringList& nodeTexts, const QString& title);

// The message that refuses a title another node already has.
QString DuplicateTitleMessage(const QString& title);

// The prompt put into an empty memo's box after a rename (never saved).
inline const QString MemoPrompt = QStringLiteral("予定の内容を入れて下さい。");

} // namespace morvane
