#include "calendar_window/input/CalendarInput.h"

#include "calendar_window/month/SettingColor.h"
#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/CalendarHarness.h"
#include "core/Settings.h"
#include "ui_toolkit/Twips.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

using morvane::testing_support::CalendarHarness;

namespace morvane {

namespace {

void SendKey(QWidget* widget, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(widget, &event);
}

void SendKeyRelease(QWidget* widget, int key, bool autoRepeat = false)
{
    SendKey(widget, QEvent::KeyRelease, key, autoRepeat);
}

void SendWheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPointF pos(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class CalendarInputTest : public QObject
{
    Q_OBJECT

private slots:
    void keysStepMonthsAndBoundedYears_data();
    void keysStepMonthsAndBoundedYears();
    void heldKeyStepsOncePerKeyEvent();
    void wheelStepsOnlyOnWholeNotches_data();
    void wheelStepsOnlyOnWholeNotches();
    void ctrlWheelZoomsWithinLimits_data();
    void ctrlWheelZoomsWithinLimits();
    void rightPressRequestsThePopupOnce_data();
    void rightPressRequestsThePopupOnce();
    void leftPressOnABlankCellOpensNothing();
    void leftPressOnADayOpensTheEditor();
    void doubleClickOpensOnce();
    void titlePressOpensTheViewerAndHeaderPressesAreIgnored();
    void monthIconStepsWhereverTheButtonIsReleased();
    void jumpAndMemoIconsRequestTheirMenus();
    void dragFromABlankCellMovesTheWindowAndStoresIt();
    void pressOnADayDoesNotDrag();
    void balloonIsRequestedOncePerDay();
    void titleClockShowsTheTime();
    void theHandShowsOverDaysOnly();
};

void CalendarInputTest::keysStepMonthsAndBoundedYears_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected"); // empty: nothing is redrawn

    QTest::newRow("Left from January") << "2024/1/01" << int(Qt::Key_Left) << "2023/12/01";
    QTest::newRow("Right from December") << "2024/12/01" << int(Qt::Key_Right) << "2025/01/01";
    QTest::newRow("Right mid-year") << "2024/5/01" << int(Qt::Key_Right) << "2024/6/01";
    QTest::newRow("Up") << "1951/5/01" << int(Qt::Key_Up) << "1950/5/01";
    QTest::newRow("Up at 1950") << "1950/5/01" << int(Qt::Key_Up) << "";
    QTest::newRow("Down") << "2049/5/01" << int(Qt::Key_Down) << "2050/5/01";
    QTest::newRow("Down at 2050") << "2050/5/01" << int(Qt::Key_Down) << "";
    QTest::newRow("Home") << "1990/5/01" << int(Qt::Key_Home) << "2026/9/01";
    QTest::newRow("other key") << "2024/5/01" << int(Qt::Key_PageUp) << "";
}

void CalendarInputTest::keysStepMonthsAndBoundedYears()
{
    QFETCH(QString, shown);
    QFETCH(int, key);
    QFETCH(QString, expected);
    CalendarHarness harness;
    harness.load(shown);
    QSignalSpy redraws(&harness.context.events(), &AppEvents::drawCalendarRequested);

    SendKeyRelease(harness.surface(), key);

    if (expected.isEmpty()) {
        QCOMPARE(redraws.count(), 0);
        QCOMPARE(harness.context.DisplayMonth, shown);
    } else {
        QCOMPARE(redraws.count(), 1);
        QCOMPARE(redraws.first().first().toString(), expected);
        QCOMPARE(harness.context.DisplayMonth, expected);
        const QDate month = harness.context.displayMonthDate();
        QCOMPARE(harness.window->LB_B[0].caption(),
                 QStringLiteral(u"%1年%2月").arg(month.year()).arg(month.month()));
    }
}

void CalendarInputTest::heldKeyStepsOncePerKeyEvent()
{
    // X11 repeats a held key as release and press pairs, Windows as presses
    // alone; both give one step per key event.
    const QList<QList<std::pair<QEvent::Type, bool>>> holds = {
        {{QEvent::KeyPress, false},
         {QEvent::KeyRelease, true},
         {QEvent::KeyPress, true},
         {QEvent::KeyRelease, true},
         {QEvent::KeyPress, true},
         {QEvent::KeyRelease, false}},
        {{QEvent::KeyPress, false},
         {QEvent::KeyPress, true},
         {QEvent::KeyPress, true},
         {QEvent::KeyRelease, false}},
    };
    for (const auto& hold : holds) {
        CalendarHarness harness;
        harness.load(QStringLiteral("2024/5/01"));
        QSignalSpy redraws(&harness.context.events(), &AppEvents::drawCalendarRequested);
        for (const auto& [type, autoRepeat] : hold)
            SendKey(harness.surface(), type, Qt::Key_Right, autoRepeat);
        QCOMPARE(redraws.count(), 3);
        QCOMPARE(harness.context.DisplayMonth, QStringLiteral("2024/8/01"));
    }
}

void CalendarInputTest::wheelStepsOnlyOnWholeNotches_data()
{
    QTest::addColumn<bool>("wheelOn");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("expected");
    QTest::newRow("+120 previous month") << true << 120 << "2024/4/01";
    QTest::newRow("-120 next month") << true << -120 << "2024/6/01";
    QTest::newRow("+60 nothing") << true << 60 << "";
    QTest::newRow("-60 nothing") << true << -60 << "";
    QTest::newRow("wheel setting off") << false << 120 << "";
}

void CalendarInputTest::wheelStepsOnlyOnWholeNotches()
{
    QFETCH(bool, wheelOn);
    QFETCH(int, delta);
    QFETCH(QString, expected);
    CalendarHarness harness;
    harness.settings().MouseFlg = wheelOn;
    harness.load(QStringLiteral("2024/5/01"));
    QSignalSpy redraws(&harness.context.events(), &AppEvents::drawCalendarRequested);

    SendWheel(harness.surface(), delta, Qt::NoModifier);

    QCOMPARE(redraws.count(), expected.isEmpty() ? 0 : 1);
    if (!expected.isEmpty())
        QCOMPARE(harness.context.DisplayMonth, expected);
    QCOMPARE(harness.settings().CalendarSize, 3);
}

void CalendarInputTest::ctrlWheelZoomsWithinLimits_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<int>("expectedFont"); // 0: fonts unchanged
    QTest::newRow("12 up stays 12") << 12 << 120 << 12 << 0;
    QTest::newRow("1 down stays 1") << 1 << -120 << 1 << 0;
    QTest::newRow("3 up gives 4") << 3 << 120 << 4 << 10;
    QTest::newRow("3 down gives 2") << 3 << -120 << 2 << 8;
    QTest::newRow("3 half notch") << 3 << 60 << 3 << 0;
}

void CalendarInputTest::ctrlWheelZoomsWithinLimits()
{
    QFETCH(int, size);
    QFETCH(int, delta);
    QFETCH(int, expectedSize);
    QFETCH(int, expectedFont);
    CalendarHarness harness;
    Settings& s = harness.settings();
    s.CalendarSize = static_cast<qint16>(size);
    s.CalendarBox = true;
    CalendarFrm& window = harness.load(QStringLiteral("2024/5/01"));
    QSignalSpy redraws(&harness.context.events(), &AppEvents::drawCalendarRequested);

    SendWheel(harness.surface(), delta, Qt::ControlModifier);

    QCOMPARE(int(s.CalendarSize), expectedSize);
    QCOMPARE(window.size(), TwipsToPixels(CalendarWindowSize(expectedSize)));
    if (expectedFont == 0) {
        QCOMPARE(int(s.FontSize), 10);
        QCOMPARE(int(s.DayFontSize), 11);
        QCOMPARE(int(s.MarkSize), 13);
    } else {
        QCOMPARE(int(s.FontSize), expectedFont);
        QCOMPARE(int(s.DayFontSize), expectedFont);
        QCOMPARE(int(s.MarkSize), expectedFont);
        QCOMPARE(window.LB_A[0].font().pointSize(), expectedFont);
        QCOMPARE(window.LB_B[30].font().pointSize(), expectedFont);
        QCOMPARE(window.LB_C[20].font().pointSize(), expectedFont);
        QCOMPARE(window.LB_A[0].left(), 150);
        // The cells and the outline follow the new size.
        QCOMPARE(window.LB_A[49].geometry().topLeft(),
                 ShadowCellPosition(CalendarWindowSize(expectedSize), 49));
        QVERIFY(!window.mask().contains(QPoint(0, 0)));
        QVERIFY(window.mask().contains(QPoint(window.width() / 2, window.height() - 1)));
        // The frame is drawn again along the new edges, the old one cleared.
        const QImage& surface = window.surfaceImage();
        QCOMPARE(surface.size(), window.size());
        QCOMPARE(surface.pixel(surface.width() / 2, surface.height() - 1),
                 SettingColor(s.BoxColor).rgb());
        const QSize old = TwipsToPixels(CalendarWindowSize(size));
        if (old.height() < surface.height() - 3) {
            QCOMPARE(surface.pixel(surface.width() / 2, old.height() - 1),
                     SettingColor(s.CalendarBackColor).rgb());
        }
    }
    // A zoom does not redraw the month.
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(window.LB_B[0].caption(), QStringLiteral(u"2024年5月"));
}

void CalendarInputTest::rightPressRequestsThePopupOnce_data()
{
    QTest::addColumn<int>("cell"); // -1: the background between cells
    QTest::newRow("day") << 23;    // 15 January 2024
    QTest::newRow("blank cell") << 8;
    QTest::newRow("weekday name") << 3;
    QTest::newRow("title") << 0;
    QTest::newRow("background") << -1;
}

void CalendarInputTest::rightPressRequestsThePopupOnce()
{
    QFETCH(int, cell);
    CalendarHarness harness;
    harness.load(QStringLiteral("2024/1/01")); // 1 January 2024 is a Monday
    QSignalSpy popups(&harness.context.events(), &AppEvents::popupMenuRequested);
    const QPoint where =
        cell >= 0 ? harness.faceCentre(cell) : QPoint(2, harness.window->height() - 3);

    harness.click(where, Qt::RightButton);

    QCOMPARE(popups.count(), 1);
    QCOMPARE(popups.first().first().toPoint(), harness.window->pos() + where);
    if (cell == 23 || cell == 8 || cell == 0)
        QCOMPARE(harness.context.SelectedCell, cell);
    if (cell >= 0)
        QVERIFY(!harness.window->IsFacePressed(cell));
}

void CalendarInputTest::leftPressOnABlankCellOpensNothing()
{
    CalendarHarness harness;
    harness.load(QStringLiteral("2024/1/01"));
    QSignalSpy editors(&harness.context.events(), &AppEvents::editorRequested);
    QSignalSpy viewers(&harness.context.events(), &AppEvents::viewerRequested);

    for (int cell : {8, 45}) {
        harness.click(harness.faceCentre(cell));
        QCOMPARE(harness.context.SelectedCell, cell);
    }
    QCOMPARE(editors.count(), 0);
    QCOMPARE(viewers.count(), 0);
}

void CalendarInputTest::leftPressOnADayOpensTheEditor()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load(QStringLiteral("2024/1/01"));
    QSignalSpy editors(&harness.context.events(), &AppEvents::editorRequested);

