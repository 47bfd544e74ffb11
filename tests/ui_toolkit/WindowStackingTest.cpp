#include "ui_toolkit/WindowStacking.h"

#include <QTest>
#include <QWidget>

using namespace morvane;

class WindowStackingTest : public QObject
{
    Q_OBJECT

private slots:
    void visibleWindowStaysShownInPlace()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Tool);
        window.setGeometry(100, 120, 200, 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const WId native = window.winId();

        SetTopMost(&window);
        QVERIFY(IsTopMost(&window));
        QVERIFY(window.isVisible());
        QCOMPARE(window.winId(), native); // changed in place, not recreated
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

        SendToBottom(&window);
        QVERIFY(!IsTopMost(&window));
        QVERIFY(IsKeptAtBottom(&window));
        QVERIFY(window.isVisible());

        SetNotTopMost(&window);
        QVERIFY(!IsTopMost(&window));
        QVERIFY(!IsKeptAtBottom(&window));
        QVERIFY(window.isVisible());
        QCOMPARE(window.winId(), native);
        QCOMPARE(window.geometry(), QRect(100, 120, 200, 150));
    }

    void hiddenWindowStaysHidden()
    {
        QWidget window;
        SetTopMost(&window);
        QVERIFY(IsTopMost(&window));
        QVERIFY(!window.isVisible());

        window.show();
        window.hide();
        SetNotTopMost(&window);
        QVERIFY(!window.isVisible());
        QVERIFY(!IsTopMost(&window));
    }

    void actsOnTheChildsWindow()
    {
        QWidget window;
        auto* child = new QWidget(&window);
        SetTopMost(child);
        QVERIFY(IsTopMost(&window));
        QVERIFY(!child->isWindow());
    }
};

QTEST_MAIN(WindowStackingTest)
#include "WindowStackingTest.moc"
