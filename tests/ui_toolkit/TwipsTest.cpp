#include "ui_toolkit/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace morvane;

class TwipsTest : public QObject
{
    Q_OBJECT

private slots:
    void perPixelFromDpi_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::newRow("96") << 96.0 << 15.0;
        QTest::newRow("120") << 120.0 << 12.0;
        QTest::newRow("144") << 144.0 << 10.0;
        QTest::newRow("192") << 192.0 << 7.5;
        QTest::newRow("unknown is 96") << 0.0 << 15.0;
    }

    void perPixelFromDpi()
    {
        QFETCH(double, dpi);
        QFETCH(double, twipsPerPixel);
        QCOMPARE(TwipsPerPixelForDpi(dpi), twipsPerPixel);
    }

    // The offscreen screen reports 96 DPI, like a standard desktop.
    void primaryScreenAt96Dpi()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
        QCOMPARE(TwipsPerPixelX(), 15.0);
        QCOMPARE(TwipsPerPixelY(), 15.0);
    }

    void conversionsBothWays()
    {
        // Calendar window at CalendarSize 1: 136 + 1700 twips wide.
        QCOMPARE(TwipsToPixelsX(1836), 122);
        QCOMPARE(TwipsToPixelsY(1890), 126);
        QCOMPARE(TwipsToPixelsX(7), 0);
        QCOMPARE(TwipsToPixelsX(8), 1); // rounded, not truncated
        QCOMPARE(TwipsToPixelsX(-16), -1);
        QCOMPARE(PixelsToTwipsX(122), 1830);
        QCOMPARE(PixelsToTwipsY(30), 450);
        QCOMPARE(TwipsToPixels(QRect(120, 480, 1935, 255)), QRect(8, 32, 129, 17));
        QCOMPARE(PixelsToTwips(QRect(8, 32, 129, 17)), QRect(120, 480, 1935, 255));
        QCOMPARE(TwipsToPixels(QPoint(-30, 45)), QPoint(-2, 3));
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(ScreenSizeTwips(), screen * 15);
    }
};

QTEST_MAIN(TwipsTest)
#include "TwipsTest.moc"
