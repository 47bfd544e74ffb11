#include "calendar_window/tray/TrayIcon.h"

#include "calendar_window/tray/TrayIconArt.h"
#include "calendar_window/tray/TrayPresence.h"

#include <QEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace morvane {

namespace {

// A desktop whose tray comes when the test says so.
class FakePresence : public TrayPresence
{
public:
    bool present() override { return here; }
    void watch() override { ++watches; }
    void arrive()
    {
        here = true;
        emit appeared();
    }

    bool here = false;
    int watches = 0;
};

struct Setup
{
    Setup(bool trayAtStart)
        : presence(new FakePresence), tray(std::unique_ptr<TrayPresence>(presence))
    {
        presence->here = trayAtStart;
        tray.setIcon(icon);
        tray.setToolTip(QStringLiteral("モルヴァ"));
        tray.setContextMenu(&menu);
    }
    FakePresence* presence; // owned by tray
    TrayIcon tray;
    QIcon icon = DayNumberIcon(3);
    QMenu menu;
};

} // namespace

class TrayIconTest : public QObject
{
    Q_OBJECT

private:
    static void verifyHandedOver(Setup& s, bool visible)
    {
        QSystemTrayIcon* system = s.tray.systemIcon();
        QVERIFY(system);
        QCOMPARE(system->icon().cacheKey(), s.icon.cacheKey());
        QCOMPARE(system->toolTip(), QStringLiteral("モルヴァ"));
        QCOMPARE(system->contextMenu(), &s.menu);
        QCOMPARE(system->isVisible(), visible);
    }

private slots:
    void madeAtOnceWhenTheDesktopHasATray()
    {
        Setup s(true);
        QVERIFY(!s.tray.systemIcon());
        s.tray.show();
        verifyHandedOver(s, true);
        QCOMPARE(s.presence->watches, 0);
    }

    // A panel that starts after the program (at login) still gets the icon,
    // with whatever was set while it waited.
    void madeWhenATrayComesLater()
    {
        Setup s(false);
        s.tray.show();
        QVERIFY(!s.tray.systemIcon());
        QCOMPARE(s.presence->watches, 1);
        const QIcon later = DayNumberIcon(4);
        s.icon = later;
        s.tray.setIcon(later);
        s.presence->arrive();
        verifyHandedOver(s, true);
        QVERIFY(s.tray.isVisible());
    }

    void hiddenBeforeTheTrayCameStaysHidden()
    {
        Setup s(false);
        s.tray.show();
        s.tray.hide();
        s.presence->arrive();
        verifyHandedOver(s, false);
        QVERIFY(!s.tray.isVisible());
    }

    void changesAndClicksPassBetweenTheIconAndTheProgram()
    {
        Setup s(true);
        s.tray.show();
        QSystemTrayIcon* system = s.tray.systemIcon();
        QVERIFY(system);

        const QIcon lit = CalendarPageIconLit();
        s.tray.setIcon(lit); // the flashing
        QCOMPARE(system->icon().cacheKey(), lit.cacheKey());
        s.tray.setToolTip(QStringLiteral("2件"));
        QCOMPARE(system->toolTip(), QStringLiteral("2件"));

        QSignalSpy clicks(&s.tray, &TrayIcon::activated);
        QSignalSpy tips(&s.tray, &TrayIcon::tipRequested);
        emit system->activated(QSystemTrayIcon::Trigger);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks[0][0].value<QSystemTrayIcon::ActivationReason>(), QSystemTrayIcon::Trigger);
        QEvent tip(QEvent::ToolTip);
        QCoreApplication::sendEvent(system, &tip);
        QCOMPARE(tips.size(), 1);

        s.tray.hide();
        QVERIFY(!system->isVisible());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::TrayIconTest)
#include "TrayIconTest.moc"
