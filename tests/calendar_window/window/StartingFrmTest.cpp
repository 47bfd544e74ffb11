#include "calendar_window/window/StartingFrm.h"

#include "context/AppEvents.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QWindow>
#include <QtTest>

namespace morvane {

class StartingFrmTest : public QObject
{
    Q_OBJECT

private slots:
    void versionText_data();
    void versionText();
    void progressFollowsTheStartUp();
    void isFramelessAndShowsItsTitle();
    void isPaintedBeforeTheStartUpGoesOn();
};

void StartingFrmTest::versionText_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no revision") << "2.17.0"
                                 << "Version 2.17";
    QTest::newRow("one-digit minor") << "2.5.12"
                                     << "Version 2.05.12";
    QTest::newRow("two parts") << "3.1"
                               << "Version 3.01";
}

void StartingFrmTest::versionText()
{
    QFETCH(QString, version);
    QFETCH(QString, expected);
    QCOMPARE(StartingFrm::VersionText(version), expected);
}

void StartingFrmTest::progressFollowsTheStartUp()
{
    AppEvents events;
    StartingFrm starting(&events);
    QCOMPARE(starting.ProgressBar1->value(), 0);
    QCOMPARE(starting.ProgressBar1->minimum(), 0);
    QCOMPARE(starting.ProgressBar1->maximum(), 100);
    emit events.startupProgress(70);
    QCOMPARE(starting.ProgressBar1->value(), 70);
    emit events.startupProgress(130);
    QCOMPARE(starting.ProgressBar1->value(), 100);
}

void StartingFrmTest::isFramelessAndShowsItsTitle()
{
    StartingFrm starting;
    QVERIFY(starting.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(starting.windowType(), Qt::SplashScreen);
    QCOMPARE(starting.Label1->text(), QStringLiteral("Morvane"));

    // The drawn title: the panel is dark, the name in it is light.
    QImage picture(starting.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    PaintStartingTitle(painter, picture.rect(), QStringLiteral("Version 2.17"));
    painter.end();
    int light = 0;
    for (int y = 20; y < 60; ++y) {
        for (int x = 120; x < 300; ++x)
            light += qGray(picture.pixel(x, y)) > 200 ? 1 : 0;
    }
    QVERIFY2(light > 100, qPrintable(QString::number(light)));
    QVERIFY(qGray(picture.pixel(200, 115)) < 80);
}

// The start-up blocks right after showing the window: by then the window
// must be on screen with its picture, not as an empty rectangle.
void StartingFrmTest::isPaintedBeforeTheStartUpGoesOn()
{
    StartingFrm starting;
    starting.showOverDesktop();
    QVERIFY(starting.isVisible());
    QVERIFY(starting.windowHandle()->isExposed());
    QVERIFY(starting.paintedWhenShown());
}

} // namespace morvane

QTEST_MAIN(morvane::StartingFrmTest)
#include "StartingFrmTest.moc"
