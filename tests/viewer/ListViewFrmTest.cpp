#include "viewer/ListViewFrm.h"

#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/FileDialog.h"
#include "ui_toolkit/MsgBox.h"
#include "viewer/ViewerFixture.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::Equinox;
using test::ViewerFixture;
using test::Weekday;

namespace {

const QString kMonthPath = QStringLiteral("予定一覧\\月間予定");
const QString kAllPath = QStringLiteral("予定一覧\\全ての予定");

// A viewer over a fresh data file, opened the way the callers open it.
struct Setup
{
    explicit Setup(bool withLog = false)
        : clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0))), context(clock, fixture.folder())
    {
        if (withLog) {
            QFile log(LogFilePath(fixture.folder()));
            log.open(QIODevice::WriteOnly);
            for (int i = 0; i < 1001; ++i) {
                log.write(LogLineBytes(
                    QStringLiteral("2026/01/01 00:%1.00").arg(i % 60, 2, 10, QLatin1Char('0')),
                    i % 2 ? kLogEndEvent : kLogStartEvent));
            }
        }
    }

    void open(int year, int month)
    {
        viewer = std::make_unique<ListViewFrm>(context);
        viewer->ListViewYear = year;
        viewer->ListViewMonth = month;
        viewer->RefreshListView();
        viewer->show();
    }

    void adopt() { context.setDatabase(fixture.release()); }

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

