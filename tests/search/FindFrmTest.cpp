#include "search/FindFrm.h"

#include "context/AppContext.h"
#include "search/ResultOpening.h"
#include "search/SearchCriteria.h"
#include "search/SearchFixture.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace morvane {

using namespace test;

// The search window offscreen, on Tuesday 8 December 2026.
class FindFrmTest : public QObject
{
    Q_OBJECT

private:
    struct Window
    {
        explicit Window(std::initializer_list<Rec> records = {})
            : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0))), context(clock, QString())
        {
            fixture.add(records);
            context.setDatabase(fixture.release());
            context.setDisplayMonth(QDate(2026, 12, 1));
            frm = new FindFrm(context);
            frm->show();
            if (!QTest::qWaitForWindowExposed(frm.data()))
                qWarning("the window was not exposed");
        }
        ~Window() { delete frm.data(); }

        // Types text into Text1 and presses Enter there.
        void searchFor(const QString& text)
        {
            frm->Text1->setFocus();
            frm->Text1->setText(text);
            QTest::keyClick(frm->Text1, Qt::Key_Return);
        }
        QStringList column(int c) const
        {
            QStringList texts;
            for (int i = 0; i < frm->ListView1->topLevelItemCount(); ++i)
                texts << frm->ListView1->topLevelItem(i)->text(c);
            return texts;
        }
        void doubleClickRow(int i)
        {
            QTreeWidgetItem* item = frm->ListView1->topLevelItem(i);
            frm->ListView1->setCurrentItem(item);
            const QRect rect = frm->ListView1->visualItemRect(item);
            QTest::mouseClick(frm->ListView1->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(frm->ListView1->viewport(), Qt::LeftButton, {}, rect.center());
        }
        Recordset& rs() { return context.database()->schedules(); }

        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
        QPointer<FindFrm> frm;
    };

    static int DrawnTwips(int pixels) { return qRound(PixelsToTwipsX(pixels) / 1.2); }
    // Pixels round the drawn twips to steps of 12.5 at 96 dots per inch.
    static bool Near(int drawn, int expected) { return std::abs(drawn - expected) <= 13; }
    static bool Near(const QList<int>& drawn, const QList<int>& expected)
    {
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            if (!Near(drawn[i], expected[i]))
                return false;
        }
        return drawn.size() == expected.size();
    }

