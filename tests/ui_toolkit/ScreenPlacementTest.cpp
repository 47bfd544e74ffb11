#include "ui_toolkit/ScreenPlacement.h"

#include <QTest>

using namespace morvane;

Q_DECLARE_METATYPE(QList<QRect>)

class ScreenPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheWindowReachable_data()
    {
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("placed");

        const QList<QRect> one = {QRect(0, 0, 1024, 768)};
        // Two screens side by side, the right one lower and shorter.
        const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 200, 1280, 720)};

        QTest::newRow("inside stays") << QPoint(300, 200) << one << QPoint(300, 200);
        QTest::newRow("mostly off the right edge stays")
            << QPoint(1024 - 40, 100) << one << QPoint(1024 - 40, 100);
        // A place on a screen that is gone: the whole window comes back.
        QTest::newRow("far right comes back") << QPoint(9170, 100) << one << QPoint(1024 - 140, 100);
        QTest::newRow("far left comes back") << QPoint(-5000, 100) << one << QPoint(0, 100);
        QTest::newRow("above the top comes down") << QPoint(300, -120) << one << QPoint(300, 0);
        QTest::newRow("below the bottom comes up")
            << QPoint(300, 5000) << one << QPoint(300, 768 - 138);
        QTest::newRow("largest numbers")
            << QPoint(143165576, 143165576) << one << QPoint(1024 - 140, 768 - 138);
        QTest::newRow("on the second screen stays")
            << QPoint(2500, 500) << two << QPoint(2500, 500);
        QTest::newRow("in the gap above the second screen goes onto it")
            << QPoint(2500, 0) << two << QPoint(2500, 200);
        QTest::newRow("beyond the second screen comes to it")
            << QPoint(4000, 300) << two << QPoint(3200 - 140, 300);
        QTest::newRow("below a removed third screen goes onto the nearest")
            << QPoint(2000, 1500) << two << QPoint(1920 - 140, 1080 - 138);
        QTest::newRow("left of a removed screen, partly above")
            << QPoint(-1900, -60) << two << QPoint(0, 0);
        QTest::newRow("a sliver on screen stays where the user left it")
            << QPoint(1920 - 40, 500) << two << QPoint(1920 - 40, 500);
        QTest::newRow("no screens: unchanged")
            << QPoint(9999, 9999) << QList<QRect>{} << QPoint(9999, 9999);
    }

    void keepsTheWindowReachable()
    {
        QFETCH(QPoint, wanted);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, placed);
        QCOMPARE(KeepReachable(wanted, QSize(140, 138), screens), placed);
    }

    // A window smaller than the reachable strip must lie wholly on the screen.
    void aTinyWindowComesWhollyOnScreen()
    {
        const QList<QRect> one = {QRect(0, 0, 800, 600)};
        QCOMPARE(KeepReachable(QPoint(790, 595), QSize(20, 20), one), QPoint(780, 580));
    }
};

QTEST_MAIN(ScreenPlacementTest)
#include "ScreenPlacementTest.moc"
