#include "ui_toolkit/WindowFitting.h"

#include <QTest>

using namespace morvane;

// A window is brought wholly onto the screen's available area, its frame
// included: moved the shortest way, and made smaller only when it is larger
// than the area.
class WindowFittingTest : public QObject
{
    Q_OBJECT

private slots:
    void fitsInside_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("fitted");
        QTest::newRow("inside stays") << QRect(100, 100, 500, 400) << QRect(100, 100, 500, 400);
        QTest::newRow("bottom edge on the screen's bottom comes up")
            << QRect(100, 600, 500, 400) << QRect(100, 368, 500, 400);
        QTest::newRow("under the panel comes down")
            << QRect(100, 0, 500, 400) << QRect(100, 24, 500, 400);
        QTest::newRow("off the right comes left")
            << QRect(900, 100, 500, 400) << QRect(524, 100, 500, 400);
        QTest::newRow("taller than the screen is cut to it")
            << QRect(100, 50, 500, 900) << QRect(100, 24, 500, 744);
    }

    void fitsInside()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, fitted);
        // A screen of 1024 x 768 with a panel of 24 pixels at the top.
        QCOMPARE(FitInside(frame, QRect(0, 24, 1024, 744)), fitted);
    }
};

QTEST_MAIN(WindowFittingTest)
#include "WindowFittingTest.moc"