private slots:
    void loadsWithItsControlsInPlace()
    {
        Window w;
        FindFrm& frm = *w.frm;
        QCOMPARE(frm.windowTitle(), QStringLiteral("予定の検索"));
        QCOMPARE(frm.Label2->text(), QStringLiteral("予定内容："));
        QCOMPARE(frm.Label1->text(), QStringLiteral("対象範囲："));
        QCOMPARE(frm.Label3->text(), QStringLiteral("～"));
        QCOMPARE(frm.Label4->text(), QStringLiteral("予定種別："));
        QCOMPARE(frm.Command1[0]->text(), QStringLiteral("検索開始"));
        QCOMPARE(frm.Command1[1]->text(), QStringLiteral("キャンセル"));
        QVERIFY(frm.Command1[0]->isDefault());
        QCOMPARE(frm.Frame1->title(), QStringLiteral("検索結果"));

        // Places as drawn (left, top, width), in twips before the font scale.
        const auto place = [](QWidget* widget) {
            return QList<int>{DrawnTwips(widget->x()), DrawnTwips(widget->y()),
                              DrawnTwips(widget->width())};
        };
        QVERIFY(Near(place(frm.Text1), {1200, 90, 3975}));
        QVERIFY(Near(place(frm.DTPicker1[0]), {1200, 465, 1815}));
        QVERIFY(Near(place(frm.DTPicker1[1]), {3360, 465, 1815}));
        QVERIFY(Near(place(frm.ImageCombo1), {1200, 825, 1695}));
        QVERIFY(Near(place(frm.Command1[0]), {5280, 120, 1335}));
        QVERIFY(Near(place(frm.Command1[1]), {5280, 600, 1335}));
        QVERIFY(Near(place(frm.Frame1), {120, 1440, 6615}));

        // Both ends cleared, showing this month's first day and today.
        QVERIFY(!frm.DTPicker1[0]->date());
        QVERIFY(!frm.DTPicker1[1]->date());
        QCOMPARE(frm.DTPicker1[0]->shownDateTime().date(), QDate(2026, 12, 1));
        QCOMPARE(frm.DTPicker1[1]->shownDateTime().date(), QDate(2026, 12, 8));
        QCOMPARE(frm.DTPicker1[0]->minimumDate(), QDate(1950, 1, 1));
        QCOMPARE(frm.DTPicker1[0]->maximumDate(), QDate(2050, 12, 31));
        QCOMPARE(frm.DTPicker1[1]->minimumDate(), QDate(1950, 1, 1));
        QCOMPARE(frm.DTPicker1[1]->maximumDate(), QDate(2050, 12, 28));

        QCOMPARE(frm.ImageCombo1->count(), 9);
        QCOMPARE(frm.ImageCombo1->currentText(), QStringLiteral("全ての予定"));
        QVERIFY(frm.ImageCombo1->itemIcon(0).isNull());
        for (int i = 1; i < 9; ++i)
            QVERIFY(!frm.ImageCombo1->itemIcon(i).isNull());
        QCOMPARE(frm.ImageCombo1->itemText(7), QStringLiteral("ＴＶ番組"));

        QVERIFY(frm.Frame1->isHidden());
        QVERIFY(frm.ListView1->isHidden());
        QCOMPARE(frm.ListView1->headerItem()->text(0), QStringLiteral("予定日"));
        QCOMPARE(frm.ListView1->headerItem()->text(1), QStringLiteral("予定内容"));
        QVERIFY(Near(DrawnTwips(frm.ListView1->columnWidth(0)), 2000));
        QCOMPARE(frm.ListView1->palette().color(QPalette::Base), QColor(240, 240, 240));
        QVERIFY(Near(DrawnTwips(frm.height()), 2000 - 405));

        // Tab order: text, start, end, kind, the two buttons (the list is
        // hidden until a search finds something).
        frm.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        frm.Text1->setFocus();
        QWidget* order[] = {frm.DTPicker1[0]->editor(),
                            frm.DTPicker1[1]->editor(),
                            frm.ImageCombo1,
                            frm.Command1[0],
                            frm.Command1[1],
                            frm.Text1};
        for (QWidget* next : order) {
            // Tab steps through the year, month and day of a picker first.
            QWidget* from = QApplication::focusWidget();
            for (int i = 0; i < 3 && QApplication::focusWidget() == from; ++i)
                QTest::keyClick(from, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void enterSearchesAndListsTheMatches()
    {
        Window w({DatedText(2026, 12, 24, QStringLiteral("会議 A")),
                  Rec{10, 0, 3, {}, {}, {}, 14, {}, QStringLiteral("春分の日 会議")},
                  WeekdayRule(0, 0, 0, 2, QStringLiteral("週例会議")),
                  DatedText(2026, 12, 25, QStringLiteral("休み"))});
        FindFrm& frm = *w.frm;
        w.searchFor(QStringLiteral(" 会議 "));
        QCOMPARE(frm.windowTitle(), QStringLiteral("検索結果：3件の予定が見つかりました"));
        QCOMPARE(w.column(0),
                 (QStringList{QStringLiteral("2026年12月24日"), QStringLiteral("毎年3月(日計算)"),
                              QStringLiteral("毎年毎月毎週月曜日")}));
        QCOMPARE(w.column(1),
                 (QStringList{QStringLiteral("会議 A"), QStringLiteral("春分の日 会議"),
                              QStringLiteral("週例会議")}));
        QTreeWidgetItem* equinox = frm.ListView1->topLevelItem(1);
        QCOMPARE(equinox->data(0, Qt::UserRole).toString(), QStringLiteral("K0001K0002"));
        QCOMPARE(equinox->foreground(1).color(), QColor(128, 128, 0));
        QVERIFY(!equinox->icon(0).isNull());
        QVERIFY(!frm.Frame1->isHidden());
        QVERIFY(!frm.ListView1->isHidden());
        QVERIFY(Near(DrawnTwips(frm.height()), 6000 - 405));
        // The list grew with the window.
        QVERIFY(Near(DrawnTwips(frm.Frame1->height()), 6000 - 405 - 1440 - 500));
        QVERIFY(frm.Command1[0]->isEnabled());
        QVERIFY(w.context.search.visible);
        QCOMPARE(w.context.search.selectedScheduleText, QStringLiteral("会議 A"));
        frm.ListView1->setCurrentItem(frm.ListView1->topLevelItem(2));
        QCOMPARE(w.context.search.selectedScheduleText, QStringLiteral("週例会議"));

        // Nothing found: the caption says so, the frame stays with an empty list.
        w.searchFor(QStringLiteral("旅行"));
        QCOMPARE(frm.windowTitle(),
                 QStringLiteral("検索結果：条件に合う予定が見つかりませんでした"));
        QCOMPARE(frm.ListView1->topLevelItemCount(), 0);
        QVERIFY(!frm.Frame1->isHidden());
        QCOMPARE(w.context.search.selectedScheduleText, QString());
    }

    void firstSearchWithoutMatchesKeepsTheWindowSmall()
    {
        Window w({DatedText(2026, 12, 24, QStringLiteral("会議"))});
        w.searchFor(QStringLiteral("旅行"));
        QCOMPARE(w.frm->windowTitle(),
                 QStringLiteral("検索結果：条件に合う予定が見つかりませんでした"));
        QVERIFY(w.frm->Frame1->isHidden());
        QVERIFY(Near(DrawnTwips(w.frm->height()), 2000 - 405));
    }

    void rangeInTheWrongOrderIsRefused()
    {
        Window w({DatedText(2026, 12, 24, QStringLiteral("会議"))});
        FindFrm& frm = *w.frm;
        frm.DTPicker1[0]->setDate(QDate(2027, 1, 1));
        frm.DTPicker1[1]->setDate(QDate(2026, 12, 31));
        MsgBoxScript boxes;
        frm.Command1_Click(0);
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        QCOMPARE(boxes.lastCall().text, RangeOrderMessage());
        QCOMPARE(boxes.lastCall().style, MsgBoxStyle::Exclamation);
        QCOMPARE(boxes.lastCall().title, QStringLiteral("予定の検索"));
        QCOMPARE(frm.ListView1->topLevelItemCount(), 0);
        QCOMPARE(frm.windowTitle(), QStringLiteral("予定の検索"));
        QVERIFY(frm.Command1[0]->isEnabled());
        QVERIFY(frm.DTPicker1[0]->hasFocus() || frm.DTPicker1[0]->editor()->hasFocus());
    }

    void brokenRecordIsRemovedCountedAndTheListsRebuilt()
    {
        Window w({Rec{std::nullopt, 2026, 1, 1, -1, -1, {}, {}, QStringLiteral("壊れた予定")}});
        QSignalSpy scans(&w.context.events(), &AppEvents::alarmScanRequested);
        QSignalSpy draws(&w.context.events(), &AppEvents::drawCalendarRequested);
        w.searchFor(QString());
        QCOMPARE(w.frm->windowTitle(), QStringLiteral("検索結果：1件の予定が見つかりました"));
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 0);
        QVERIFY(!w.frm->Frame1->isHidden());
        QCOMPARE(w.rs().RecordCount(), 0);
        QCOMPARE(scans.count(), 1);
        QCOMPARE(draws.count(), 1);
    }

    void doubleClickOpensTheEditorOnTheResultsDay()
    {
        Window w({DatedText(2026, 12, 24, QStringLiteral("会議")),
                  WeekdayRule(0, 0, 0, 4, QStringLiteral("水曜会議")),
                  EveryYear(2, 29, QStringLiteral("閏日会議"))});
        QSignalSpy opened(&w.context.events(), &AppEvents::editorRequested);
        w.searchFor(QStringLiteral("会議"));
        const QDate expected[] = {QDate(2026, 12, 24), QDate(2026, 12, 2), QDate(2026, 2, 28)};
        for (int i = 0; i < 3; ++i) {
            w.doubleClickRow(i);
            QCOMPARE(opened.count(), i + 1);
            QCOMPARE(opened.last().at(0).toDate(), expected[i]);
            QCOMPARE(opened.last().at(1).toBool(), false);
            QCOMPARE(w.context.search.selectedScheduleText, w.column(1).at(i));
        }
    }

    void staleRowIsNeverOpenedAsAnotherRecord()
    {
        Window w({DatedText(2026, 12, 1, QStringLiteral("会議 1")),
                  DatedText(2026, 12, 2, QStringLiteral("会議 2")),
                  DatedText(2026, 12, 3, QStringLiteral("会議 3"))});
        QSignalSpy opened(&w.context.events(), &AppEvents::editorRequested);
        w.searchFor(QStringLiteral("会議"));
        // The first record goes after the search: the third moves up.
        w.rs().SetAbsolutePosition(0);
        w.rs().Delete();

        MsgBoxScript boxes;
        w.doubleClickRow(0);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        QCOMPARE(boxes.lastCall().text, StaleResultMessage());

        w.doubleClickRow(2);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.last().at(0).toDate(), QDate(2026, 12, 3));
        QCOMPARE(w.frm->ListView1->topLevelItem(2)->data(0, Qt::UserRole).toString(),
                 QStringLiteral("K0001K0003"));
    }

    void escapeUnloadsTheWindow()
    {
        Window w;
        QTest::keyClick(w.frm->Text1, Qt::Key_Escape);
        QTRY_VERIFY(w.frm.isNull());
        QVERIFY(!w.context.search.visible);
    }

    void widerWindowStretchesTheListAndMovesTheButtons()
    {
        Window w({DatedText(2026, 12, 24, QStringLiteral("会議"))});
        FindFrm& frm = *w.frm;
        w.searchFor(QStringLiteral("会議"));
        frm.resize(int(TwipsToPixelsX(9000 * 1.2)), frm.height());
        QVERIFY(Near(DrawnTwips(frm.Command1[0]->x()), 9000 - 1600));
        QVERIFY(Near(DrawnTwips(frm.Frame1->width()), 9000 - 120 - 200));
        QVERIFY(Near(DrawnTwips(frm.ListView1->width()), 9000 - 120 - 500));
        QCOMPARE(frm.ListView1->columnWidth(1), frm.ListView1->width() -
                                                    frm.ListView1->columnWidth(0) -
                                                    int(TwipsToPixelsX(50 * 1.2)));
    }
};

} // namespace morvane

QTEST_MAIN(morvane::FindFrmTest)
#include "FindFrmTest.moc"
