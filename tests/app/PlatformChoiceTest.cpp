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
        QTest::addColumn<QStringList>("globals");
        QTest::addColumn<QByteArray>("chosen");
        const QStringList plain{QStringLiteral("wl_compositor"), QStringLiteral("xdg_wm_base")};
        const QStringList layers = plain + QStringList{QStringLiteral("zwlr_layer_shell_v1")};

        QTest::newRow("Wayland with XWayland") << QByteArray() << QByteArray("wayland-0")
                                               << QByteArray(":0") << plain << QByteArray("xcb");
        QTest::newRow("Wayland alone: Qt's choice")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << plain << QByteArray();
        QTest::newRow("X11 alone: Qt's choice")
            << QByteArray() << QByteArray() << QByteArray(":0") << QStringList() << QByteArray();
        QTest::newRow("the user's platform stands")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << layers
            << QByteArray();
        QTest::newRow("a blank user platform is none")
            << QByteArray("  ") << QByteArray("wayland-1") << QByteArray(":1") << plain
            << QByteArray("xcb");
        QTest::newRow("a blank display is none")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(" ") << plain << QByteArray();
        // A compositor with desktop layers places the calendar itself where
        // asked: native Wayland, also when XWayland runs beside it.
        QTest::newRow("layers with XWayland: native")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << layers
            << QByteArray("wayland");
        QTest::newRow("layers alone: native")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << layers
            << QByteArray("wayland");
        QTest::newRow("layers, but no Wayland display")
            << QByteArray() << QByteArray() << QByteArray(":0") << layers << QByteArray();
        QTest::newRow("a name that only starts like the layers")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(":0")
            << QStringList{QStringLiteral("zwlr_layer_shell_v1_extra")} << QByteArray("xcb");
    }

    void choosesTheXServerOnAWaylandSessionThatHasOne()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, x11);
        QFETCH(QStringList, globals);
        QFETCH(QByteArray, chosen);
        QCOMPARE(StartPlatform(user, wayland, x11, globals), chosen);
    }
};

QTEST_GUILESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
