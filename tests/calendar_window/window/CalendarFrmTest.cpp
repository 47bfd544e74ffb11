#include "calendar_window/month/SettingColor.h"
#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/CalendarHarness.h"
#include "calendar_window/window/FontFallback.h"
#include "core/Settings.h"
#include "ui_toolkit/Twips.h"

#include <QFontDatabase>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using morvane::testing_support::CalendarHarness;

namespace morvane {

class CalendarFrmTest : public QObject
{
    Q_OBJECT

private slots:
    void isAFramelessToolWindow();
    void windowSizeFollowsCalendarSize_data();
    void windowSizeFollowsCalendarSize();
    void layersLieOnTheGridWithTheirOffsets();
    void unusableFontNamesFallBackButStayStored();
    void monthShowsDaysPointersColoursAndTitle();
    void todayCursorOnlyInTheCurrentMonth();
    void titleIsCentredOnlyWithoutIcons();
    void iconsMakeRoomForTheJumpIcon();
    void roundedOutlineCutsTheCorners();
    void frameAndRuleAreDrawnInTheBoxColour();
    void pseudoTransparencyWithWeightZeroShowsTheCalendarBackground();
    void backgroundPictureIsShownOrDropped();
    void layeredAlphaFollowsTheSetting();
    void hitTestFindsTheTopmostPart();
    void visibilityRequestsShowAndHideAndRepaintsLeaveAHiddenWindowHidden();
    void moveRequestsAndRepaintsKeepThePlace();
};

void CalendarFrmTest::isAFramelessToolWindow()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load();
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.windowType(), Qt::Tool);
}

void CalendarFrmTest::windowSizeFollowsCalendarSize_data()
{
    QTest::addColumn<int>("calendarSize");
    QTest::addColumn<QSize>("twips");
    QTest::newRow("1") << 1 << QSize(1836, 1890);
    QTest::newRow("3 (default)") << 3 << QSize(2108, 2070);
    QTest::newRow("12") << 12 << QSize(3332, 2880);
}

void CalendarFrmTest::windowSizeFollowsCalendarSize()
{
    QFETCH(int, calendarSize);
    QFETCH(QSize, twips);
    CalendarHarness harness;
    harness.settings().CalendarSize = static_cast<qint16>(calendarSize);
    CalendarFrm& window = harness.load();
    QCOMPARE(window.size(), TwipsToPixels(twips));
    QCOMPARE(window.Picture1->size(), TwipsToPixels(twips));
    QCOMPARE(window.Picture2.size(), TwipsToPixels(twips + QSize(30, 30)));
}

void CalendarFrmTest::layersLieOnTheGridWithTheirOffsets()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load();
    const QSize windowTwips = CalendarWindowSize(3);
    const QSize cell = window.LB_B[30].geometry().size();
    QVERIFY(cell.width() > 0 && cell.height() > 0);
    for (int index : {1, 7, 8, 30, 44, 49}) {
        const QPoint shadow = ShadowCellPosition(windowTwips, index);
        QCOMPARE(window.LB_A[index].geometry().topLeft(), shadow);
        QCOMPARE(window.LB_B[index].geometry().topLeft(), shadow - QPoint(16, 16));
        QCOMPARE(window.LB_A[index].geometry().size(), cell);
        QCOMPARE(window.LB_B[index].geometry().size(), cell);
        const QRect mark = window.LB_C[index].geometry();
        QCOMPARE(mark.topLeft(), shadow - QPoint(16, 16) + QPoint(10, 50));
        QCOMPARE(mark.width(), cell.width());
        QCOMPARE(mark.height(), static_cast<int>(std::lround(cell.height() * 0.8)));
        // On screen the face is one pixel up and left of its shadow.
        QCOMPARE(window.labelRectPixels(CalendarPart::ShadowLabel, index).topLeft() -
                     window.labelRectPixels(CalendarPart::FaceLabel, index).topLeft(),
                 QPoint(1, 1));
    }
    // Every cell is wide enough for the widest day number.
    const QFontMetrics metrics(window.LB_B[30].font());
    QVERIFY(window.labelRectPixels(CalendarPart::FaceLabel, 30).width() >=
            metrics.horizontalAdvance(QStringLiteral("28")));
}

