#include "calendar_window/month/SettingColor.h"
#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/CalendarHarness.h"
#include "calendar_window/window/FontFallback.h"
#include "core/Settings.h"
#include "ui_toolkit/Twips.h"
#include "calendar_window/input/CalendarInput.h"

#include <QFontDatabase>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
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
    void monthStepsKeepTheDesktopCopyAndTheWindow();
    void stepsZoomsMovesAndDragsKeepTheSameWindowOnScreen();
    void composedScreenShowsTheBackgroundByAlpha();
    void compositorComingAndGoingSwitchesTheLookInPlace();
    void aMarkOnTodayStaysVisibleOnTheCursor();
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

namespace {

// Counts the times a widget is hidden.
class HideCounter final : public QObject
{
public:
    int hides = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            ++hides;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void CalendarFrmTest::monthStepsKeepTheDesktopCopyAndTheWindow()
{
    CalendarHarness harness;
    harness.settings().Left = 1500;
    harness.settings().Top = 1500;
    CalendarFrm& window = harness.load();
    harness.settings().Transparency = true;
    harness.settings().Transparency_value = 16; // the desktop alone
    // Each picture of the desktop has a shade of its own.
    QList<QRect> grabs;
    window.desktopCopy().setGrabber([&grabs](const QRect& place) {
        grabs.append(place);
        QImage picture(place.size(), QImage::Format_RGB32);
        picture.fill(qRgb(10 * static_cast<int>(grabs.size()), 0, 0));
        return picture;
    });
    const auto desktopShade = [&window] {
        return qRed(window.surfaceImage().pixel(3, 3));
    };
    HideCounter counter;
    window.installEventFilter(&counter);

    // Shown: one picture, taken while the window was still away.
    emit harness.context.events().calendarVisibilityRequested(true);
    QVERIFY(window.isVisible());
    QCOMPARE(grabs.size(), 1);
    QCOMPARE(grabs.first(), window.geometry());
    QCOMPARE(desktopShade(), 10);

    // Six month steps and a repaint request: the same picture, the window
    // stays on screen throughout.
    for (int step = 0; step < 6; ++step) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(window.Picture1, &release);
    }
    emit harness.context.events().paintBackgroundRequested();
    QCOMPARE(harness.context.DisplayMonth, QStringLiteral("2027/3/01"));
    QCOMPARE(grabs.size(), 1);
    QCOMPARE(counter.hides, 0);
    QVERIFY(window.isVisible());
    QCOMPARE(desktopShade(), 10);

    // Back to the corner: the background comes from the new place.
    emit harness.context.events().calendarMoveRequested(QPoint(0, 0));
    QCOMPARE(grabs.size(), 2);
    QCOMPARE(grabs.last().topLeft(), QPoint(0, 0));
    QCOMPARE(desktopShade(), 20);

    // The tray's show after a hide (a visibility and a repaint request)
    // takes one picture and hides the window no second time.
    const int hidesBefore = counter.hides;
    emit harness.context.events().calendarVisibilityRequested(false);
    emit harness.context.events().calendarVisibilityRequested(true);
    emit harness.context.events().paintBackgroundRequested();
    QCOMPARE(grabs.size(), 3);
    QCOMPARE(counter.hides, hidesBefore + 1);
    QVERIFY(window.isVisible());

    // Asked for, a fresh picture of the same place.
    window.RefreshDesktopCopy();
    QCOMPARE(grabs.size(), 4);
    QCOMPARE(grabs.last(), window.geometry());