class ListViewFrmTest : public QObject
{
    Q_OBJECT

private slots:
    void menusCaptionsAndShortcuts()
    {
        ViewerFixture fixture;
        FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        AppContext context(clock, fixture.folder());
        ListViewFrm viewer(context);
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Morvane [Viewer]"));
        QCOMPARE(viewer.MNU_F_X->text(), QStringLiteral("モルヴァの終了(&X)"));
        QCOMPARE(viewer.MNU_F_X->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(viewer.MNU_E_E->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QCOMPARE(viewer.MNU_E_D->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(viewer.MNU_E_U->text(), QStringLiteral("元に戻す(&U)"));
        QCOMPARE(viewer.MNU_E_U->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QVERIFY(!viewer.MNU_E_U->isEnabled()); // nothing deleted yet
        QCOMPARE(viewer.MNU_E_F->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        QCOMPARE(viewer.MNU_V_J->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
        QCOMPARE(viewer.MNU_H_C->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(viewer.MNU_E_K->text(), QStringLiteral("過去の予定を削除(&K)"));
        QCOMPARE(viewer.JumpDropDown->actions().size(), 19);
        QVERIFY(viewer.GetButtonIndex(QStringLiteral("j_select")) > 0);
        QCOMPARE(viewer.GetButtonIndex(QStringLiteral("none")), 0);
        QCOMPARE(viewer.button(QStringLiteral("item_find"))->toolTip(),
                 QStringLiteral("予定の検索"));
        // No log file: 20 nodes.
        int nodes = 0;
        for (QTreeWidgetItemIterator it(viewer.TreeView1); *it; ++it)
            ++nodes;
        QCOMPARE(nodes, 20);
    }

    void logNodeListsTheFileWithItsWarningAndSorts()
    {
        Setup s(true);
        s.adopt();
        s.open(2026, 12);
        MsgBoxScript boxes;
        QVERIFY(s.viewer->selectPath(QStringLiteral("ログ")));
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(1001));
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        QVERIFY(boxes.lastCall().text.startsWith(
            QStringLiteral("ログ出力の件数が多すぎます。(1001件)\r\n")));
        QCOMPARE(boxes.lastCall().title, QStringLiteral("モルヴァ"));
        QVERIFY(!s.viewer->button(QStringLiteral("item_edit"))->isEnabled());
        QVERIFY(!s.viewer->MNU_F_N->isEnabled());
        QVERIFY(s.viewer->MNU_E_D->isEnabled());
        QVERIFY(!s.viewer->Text1->isEnabled());
        const QString first = s.viewer->list().rows.front().text(0);
        s.viewer->ColumnHeader_Click(0);
        QCOMPARE(s.viewer->list().rows.front().text(0), first); // ascending
        s.viewer->ColumnHeader_Click(0);
        QVERIFY(s.viewer->list().rows.front().text(0) > first); // descending

        // The file went after the tree was built: an empty list, no message.
        QFile::remove(LogFilePath(s.fixture.folder()));
        boxes.clearCalls();
        s.viewer->RefreshListView();
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(0));
        QCOMPARE(boxes.calls().size(), std::size_t(0));
    }

    // 起動 sorts before 終了 (き before しゅう), not by code units.
    void logColumnsSortInJapaneseOrder()
    {
        Setup s;
        {
            QFile log(LogFilePath(s.fixture.folder()));
            QVERIFY(log.open(QIODevice::WriteOnly));
            log.write(LogLineBytes(QStringLiteral("2026/01/01 10:00.00"), kLogEndEvent));
            log.write(LogLineBytes(QStringLiteral("2026/01/01 09:00.00"), kLogStartEvent));
        }
        s.adopt();
        s.open(2026, 12);
        QVERIFY(s.viewer->selectPath(QStringLiteral("ログ")));
        s.viewer->ColumnHeader_Click(1);
        QStringList events;
        for (const ListRow& row : s.viewer->list().rows)
            events << row.text(1);
        QCOMPARE(events, (QStringList{QStringLiteral("起動"), QStringLiteral("終了")}));
    }

    // At the default sizes the tree's labels and the all list's rule column
    // show their usual texts whole.
    void treeAndRuleColumnFitTheirUsualTexts()
    {
        Setup s;
        s.fixture.add({Weekday(0, 0, 12, 5, 4, QStringLiteral("会議")),
                       Weekday(0, 0, 1, 2, 2, QStringLiteral("成人の日"))});
        s.adopt();
        s.open(2026, 12);
        QVERIFY(QTest::qWaitForWindowExposed(s.viewer.get()));
        QTreeWidget* tree = s.viewer->TreeView1;
        // The width each view's own rows ask for (the views answer it
        // through their base class).
        const auto contentWidth = [](const QAbstractItemView* view) {
            return view->sizeHintForColumn(0);
        };
        QVERIFY2(tree->viewport()->width() >= contentWidth(tree),
                 qPrintable(QStringLiteral("tree %1 < %2")
                                .arg(tree->viewport()->width())
                                .arg(contentWidth(tree))));
        QVERIFY(s.viewer->selectPath(kAllPath));
        QCOMPARE(s.viewer->list().rows[0].text(0), QStringLiteral("毎年12月第5週水曜日"));
        QTreeView* list = s.viewer->ListView1;
        QVERIFY2(list->header()->sectionSize(0) >= contentWidth(list),
                 qPrintable(QStringLiteral("rule column %1 < %2")
                                .arg(list->header()->sectionSize(0))
                                .arg(contentWidth(list))));
        // The schedule column still shows and no sideways scrolling is needed.
        int columns = 0;
        for (int c = 0; c < list->header()->count(); ++c)
            columns += list->header()->sectionSize(c);
        QVERIFY(columns <= list->viewport()->width());
    }

    void doubleClickOpensTheEditorOnTheRowsDay()
    {
        Setup s;
        s.fixture.add({Equinox(3, QStringLiteral("春分の日")),
                       Dated(0, 2016, 3, 21, QStringLiteral("会議"))});
        s.adopt();
        s.open(2016, 3);
        QSignalSpy editor(&s.context.events(), &AppEvents::editorRequested);
        // 21 March 2016: the substitute row first, then the meeting.
        const int meeting = RowOfDay(*s.viewer, 21, 1);
        s.viewer->selectRow(meeting);
        s.viewer->ListView1_ItemClick();
        QCOMPARE(s.viewer->Text1->toPlainText(), QStringLiteral("会議"));
        QCOMPARE(s.context.viewer.selectedScheduleText, QStringLiteral("会議"));
        s.viewer->ListView1_DblClick();
        QCOMPARE(editor.size(), 1);
        QCOMPARE(editor.at(0).at(0).toDate(), QDate(2016, 3, 21));
        QCOMPARE(editor.at(0).at(1).toBool(), true);

        // The new command: the editor on that day, then a new schedule there.
        QSignalSpy added(&s.context.events(), &AppEvents::newScheduleRequested);
        s.viewer->MNU_F_N_Click();
        QCOMPARE(added.size(), 1);
        QCOMPARE(added.at(0).at(0).toDate(), QDate(2016, 3, 21));
    }

    void allListEditOpensTheRecordsDayOrRefreshesWhenItMoved()
    {
        Setup s;
        s.fixture.add({Dated(0, 2026, 1, 5, QStringLiteral("一")),
                       test::Weekday(0, 0, 5, 2, 1, QStringLiteral("母の日"))});
        s.adopt();
        s.open(2026, 12);
        QVERIFY(s.viewer->selectPath(kAllPath));
        QCOMPARE(s.viewer->windowTitle(), QStringLiteral("Morvane [Viewer] - 全ての予定一覧"));
        QSignalSpy editor(&s.context.events(), &AppEvents::editorRequested);
        s.viewer->selectRow(1);
        s.viewer->MNU_E_E_Click();
        QCOMPARE(editor.size(), 1);
        QCOMPARE(editor.at(0).at(0).toDate(), QDate(2026, 5, 10));

        // Another window deletes the first record: the row's position now
        // holds nothing, the first row's position holds 母の日.
        Recordset& rs = s.context.database()->schedules();
        rs.SetAbsolutePosition(0);
        rs.Delete();
        s.viewer->selectRow(0);
        s.viewer->MNU_E_E_Click();
        QCOMPARE(editor.size(), 1); // nothing opened on the wrong record
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(1)); // the list follows the table
        QCOMPARE(s.viewer->list().rows[0].text(1), QStringLiteral("母の日"));
    }

    void previousMonthFromJanuaryKeepsTheTypeNode()
    {
        Setup s;
        s.fixture.add(
            {Dated(1, 0, 12, 23, QStringLiteral("祝")), Dated(0, 0, 12, 23, QStringLiteral("普"))});
        s.adopt();
        s.open(2027, 1);
        const QString holidays = kMonthPath + QStringLiteral("\\祝日");
        QVERIFY(s.viewer->selectPath(holidays));
        QVERIFY(s.viewer->button(QStringLiteral("j_back"))->isEnabled());
        s.viewer->MNU_V_B_Click();
        QCOMPARE(s.viewer->windowTitle(), QStringLiteral("Morvane [Viewer] - 2026年12月間予定"));
        QCOMPARE(s.viewer->selectedPath(), holidays);
        QCOMPARE(s.viewer->list().count, 1);
        s.viewer->MNU_V_N_Click();
        QCOMPARE(s.viewer->ListViewYear, 2027);
        QCOMPARE(s.viewer->ListViewMonth, 1);
        // The drop-down shows all types whatever node is selected.
        s.viewer->JumpDropDown_Click(QStringLiteral("前年"));
        QCOMPARE(s.viewer->windowTitle(), QStringLiteral("Morvane [Viewer] - 2026年1月間予定"));
        s.viewer->JumpDropDown_Click(QStringLiteral("12月"));
        QCOMPARE(s.viewer->windowTitle(), QStringLiteral("Morvane [Viewer] - 2026年12月間予定"));
        QCOMPARE(s.viewer->list().count, 2);
        s.viewer->JumpDropDown_Click(QStringLiteral("今月"));
        QCOMPARE(s.viewer->ListViewMonth, 12);
    }

    void rootViewAndCommandStates()
    {
        Setup s;
        s.adopt();
        s.open(2026, 12);
        QVERIFY(s.viewer->selectPath(QStringLiteral("予定一覧")));
        QCOMPARE(s.viewer->list().rows.size(), std::size_t(2));
        QCOMPARE(s.viewer->list().rows[1].text(0), QStringLiteral("全ての予定"));
        QVERIFY(!s.viewer->Text1->isEnabled());
        QVERIFY(!s.viewer->button(QStringLiteral("j_back"))->isEnabled());
        s.viewer->selectRow(1);
        s.viewer->ListView1_DblClick();
        QCOMPARE(s.viewer->selectedPath(), kAllPath);
        // An empty table: nothing to edit or delete.
        QVERIFY(!s.viewer->MNU_E_E->isEnabled());
        QVERIFY(!s.viewer->button(QStringLiteral("item_delete"))->isEnabled());
        QCOMPARE(s.viewer->StatusPanel4->text(), QStringLiteral("0件"));
    }

    void exportWritesTheChosenFile()
    {
        Setup s;
        s.adopt();
        s.open(2026, 12);
        MsgBoxScript boxes;
        FileDialog::resetScript();
        s.viewer->MNU_F_E_Click();
        QCOMPARE(boxes.lastCall().text, QStringLiteral("予定がありません。"));
        QCOMPARE(boxes.lastCall().title, QStringLiteral("エクスポート"));
        QVERIFY(FileDialog::requests().empty());

        Recordset& rs = s.context.database()->schedules();
        rs.AddNew();
        for (const auto& [field, value] : {std::pair{schedule_fields::Type, 0},
                                           {schedule_fields::Year, 2016},
                                           {schedule_fields::Month, 3},
                                           {schedule_fields::Day, 21},
                                           {schedule_fields::Week, -1}})
            rs.SetValue(field, Value(value));
        rs.SetValue(schedule_fields::Message, Value(QStringLiteral("休み")));
        rs.Update();

        const QString path = s.fixture.folder() + QStringLiteral("/out.csv");
        FileDialog::setNextCancel();
        boxes.clearCalls();
        s.viewer->MNU_F_E_Click();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(boxes.calls().size(), std::size_t(0));

        FileDialog::setNextFileName(path);
        s.viewer->MNU_F_E_Click();
        const FileDialog::Request request = FileDialog::requests().back();
        QCOMPARE(request.options.title, QStringLiteral("エクスポートするファイル"));
        QCOMPARE(request.options.fileName, QStringLiteral("morv.csv"));
        QCOMPARE(request.options.defaultExtension, QStringLiteral("csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ToAnsi(QStringLiteral("\"2016年3月21日\" ,\"休み\"\r\n")));

        // A folder that does not exist: the message names the file.
        const QString missing = s.fixture.folder() + QStringLiteral("/gone/out.csv");
        FileDialog::setNextFileName(missing);
        s.viewer->MNU_F_E_Click();
        QVERIFY(boxes.lastCall().text.contains(QStringLiteral("out.csv")));
        QCOMPARE(boxes.lastCall().style, MsgBoxStyle::Exclamation);
        FileDialog::resetScript();
    }

    // Characters code page 932 cannot hold: after the export the user is
    // told how many, and いいえ keeps the file in code page 932 while はい
    // saves the same rows as UTF-8 after a byte-order mark.
    void exportWarnsOfCharactersCodePage932CannotHold()
    {
        Setup s;
        s.adopt();
        s.open(2026, 12);
        MsgBoxScript boxes;
        FileDialog::resetScript();
        Recordset& rs = s.context.database()->schedules();
        rs.AddNew();
        for (const auto& [field, value] : {std::pair{schedule_fields::Type, 0},
                                           {schedule_fields::Year, 2026},
                                           {schedule_fields::Month, 12},
                                           {schedule_fields::Day, 24},
                                           {schedule_fields::Week, -1}})
            rs.SetValue(field, Value(value));
        const QString text = QStringLiteral("誕生日🎂 と \"𠮷野家\"");
        rs.SetValue(schedule_fields::Message, Value(text));
        rs.Update();
        const QString line = QStringLiteral("\"2026年12月24日\" ,\"誕生日🎂 と \"\"𠮷野家\"\"\"\r\n");
        const QString path = s.fixture.folder() + QStringLiteral("/out.csv");
        for (const bool utf8 : {false, true}) {
            boxes.clearCalls();
            boxes.answer({utf8 ? MsgBoxResult::Yes : MsgBoxResult::No});
            FileDialog::setNextFileName(path);
            s.viewer->MNU_F_E_Click();
            QCOMPARE(boxes.calls().size(), std::size_t(1));
            QVERIFY2(boxes.lastCall().text.contains(QStringLiteral("2 文字")),
                     qPrintable(boxes.lastCall().text));
            QCOMPARE(boxes.lastCall().style, MsgBoxStyle::YesNo + MsgBoxStyle::Question);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), utf8 ? "\xEF\xBB\xBF" + line.toUtf8() : ToAnsi(line));
        }
        FileDialog::resetScript();
    }

    // iCalendar out and back in through the menu: the rules it cannot hold
    // are expanded when the user agrees, and a second import adds nothing.
    void iCalendarExportAndImport()
    {
        Setup s;
        s.adopt();
        s.open(2026, 12);
        QCOMPARE(s.viewer->MNU_F_I->text(), QStringLiteral("iCalendar形式でエクスポート(&I)..."));
        QCOMPARE(s.viewer->MNU_F_M->text(), QStringLiteral("iCalendarから取り込み(&M)..."));
        MsgBoxScript boxes;
        FileDialog::resetScript();

        const QString in = s.fixture.folder() + QStringLiteral("/in.ics");
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n"
                   "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261202\r\nRRULE:FREQ=WEEKLY\r\n"
                   "SUMMARY:O'Neil's gym\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261201\r\n"
                   "RRULE:FREQ=DAILY;INTERVAL=10;COUNT=3\r\nSUMMARY:Plants\r\nEND:VEVENT\r\n"
                   "END:VCALENDAR\r\n");
        file.close();
        Recordset& rs = s.context.database()->schedules();
        const int before = rs.RecordCount();
        FileDialog::setNextFileName(in);
        boxes.answer({MsgBoxResult::Yes, MsgBoxResult::Ok});
        s.viewer->MNU_F_M_Click();
        QVERIFY(boxes.calls().size() >= 2);
        QVERIFY(boxes.calls()[0].text.contains(QStringLiteral("1件の予定は")));
        QVERIFY2(boxes.lastCall().text.startsWith(QStringLiteral("4件の予定を取り込みました。")),
                 qPrintable(boxes.lastCall().text));
        QCOMPARE(rs.RecordCount(), before + 4);

        FileDialog::setNextFileName(in);
        boxes.answer({MsgBoxResult::No, MsgBoxResult::Ok});
        s.viewer->MNU_F_M_Click();
        QVERIFY(boxes.lastCall().text.startsWith(QStringLiteral("0件の予定を取り込みました。")));
        QCOMPARE(rs.RecordCount(), before + 4);

        // A broken file: its line is named and nothing changes.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20261201\r\n");
        file.close();
        FileDialog::setNextFileName(in);
        s.viewer->MNU_F_M_Click();
        QVERIFY(boxes.lastCall().text.contains(QStringLiteral("3 行目")));
        QCOMPARE(rs.RecordCount(), before + 4);

        const QString out = s.fixture.folder() + QStringLiteral("/out.ics");
        FileDialog::setNextFileName(out);
        s.viewer->MNU_F_I_Click();
        QCOMPARE(FileDialog::requests().back().options.defaultExtension, QStringLiteral("ics"));
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("BEGIN:VCALENDAR\r\n"));
        QVERIFY(bytes.contains("SUMMARY:O'Neil's gym"));
        FileDialog::resetScript();
    }

    void placementIsSavedOnClose()
    {
        Setup s;
        s.adopt();
        s.open(2026, 12);
        s.viewer->resize(700, 500);
        s.viewer->move(40, 60);
        QTest::qWait(50);
        s.viewer->close();
        const Settings& settings = s.context.settings();
        QVERIFY(settings.ViewWidth >= 2000);
        QVERIFY(settings.ViewLineX > 100);
        QVERIFY(settings.ViewLineY > 500);
    }
};

} // namespace morvane

QTEST_MAIN(morvane::ListViewFrmTest)
#include "ListViewFrmTest.moc"