void CalendarFrmTest::unusableFontNamesFallBackButStayStored()
{
    CalendarHarness harness;
    harness.settings().FontName = QStringLiteral("No Such Font Anywhere");
    harness.settings().DayFontName = QStringLiteral("No Such Font Either");
    CalendarFrm& window = harness.load();
    const QString fallback = UsableFontFamily(StandardJapaneseFontName());
    QCOMPARE(harness.settings().FontName, QStringLiteral("No Such Font Anywhere"));
    QCOMPARE(harness.settings().DayFontName, QStringLiteral("No Such Font Either"));
    QCOMPARE(window.LB_A[0].font().family(), fallback);
    QCOMPARE(window.LB_B[20].font().family(), fallback);

    // An installed family is kept as it is.
    const QStringList families = QFontDatabase::families();
    QVERIFY(!families.isEmpty());
    CalendarHarness second;
    second.settings().DayFontName = families.first();
    second.load();
    QCOMPARE(second.settings().DayFontName, families.first());
}

void CalendarFrmTest::monthShowsDaysPointersColoursAndTitle()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load(QStringLiteral("2026/9/01")); // 1 September is a Tuesday
    const Settings& s = harness.settings();

    QCOMPARE(window.LB_A[10].caption(), QStringLiteral("1"));
    QCOMPARE(window.LB_B[10].caption(), QStringLiteral("1"));
    QCOMPARE(window.LB_B[39].caption(), QStringLiteral("30"));
    QCOMPARE(window.LB_B[40].caption(), QString());
    QCOMPARE(window.LB_B[4].caption(), QStringLiteral(u"水"));
    // Blank cells before the first keep the hand, those after the last lose it.
    QCOMPARE(window.LB_B[9].mousePointer, 99);
    QCOMPARE(window.LB_B[40].mousePointer, 0);
    QCOMPARE(window.LB_B[10].mousePointer, 99);

    QCOMPARE(window.LB_B[15].foreColor, SettingColor(s.SundayColor));   // 6th, Sunday
    QCOMPARE(window.LB_B[21].foreColor, SettingColor(s.SaturdayColor)); // 12th, Saturday
    QCOMPARE(window.LB_B[24].foreColor, SettingColor(s.WeekdaysColor)); // 15th, Tuesday
    QCOMPARE(window.LB_A[24].foreColor, SettingColor(s.ShadowColor));
    QCOMPARE(window.LB_B[0].foreColor, SettingColor(s.YearColor));

    QCOMPARE(window.LB_A[0].caption(), QStringLiteral(u"2026年9月"));
    QCOMPARE(window.LB_B[0].caption(), QStringLiteral(u"2026年9月"));
    QCOMPARE(window.dateOfCell(24), QDate(2026, 9, 15));
    QVERIFY(!window.dateOfCell(40).isValid());
    QVERIFY(!window.dateOfCell(0).isValid());
}

void CalendarFrmTest::todayCursorOnlyInTheCurrentMonth()
{
    CalendarHarness harness; // today is 15 September 2026
    CalendarFrm& window = harness.load(QStringLiteral("2026/9/01"));
    QVERIFY(window.LB_C[24].opaque);
    QCOMPARE(window.LB_C[24].backColor, SettingColor(harness.settings().CursorColor));
    QCOMPARE(window.LB_C[24].caption(), QStringLiteral(u"\u3000"));
    int cursors = 0;
    for (int cell = 8; cell <= 49; ++cell)
        cursors += window.LB_C[cell].opaque ? 1 : 0;
    QCOMPARE(cursors, 1);

    DrawCalendar(harness.context, window, QStringLiteral("2026/10/01"));
    for (int cell = 8; cell <= 49; ++cell)
        QVERIFY2(!window.LB_C[cell].opaque, qPrintable(QString::number(cell)));
}

