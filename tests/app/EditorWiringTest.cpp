#include "app/EditorWiring.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "context/AppContext.h"
#include "editor/EditFrm.h"
#include "ui_toolkit/MsgBox.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

namespace {

// Keys as the desktop delivers them: to the window's focus, wherever that
// is; to the window itself when nothing in it has the focus.
void TypeIntoWindow(QWidget* window, const QString& text)
{
    QWidget* focus = window->focusWidget();
    QTest::keyClicks(focus ? focus : window, text);
}

// Types text into the day editor's window as soon as it is shown, before
// anything else the showing side does.
class KeysOnShow : public QObject
{
public:
    explicit KeysOnShow(QString text) : m_text(std::move(text)) { qApp->installEventFilter(this); }
    bool typed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* frm = qobject_cast<EditFrm*>(watched);
        if (frm && event->type() == QEvent::Show && !typed) {
            typed = true;
            QMetaObject::invokeMethod(
                this, [frm, this] { TypeIntoWindow(frm, m_text); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_text;
};

} // namespace

// The requests other windows send reach the editor window.
class EditorWiringTest : public QObject
{
    Q_OBJECT

private:
    struct Setup
    {
        Setup() : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0))), context(clock, QString())
        {
            fixture.add({Dated(0, 2026, 12, 8, 9, {}, QStringLiteral("会議"))});
            context.setDatabase(fixture.release());
            context.setDisplayMonth(QDate(2026, 12, 1));
        }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
    };

private slots:
    void dayRequestOpensTheEditorOnThatDay()
    {
        Setup s;
        EditorWiring wiring(s.context, nullptr);
        QVERIFY(!wiring.editFrm());
        emit s.context.events().editorRequested(QDate(2026, 12, 8), false);
        QVERIFY(wiring.editFrm());
        QVERIFY(wiring.editFrm()->isVisible());
        QCOMPARE(wiring.editFrm()->editor().shownDate(), QDate(2026, 12, 8));
        QCOMPARE(wiring.editFrm()->ListView1->topLevelItemCount(), 1);
    }

    void datePickStartsANewScheduleAndThePopupDeletes()
    {
        Setup s;
        EditorWiring wiring(s.context, nullptr);
        // The date-pick dialog's two requests, in its order.
        emit s.context.events().editorRequested(QDate(2026, 12, 9), false);
        emit s.context.events().newScheduleRequested(QDate(2026, 12, 9));
        Recordset& rs = s.context.database()->schedules();
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(wiring.editFrm()->ListView1->topLevelItemCount(), 1);

        MsgBoxScript boxes;
        boxes.answer(MsgBoxResult::Yes);
        emit s.context.events().editorDeleteCommandRequested();
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(boxes.calls().size(), std::size_t(1));

        emit s.context.events().editorNewCommandRequested();
        QCOMPARE(rs.RecordCount(), 2);
    }

    // Keys typed right after the day was asked for reach the editor's
    // window while it opens: they go where its focus is then, and must
    // land in the text box of the day asked for, in order.
    void keysTypedWhileTheEditorOpensLandInItsTextBox()
    {
        Setup s;
        EditorWiring wiring(s.context, nullptr);
        const QDate empty(2026, 12, 10);
        KeysOnShow early(QStringLiteral("Print"));
        emit s.context.events().editorRequested(empty, false);
        EditFrm* frm = wiring.editFrm();
        QVERIFY(frm);
        QTRY_VERIFY(early.typed);
        QCoreApplication::processEvents();
        TypeIntoWindow(frm, QStringLiteral(" the handouts"));
        QCOMPARE(frm->editor().shownDate(), empty);
        QCOMPARE(frm->Text1->toPlainText(), QStringLiteral("Print the handouts"));
        Recordset& rs = s.context.database()->schedules();
        QCOMPARE(rs.RecordCount(), 2);
        rs.SetAbsolutePosition(1);
        QCOMPARE(rs.GetValue(schedule_fields::Day).toInt(), 10);
    }

    // A day picked in the date-pick dialog while the editor holds unsaved
    // text: one question; Cancel stays on the day shown and starts nothing,
    // No starts the new schedule on the day picked.
    void datePickAfterPendingTextAsksOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QDate>("shown");
        QTest::addColumn<int>("records");
        QTest::newRow("cancel") << int(MsgBoxResult::Cancel) << QDate(2026, 12, 8) << 1;
        QTest::newRow("no") << int(MsgBoxResult::No) << QDate(2026, 12, 20) << 2;
    }

    void datePickAfterPendingTextAsksOnce()
    {
        QFETCH(int, answer);
        QFETCH(QDate, shown);
        QFETCH(int, records);
        Setup s;
        EditorWiring wiring(s.context, nullptr);
        emit s.context.events().editorRequested(QDate(2026, 12, 8), false);
        EditFrm* frm = wiring.editFrm();
        frm->ListView1->setCurrentItem(frm->ListView1->topLevelItem(0));
        QCoreApplication::processEvents();
        QTest::keyClicks(frm->Text1, QStringLiteral("!"));
        QVERIFY(frm->editor().Changed);

        MsgBoxScript boxes;
        boxes.answer(answer);
        emit s.context.events().editorRequested(QDate(2026, 12, 20), false);
        emit s.context.events().newScheduleRequested(QDate(2026, 12, 20));
        QCOMPARE(boxes.calls().size(), std::size_t(1));
        QCOMPARE(frm->editor().shownDate(), shown);
        Recordset& rs = s.context.database()->schedules();
        QCOMPARE(rs.RecordCount(), records);
        rs.SetAbsolutePosition(records - 1);
        QCOMPARE(rs.GetValue(schedule_fields::Day).toInt(), shown.day());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::EditorWiringTest)
#include "EditorWiringTest.moc"
