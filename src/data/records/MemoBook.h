#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace morvane {

class Recordset;

// One memo as the lists show it.
struct MemoEntry
{
    int position = -1; // in the Memo recordset
    QString title;
    QString memo;
    QString date; // "yyyy/mm/dd hh:nn"
};

// What a write by title did.
enum class MemoWrite
{
    Saved,
    Unchanged, // the memo already held that text
    NotFound,  // no memo has that title; nothing written
    TooLong,   // longer than the field; the memo keeps its previous text
};

// The memo operations, all on the one Memo recordset. A memo is found by its
// title (the first in table order when two share one); titles go into the
// filter quoted, so any character, the apostrophe included, is safe.
class MemoBook
{
public:
    explicit MemoBook(Recordset& memos) : m_memos(memos) {}

    // Every memo with a non-empty title, in table order.
    std::vector<MemoEntry> ListAll();

    // Makes the first memo titled `title` current; its position, or nothing
    // (also for an empty title, which no list shows).
    std::optional<int> FindByTitle(const QString& title);

    // A new memo with an empty text, dated `now`. TooLong when the title
    // does not fit; nothing is added then.
    MemoWrite Create(const QString& title, const QDateTime& now);

    // Replaces the text and dates the change `now`, only when it differs.
    MemoWrite ChangeContent(const QString& title, const QString& content, const QDateTime& now);

    // Renames the first memo titled `from`; its date stays.
    MemoWrite Rename(const QString& from, const QString& to);

    // Removes the first memo titled `title`; false when there is none.
    bool Delete(const QString& title);

    // Every record of the table, including those without a title.
    int Count() const;

    // Capacities in code page 932 bytes, for the length messages.
    int TitleCapacity() const;
    int ContentCapacity() const;

private:
    Recordset& m_memos;
};

// The stamp of a memo change: "yyyy/mm/dd hh:nn".
QString MemoDateText(const QDateTime& moment);

// The title of a new memo: "新しいメモ", or "新しいメモ(i)" with the
// smallest i from 2 on that none of shownTitles uses.
QString NewMemoTitle(const QStringList& shownTitles);

} // namespace morvane
