#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/MsgBox.h"
#include "viewer/ListViewFrm.h"
#include "viewer/ViewerFixture.h"
#include "viewer/platform/FileSizeLimit.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::ViewerFixture;
using test::Weekday;

namespace {

const QString kMemos = QStringLiteral("メモ一覧");

struct Setup
{
    Setup() : clock(QDateTime(QDate(2016, 3, 10), QTime(21, 5))), context(clock, fixture.folder())
    {}

    void open(int year = 2016, int month = 3)
    {
        context.setDatabase(fixture.release());
        context.setDisplayMonth(QDate(year, month, 1));
        viewer = std::make_unique<ListViewFrm>(context);
        viewer->ListViewYear = year;
        viewer->ListViewMonth = month;
        viewer->RefreshListView();
        viewer->show();
    }

    Recordset& schedules() { return context.database()->schedules(); }
    Recordset& memos() { return context.database()->memos(); }

    QStringList rowTexts(std::size_t cell = 0) const
    {
        QStringList texts;
        for (const ListRow& row : viewer->list().rows)
            texts << row.text(cell);
        return texts;
    }

    QTreeWidgetItem* memoNode(const QString& title) const
    {
        for (QTreeWidgetItemIterator it(viewer->TreeView1); *it; ++it) {
            if (FullPath(*it) == kMemos + QLatin1Char('\\') + title)
                return *it;
        }
        return nullptr;
    }

    // Selects a row as a click does.
    void click(int row)
    {
        viewer->selectRow(row);
        viewer->ListView1_ItemClick();
    }

    void focusDetailBox()
    {
        viewer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(viewer.get()));
        viewer->Text1->setFocus();
        QTRY_VERIFY(viewer->Text1->hasFocus());
    }

    void focusList()
    {
        viewer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(viewer.get()));
        viewer->ListView1->setFocus();
        QTRY_VERIFY(viewer->ListView1->hasFocus());
    }

    // One keystroke at the end of the detail box.
    void type(const QString& text)
    {
        QTextCursor cursor = viewer->Text1->textCursor();
        cursor.movePosition(QTextCursor::End);
        viewer->Text1->setTextCursor(cursor);
        viewer->Text1->insertPlainText(text);
    }

    ViewerFixture fixture;
    FixedClock clock;
    AppContext context;
    std::unique_ptr<ListViewFrm> viewer;
};

int RowOfDay(const ListViewFrm& viewer, int day, int nth = 0)
{
    const auto& rows = viewer.list().rows;
    for (int r = 0; r < int(rows.size()); ++r) {
        if (rows[std::size_t(r)].day == day && nth-- == 0)
            return r;
    }
    return -1;
}

} // namespace

class ViewerEditingFrmTest : public QObject
{
    Q_OBJECT

private slots:
    void newMemosTakeTheFirstFreeTitleAndRenamesRefuseDuplicates()
    {
        Setup s;
        s.open();
        QVERIFY(s.viewer->selectPath(kMemos));
        QVERIFY(s.viewer->MNU_F_N->isEnabled());
        for (int i = 0; i < 3; ++i)
            s.viewer->MNU_F_N_Click();
        QCOMPARE(s.rowTexts(),
                 (QStringList{QStringLiteral("新しいメモ"), QStringLiteral("新しいメモ(2)"),
                              QStringLiteral("新しいメモ(3)")}));
        QCOMPARE(s.rowTexts(1).first(), QStringLiteral("2016/03/10 21:05"));
        QVERIFY(s.memoNode(QStringLiteral("新しいメモ(3)")));
        QCOMPARE(MemoBook(s.memos()).ListAll().size(), std::size_t(3));

        MsgBoxScript boxes;
        s.viewer->ListView1_AfterLabelEdit(0, QStringLiteral("Plan"));
        QCOMPARE(boxes.calls().size(), std::size_t(0));
        QVERIFY(MemoBook(s.memos()).FindByTitle(QStringLiteral("Plan")));
        QVERIFY(s.memoNode(QStringLiteral("Plan")));
        // The prompt fills the empty memo's box but is not stored.
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("予定の内容を入れて下さい。"));
        MemoBook(s.memos()).FindByTitle(QStringLiteral("Plan"));
        QCOMPARE(s.memos().GetValue(memo_fields::Memo).toString(), QString());