    harness.press(harness.faceCentre(23));
    QCOMPARE(editors.count(), 1);
    QCOMPARE(editors.first().at(0).toDate(), QDate(2024, 1, 15));
    QCOMPARE(editors.first().at(1).toBool(), false);
    QCOMPARE(harness.context.SelectedCell, 23);
    // The face lies on its shadow while pressed and rests again afterwards.
    QCOMPARE(window.LB_B[23].geometry().topLeft(), window.LB_A[23].geometry().topLeft());
    harness.release(harness.faceCentre(23));
    QCOMPARE(window.LB_B[23].geometry().topLeft(),
             window.LB_A[23].geometry().topLeft() - QPoint(16, 16));
}

void CalendarInputTest::doubleClickOpensOnce()
{
    CalendarHarness harness;
    harness.load(QStringLiteral("2024/1/01"));
    QSignalSpy editors(&harness.context.events(), &AppEvents::editorRequested);
    QSignalSpy viewers(&harness.context.events(), &AppEvents::viewerRequested);

    // What a widget receives for a double click: the second press comes
    // only as the double-click event.
    for (const int cell : {23, 0}) {
        const QPoint at = harness.faceCentre(cell);
        harness.press(at);
        harness.release(at);
        harness.mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        harness.release(at);
    }
    QCOMPARE(editors.count(), 1);
    QCOMPARE(viewers.count(), 1);

    // The same through the window system's path, shown on screen: a
    // double click on the 16th asks for its editor once.
    harness.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(harness.window.get()));
    QWindow* window = harness.window->windowHandle();
    const QPoint at = harness.surface()->mapTo(harness.window.get(), harness.faceCentre(24));
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
    QTest::qWait(1);
    QCOMPARE(editors.count(), 2);
    QCOMPARE(editors.last().first().toDate(), QDate(2024, 1, 16));
}

