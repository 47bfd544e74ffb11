#include "editor/EditFrm.h"

#include "editor/EditorFixture.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/MsgBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace morvane {

namespace f = schedule_fields;
using test::EditorFixture;
using test::On;

namespace {
const QDate kDay(2026, 12, 8);
} // namespace

// The editor window offscreen, on Tuesday 8 December 2026 at 14:20.
class EditFrmTest : public QObject
{
    Q_OBJECT

private:
    struct Window
    {
        explicit Window(std::initializer_list<test::Rec> records = {})
        {
            fx.open(records);
            frm = std::make_unique<EditFrm>(fx.context);
            frm->setDateChangeDelay(0);
            frm->show();
            QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
            frm->SetEditFrm(kDay, false);
        }
        QTreeWidgetItem* row(int i) const { return frm->ListView1->topLevelItem(i); }
        // A click on row i as the user makes it: the selection moves, the
        // editor hears of it once the press is over.
        void clickRow(int i)
        {
            const QRect rect = frm->ListView1->visualItemRect(row(i));
            QTest::mouseClick(frm->ListView1->viewport(), Qt::LeftButton, {}, rect.center());
            QCoreApplication::processEvents();
        }

        EditorFixture fx;
        std::unique_ptr<EditFrm> frm;
    };

    static QStringList Captions(const QMenu* menu)
    {
        QStringList captions;
        for (const QAction* action : menu->actions())
            captions << action->objectName() + QLatin1Char('=') + action->text();
        return captions;
    }

private slots:
    void captionMenusToolbarAndStatusTips()
    {
        Window w;
        EditFrm& frm = *w.frm;
        QCOMPARE(frm.windowTitle(), QStringLiteral("予定編集"));
        QCOMPARE(frm.MNU_F->title(), QStringLiteral("ファイル(&F)"));
        QCOMPARE(Captions(frm.MNU_F), QStringList({QStringLiteral("MNU_F_N=新規作成(&N)"),
                                                   QStringLiteral("MNU_F_S=保存(&S)"),
                                                   QStringLiteral("MNU_F_A=保存して閉じる(&A)"),
                                                   QStringLiteral("MNU_F_C=閉じる(&C)")}));
        QCOMPARE(frm.MNU_E->title(), QStringLiteral("編集(&E)"));
        QCOMPARE(Captions(frm.MNU_E), QStringList{QStringLiteral("MNU_E_D=削除(&D)")});
        QCOMPARE(frm.MNU_H->title(), QStringLiteral("ヘルプ(&H)"));
        QCOMPARE(Captions(frm.MNU_H),
                 QStringList({QStringLiteral("MNU_H_C=目次(C)..."),
                              QStringLiteral("MNU_H_A=バージョン情報(&A)...")}));
        QStringList tips;
        for (const QAction* action : frm.Toolbar1->actions())
            tips << action->toolTip();
        QCOMPARE(tips,
                 QStringList({QStringLiteral("新規予定作成"), QStringLiteral("保存して閉じる"),
                              QStringLiteral("予定の削除")}));
        QCOMPARE(frm.StatusPanels[0]->toolTip(), QStringLiteral("今日"));
        QCOMPARE(frm.StatusPanels[1]->toolTip(), QStringLiteral("現在時刻"));
        QCOMPARE(frm.StatusPanels[2]->toolTip(), QStringLiteral("予定件数"));
        QCOMPARE(frm.StatusPanels[0]->text(), QStringLiteral("2026/12/08"));
        QCOMPARE(frm.StatusPanels[1]->text(), QStringLiteral("14:20"));
        QCOMPARE(frm.StatusPanels[2]->text(), QStringLiteral("0件"));
        QCOMPARE(frm.DTPicker1->customFormat(), QStringLiteral("yyyy年M月d日(ddd)"));
        QCOMPARE(frm.DTPicker1->minimumDate(), QDate(1951, 1, 1));
        QCOMPARE(frm.DTPicker1->maximumDate(), QDate(2050, 12, 31));
        QCOMPARE(frm.ImageCombo1->count(), 8);
        QCOMPARE(frm.ImageCombo2->count(), 7);
        QCOMPARE(frm.Combo5->count(), 15);
        QCOMPARE(frm.Combo5->itemText(0), QStringLiteral("●"));
        QCOMPARE(frm.Combo3->itemText(1), QStringLiteral("第2週火曜日"));
        QVERIFY(frm.Label2->text().startsWith(QStringLiteral("の予定 [")));
        QCOMPARE(frm.ListView1->headerItem()->text(0), QStringLiteral("内容"));
        QCOMPARE(frm.ListView1->headerItem()->text(1), QStringLiteral("予定日"));
        QVERIFY(frm.Command1->x() + frm.Command1->width() <= 0);
    }