void CalendarFrmTest::titleIsCentredOnlyWithoutIcons()
{
    CalendarHarness harness;
    harness.settings().MonthIcon = false;
    CalendarFrm& window = harness.load();
    const int width = CalendarWindowSize(3).width();
    QCOMPARE(window.LB_A[0].left(), (width - window.LB_A[0].width()) / 2);
    QCOMPARE(window.LB_A[0].top(), 50);
    QCOMPARE(window.LB_B[0].geometry().topLeft(),
             window.LB_A[0].geometry().topLeft() - QPoint(16, 16));
    QVERIFY(!window.Image1.visible);
    QVERIFY(!window.Image2.visible);

    CalendarHarness withMemo;
    withMemo.settings().MonthIcon = false;
    withMemo.settings().MemoIcon = true;
    CalendarFrm& second = withMemo.load();
    QCOMPARE(second.LB_A[0].left(), 150);
    QVERIFY(second.Image4.visible);
    QVERIFY(!second.Image3.visible);
}

void CalendarFrmTest::iconsMakeRoomForTheJumpIcon()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load();
    QCOMPARE(window.Image1.position, QPoint(2108 - 500, 42));
    QCOMPARE(window.Image2.position, QPoint(2108 - 300, 42));

    CalendarHarness withJump;
    withJump.settings().JumpIcon = true;
    CalendarFrm& second = withJump.load();
    QCOMPARE(second.Image1.position, QPoint(2108 - 800, 42));
    QCOMPARE(second.Image3.position, QPoint(2108 - 600, 16));
    QCOMPARE(second.iconRectPixels(3).size(), QSize(16, 16));
    QCOMPARE(second.iconRectPixels(1).size(), QSize(10, 10));
}

void CalendarFrmTest::roundedOutlineCutsTheCorners()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load();
    const QRegion mask = window.mask();
    QVERIFY(!mask.isEmpty());
    const int w = window.width();
    const int h = window.height();
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(2, 2)})
        QVERIFY2(!mask.contains(corner),
                 qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint inside : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w / 2, h / 2),
                                QPoint(w - 1, h / 2), QPoint(15, 15)})
        QVERIFY2(mask.contains(inside),
                 qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));

    window.SetRectRegion();
    QVERIFY(window.mask().isEmpty());

    harness.settings().CalendarWinRgn = true;
    window.ApplyWindowOutline();
    QVERIFY(!window.mask().contains(QPoint(0, 0)));
}

void CalendarFrmTest::frameAndRuleAreDrawnInTheBoxColour()
{
    CalendarHarness harness;
    harness.settings().CalendarBox = true;
    harness.settings().CalendarWinRgn = false;
    harness.settings().BoxColor = RgbValue(250, 200, 10);
    harness.settings().CalendarBackColor = RgbValue(0, 0, 40);
    CalendarFrm& window = harness.load();
    const QImage& surface = window.surfaceImage();
    const QRgb box = qRgb(250, 200, 10);
    const int w = surface.width();
    const int h = surface.height();
    QCOMPARE(surface.pixel(0, h / 2), box);
    QCOMPARE(surface.pixel(1, h / 2), box);
    QCOMPARE(surface.pixel(w - 1, h / 2), box);
    QCOMPARE(surface.pixel(w / 2, 0), box);
    QCOMPARE(surface.pixel(w / 2, h - 2), box);
    QCOMPARE(surface.pixel(w / 2, TwipsToPixelsY(300)), box);
    QCOMPARE(surface.pixel(w / 2, TwipsToPixelsY(300) + 3), qRgb(0, 0, 40));
    QCOMPARE(surface.pixel(4, h / 2), qRgb(0, 0, 40));
}

void CalendarFrmTest::pseudoTransparencyWithWeightZeroShowsTheCalendarBackground()
{
    CalendarHarness harness;
    harness.settings().CalendarBackColor = RgbValue(30, 60, 90);
    CalendarFrm& window = harness.load();
    harness.settings().Transparency = true;
    harness.settings().Transparency_value = 0;
    window.PaintCalendarBackground();
    const QImage& surface = window.surfaceImage();
    QCOMPARE(surface.size(), window.size());
    QCOMPARE(surface.pixel(surface.width() / 2, surface.height() / 2), qRgb(30, 60, 90));
    QCOMPARE(surface.pixel(3, surface.height() - 3), qRgb(30, 60, 90));
}

