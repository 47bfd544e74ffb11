#include "app/PlatformChoice.h"

#include <QTest>

using namespace morvane;

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void choosesTheXServerOnAWaylandSessionThatHasOne_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("x11");
        QTest::addColumn<QByteArray>("chosen");

        QTest::newRow("Wayland with XWayland") << QByteArray() << QByteArray("wayland-0")
                                               << QByteArray(":0") << QByteArray("xcb");
        QTest::newRow("Wayland alone: Qt's choice")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray();
        QTest::newRow("X11 alone: Qt's choice")
            << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray();
        QTest::newRow("the user's platform stands")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray();
        QTest::newRow("a blank user platform is none")
            << QByteArray("  ") << QByteArray("wayland-1") << QByteArray(":1") << QByteArray("xcb");
        QTest::newRow("a blank display is none")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(" ") << QByteArray();
    }

    void choosesTheXServerOnAWaylandSessionThatHasOne()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, x11);
        QFETCH(QByteArray, chosen);
        QCOMPARE(StartPlatform(user, wayland, x11), chosen);
    }
};

QTEST_GUILESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