    // Pseudo transparency off and on again: a fresh picture.
    harness.settings().Transparency = false;
    window.PaintCalendarBackground();
    harness.settings().Transparency = true;
    window.PaintCalendarBackground();
    QCOMPARE(grabs.size(), 5);
    QCOMPARE(desktopShade(), 50);
}

// A white disc on today: it shows, in its colour and with a dark edge that
// keeps it apart from the mint, and it leaves the cursor showing as much
// as without it.
void CalendarFrmTest::aMarkOnTodayStaysVisibleOnTheCursor()
{
    CalendarHarness harness;
    harness.settings().CalendarSize = 6;
    harness.settings().DayFontSize = 12;
    harness.settings().MarkSize = 14;
    CalendarFrm& window = harness.load(); // September 2026, today the 15th
    const int today = TodayCursorCell(QDate(2026, 9, 1), QDate(2026, 9, 15));
    QVERIFY(window.LB_C[today].opaque);
    const auto render = [&window] {
        QImage image(window.size(), QImage::Format_RGB32);
        image.fill(qRgb(60, 60, 60));
        QPainter painter(&image);
        window.paintCells(painter);
        return image;
    };
    const QImage plain = render();
    window.LB_C[today].setCaption(QStringLiteral(u"●"));
    window.LB_C[today].foreColor = QColor(255, 255, 255);
    const QImage marked = render();

    const QColor mint = SettingColor(harness.settings().CursorColor);
    int mintBefore = 0;
    int mintAfter = 0;
    int markPixels = 0;
    int edgePixels = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QColor before = plain.pixelColor(x, y);
            const QColor after = marked.pixelColor(x, y);
            mintBefore += before == mint ? 1 : 0;
            mintAfter += after == mint ? 1 : 0;
            if (before == after)
                continue;
            markPixels += after == QColor(255, 255, 255) ? 1 : 0;
            edgePixels += after.lightnessF() < 0.2 ? 1 : 0;
        }
    }
    QVERIFY2(markPixels >= 8, qPrintable(QString::number(markPixels)));
    QVERIFY2(edgePixels >= 8, qPrintable(QString::number(edgePixels)));
    QVERIFY2(
        mintAfter * 10 >= mintBefore * 8,
        qPrintable(
            QStringLiteral("cursor %1 pixels, %2 with the mark").arg(mintBefore).arg(mintAfter)));
}



// The window the calendar is: a month step, a zoom, "back to the corner"
// and the end of a drag repaint it in place. Hiding it for a picture of the
// desktop (or making it anew) makes it blink, loses keys and, on Wayland,
// puts it at a place the compositor picks.
void CalendarFrmTest::stepsZoomsMovesAndDragsKeepTheSameWindowOnScreen()
{
    CalendarHarness harness;
    harness.settings().Left = 1500;
    harness.settings().Top = 1500;
    harness.settings().Transparency = true;
    harness.settings().Transparency_value = 16; // the desktop alone
    CalendarFrm& window = harness.load();
    QList<QRect> grabs;
    window.desktopCopy().setGrabber([&grabs](const QRect& place) {
        grabs.append(place);
        QImage picture(place.size(), QImage::Format_RGB32);
        picture.fill(qRgb(0, 90, 0));
        return picture;
    });
    emit harness.context.events().calendarVisibilityRequested(true);
    QVERIFY(window.isVisible());
    const WId native = window.winId();
    HideCounter counter;
    window.installEventFilter(&counter);

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(window.Picture1, &release);
    window.input().zoom(true);
    emit harness.context.events().calendarMoveRequested(QPoint(0, 0));
    QCOMPARE(grabs.last().topLeft(), QPoint(0, 0));

    // A drag from the blank corner, 30 pixels right and 20 down.
    const QPoint blank(3, window.height() - 3);
    const QPoint global = window.pos() + blank;
    harness.mouse(QEvent::MouseButtonPress, blank, Qt::LeftButton, Qt::LeftButton, global);
    harness.mouse(QEvent::MouseMove, blank, Qt::NoButton, Qt::LeftButton, global + QPoint(30, 20));
    harness.mouse(QEvent::MouseButtonRelease, blank, Qt::LeftButton, Qt::NoButton,
                  global + QPoint(30, 20));
    QCOMPARE(window.pos(), QPoint(30, 20));
    QCOMPARE(harness.settings().Left, PixelsToTwipsX(30));
    QCOMPARE(grabs.last(), window.geometry());

    QCOMPARE(counter.hides, 0);
    QVERIFY(window.isVisible());
    QCOMPARE(window.winId(), native);
    // The picture behind shows at the new place.
    QCOMPARE(window.surfaceImage().pixel(4, window.height() / 2), qRgb(0, 90, 0));
}