void CalendarInputTest::titlePressOpensTheViewerAndHeaderPressesAreIgnored()
{
    CalendarHarness harness;
    harness.load(QStringLiteral("2024/1/01"));
    QSignalSpy viewers(&harness.context.events(), &AppEvents::viewerRequested);
    QSignalSpy editors(&harness.context.events(), &AppEvents::editorRequested);

    harness.context.SelectedCell = 30;
    harness.click(harness.faceCentre(5));
    QCOMPARE(harness.context.SelectedCell, 30);
    QCOMPARE(viewers.count(), 0);

    harness.click(harness.faceCentre(0));
    QCOMPARE(harness.context.SelectedCell, 0);
    QCOMPARE(viewers.count(), 1);
    QCOMPARE(viewers.first().at(0).toInt(), 2024);
    QCOMPARE(viewers.first().at(1).toInt(), 1);
    QCOMPARE(viewers.first().at(2).toBool(), false);
    QCOMPARE(editors.count(), 0);
}

void CalendarInputTest::monthIconStepsWhereverTheButtonIsReleased()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load(QStringLiteral("2024/12/01"));
    QSignalSpy redraws(&harness.context.events(), &AppEvents::drawCalendarRequested);
    const QPoint resting = window.Image2.position;

    harness.press(harness.iconCentre(2));
    QCOMPARE(window.Image2.position, resting + QPoint(16, 16));
    QCOMPARE(redraws.count(), 0);
    harness.release(QPoint(3, window.height() - 3)); // far from the icon
    QCOMPARE(window.Image2.position, resting);
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(harness.context.DisplayMonth, QStringLiteral("2025/01/01"));

    harness.press(harness.iconCentre(1), Qt::RightButton);
    harness.release(harness.iconCentre(1), Qt::RightButton);
    QCOMPARE(harness.context.DisplayMonth, QStringLiteral("2024/12/01"));
}

