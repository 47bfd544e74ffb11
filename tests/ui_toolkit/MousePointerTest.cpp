#include "ui_toolkit/MousePointer.h"

#include "ui_toolkit/EventPump.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace morvane;

class MousePointerTest : public QObject
{
    Q_OBJECT

private slots:
    void applicationWideGuardsNestAndRestore()
    {
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        {
            BusyPointer busy;
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            {
                BusyPointer inner(MousePointer::ArrowHourglass);
                QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
            }
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            busy.release();
            QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        } // released early: the destructor must not pop someone else's cursor
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void widgetGuardRestoresThePreviousPointer()
    {
        QWidget window;
        QWidget& cell = *new QWidget(&window);
        SetMousePointer(&cell, MousePointer::Custom);
        QCOMPARE(cell.cursor().shape(), Qt::PointingHandCursor);
        {
            BusyPointer busy(&cell);
            QCOMPARE(cell.cursor().shape(), Qt::WaitCursor);
        }
        QCOMPARE(cell.cursor().shape(), Qt::PointingHandCursor);

        SetMousePointer(&cell, MousePointer::Default);
        QVERIFY(!cell.testAttribute(Qt::WA_SetCursor));
        {
            BusyPointer busy(&cell);
        }
        QVERIFY(!cell.testAttribute(Qt::WA_SetCursor));
    }

    // Events run while busy may close the window; the guard must cope.
    void widgetDestroyedWhileBusy()
    {
        auto* window = new QWidget;
        BusyPointer busy(window);
        QTimer::singleShot(0, window, [window] { delete window; });
        QTest::qWait(20);
        DoEvents();
        busy.release();
    }

    void eventPumpRunsPendingEvents()
    {
        bool ran = false;
        QMetaObject::invokeMethod(
            this, [&ran] { ran = true; }, Qt::QueuedConnection);
        DoEvents();
        QVERIFY(ran);
    }
};

QTEST_MAIN(MousePointerTest)
#include "MousePointerTest.moc"
