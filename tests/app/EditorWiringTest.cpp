#include "app/EditorWiring.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "context/AppContext.h"
#include "editor/EditFrm.h"
#include "ui_toolkit/MsgBox.h"

#include <QTest>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

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
};

} // namespace morvane

QTEST_MAIN(morvane::EditorWiringTest)
#include "EditorWiringTest.moc"
