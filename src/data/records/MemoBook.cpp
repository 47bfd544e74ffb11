#include "data/records/MemoBook.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"

namespace morvane {

namespace {

namespace f = memo_fields;

QString TitleFilter(const QString& title)
{
    return QStringLiteral("[Title] = ") + QuoteFilterText(title);
}

// Runs the buffered writes and Update; a refused value cancels the edit so
// the record keeps what it had and the recordset is not left mid-edit.
template <typename Writes> MemoWrite Commit(Recordset& rs, Writes&& writes)
{
    try {
        writes();
        rs.Update();
    } catch (const EngineError& error) {
        rs.CancelUpdate();
        if (error.code() == EngineErrorCode::FieldTooSmall)
            return MemoWrite::TooLong;
        throw;
    }
    return MemoWrite::Saved;
}

} // namespace

std::vector<MemoEntry> MemoBook::ListAll()
{
    static const QString listFilter = QStringLiteral("Not([Title] = '' )");
    std::vector<MemoEntry> entries;
    for (m_memos.FindFirst(listFilter); !m_memos.NoMatch(); m_memos.FindNext(listFilter)) {
        entries.push_back({m_memos.AbsolutePosition(), m_memos.GetValue(f::Title).toString(),
                           m_memos.GetValue(f::Memo).toString(),
                           m_memos.GetValue(f::Date).toString()});
    }
    return entries;
}

std::optional<int> MemoBook::FindByTitle(const QString& title)
{
    if (title.isEmpty())
        return std::nullopt;
    m_memos.FindFirst(TitleFilter(title));
    if (m_memos.NoMatch())
        return std::nullopt;
    return m_memos.AbsolutePosition();
}

MemoWrite MemoBook::Create(const QString& title, const QDateTime& now)
{
    m_memos.AddNew();
    return Commit(m_memos, [&] {
        m_memos.SetValue(f::Title, title);
        m_memos.SetValue(f::Date, MemoDateText(now));
        m_memos.SetValue(f::Memo, QString());
    });
}

MemoWrite MemoBook::ChangeContent(const QString& title, const QString& content,
                                  const QDateTime& now)
{
    if (!FindByTitle(title))
        return MemoWrite::NotFound;
    const Value stored = m_memos.GetValue(f::Memo);
    if (!stored.isNull() && stored.toString() == content)
        return MemoWrite::Unchanged;
    m_memos.Edit();
    return Commit(m_memos, [&] {
        m_memos.SetValue(f::Memo, content);
        m_memos.SetValue(f::Date, MemoDateText(now));
    });
}

MemoWrite MemoBook::Rename(const QString& from, const QString& to)
{
    if (!FindByTitle(from))
        return MemoWrite::NotFound;
    if (m_memos.GetValue(f::Title).toString() == to)
        return MemoWrite::Unchanged;
    m_memos.Edit();
    return Commit(m_memos, [&] { m_memos.SetValue(f::Title, to); });
}

bool MemoBook::Delete(const QString& title)
{
    if (!FindByTitle(title))
        return false;
    m_memos.Delete();
    return true;
}

int MemoBook::Count() const
{
    return m_memos.RecordCount();
}

int MemoBook::TitleCapacity() const
{
    return m_memos.Size(f::Title);
}

int MemoBook::ContentCapacity() const
{
    return m_memos.Size(f::Memo);
}

QString MemoDateText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString NewMemoTitle(const QStringList& shownTitles)
{
    const QString base = QStringLiteral("新しいメモ");
    if (!shownTitles.contains(base))
        return base;
    for (int i = 2;; ++i) {
        const QString candidate = base + QLatin1Char('(') + QString::number(i) + QLatin1Char(')');
        if (!shownTitles.contains(candidate))
            return candidate;
    }
}

} // namespace morvane