void CalendarFrmTest::backgroundPictureIsShownOrDropped()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("back.png"));
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 120));
    QVERIFY(picture.save(file));

    CalendarHarness harness;
    harness.settings().PictureFile = file;
    harness.settings().PicturePosition = 1; // fitted
    CalendarFrm& window = harness.load();
    window.PaintCalendarBackground();
    QCOMPARE(window.surfaceImage().pixel(20, 40), qRgb(200, 10, 120));
    QCOMPARE(harness.settings().PictureFile, file);

    CalendarHarness missing;
    missing.settings().PictureFile = folder.filePath(QStringLiteral("gone.png"));
    missing.load();
    QCOMPARE(missing.settings().PictureFile, QString());
}

void CalendarFrmTest::layeredAlphaFollowsTheSetting()
{
    CalendarHarness harness;
    harness.settings().TransparencyEx = true;
    harness.settings().TransparencyEx_value = 6;
    CalendarFrm& window = harness.load();
    QVERIFY(std::abs(window.windowOpacity() - 159.0 / 255.0) < 0.01);
    window.ResetLayeredAlpha();
    QCOMPARE(window.windowOpacity(), 1.0);

    CalendarHarness opaque;
    opaque.settings().TransparencyEx = false;
    QCOMPARE(opaque.load().windowOpacity(), 1.0);
}

void CalendarFrmTest::hitTestFindsTheTopmostPart()
{
    CalendarHarness harness;
    CalendarFrm& window = harness.load();
    QCOMPARE(window.hitTest(harness.faceCentre(24)), (CalendarHit{CalendarPart::FaceLabel, 24}));
    QCOMPARE(window.hitTest(harness.iconCentre(1)), (CalendarHit{CalendarPart::Icon, 1}));
    QCOMPARE(window.hitTest(harness.iconCentre(2)), (CalendarHit{CalendarPart::Icon, 2}));
    // The corner of the last shadow that no face covers.
    const QRect shadow = window.labelRectPixels(CalendarPart::ShadowLabel, 49);
    QCOMPARE(window.hitTest(shadow.bottomRight()), (CalendarHit{CalendarPart::ShadowLabel, 49}));
    QCOMPARE(window.hitTest(QPoint(1, window.height() - 2)), CalendarHit{});
}

void CalendarFrmTest::visibilityRequestsShowAndHideAndRepaintsLeaveAHiddenWindowHidden()
{
    for (const bool pseudo : {false, true}) {
        CalendarHarness harness;
        harness.settings().Transparency = pseudo;
        CalendarFrm& window = harness.load();
        QVERIFY(!window.isVisible());
        // A redraw while the user keeps the calendar hidden (the midnight
        // tick, the jump dialog) does not bring it back.
        DrawCalendar(harness.context, window, QStringLiteral("2026/10/01"));
        window.PaintCalendarBackground();
        QVERIFY(!window.isVisible());

        emit harness.context.events().calendarVisibilityRequested(true);
        QVERIFY(window.isVisible());
        window.PaintCalendarBackground();
        QVERIFY(window.isVisible());
        emit harness.context.events().calendarVisibilityRequested(false);
        QVERIFY(!window.isVisible());
    }
}

void CalendarFrmTest::moveRequestsAndRepaintsKeepThePlace()
{
    CalendarHarness harness;
    harness.settings().Left = 1500;
    harness.settings().Top = 3000;
    CalendarFrm& window = harness.load();
    QCOMPARE(window.pos(), QPoint(TwipsToPixelsX(1500), TwipsToPixelsY(3000)));
    harness.settings().Transparency = true;
    emit harness.context.events().calendarVisibilityRequested(true);
    window.PaintCalendarBackground();
    QCOMPARE(window.pos(), QPoint(TwipsToPixelsX(1500), TwipsToPixelsY(3000)));

    // The tray's "back to the corner" moves the window without storing it.
    emit harness.context.events().calendarMoveRequested(QPoint(0, 0));
    QCOMPARE(window.pos(), QPoint(0, 0));
    QCOMPARE(harness.settings().Left, 1500);
}

} // namespace morvane

QTEST_MAIN(morvane::CalendarFrmTest)
#include "CalendarFrmTest.moc"
