#include "app/SearchWiring.h"

#include "app/EditorWiring.h"
#include "calendar_window/month/ScheduleFixture.h"
#include "context/AppContext.h"
#include "editor/EditFrm.h"
#include "search/FindFrm.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

// Every request for the search shows the one window; a result opens the
// editor on its day with its row selected.
class SearchWiringTest : public QObject
{
    Q_OBJECT

private:
    struct Setup
    {
        Setup() : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0))), context(clock, QString())
        {
            fixture.add({Dated(0, 2026, 12, 24, 9, {}, QStringLiteral("朝会")),
                         Dated(0, 2026, 12, 24, 12, {}, QStringLiteral("忘年会")),
                         Dated(0, 2026, 12, 25, 0, {}, QStringLiteral("休み"))});
            context.setDatabase(fixture.release());
            context.setDisplayMonth(QDate(2026, 12, 1));
        }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
    };

private slots:
    void everyRequestShowsTheOneWindowUntilItIsClosed()
    {
        Setup s;
        SearchWiring wiring(s.context);
        QVERIFY(!wiring.findFrm());
        emit s.context.events().searchRequested();
        QPointer<FindFrm> first = wiring.findFrm();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(s.context.search.visible);
        first->Text1->setText(QStringLiteral("会"));

        // The viewer's Ctrl+F sends the same request: the same window, as left.
        emit s.context.events().searchRequested();
        QCOMPARE(wiring.findFrm(), first.data());
        QCOMPARE(first->Text1->text(), QStringLiteral("会"));

        first->Command1_Click(1);
        QTRY_VERIFY(first.isNull());
        QVERIFY(!s.context.search.visible);
        emit s.context.events().searchRequested();
        QVERIFY(wiring.findFrm());
        QCOMPARE(wiring.findFrm()->Text1->text(), QString());
    }

    void resultOpensTheEditorOnItsDayWithItsRowSelected()
    {
        Setup s;
        EditorWiring editor(s.context, nullptr);
        SearchWiring search(s.context);
        emit s.context.events().searchRequested();
        FindFrm& frm = *search.findFrm();
        frm.Text1->setText(QStringLiteral("会"));
        frm.Command1_Click(0);
        QCOMPARE(frm.ListView1->topLevelItemCount(), 2);
        frm.ListView1->setCurrentItem(frm.ListView1->topLevelItem(1));
        frm.ListView1_DblClick();

        EditFrm* edit = editor.editFrm();
        QVERIFY(edit);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->editor().shownDate(), QDate(2026, 12, 24));
        QCOMPARE(edit->ListView1->topLevelItemCount(), 2);
        const int selected = edit->editor().selectedRow();
        QCOMPARE(edit->editor().rows().at(std::size_t(selected)).text, QStringLiteral("忘年会"));
    }
};

} // namespace morvane

QTEST_MAIN(morvane::SearchWiringTest)
#include "SearchWiringTest.moc"