    void rowsCarryKeysLabelsIconsAndColours()
    {
        Window w({On(kDay.addDays(1), QStringLiteral("other")),
                  test::Rec{0, 2026, 12, 8, -1, -1, 14, {}, QStringLiteral("黄色")},
                  test::Rec{20, 0, 0, -1, 0, 3, 15, {}, QStringLiteral("白")}});
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 2);
        QCOMPARE(w.row(0)->data(0, Qt::UserRole).toString(), QStringLiteral("k1"));
        QCOMPARE(w.row(1)->data(0, Qt::UserRole).toString(), QStringLiteral("k2"));
        QCOMPARE(w.row(0)->text(1), QStringLiteral("2026年12月8日"));
        QCOMPARE(w.row(1)->text(1), QStringLiteral("毎週火曜日"));
        QCOMPARE(int(w.row(1)->textAlignment(1) & Qt::AlignHorizontal_Mask), int(Qt::AlignRight));
        QCOMPARE(w.row(0)->foreground(0).color(), QColor(128, 128, 0)); // QBColor(6)
        QCOMPARE(w.row(1)->foreground(0).color(), QColor(0, 0, 0));
        QVERIFY(!w.row(0)->icon(0).isNull());
        QCOMPARE(w.frm->StatusPanels[2]->text(), QStringLiteral("2件"));
        w.clickRow(0);
        QCOMPARE(w.frm->Text1->toPlainText(), QStringLiteral("黄色"));
        QVERIFY(w.frm->Check3->isChecked());
        QVERIFY(w.frm->ImageCombo2->isVisible());
    }

    void typingOnAnEmptyDayCreatesTheSchedule()
    {
        Window w;
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 0);
        QTest::keyClicks(w.frm->Text1, QStringLiteral("abc"));
        QCOMPARE(w.fx.count(), 1);
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 1);
        QCOMPARE(w.row(0)->text(0), QStringLiteral("abc"));
        QCOMPARE(w.row(0)->data(0, Qt::UserRole).toString(), QStringLiteral("k0"));
        QCOMPARE(w.fx.message(0), QStringLiteral("a"));
        // The text box kept its cursor at the end while the list followed.
        QCOMPARE(w.frm->Text1->textCursor().position(), 3);
    }

    // The first keystroke writes the record; the alarm scan it asks for
    // lets the keys and input-method commits typed meanwhile run. Every one
    // of them is kept, in order.
    void keysArrivingWhileTheFirstKeystrokeIsWrittenAreKept()
    {
        Window w;
        QPlainTextEdit* text = w.frm->Text1;
        bool typedMeanwhile = false;
        QObject::connect(&w.fx.context.events(), &AppEvents::alarmScanRequested, text, [&] {
            if (typedMeanwhile)
                return;
            typedMeanwhile = true;
            for (const QChar c : QStringLiteral("rint")) {
                const int key = Qt::Key_A + (c.unicode() - u'a');
                QCoreApplication::postEvent(
                    text, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(c)));
                QCoreApplication::postEvent(
                    text, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(c)));
            }
            auto* commit = new QInputMethodEvent;
            commit->setCommitString(QStringLiteral("に"));
            QCoreApplication::postEvent(text, commit);
            QCoreApplication::processEvents();
        });
        QTest::keyClicks(text, QStringLiteral("P"));
        QVERIFY(typedMeanwhile);
        QTest::keyClicks(text, QStringLiteral(" the handouts"));
        const QString typed = QStringLiteral("Printに the handouts");
        QCOMPARE(text->toPlainText(), typed);
        QCOMPARE(w.row(0)->text(0), typed);
        w.frm->MNU_F_S_Action->trigger();
        QCOMPARE(w.fx.count(), 1);
        QCOMPARE(w.fx.message(0), typed);
    }

    void closeAnsweredNoForgetsTheDiscardedText()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        w.clickRow(0);
        QTest::keyClicks(w.frm->Text1, QStringLiteral(" discarded"));
        MsgBoxScript boxes;
        boxes.answer(MsgBoxResult::No);
        QTest::keyClick(w.frm->Text1, Qt::Key_Escape);
        QVERIFY(!w.frm->isVisible());
        QCOMPARE(w.row(0)->text(0), QStringLiteral("A"));

        // Opened again on any day: no question, and the default answer
        // (Yes, what Enter gives) never writes the discarded text.
        boxes.answer(MsgBoxResult::Yes);
        w.frm->show();
        w.frm->SetEditFrm(kDay.addDays(1), false);
        w.frm->SetEditFrm(kDay, false);
        QVERIFY(w.frm->close());
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        QCOMPARE(w.fx.message(0), QStringLiteral("A"));
    }

    // A day with schedules opens with none of them chosen and the text box
    // focused: typing adds a schedule; a row is edited once it was chosen.
    void typingOnADayWithSchedulesAddsOne()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        EditFrm& frm = *w.frm;
        QVERIFY(frm.ListView1->selectedItems().isEmpty());
        QVERIFY(frm.Text1->toPlainText().isEmpty());
        QVERIFY(!frm.Text1->placeholderText().isEmpty());
        QCOMPARE(frm.focusWidget(), frm.Text1);
        QTest::keyClicks(frm.focusWidget(), QStringLiteral("Lunch"));
        QCOMPARE(w.fx.count(), 2);
        QCOMPARE(frm.ListView1->topLevelItemCount(), 2);
        QCOMPARE(w.row(0)->text(0), QStringLiteral("A"));
        QCOMPARE(w.row(1)->text(0), QStringLiteral("Lunch"));
        QCOMPARE(frm.ListView1->currentItem(), w.row(1));
        QVERIFY(frm.Text1->placeholderText().isEmpty());
        frm.MNU_F_S_Action->trigger();
        QCOMPARE(w.fx.message(0), QStringLiteral("A"));
        QCOMPARE(w.fx.message(1), QStringLiteral("Lunch"));

        frm.SetEditFrm(kDay, false);
        w.clickRow(0);
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral("A"));
        QTest::keyClicks(frm.Text1, QStringLiteral("!"));
        QCOMPARE(w.row(0)->text(0), QStringLiteral("A!"));
        QCOMPARE(w.fx.count(), 2);
    }

    void selectionChangeAsksThroughTheMessageBox()
    {
        Window w({On(kDay, QStringLiteral("A")), On(kDay, QStringLiteral("B"))});
        w.clickRow(0);
        QTest::keyClicks(w.frm->Text1, QStringLiteral("!"));
        QCOMPARE(w.row(0)->text(0), QStringLiteral("A!"));

        MsgBoxScript boxes;
        boxes.answer(MsgBoxResult::Cancel);
        w.clickRow(1);
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        QCOMPARE(boxes.lastCall().title, QStringLiteral("予定編集"));
        QCOMPARE(w.frm->ListView1->currentItem(), w.row(0));
        QCOMPARE(w.frm->Text1->toPlainText(), QStringLiteral("A!"));

        boxes.answer(MsgBoxResult::No);
        w.clickRow(1);
        QCOMPARE(w.frm->ListView1->currentItem(), w.row(1));
        QCOMPARE(w.row(0)->text(0), QStringLiteral("A"));
        QCOMPARE(w.frm->Text1->toPlainText(), QStringLiteral("B"));
        QCOMPARE(w.fx.message(0), QStringLiteral("A"));
    }

    void panelControlsFollowTheKindAndTheBoxes()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        EditFrm& frm = *w.frm;
        w.clickRow(0);
        QVERIFY(!frm.DTPicker2[2]->isVisible());
        frm.Check2->click();
        QVERIFY(frm.DTPicker2[2]->isVisible());
        QCOMPARE(frm.DTPicker2[2]->text(), QStringLiteral("15:00"));

        frm.ImageCombo1->setCurrentIndex(kind_index::Birthday);
        emit frm.ImageCombo1->activated(kind_index::Birthday);
        QVERIFY(frm.Combo4->isVisible());
        QVERIFY(frm.Label4->isVisible());
        QVERIFY(frm.DTPicker3->isVisible());
        QVERIFY(!frm.Combo1->isEnabled());
        frm.Combo4->setEditText(QStringLiteral("太郎"));
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral("「太郎」の誕生日"));

        frm.Check3->click();
        QVERIFY(frm.ImageCombo2->isVisible());
        QVERIFY(frm.Check4->isVisible());
        QCOMPARE(frm.Check3->text(), QStringLiteral("カラー"));
        frm.Check4->click();
        QCOMPARE(frm.Check3->text(), QStringLiteral("マークのカラー"));
        QVERIFY(frm.Combo5->isVisible());

        frm.MNU_F_S_Action->trigger();
        QCOMPARE(w.fx.field(0, f::Type).toInt(), 2);
        QCOMPARE(w.fx.field(0, f::Alarm).toString(), QStringLiteral("15:00"));
        QCOMPARE(w.fx.field(0, f::Color).toInt(), 14);
        QCOMPARE(w.fx.field(0, f::Mark).toInt(), 0);
        QCOMPARE(w.fx.field(0, f::BirthPerson).toString(), QStringLiteral("太郎"));
    }

    // "開始日" and "終了日" serve a repeating rule; for a rule of one day they
    // stay greyed.
    void boundPickersServeRepeatingRulesOnly()
    {
        Window w({On(kDay, QStringLiteral("A")),
                  test::Rec{0, 0, 0, -1, 0, 3, {}, {}, QStringLiteral("毎週")}});
        EditFrm& frm = *w.frm;
        QCOMPARE(frm.Label5->text(), QStringLiteral("開始日"));
        QCOMPARE(frm.Label6->text(), QStringLiteral("終了日"));
        w.clickRow(0);
        QVERIFY(frm.DTPicker4->isVisible());
        QVERIFY(!frm.DTPicker4->isEnabled());
        QVERIFY(!frm.DTPicker5->isEnabled());

        w.clickRow(1);
        QVERIFY(frm.DTPicker4->isEnabled());
        QVERIFY(frm.DTPicker5->isEnabled());
        QVERIFY(!frm.DTPicker4->isChecked());
        QCOMPARE(frm.DTPicker4->shownDateTime().date(), kDay);
        frm.DTPicker4->checkBox()->click();
        frm.DTPicker4->editor()->setDate(QDate(2026, 6, 2));
        frm.DTPicker5->checkBox()->click();
        frm.DTPicker5->editor()->setDate(QDate(2026, 12, 31));
        QCOMPARE(w.row(1)->text(1),
                 QStringLiteral("毎週火曜日（2026年6月2日から2026年12月31日まで）"));
        frm.MNU_F_S_Action->trigger();
        QCOMPARE(w.fx.field(1, f::FirstDate), Value("2026-06-02"));
        QCOMPARE(w.fx.field(1, f::LastDate), Value("2026-12-31"));

        frm.DTPicker5->checkBox()->click(); // cleared: no last day
        frm.MNU_F_S_Action->trigger();
        QVERIFY(w.fx.field(1, f::LastDate).isNull());
        QCOMPARE(w.row(1)->text(1), QStringLiteral("毎週火曜日（2026年6月2日から）"));
    }

    void theFifteenthMarkShowsItsGlyph()
    {
        Window w({test::Rec{0, 2026, 12, 8, -1, -1, 12, 14, QStringLiteral("印")}});
        w.clickRow(0);
        QVERIFY(w.frm->Check4->isChecked());
        QVERIFY(w.frm->Combo5->isVisible());
        QCOMPARE(w.frm->Combo5->currentIndex(), 14);
        QCOMPARE(w.frm->Combo5->currentText(), w.fx.context.MarkSymbols[15]);
    }

    // The list's columns fit usual texts at the default size, and the
    // window can be made larger, its list growing with it.
    void listFitsUsualTextsAndGrowsWithTheWindow()
    {
        Window w({On(kDay, QStringLiteral("Print the handouts")),
                  test::Rec{0, 2026, 12, -1, 2, 3, {}, {}, QStringLiteral("歯医者に電話する")}});
        EditFrm& frm = *w.frm;
        QTreeWidget* list = frm.ListView1;
        const QFontMetrics metrics(list->font());
        const int icon = list->iconSize().width() + 12;
        for (const QString& text :
             {QStringLiteral("Print the handouts"), QStringLiteral("歯医者に電話する")})
            QVERIFY2(list->columnWidth(0) >= icon + metrics.horizontalAdvance(text),
                     qPrintable(text));
        QVERIFY(list->columnWidth(1) >= metrics.horizontalAdvance(w.row(1)->text(1)));
        QVERIFY(list->columnWidth(0) + list->columnWidth(1) <= list->viewport()->width());

        QVERIFY(frm.minimumSize() != frm.maximumSize());
        const QSize before = frm.size();
        const QRect listBefore = list->geometry();
        const QRect textBefore = frm.Text1->geometry();
        const QRect panelBefore = frm.Picture1->geometry();
        const int columnBefore = list->columnWidth(0);
        frm.resize(before + QSize(200, 120));
        QTRY_COMPARE(frm.size(), before + QSize(200, 120));
        QCOMPARE(list->geometry().size(), listBefore.size() + QSize(200, 120));
        QCOMPARE(frm.Picture1->geometry(), panelBefore.translated(200, 0));
        QCOMPARE(frm.Text1->geometry().top(), textBefore.top() + 120);
        QCOMPARE(frm.Text1->geometry().width(), textBefore.width() + 200);
        QCOMPARE(list->columnWidth(0), columnBefore + 200);

        // Smaller than the drawn layout it does not go.
        frm.resize(100, 100);
        QTRY_COMPARE(frm.size(), frm.minimumSize());
        QVERIFY(frm.Text1->geometry().bottom() < frm.centralWidget()->height());
    }

    void toolbarDispatchesByTooltip()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        MsgBoxScript boxes;
        w.frm->ToolNew->trigger();
        QCOMPARE(w.fx.count(), 2);
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 2);
        QCOMPARE(w.frm->ListView1->currentItem(), w.row(1));

        boxes.answer(MsgBoxResult::Yes);
        w.frm->ToolDelete->trigger();
        QCOMPARE(boxes.lastCall().title, QStringLiteral("予定の削除"));
        QCOMPARE(w.fx.count(), 1);
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 1);

        QTest::keyClicks(w.frm->Text1, QStringLiteral("2"));
        w.frm->ToolSaveClose->trigger();
        QVERIFY(!w.frm->isVisible());
        QCOMPARE(w.fx.message(0), QStringLiteral("A2"));
    }

    void escapeClosesAndAsksAboutPendingText()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        w.clickRow(0);
        QTest::keyClicks(w.frm->Text1, QStringLiteral("x"));
        MsgBoxScript boxes;
        boxes.answer(MsgBoxResult::Cancel);
        QTest::keyClick(w.frm->Text1, Qt::Key_Escape);
        QVERIFY(w.frm->isVisible());
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        boxes.answer(MsgBoxResult::Yes);
        QTest::keyClick(w.frm->Text1, Qt::Key_Escape);
        QVERIFY(!w.frm->isVisible());
        QCOMPARE(w.fx.message(0), QStringLiteral("Ax"));
    }

    void saveFailureIsReported()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        w.clickRow(0);
        MsgBoxScript boxes;
        w.frm->Text1->setPlainText(QString(700, u'字'));
        w.frm->MNU_F_S_Action->trigger();
        QCOMPARE(boxes.lastCall().title, QStringLiteral("予定の保存"));
        QVERIFY(w.frm->Text1->hasFocus() || !w.frm->isActiveWindow());
        QCOMPARE(w.frm->Text1->textCursor().selectedText().size(), 700);
        QCOMPARE(w.fx.message(0), QStringLiteral("A"));
    }

    // The data file goes away under the editor: every write path tells
    // the user once, keeps the text on screen and goes on; once the file is
    // back, the next keystroke stores everything typed.
    void refusedWritesAreToldAndLoseNothing()
    {
        Window w({On(kDay.addDays(1), QStringLiteral("A"))});
        EditFrm& frm = *w.frm;
        const QString path = w.fx.context.database()->path();
        MsgBoxScript boxes;
        w.fx.context.database()->Close();

        QTest::keyClicks(frm.Text1, QStringLiteral("ab"));
        QCOMPARE(boxes.calls().size(), std::size_t(1)); // once, not at every key
        QCOMPARE(boxes.lastCall().title, QStringLiteral("DB保存時のエラー"));
        QVERIFY(boxes.lastCall().text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral("ab"));
        frm.MNU_F_S_Action->trigger();
        frm.ImageCombo1->setCurrentIndex(kind_index::Event);
        emit frm.ImageCombo1->activated(kind_index::Event);
        frm.Check2->click();
        frm.Check3->click();
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral("ab"));

        // Closing asks about the text nothing holds; Cancel keeps it.
        boxes.answer(MsgBoxResult::Cancel);
        QVERIFY(!frm.close());
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral("ab"));

        w.fx.context.setDatabase(std::make_unique<ScheduleDatabase>(Database::OpenDatabase(path)));
        QTest::keyClicks(frm.Text1, QStringLiteral("c"));
        QCOMPARE(w.fx.count(), 2);
        QCOMPARE(w.fx.message(1), QStringLiteral("abc"));

        // Save and delete of a listed schedule with the file gone.
        const std::size_t told = boxes.calls().size();
        w.fx.context.database()->Close();
        QTest::keyClicks(frm.Text1, QStringLiteral("d"));
        frm.MNU_F_S_Action->trigger();
        QVERIFY(boxes.calls().size() > told);
        const std::size_t beforeDelete = boxes.calls().size();
        frm.MNU_E_D_Action->trigger();
        QCOMPARE(boxes.calls().size(), beforeDelete + 1);
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral("abcd"));
        QVERIFY(frm.isVisible());
    }

    void dateChangeAsksThenReadsTheNewDay()
    {
        Window w({On(kDay, QStringLiteral("A")), On(kDay.addDays(1), QStringLiteral("B"))});
        w.clickRow(0);
        QTest::keyClicks(w.frm->Text1, QStringLiteral("1"));
        MsgBoxScript boxes;
        boxes.answer(MsgBoxResult::Cancel);
        w.frm->DTPicker1->setDate(kDay.addDays(1));
        emit w.frm->DTPicker1->changed();
        QCOMPARE(w.frm->DTPicker1->date(), std::optional<QDate>(kDay)); // back to the day shown
        QCOMPARE(w.frm->Text1->toPlainText(), QStringLiteral("A1"));

        boxes.answer(MsgBoxResult::Yes);
        w.frm->DTPicker1->setDate(kDay.addDays(1));
        emit w.frm->DTPicker1->changed();
        QVERIFY(w.frm->dateChangePending());
        QTRY_VERIFY(!w.frm->dateChangePending());
        QCOMPARE(w.fx.message(0), QStringLiteral("A1"));
        QCOMPARE(w.frm->ListView1->topLevelItemCount(), 1);
        QCOMPARE(w.row(0)->text(0), QStringLiteral("B"));
        QCOMPARE(w.frm->editor().shownDate(), kDay.addDays(1));
    }

    void rightButtonReleaseOverTheListPopsUpTheMenu()
    {
        Window w({On(kDay, QStringLiteral("A"))});
        int popups = 0;
        w.frm->setListPopup([&](const QPoint&) { ++popups; });
        const QRect rect = w.frm->ListView1->visualItemRect(w.row(0));
        QTest::mouseClick(w.frm->ListView1->viewport(), Qt::RightButton, {}, rect.center());
        QTRY_COMPARE(popups, 1);
    }
};

} // namespace morvane

QTEST_MAIN(morvane::EditFrmTest)
#include "EditFrmTest.moc"
