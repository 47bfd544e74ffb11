#include "data/records/MemoBook.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = memo_fields;

class MemoBookTest : public ::testing::Test
{
protected:
    MemoBookTest()
        : m_opened(OpenScheduleDatabase(m_folder.path())), book(m_opened.database->memos())
    {}

    Recordset& memos() { return m_opened.database->memos(); }

    QStringList Titles()
    {
        QStringList titles;
        for (const MemoEntry& entry : book.ListAll())
            titles.append(entry.title);
        return titles;
    }

    QString ContentOf(const QString& title)
    {
        if (!book.FindByTitle(title))
            return QStringLiteral("<missing>");
        return memos().GetValue(f::Memo).toString();
    }

    const QDateTime created{QDate(2026, 3, 10), QTime(21, 5, 42)};
    const QDateTime later{QDate(2026, 12, 8), QTime(7, 9)};

private:
    QTemporaryDir m_folder;
    OpenScheduleResult m_opened;

protected:
    MemoBook book;
};

TEST_F(MemoBookTest, CreateStampsTheMinuteAndRenameKeepsIt)
{
    ASSERT_EQ(book.Create("買い物", created), MemoWrite::Saved);
    std::vector<MemoEntry> all = book.ListAll();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].memo, QString());
    EXPECT_EQ(all[0].date, QStringLiteral("2026/03/10 21:05"));

    EXPECT_EQ(book.Rename("買い物", "買い物リスト"), MemoWrite::Saved);
    all = book.ListAll();
    EXPECT_EQ(all[0].title, QStringLiteral("買い物リスト"));
    EXPECT_EQ(all[0].date, QStringLiteral("2026/03/10 21:05"));
}

TEST_F(MemoBookTest, ContentChangesOnlyWhenDifferent)
{
    book.Create("a", created);
    EXPECT_EQ(book.ChangeContent("a", "牛乳\r\n卵", later), MemoWrite::Saved);
    EXPECT_EQ(book.ListAll()[0].date, QStringLiteral("2026/12/08 07:09"));
    EXPECT_EQ(book.ChangeContent("a", "牛乳\r\n卵", created), MemoWrite::Unchanged);
    EXPECT_EQ(book.ListAll()[0].date, QStringLiteral("2026/12/08 07:09"));
    EXPECT_EQ(book.ChangeContent("missing", "x", later), MemoWrite::NotFound);
}

TEST_F(MemoBookTest, TitlesWithApostrophesNeverReachAnotherMemo)
{
    book.Create("Bob's list", created);
    book.Create("x' or [Title] <> '", created);
    book.Create("plain", created);

    EXPECT_EQ(book.ChangeContent("Bob's list", "bob", later), MemoWrite::Saved);
    EXPECT_EQ(book.ChangeContent("x' or [Title] <> '", "tricky", later), MemoWrite::Saved);
    EXPECT_EQ(ContentOf("Bob's list"), QStringLiteral("bob"));
    EXPECT_EQ(ContentOf("x' or [Title] <> '"), QStringLiteral("tricky"));
    EXPECT_EQ(ContentOf("plain"), QString());

    EXPECT_EQ(book.Rename("Bob's", "x"), MemoWrite::NotFound);
    EXPECT_TRUE(book.Delete("Bob's list"));
    EXPECT_EQ(Titles(), QStringList({"x' or [Title] <> '", "plain"}));
}

TEST_F(MemoBookTest, DuplicateTitlesActOnTheFirstAndEmptyTitlesAreOnlyCounted)
{
    book.Create("same", created);
    book.Create("same", created);
    book.Create("other", created);
    EXPECT_EQ(book.Rename("other", ""), MemoWrite::Saved);

    EXPECT_EQ(book.ChangeContent("same", "first", later), MemoWrite::Saved);
    EXPECT_EQ(memos().AbsolutePosition(), 0);
    EXPECT_EQ(Titles(), QStringList({"same", "same"}));
    EXPECT_FALSE(book.FindByTitle(""));
    EXPECT_EQ(book.Count(), 3);

    EXPECT_TRUE(book.Delete("same"));
    EXPECT_EQ(ContentOf("same"), QString()); // the second one is left
    EXPECT_EQ(book.Count(), 2);
    EXPECT_FALSE(book.Delete("gone"));
    EXPECT_EQ(book.Count(), 2);
}

TEST_F(MemoBookTest, TooLongTextsKeepThePreviousValues)
{
    book.Create("note", created);
    book.ChangeContent("note", "kept", created);
    const QString tooLong(book.ContentCapacity() / 2 + 1, QChar(u'あ'));
    EXPECT_EQ(book.ChangeContent("note", tooLong, later), MemoWrite::TooLong);
    EXPECT_EQ(ContentOf("note"), QStringLiteral("kept"));
    EXPECT_EQ(book.ListAll()[0].date, QStringLiteral("2026/03/10 21:05"));
    EXPECT_EQ(memos().GetEditMode(), EditMode::None);

    const QString longTitle(book.TitleCapacity() + 1, QChar('t'));
    EXPECT_EQ(book.Rename("note", longTitle), MemoWrite::TooLong);
    EXPECT_EQ(Titles(), QStringList({"note"}));
    EXPECT_EQ(book.Create(longTitle, later), MemoWrite::TooLong);
    EXPECT_EQ(book.Count(), 1);
}

TEST(NewMemoTitleTest, TakesTheFirstFreeNumber)
{
    EXPECT_EQ(NewMemoTitle({}), QStringLiteral("新しいメモ"));
    EXPECT_EQ(NewMemoTitle({"新しいメモ", "新しいメモ(2)"}), QStringLiteral("新しいメモ(3)"));
    EXPECT_EQ(NewMemoTitle({"新しいメモ(2)"}), QStringLiteral("新しいメモ"));
}

} // namespace
} // namespace morvane