void CalendarInputTest::jumpAndMemoIconsRequestTheirMenus()
{
    CalendarHarness harness;
    harness.settings().JumpIcon = true;
    harness.load(QStringLiteral("2024/7/01"));
    QSignalSpy jumps(&harness.context.events(), &AppEvents::jumpMenuRequested);
    harness.click(harness.iconCentre(3));
    QCOMPARE(jumps.count(), 1);
    // A press that ends elsewhere is no click.
    harness.press(harness.iconCentre(3));
    harness.release(QPoint(2, 2));
    QCOMPARE(jumps.count(), 1);

    CalendarHarness memo;
    memo.settings().MemoIcon = true;
    memo.load(QStringLiteral("2024/7/01"));
    QSignalSpy viewers(&memo.context.events(), &AppEvents::viewerRequested);
    memo.click(memo.iconCentre(4));
    QCOMPARE(viewers.count(), 1);
    QCOMPARE(viewers.first().at(0).toInt(), 2024);
    QCOMPARE(viewers.first().at(1).toInt(), 7);
    QCOMPARE(viewers.first().at(2).toBool(), true);
}

void CalendarInputTest::dragFromABlankCellMovesTheWindowAndStoresIt()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load(QStringLiteral("2024/1/01"));
    window.move(100, 100);
    QSignalSpy editors(&harness.context.events(), &AppEvents::editorRequested);
    const QPoint start = harness.faceCentre(45);
    const QPoint startGlobal = window.pos() + start;

    harness.mouse(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, startGlobal);
    // The pointer crosses a day while dragging: it stays a drag.
    harness.mouse(QEvent::MouseMove, harness.faceCentre(23), Qt::NoButton, Qt::LeftButton,
                  startGlobal + QPoint(20, 10));
    harness.mouse(QEvent::MouseMove, start, Qt::NoButton, Qt::LeftButton,
                  startGlobal + QPoint(40, 30));
    harness.mouse(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton,
                  startGlobal + QPoint(40, 30));

    QCOMPARE(window.pos(), QPoint(140, 130));
    QCOMPARE(harness.settings().Left, PixelsToTwipsX(140));
    QCOMPARE(harness.settings().Top, PixelsToTwipsY(130));
    QCOMPARE(editors.count(), 0);
}