        // Another memo's title, a fixed node's, one differing only in case.
        for (const QString& taken :
             {QStringLiteral("新しいメモ(3)"), QStringLiteral("日記"), QStringLiteral("plan")}) {
            s.viewer->ListView1_AfterLabelEdit(1, taken);
            QCOMPARE(boxes.lastCall().text,
                     QStringLiteral("同じタイトルのメモ「%1」が既に存在します。\r\n"
                                    "別のタイトル名に変更してください。")
                         .arg(taken));
            QCOMPARE(boxes.lastCall().title, QStringLiteral("モルヴァ"));
            QCOMPARE(s.rowTexts()[1], QStringLiteral("新しいメモ(2)"));
        }
        QCOMPARE(boxes.calls().size(), std::size_t(3));
        QStringList titles;
        for (const MemoEntry& memo : MemoBook(s.memos()).ListAll())
            titles << memo.title;
        QCOMPARE(titles, (QStringList{QStringLiteral("Plan"), QStringLiteral("新しいメモ(2)"),
                                      QStringLiteral("新しいメモ(3)")}));

        // In the tree too, the same refusal; the node keeps its title.
        QTreeWidgetItem* node = s.memoNode(QStringLiteral("新しいメモ(2)"));
        QVERIFY(node);
        node->setText(0, QStringLiteral("PLAN"));
        QCOMPARE(boxes.calls().size(), std::size_t(4));
        QCOMPARE(node->text(0), QStringLiteral("新しいメモ(2)"));
        QVERIFY(MemoBook(s.memos()).FindByTitle(QStringLiteral("新しいメモ(2)")));
        node->setText(0, QStringLiteral("Notes"));
        QCOMPARE(boxes.calls().size(), std::size_t(4));
        QVERIFY(MemoBook(s.memos()).FindByTitle(QStringLiteral("Notes")));
        QVERIFY(!MemoBook(s.memos()).FindByTitle(QStringLiteral("新しいメモ(2)")));
    }

    void typingInAMemoStoresTextAndDateOnEveryKeystrokeButAClickWritesNothing()
    {
        Setup s;
        MemoBook(s.fixture.database().memos())
            .Create(QStringLiteral("買い物"), QDateTime(QDate(2016, 1, 2), QTime(3, 4)));
        MemoBook(s.fixture.database().memos())
            .ChangeContent(QStringLiteral("買い物"), QStringLiteral("卵"),
                           QDateTime(QDate(2016, 1, 2), QTime(3, 4)));
        s.open();
        QVERIFY(s.viewer->selectPath(kMemos));
        // Selecting the memo's node lists every memo with its row selected.
        QVERIFY(s.viewer->selectPath(kMemos + QStringLiteral("\\買い物")));
        QCOMPARE(s.viewer->FindMemoChildPosition(), 1);
        s.click(0);
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("卵"));
        QCOMPARE(MemoBook(s.memos()).ListAll()[0].date, QStringLiteral("2016/01/02 03:04"));
        const QStringList keys = {QStringLiteral("と"), QStringLiteral("牛"), QStringLiteral("乳")};
        QString expected = QStringLiteral("卵");
        for (int i = 0; i < keys.size(); ++i) {
            s.clock.advanceSeconds(60);
            s.type(keys[i]);
            expected += keys[i];
            const MemoEntry memo = MemoBook(s.memos()).ListAll()[0];
            QCOMPARE(memo.memo, expected);
            const QString stamp = MemoDateText(s.clock.now());
            QCOMPARE(memo.date, stamp);
            QCOMPARE(s.rowTexts(1)[0], stamp);
        }
        // Too long: the message with the field's size, the memo keeps its text.
        MsgBoxScript boxes;
        const int size = s.memos().Size(memo_fields::Memo);
        s.type(QString(size, QChar(u'あ')));
        QCOMPARE(boxes.lastCall().title, QStringLiteral("メモの保存"));
        QVERIFY(boxes.lastCall().text.contains(QStringLiteral("%1バイト以内").arg(size)));
        QCOMPARE(MemoBook(s.memos()).ListAll()[0].memo, expected);

        // Deleting the memo removes its row and its node.
        s.viewer->ListView1->setFocus();
        s.viewer->MNU_E_D_Click();
        QCOMPARE(MemoBook(s.memos()).ListAll().size(), std::size_t(0));
        QVERIFY(!s.memoNode(QStringLiteral("買い物")));
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(0));
        s.viewer->MNU_E_D_Click();
        QCOMPARE(boxes.lastCall().text, QStringLiteral("削除するメモがありません。"));
    }

    void afterDeletingAMemoTheBoxShowsTheSelectedMemosStoredText()
    {
        Setup s;
        const QDateTime t(QDate(2016, 1, 2), QTime(3, 4));
        MemoBook book(s.fixture.database().memos());
        for (const QString& title : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            book.Create(title, t);
        book.ChangeContent(QStringLiteral("A"), QStringLiteral("Aの本文"), t);
        book.ChangeContent(QStringLiteral("C"), QStringLiteral("Cの本文"), t);
        s.open();
        QVERIFY(s.viewer->selectPath(kMemos));
        // The middle row, then the last: the row taking its place shows its
        // own text, and a keystroke adds to that text.
        for (const auto& [row, next, nextText] :
             {std::tuple{1, QStringLiteral("C"), QStringLiteral("Cの本文")},
              std::tuple{1, QStringLiteral("A"), QStringLiteral("Aの本文")}}) {
            s.click(row);
            s.viewer->ListView1->setFocus();
            s.viewer->MNU_E_D_Click();
            const int current = s.viewer->ListView1->currentIndex().row();
            QVERIFY(current >= 0);
            QCOMPARE(s.rowTexts()[current], next);
            QCOMPARE(s.viewer->Text1->toPlainText(), nextText);
            QVERIFY(s.viewer->Text1->isEnabled());
        }
        s.type(QStringLiteral("!"));
        QVERIFY(MemoBook(s.memos()).FindByTitle(QStringLiteral("A")));
        QCOMPARE(s.memos().GetValue(memo_fields::Memo).toString(), QStringLiteral("Aの本文!"));
        // The last memo gone: an empty box that no memo stands behind.
        s.viewer->ListView1->setFocus();
        s.viewer->MNU_E_D_Click();
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(0));
        QCOMPARE(s.viewer->Text1->toPlainText(), QString());
    }

    void typingIntoTheEmptyMemoListKeepsEveryKey()
    {
        Setup s;
        s.open();
        QVERIFY(s.viewer->selectPath(kMemos));
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(0));
        s.type(QStringLiteral("買"));
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("買"));
        QCOMPARE(s.viewer->Text1->textCursor().position(), 1);
        s.type(QStringLiteral("い物"));
        QCOMPARE(s.rowTexts(), QStringList{QStringLiteral("新しいメモ")});
        const std::vector<MemoEntry> memos = MemoBook(s.memos()).ListAll();
        QCOMPARE(memos.size(), std::size_t(1));
        QCOMPARE(memos[0].memo, QStringLiteral("買い物"));
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("買い物"));
    }

    // The detail box shows line breaks as LF; the data file keeps CR LF, and
    // texts stored with a bare LF still read.
    void lineBreaksAreStoredAsCrLf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        const QString month = QStringLiteral("予定一覧\\月間予定");
        const QString all = QStringLiteral("予定一覧\\全ての予定");
        for (const auto& [name, path] :
             {std::pair{"month", month}, std::pair{"all", all}, std::pair{"memo", kMemos}}) {
            QTest::addRow("%s, CR LF", name)
                << path << QStringLiteral("一\r\n二") << QStringLiteral("一\n二");
            QTest::addRow("%s, LF", name)
                << path << QStringLiteral("一\n二") << QStringLiteral("一\n二");
        }
    }

    void lineBreaksAreStoredAsCrLf()
    {
        QFETCH(QString, path);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        Setup s;
        s.fixture.add(Dated(0, 2016, 3, 1, stored));
        const QDateTime t(QDate(2016, 1, 2), QTime(3, 4));
        MemoBook(s.fixture.database().memos()).Create(QStringLiteral("M"), t);
        MemoBook(s.fixture.database().memos()).ChangeContent(QStringLiteral("M"), stored, t);
        s.open();
        QVERIFY(s.viewer->selectPath(path));
        const bool memo = path == kMemos;
        s.click(path.endsWith(QStringLiteral("月間予定")) ? RowOfDay(*s.viewer, 1) : 0);
        QCOMPARE(s.viewer->Text1->toPlainText(), shown);
        QCOMPARE(s.viewer->Text1->document()->blockCount(), 2);
        s.type(QStringLiteral("\n三"));
        const auto storedNow = [&] {
            Recordset& rs = memo ? s.memos() : s.schedules();
            rs.MoveFirst();
            return rs.GetValue(memo ? memo_fields::Memo : schedule_fields::Message).toString();
        };
        QCOMPARE(storedNow(), QStringLiteral("一\r\n二\r\n三"));
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("一\n二\n三"));
    }

    // A data file that refuses writes (a full disk here) while the viewer
    // runs: every change says so and names the file; what was typed stays in
    // the box, and the next change that can be written stores it.
    void aRefusedWriteIsReportedAndWhatWasTypedStays()
    {
        Setup s;
        s.fixture.add({Dated(0, 2016, 3, 1, QStringLiteral("abc")),
                       Dated(0, 2016, 3, 2, QStringLiteral("def"))});
        const QDateTime t(QDate(2016, 1, 2), QTime(3, 4));
        MemoBook(s.fixture.database().memos()).Create(QStringLiteral("M"), t);
        s.open();
        MsgBoxScript boxes;
        const auto refused = [&](int shown) {
            QCOMPARE(int(boxes.calls().size()), shown);
            QCOMPARE(boxes.lastCall().title, QStringLiteral("DB保存時のエラー"));
            QVERIFY(boxes.lastCall().text.contains(QStringLiteral("書き込めません")));
            QVERIFY(boxes.lastCall().text.contains(QStringLiteral("Morva.dat")));
        };
        s.click(RowOfDay(*s.viewer, 1));
        {
            test::FileSizeLimit full(0);
            if (!full.active())
                QSKIP("no file size limit on this platform");
            s.type(QStringLiteral("1"));
            refused(1);
            QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("abc1"));
            // An empty day: no record is made.
            s.click(RowOfDay(*s.viewer, 5));
            s.type(QStringLiteral("x"));
            refused(2);
            QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("x"));
            // Del in the list: nothing deleted.
            s.click(RowOfDay(*s.viewer, 2));
            s.viewer->ListView1->setFocus();
            s.viewer->MNU_E_D_Click();
            refused(3);
            QCOMPARE(s.schedules().RecordCount(), 2);
            QVERIFY(!s.viewer->MNU_E_U->isEnabled());
            // A new memo, a keystroke in a memo.
            QVERIFY(s.viewer->selectPath(kMemos));
            s.viewer->MNU_F_N_Click();
            refused(4);
            QCOMPARE(s.rowTexts(), QStringList{QStringLiteral("M")});
            s.click(0);
            s.type(QStringLiteral("m"));
            refused(5);
            QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("m"));
        }
        s.type(QStringLiteral("2"));
        QCOMPARE(int(boxes.calls().size()), 5);
        QCOMPARE(MemoBook(s.memos()).ListAll()[0].memo, QStringLiteral("m2"));
        QVERIFY(s.viewer->selectPath(QStringLiteral("予定一覧\\月間予定")));
        s.click(RowOfDay(*s.viewer, 1));
        s.type(QStringLiteral("2"));
        // The "x" refused on the empty day went in once the file took changes.
        QCOMPARE(s.schedules().RecordCount(), 3);
        s.schedules().MoveFirst();
        // The refused "1" was not dropped when the row was left.
        QCOMPARE(s.schedules().GetValue(schedule_fields::Message).toString(),
                 QStringLiteral("abc12"));
    }

    // Leaving a row, or the list, while the file refuses what was typed
    // there does not drop the text: it goes into its own record as soon as
    // the file takes changes again.
    void aRefusedTextIsStoredOnceTheFileTakesChangesAgain()
    {
        Setup s;
        s.fixture.add({Dated(0, 2016, 3, 1, QStringLiteral("abc")),
                       Dated(0, 2016, 3, 2, QStringLiteral("def"))});
        MemoBook(s.fixture.database().memos())
            .Create(QStringLiteral("M"), QDateTime(QDate(2016, 1, 2), QTime(3, 4)));
        s.open();
        MsgBoxScript boxes;
        {
            test::FileSizeLimit full(0);
            if (!full.active())
                QSKIP("no file size limit on this platform");
            s.click(RowOfDay(*s.viewer, 1));
            s.type(QStringLiteral("1"));
            s.click(RowOfDay(*s.viewer, 5));
            s.type(QStringLiteral("x"));
            s.click(RowOfDay(*s.viewer, 2));
            QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("def"));
            QVERIFY(s.viewer->selectPath(kMemos));
            s.click(0);
            s.type(QStringLiteral("m"));
            // One message for each refused text, none for the retries.
            QCOMPARE(int(boxes.calls().size()), 3);
        }
        QVERIFY(s.viewer->selectPath(QStringLiteral("予定一覧\\月間予定")));
        QCOMPARE(int(boxes.calls().size()), 3);
        QStringList stored;
        for (s.schedules().MoveFirst(); !s.schedules().IsEOF(); s.schedules().MoveNext())
            stored << s.schedules().GetValue(schedule_fields::Message).toString();
        stored.sort();
        QCOMPARE(stored,
                 (QStringList{QStringLiteral("abc1"), QStringLiteral("def"), QStringLiteral("x")}));
        QCOMPARE(MemoBook(s.memos()).ListAll()[0].memo, QStringLiteral("m"));
        s.click(RowOfDay(*s.viewer, 1));
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("abc1"));
    }

    void typingOnAnEmptyBirthdayDayCreatesOneRecord()
    {
        Setup s;
        s.open();
        QVERIFY(s.viewer->selectPath(QStringLiteral("予定一覧\\月間予定\\誕生日")));
        QSignalSpy redraws(&s.context.events(), &AppEvents::drawCalendarRequested);
        s.click(RowOfDay(*s.viewer, 5));
        QCOMPARE(s.schedules().RecordCount(), 0);
        for (const QString& key : {QStringLiteral("花"), QStringLiteral("子")})
            s.type(key);
        QCOMPARE(s.schedules().RecordCount(), 1);
        s.schedules().MoveFirst();
        QCOMPARE(s.schedules().GetValue(schedule_fields::Type).toInt(), 2);
        QCOMPARE(s.schedules().GetValue(schedule_fields::Message).toString(),
                 QStringLiteral("花子"));
        QCOMPARE(s.viewer->list().rows[std::size_t(RowOfDay(*s.viewer, 5))].reportIconKey,
                 QStringLiteral("birthday_item"));
        QCOMPARE(redraws.size(), 1);
    }

    void deletingFromTheMonthList()
    {
        Setup s;
        s.fixture.add({Dated(0, 2016, 3, 1, QStringLiteral("前")),
                       Weekday(0, 0, 0, 0, 4, QStringLiteral("毎週水曜")),
                       Dated(0, 2016, 3, 2, QStringLiteral("後"))});
        s.open();
        QSignalSpy redraws(&s.context.events(), &AppEvents::drawCalendarRequested);
        QSignalSpy scans(&s.context.events(), &AppEvents::alarmScanRequested);
        MsgBoxScript boxes;
        // An empty day only.
        s.click(RowOfDay(*s.viewer, 3));
        s.viewer->MNU_E_D_Click();
        QCOMPARE(boxes.lastCall().text, QStringLiteral("選択された範囲での予定がありません"));
        QCOMPARE(boxes.lastCall().title, QStringLiteral("予定の削除"));

        // Three rows of the weekly schedule: one question, one record.
        QItemSelectionModel* selection = s.viewer->ListView1->selectionModel();
        selection->clearSelection();
        for (int day : {2, 9, 16}) {
            const int row = RowOfDay(*s.viewer, day);
            selection->select(s.viewer->ListView1->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        s.viewer->ListView1_ItemClick();
        QVERIFY(!s.viewer->Text1->isEnabled()); // several rows: no text to edit
        boxes.answer(MsgBoxResult::Yes);
        s.viewer->MNU_E_D_Click();
        QCOMPARE(
            boxes.lastCall().text,
            QStringLiteral("選択された3件の予定を一括削除します。\r\n削除してもよろしいですか"));
        QCOMPARE(boxes.lastCall().title, QStringLiteral("予定の一括削除"));
        QCOMPARE(s.schedules().RecordCount(), 2);
        QStringList left;
        for (s.schedules().MoveFirst(); !s.schedules().IsEOF(); s.schedules().MoveNext())
            left << s.schedules().GetValue(schedule_fields::Message).toString();
        QCOMPARE(left, (QStringList{QStringLiteral("前"), QStringLiteral("後")}));
        QCOMPARE(redraws.size(), 1);
        QCOMPARE(redraws.first().first().toString(), s.context.DisplayMonth);
        QCOMPARE(scans.size(), 1);
    }

    void delInTheDetailBoxDeletesACharacterAndNoRecord()
    {
        Setup s;
        s.fixture.add(Dated(0, 2016, 3, 1, QStringLiteral("abc")));
        s.open();
        s.click(RowOfDay(*s.viewer, 1));
        s.focusDetailBox();
        QTextCursor cursor = s.viewer->Text1->textCursor();
        cursor.setPosition(1);
        s.viewer->Text1->setTextCursor(cursor);
        QTest::keyClick(s.viewer->Text1, Qt::Key_Delete);
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("ac"));
        QCOMPARE(s.viewer->Text1->textCursor().position(), 1);
        QCOMPARE(s.schedules().RecordCount(), 1);
        s.schedules().MoveFirst();
        QCOMPARE(s.schedules().GetValue(schedule_fields::Message).toString(), QStringLiteral("ac"));
    }

    void theToolbarDeleteActsOnTheSelectedRowsEvenWithTheFocusInTheBox()
    {
        Setup s;
        s.fixture.add({Dated(0, 2016, 3, 1, QStringLiteral("abc")),
                       Dated(0, 2016, 3, 2, QStringLiteral("def"))});
        s.open();
        QVERIFY(s.viewer->selectPath(QStringLiteral("予定一覧\\全ての予定")));
        s.click(0);
        s.focusDetailBox();
        QTextCursor cursor = s.viewer->Text1->textCursor();
        cursor.setPosition(1);
        s.viewer->Text1->setTextCursor(cursor);
        s.viewer->button(QStringLiteral("item_delete"))->trigger();
        QCOMPARE(s.schedules().RecordCount(), 1);
        s.schedules().MoveFirst();
        QCOMPARE(s.schedules().GetValue(schedule_fields::Message).toString(),
                 QStringLiteral("def"));
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("def"));
    }

    // Del in each list deletes at once; the edit menu's undo (Ctrl+Z outside
    // the detail box) puts the last deleted records back with every field.
    void undoPutsBackTheLastDeletedRecordsWithAllTheirFields_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("month list, a weekly schedule and a dated one")
            << QStringLiteral("予定一覧\\月間予定") << QList<int>{2, 4};
        QTest::newRow("all list, one record")
            << QStringLiteral("予定一覧\\全ての予定") << QList<int>{1};
        QTest::newRow("memo list") << kMemos << QList<int>{0};
    }

    void undoPutsBackTheLastDeletedRecordsWithAllTheirFields()
    {
        QFETCH(QString, path);
        QFETCH(QList<int>, rows);
        Setup s;
        test::Rec alarmed = Weekday(4, 0, 0, 0, 4, QStringLiteral("毎週水曜"), 9);
        alarmed.alarm = QStringLiteral("08:30");
        s.fixture.add({Dated(0, 2016, 3, 1, QStringLiteral("前")), alarmed,
                       Dated(3, 2016, 3, 4, QStringLiteral("記念"), 12)});
        {
            Recordset& rs = s.fixture.schedules();
            rs.SetAbsolutePosition(1);
            rs.Edit();
            rs.SetValue(schedule_fields::AlarmFlag, Value(QStringLiteral("True")));
            rs.Update();
        }
        const QDateTime t(QDate(2016, 1, 2), QTime(3, 4));
        MemoBook(s.fixture.database().memos()).Create(QStringLiteral("買い物"), t);
        MemoBook(s.fixture.database().memos())
            .ChangeContent(QStringLiteral("買い物"), QStringLiteral("卵\r\n牛乳"), t);
        const auto snapshot = [&] {
            QStringList all;
            for (Recordset* rs : {&s.schedules(), &s.memos()}) {
                for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
                    QStringList fields;
                    for (int i = 0; i < rs->FieldCount(); ++i)
                        fields << (rs->GetValue(i).isNull() ? QStringLiteral("<Null>")
                                                            : rs->GetValue(i).toString());
                    all << fields.join(QLatin1Char('|'));
                }
            }
            all.sort();
            return all;
        };
        s.open();
        const QStringList before = snapshot();
        QVERIFY(s.viewer->selectPath(path));
        QVERIFY(!s.viewer->MNU_E_U->isEnabled());
        QItemSelectionModel* selection = s.viewer->ListView1->selectionModel();
        const auto rowOf = [&](int n) {
            return path == kMemos || path.endsWith(QStringLiteral("全ての予定"))
                       ? n
                       : RowOfDay(*s.viewer, n);
        };
        s.click(rowOf(rows.first()));
        for (int n : rows) {
            selection->select(s.viewer->ListView1->model()->index(rowOf(n), 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        MsgBoxScript boxes;
        boxes.answer(MsgBoxResult::Yes);
        s.focusList();
        QCOMPARE(int(s.viewer->selectedRows().size()), int(rows.size()));
        QTest::keyClick(s.viewer->ListView1, Qt::Key_Delete);
        QVERIFY(snapshot() != before);
        QVERIFY(s.viewer->MNU_E_U->isEnabled());

        QSignalSpy redraws(&s.context.events(), &AppEvents::drawCalendarRequested);
        QSignalSpy scans(&s.context.events(), &AppEvents::alarmScanRequested);
        s.focusList();
        QTest::keyClick(s.viewer->ListView1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(snapshot(), before);
        QVERIFY(!s.viewer->MNU_E_U->isEnabled());
        if (path != kMemos) {
            QCOMPARE(scans.size(), 1);
            QCOMPARE(redraws.size(), 1);
        } else {
            QVERIFY(s.memoNode(QStringLiteral("買い物")));
        }
        // The list shows the records again.
        QStringList shown;
        for (const ListRow& row : s.viewer->list().rows) {
            for (const ListCell& cell : row.cells)
                shown << cell.text;
        }
        QVERIFY(
            shown.contains(path == kMemos ? QStringLiteral("買い物") : QStringLiteral("毎週水曜")));
    }

    void logRowsDeletedAndTheRestWrittenInListOrder()
    {
        Setup s;
        {
            QFile log(LogFilePath(s.fixture.folder()));
            QVERIFY(log.open(QIODevice::WriteOnly));
            log.write(LogLineBytes(QStringLiteral("2016/03/01 10:00.00"), kLogStartEvent));
            log.write(LogLineBytes(QStringLiteral("2016/03/02 10:00.00"), kLogEndEvent));
            log.write(LogLineBytes(QStringLiteral("2016/03/03 10:00.00"), kLogStartEvent));
        }
        s.open();
        MsgBoxScript boxes;
        QVERIFY(s.viewer->selectPath(QStringLiteral("ログ")));
        s.viewer->ColumnHeader_Click(0);
        s.viewer->ColumnHeader_Click(0); // newest first
        QCOMPARE(s.rowTexts()[0], QStringLiteral("2016/03/03 10:00.00"));
        s.viewer->selectRow(1);
        s.viewer->MNU_E_D_Click();
        QFile log(LogFilePath(s.fixture.folder()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(),
                 LogLineBytes(QStringLiteral("2016/03/03 10:00.00"), kLogStartEvent) +
                     LogLineBytes(QStringLiteral("2016/03/01 10:00.00"), kLogStartEvent));
        QCOMPARE(boxes.calls().size(), std::size_t(0));
    }

    void pastSchedulesAskFirstAndCount()
    {
        Setup s;
        s.fixture.add({Dated(0, 2016, 3, 9, QStringLiteral("昨日")),
                       Dated(0, 2016, 3, 10, QStringLiteral("今日"))});
        s.open();
        MsgBoxScript boxes;
        boxes.answer({MsgBoxResult::No});
        s.viewer->MNU_E_K_Click();
        QCOMPARE(boxes.lastCall().title, QStringLiteral("過去の予定を削除"));
        QCOMPARE(s.schedules().RecordCount(), 2);
        boxes.answer({MsgBoxResult::Yes, MsgBoxResult::Ok, MsgBoxResult::Yes, MsgBoxResult::Ok});
        s.viewer->MNU_E_K_Click();
        QCOMPARE(boxes.lastCall().text, QStringLiteral("1件の予定を削除しました"));
        QCOMPARE(s.schedules().RecordCount(), 1);
        s.viewer->MNU_E_K_Click();
        QCOMPARE(boxes.lastCall().text, QStringLiteral("過去の予定が見つかりませんでした"));
    }
};

} // namespace morvane

QTEST_MAIN(morvane::ViewerEditingFrmTest)
#include "ViewerEditingFrmTest.moc"
