#include "app/ViewerWiring.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "context/AppContext.h"
#include "viewer/ListViewFrm.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

// The requests of the title press, the memo icon, the tray menu, the jump
// dialog and the editor reach the viewer.
class ViewerWiringTest : public QObject
{
    Q_OBJECT

private:
    struct Setup
    {
        Setup() : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0))), context(clock, QString())
        {
            fixture.add({Dated(1, 0, 5, 3, 12, {}, QStringLiteral("憲法記念日"))});
            context.setDatabase(fixture.release());
        }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
    };

private slots:
    void requestOpensTheMonthList()
    {
        Setup s;
        ViewerWiring wiring(s.context, nullptr);
        QVERIFY(!wiring.viewer());
        emit s.context.events().viewerRequested(2026, 5, false);
        ListViewFrm* viewer = wiring.viewer();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Morvane [Viewer] - 2026年5月間予定"));
        QCOMPARE(viewer->selectedPath(), QStringLiteral("予定一覧\\月間予定"));
        QCOMPARE(s.context.viewer.visible, true);
        QCOMPARE(s.context.viewer.ListViewYear, 2026);
        QCOMPARE(s.context.viewer.ListViewMonth, 5);
        QCOMPARE(s.context.viewer.treePath, QStringLiteral("予定一覧\\月間予定"));
        QCOMPARE(viewer->list().count, 1);

        // A second request reuses the window.
        emit s.context.events().viewerRequested(2026, 6, false);
        QCOMPARE(wiring.viewer(), viewer);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Morvane [Viewer] - 2026年6月間予定"));
    }

    void memoIconOpensTheMemoList()
    {
        Setup s;
        ViewerWiring wiring(s.context, nullptr);
        emit s.context.events().viewerRequested(2026, 5, true);
        QCOMPARE(wiring.viewer()->selectedPath(), QStringLiteral("メモ一覧"));
        QCOMPARE(wiring.viewer()->windowTitle(), QStringLiteral("Morvane [Viewer] - メモ一覧"));
    }

    void jumpMovesOnlyAShownViewer()
    {
        Setup s;
        ViewerWiring wiring(s.context, nullptr);
        QVERIFY(!wiring.jumpViewer(2027, 1));
        emit s.context.events().viewerRequested(2026, 5, false);
        QVERIFY(wiring.jumpViewer(2027, 1));
        QCOMPARE(wiring.viewer()->windowTitle(),
                 QStringLiteral("Morvane [Viewer] - 2027年1月間予定"));
        wiring.viewer()->hide();
        QVERIFY(!wiring.jumpViewer(2027, 2));
        QCOMPARE(s.context.viewer.visible, false);
    }

    void editorRefreshRebuildsTheList()
    {
        Setup s;
        ViewerWiring wiring(s.context, nullptr);
        emit s.context.events().viewerRequested(2026, 5, false);
        QCOMPARE(wiring.viewer()->list().count, 1);
        Recordset& rs = s.context.database()->schedules();
        rs.AddNew();
        rs.SetValue(QStringLiteral("Type"), Value(0));
        rs.SetValue(QStringLiteral("Year"), Value(2026));
        rs.SetValue(QStringLiteral("Month"), Value(5));
        rs.SetValue(QStringLiteral("Day"), Value(20));
        rs.Update();
        emit s.context.events().viewerRefreshRequested();
        QCOMPARE(wiring.viewer()->list().count, 2);
    }

    void closingLetsTheNextRequestBuildItAfresh()
    {
        Setup s;
        ViewerWiring wiring(s.context, nullptr);
        emit s.context.events().viewerRequested(2026, 5, false);
        QPointer<ListViewFrm> first = wiring.viewer();
        first->MNU_F_C->trigger();
        QTRY_VERIFY(!first);
        QCOMPARE(s.context.viewer.visible, false);
        emit s.context.events().viewerRequested(2026, 5, false);
        QVERIFY(wiring.viewer() && wiring.viewer()->isVisible());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::ViewerWiringTest)
#include "ViewerWiringTest.moc"