void CalendarInputTest::pressOnADayDoesNotDrag()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load(QStringLiteral("2024/1/01"));
    window.move(100, 100);
    const QPoint start = harness.faceCentre(23);
    const QPoint startGlobal = window.pos() + start;
    harness.mouse(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, startGlobal);
    harness.mouse(QEvent::MouseMove, start, Qt::NoButton, Qt::LeftButton,
                  startGlobal + QPoint(40, 30));
    harness.mouse(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton,
                  startGlobal + QPoint(40, 30));
    QCOMPARE(window.pos(), QPoint(100, 100));
    QCOMPARE(harness.settings().Left, 0);
}

void CalendarInputTest::balloonIsRequestedOncePerDay()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load(QStringLiteral("2024/1/01"));
    QSignalSpy requests(&window, &CalendarFrm::dayBalloonRequested);
    QSignalSpy dismissals(&window, &CalendarFrm::dayBalloonDismissed);
    auto moveTo = [&](QPoint local) {
        harness.mouse(QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
    };

    moveTo(harness.faceCentre(23));
    moveTo(harness.faceCentre(23) + QPoint(1, 0));
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.first().at(0).toInt(), 23);
    QCOMPARE(requests.first().at(1).toDate(), QDate(2024, 1, 15));

    const int dismissedBefore = dismissals.count();
    moveTo(harness.faceCentre(45)); // a blank cell
    QVERIFY(dismissals.count() > dismissedBefore);
    moveTo(harness.faceCentre(23)); // straight back: no new balloon
    QCOMPARE(requests.count(), 1);
    moveTo(harness.faceCentre(24));
    QCOMPARE(requests.count(), 2);

    harness.settings().ToolTipView = false;
    moveTo(harness.faceCentre(25));
    QCOMPARE(requests.count(), 2);
}

void CalendarInputTest::titleClockShowsTheTime()
{
    CalendarHarness harness(QDateTime(QDate(2026, 9, 15), QTime(13, 5)));
    harness.settings().TitleType = 8;
    CalendarFrm& window = harness.load(QStringLiteral("2026/9/01"));
    QVERIFY(window.Timer2->isActive());
    QCOMPARE(window.Timer2->interval(), 1000);
    harness.clock.set(QDateTime(QDate(2026, 9, 15), QTime(13, 6)));
    window.input().titleClockTick();
    QCOMPARE(window.LB_B[0].caption(), QStringLiteral("13:06"));
    QCOMPARE(window.LB_A[0].caption(), QStringLiteral("13:06"));

    harness.settings().TitleType = 0;
    DrawCalendar(harness.context, window, QStringLiteral("2026/9/01"));
    QVERIFY(!window.Timer2->isActive());
}

void CalendarInputTest::theHandShowsOverDaysOnly()
{
    CalendarHarness harness;
    harness.load(QStringLiteral("2024/1/01"));
    auto moveTo = [&](QPoint local) {
        harness.mouse(QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
    };
    moveTo(harness.faceCentre(23));
    QCOMPARE(harness.surface()->cursor().shape(), Qt::PointingHandCursor);
    moveTo(harness.faceCentre(8)); // blank before the first: the hand stays
    QCOMPARE(harness.surface()->cursor().shape(), Qt::PointingHandCursor);
    moveTo(harness.faceCentre(45)); // blank after the last
    QCOMPARE(harness.surface()->cursor().shape(), Qt::ArrowCursor);
    moveTo(harness.faceCentre(0)); // the title
    QCOMPARE(harness.surface()->cursor().shape(), Qt::PointingHandCursor);
    moveTo(harness.faceCentre(2)); // a weekday name
    QCOMPARE(harness.surface()->cursor().shape(), Qt::ArrowCursor);
}

} // namespace morvane

QTEST_MAIN(morvane::CalendarInputTest)
#include "CalendarInputTest.moc"