// Where something composes the screen the background is painted with its
// share of alpha: the corners are cut smoothly, the frame follows them, and
// the day numbers stay fully opaque.
void CalendarFrmTest::composedScreenShowsTheBackgroundByAlpha()
{
    CalendarHarness harness;
    harness.settings().Transparency = true;
    harness.settings().Transparency_value = 8; // half the desktop
    harness.settings().CalendarBackColor = RgbValue(200, 220, 240);
    harness.settings().CalendarWinRgn = true;
    CalendarFrm& window = harness.load();
    QList<QRect> grabs;
    window.desktopCopy().setGrabber([&grabs](const QRect& place) {
        grabs.append(place);
        return QImage();
    });
    window.setComposited(true);
    window.PaintCalendarBackground();
    const QImage& surface = window.surfaceImage();
    const int w = surface.width();
    const int h = surface.height();

    QVERIFY(window.mask().isEmpty()); // no 1-bit outline
    QCOMPARE(grabs.size(), 0);        // no picture of the desktop either
    QCOMPARE(qAlpha(surface.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(surface.pixel(w - 1, h - 1)), 0);
    const QRgb middle = qUnpremultiply(surface.pixel(w / 2, h / 2));
    QVERIFY2(std::abs(qAlpha(middle) - 128) <= 1, qPrintable(QString::number(qAlpha(middle))));
    QVERIFY(std::abs(qBlue(middle) - 240) <= 2);
    // Somewhere on the arc of a corner the alpha lies between nothing and
    // the background's: a smooth edge, not a step.
    bool smooth = false;
    for (int i = 0; i < 15 && !smooth; ++i) {
        const int alpha = qAlpha(surface.pixel(i, i));
        smooth = alpha > 10 && alpha < 118;
    }
    QVERIFY(smooth);

    // The numbers over it are drawn opaque.
    QImage shown = surface;
    QPainter painter(&shown);
    window.paintCells(painter);
    painter.end();
    const QRect day = window.labelRectPixels(CalendarPart::FaceLabel, 20);
    int strongest = 0;
    for (int y = day.top(); y <= day.bottom(); ++y)
        for (int x = day.left(); x <= day.right(); ++x)
            strongest = std::max(strongest, qAlpha(shown.pixel(x, y)));
    QCOMPARE(strongest, 255);

    // The whole-window translucency is drawn into the pixels.
    harness.settings().TransparencyEx = true;
    harness.settings().TransparencyEx_value = 6;
    window.ApplyLayeredAlpha();
    QCOMPARE(window.windowOpacity(), 1.0);
    QVERIFY(std::abs(window.surfaceOpacity() - 159.0 / 255.0) < 0.01);

    // Pseudo transparency off: the background is opaque inside the outline.
    harness.settings().Transparency = false;
    window.PaintCalendarBackground();
    QCOMPARE(qAlpha(window.surfaceImage().pixel(w / 2, h / 2)), 255);
    QCOMPARE(qAlpha(window.surfaceImage().pixel(0, 0)), 0);
}

// A compositor that stops leaves the desktop copy and the 1-bit outline, in
// the same window; one that starts takes their place again.
void CalendarFrmTest::compositorComingAndGoingSwitchesTheLookInPlace()
{
    CalendarHarness harness;
    harness.settings().Transparency = true;
    harness.settings().Transparency_value = 16; // the desktop alone
    harness.settings().CalendarWinRgn = true;
    CalendarFrm& window = harness.load();
    int grabs = 0;
    window.desktopCopy().setGrabber([&grabs](const QRect& place) {
        ++grabs;
        QImage picture(place.size(), QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 200));
        return picture;
    });
    emit harness.context.events().calendarVisibilityRequested(true);
    window.setComposited(true);
    const WId native = window.winId();
    const int w = window.width();
    const int h = window.height();
    QCOMPARE(qAlpha(window.surfaceImage().pixel(w / 2, h / 2)), 0);

    window.setComposited(false);
    QVERIFY(!window.mask().contains(QPoint(0, 0)));
    QVERIFY(window.mask().contains(QPoint(w / 2, h / 2)));
    // Every pixel inside the outline is opaque and shows the desktop: an
    // uncomposed screen shows alpha as black.
    const QImage& surface = window.surfaceImage();
    for (int y = 0; y < h; y += 7)
        for (int x = 0; x < w; x += 7)
            if (window.mask().contains(QPoint(x, y)))
                QCOMPARE(qAlpha(surface.pixel(x, y)), 255);
    QCOMPARE(surface.pixel(w / 2, h - 3), qRgb(0, 0, 200));
    const int grabsThen = grabs;
    QVERIFY(grabsThen >= 1);

    window.setComposited(true);
    QVERIFY(window.mask().isEmpty());
    QCOMPARE(qAlpha(window.surfaceImage().pixel(w / 2, h / 2)), 0);
    QCOMPARE(window.winId(), native);
    QVERIFY(window.isVisible());
}

} // namespace morvane

QTEST_MAIN(morvane::CalendarFrmTest)
#include "CalendarFrmTest.moc"
