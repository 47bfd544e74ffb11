#include "options/SyncPage.h"

#include "DavCannedServer.h"
#include "RecordingTarget.h"
#include "context/AppContext.h"
#include "options/OptionFrm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace morvane {

// The options window's 同期 page offscreen, over a settings file in a
// temporary folder and a secret store that keeps what it is given in
// memory (or refuses to, as a desktop without one does).
class SyncPageTest : public QObject
{
    Q_OBJECT

private:
    static constexpr char kPassword[] = "pa'ss wörd";

    struct Window
    {
        explicit Window(const std::function<void(QSettings&)>& stored = {},
                        bool desktopSecrets = false)
            : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 5))), context(clock, QString()),
              store(dir.filePath(QStringLiteral("Morvane.ini")), QSettings::IniFormat)
        {
            if (stored)
                stored(store);
            store.sync();
            frm = new OptionFrm(context, target);
            frm->setSettingsStore(&store);
            page = frm->syncPage();
            SyncSecrets secrets;
            secrets.read = [this](const QString& server, const QString& user) {
                SecretResult result;
                if (secretsAnswer && kept.contains(user + u'@' + server))
                    result.password = kept.value(user + u'@' + server);
                else if (!secretsAnswer)
                    result.failure =
                        QStringLiteral("パスワードの保管場所を使えません（no store）。");
                return result;
            };
            secrets.write = [this](const QString& server, const QString& user,
                                   const QString& password) {
                if (!secretsAnswer)
                    return QStringLiteral("パスワードを保管できません（no store）。");
                kept.insert(user + u'@' + server, password);
                return QString();
            };
            if (!desktopSecrets)
                page->setSecrets(secrets);
            frm->Form_Load();
            frm->show();
            frm->TabStrip1->setCurrentWidget(page);
        }
        ~Window() { delete frm; }

        QByteArray file()
        {
            store.sync();
            QFile f(store.fileName());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }
        // Key by key, as typed (the test keyboard knows no "ö").
        static void type(QLineEdit* field, const QString& text)
        {
            field->clear();
            for (const QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &press);
            }
        }

        QTemporaryDir dir;
        FixedClock clock;
        AppContext context;
        QSettings store;
        RecordingTarget target;
        OptionFrm* frm = nullptr;
        SyncPage* page = nullptr;
        bool secretsAnswer = true;
        QHash<QString, QString> kept;
    };

private slots:
    void isTheLastPageAndShowsTheStoredOptions()
    {
        Window w([](QSettings& s) {
            s.setValue(kSyncServerSetting, QStringLiteral("https://dav.example.com/"));
            s.setValue(kSyncUserSetting, QStringLiteral("alice"));
            s.setValue(kSyncCalendarSetting,
                       QStringLiteral("https://dav.example.com/calendars/alice/work/"));
            s.setValue(kSyncEnabledSetting, true);
            s.setValue(kSyncIntervalSetting, 15);
        });
        QCOMPARE(w.frm->TabStrip1->count(), 11);
        QCOMPARE(w.frm->TabStrip1->tabText(10), QStringLiteral("同期"));
        QCOMPARE(w.page->server->text(), QStringLiteral("https://dav.example.com/"));
        QCOMPARE(w.page->user->text(), QStringLiteral("alice"));
        QVERIFY(w.page->password->text().isEmpty());
        QCOMPARE(w.page->password->echoMode(), QLineEdit::Password);
        QCOMPARE(w.page->calendar->currentText(), QStringLiteral("work"));
        QVERIFY(w.page->enabled->isChecked());
        QCOMPARE(w.page->interval->value(), 15);
        QCOMPARE(w.page->interval->minimum(), kShortestSyncIntervalMinutes);
        QCOMPARE(w.page->interval->maximum(), kLongestSyncIntervalMinutes);
        QVERIFY(!w.frm->Command1[0]->isEnabled());
        QCOMPARE(w.page->status->text(), QStringLiteral("まだ同期していません"));
        QVERIFY(w.page->syncNow->isEnabled());
        QVERIFY(w.page->message->isHidden());
    }

    void appliedOptionsRoundTripWithThePasswordOnlyInTheSecretStore()
    {
        std::unique_ptr<Window> w = std::make_unique<Window>();
        QVERIFY(!w->page->syncNow->isEnabled());
        QSignalSpy changed(&w->context.events(), &AppEvents::syncSettingsChanged);
        w->type(w->page->server, QStringLiteral("http://127.0.0.1:5232/"));
        w->type(w->page->user, QStringLiteral("alice"));
        w->type(w->page->password, QString::fromUtf8(kPassword));
        w->page->enabled->click();
        w->page->interval->setValue(45);
        QVERIFY(w->frm->Command1[0]->isEnabled());
        w->frm->Command1_Click(0);
        QVERIFY(!w->frm->isVisible());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(w->kept.value(QStringLiteral("alice@http://127.0.0.1:5232/")),
                 QString::fromUtf8(kPassword));
        QVERIFY(w->context.syncPasswordForRun.isEmpty());
        QVERIFY(w->page->password->text().isEmpty());
        const QByteArray file = w->file();
        QVERIFY2(!file.contains("pa'ss") && !file.contains(QString::fromUtf8(kPassword).toUtf8()),
                 file.constData());
        const SyncSettings stored = ReadSyncSettings(w->store);
        QCOMPARE(stored.server, QStringLiteral("http://127.0.0.1:5232/"));
        QCOMPARE(stored.user, QStringLiteral("alice"));
        QVERIFY(stored.enabled);
        QCOMPARE(stored.intervalMinutes, 45);
        QVERIFY(w->page->syncNow->isEnabled());

        // The next opening shows what was stored, and an apply of other
        // pages alone leaves the sync alone.
        const QString path = w->store.fileName();
        w = std::make_unique<Window>([&](QSettings& s) {
            const QSettings old(path, QSettings::IniFormat);
            for (const QString& key : old.allKeys())
                s.setValue(key, old.value(key));
        });
        QCOMPARE(w->page->server->text(), QStringLiteral("http://127.0.0.1:5232/"));
        QCOMPARE(w->page->interval->value(), 45);
        QVERIFY(w->page->enabled->isChecked());
        QVERIFY(w->page->password->text().isEmpty());
        QSignalSpy again(&w->context.events(), &AppEvents::syncSettingsChanged);
        w->frm->Check7->click();
        w->frm->Command1_Click(1);
        QCOMPARE(again.count(), 0);
    }

    // Run by sync_page_secret.sh inside a private D-Bus session with an
    // unlocked gnome-keyring.
    void aPasswordAppliedLandsInTheDesktopSecretStore()
    {
        if (qEnvironmentVariableIsEmpty("MORVANE_SECRET_STORE_TEST"))
            QSKIP("needs the desktop's secret store: sync_page_secret.sh runs it");
        Window w({}, true);
        w.type(w.page->server, QStringLiteral("https://dav.example.com/"));
        w.type(w.page->user, QStringLiteral("alice"));
        w.type(w.page->password, QString::fromUtf8(kPassword));
        w.frm->Command1_Click(0);
        QVERIFY2(!w.frm->isVisible(), qPrintable(w.page->message->text()));
        QVERIFY(w.context.syncPasswordForRun.isEmpty());
        const SecretResult kept =
            ReadSyncPassword(QStringLiteral("https://dav.example.com/"), QStringLiteral("alice"));
        QVERIFY2(kept.password, qPrintable(kept.failure));
        QCOMPARE(*kept.password, QString::fromUtf8(kPassword));
        QVERIFY(!w.file().contains("pa'ss"));
    }

    void refusedOptionsKeepWhatWasTyped_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("says");
        const QString https = QStringLiteral("https://dav.example.com/");
        const QString alice = QStringLiteral("alice");
        const QString secret = QStringLiteral("secret");
        QTest::newRow("plain http to another machine")
            << QStringLiteral("http://dav.example.com/") << alice << secret
            << QStringLiteral("http://");
        QTest::newRow("not a web address") << QStringLiteral("ftp://dav.example.com/") << alice
                                           << secret << QStringLiteral("https://");
        QTest::newRow("no server")
            << QString() << alice << secret << QStringLiteral("サーバーのアドレス");
        QTest::newRow("no user") << https << QString() << secret << QStringLiteral("ユーザー名");
        QTest::newRow("no password kept for them")
            << https << alice << QString() << QStringLiteral("alice のパスワード");
    }

    void refusedOptionsKeepWhatWasTyped()
    {
        QFETCH(QString, server);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, says);
        Window w;
        QSignalSpy changed(&w.context.events(), &AppEvents::syncSettingsChanged);
        w.type(w.page->server, server);
        w.type(w.page->user, user);
        w.type(w.page->password, password);
        w.page->enabled->click();
        w.frm->TabStrip1->setCurrentIndex(0);
        w.frm->Command1_Click(0);
        QVERIFY(w.frm->isVisible());
        QCOMPARE(w.frm->TabStrip1->currentWidget(), w.page);
        QVERIFY2(w.page->message->text().contains(says), qPrintable(w.page->message->text()));
        QVERIFY(w.page->message->isVisible());
        QCOMPARE(w.page->server->text(), server);
        QCOMPARE(w.page->user->text(), user);
        QCOMPARE(w.page->password->text(), password);
        QVERIFY(w.frm->Command1[0]->isEnabled());
        QCOMPARE(changed.count(), 0);
        QVERIFY(w.kept.isEmpty());
        QVERIFY(!w.store.contains(kSyncServerSetting));
    }

    void withoutASecretStoreThePasswordIsKeptForThisRunOnly()
    {
        Window w;
        w.secretsAnswer = false;
        w.type(w.page->server, QStringLiteral("https://dav.example.com/"));
        w.type(w.page->user, QStringLiteral("alice"));
        w.type(w.page->password, QString::fromUtf8(kPassword));
        w.frm->Command1_Click(0);
        QVERIFY(w.frm->isVisible());
        QVERIFY2(w.page->message->text().contains(QStringLiteral("保管できません")) &&
                     w.page->message->text().contains(QStringLiteral("終了するまで")),
                 qPrintable(w.page->message->text()));
        QVERIFY(!w.page->message->text().contains(QStringLiteral("pa'ss")));
        QCOMPARE(w.context.syncPasswordForRun, QString::fromUtf8(kPassword));
        QCOMPARE(ReadSyncSettings(w.store).server, QStringLiteral("https://dav.example.com/"));
        QVERIFY(!w.file().contains("pa'ss"));
        QVERIFY(!w.frm->Command1[0]->isEnabled());
    }

    void searchListsTheCalendarsByDisplayNameWhileTheWindowRuns()
    {
        test::DavCannedServer server;
        Window w;
        QSignalSpy changed(&w.context.events(), &AppEvents::syncSettingsChanged);
        w.type(w.page->server, server.url());
        w.type(w.page->user, QStringLiteral("alice"));
        w.type(w.page->password, QStringLiteral("secret"));
        QSignalSpy ended(w.page, &SyncPage::searchEnded);
        w.page->search->click();
        // The click came back before the server, which answers only from
        // this thread's event loop, had answered anything: the search waits
        // for it elsewhere.
        QCOMPARE(server.answered, 0);
        QVERIFY(w.page->searching());
        QVERIFY(!w.page->search->isEnabled());
        QCOMPARE(w.page->search->text(), QStringLiteral("検索中…"));
        QVERIFY(ended.wait(20000));
        QVERIFY(w.page->search->isEnabled());
        QCOMPARE(w.page->search->text(), QStringLiteral("カレンダーを検索"));
        QCOMPARE(w.page->calendar->count(), 2);
        QCOMPARE(w.page->calendar->itemText(0), QStringLiteral("仕事"));
        QCOMPARE(w.page->calendar->itemText(1), QStringLiteral("家族"));
        QVERIFY2(w.page->message->text().contains(QStringLiteral("2 件")),
                 qPrintable(w.page->message->text()));
        w.page->calendar->setCurrentIndex(1);
        w.frm->Command1_Click(1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(ReadSyncSettings(w.store).calendar,
                 test::DavCannedServer::CalendarUrl(server.url(), "family"));
    }

    void searchFailureShowsItsReason_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("says");
        QTest::newRow("wrong password") << "canned"
                                        << "wrong"
                                        << "HTTP 401";
        QTest::newRow("nothing listens") << "closed"
                                         << "secret"
                                         << "接続を拒否";
        QTest::newRow("plain http to another machine") << "http://dav.example.com/"
                                                       << "secret"
                                                       << "http://";
        QTest::newRow("no password anywhere") << "canned"
                                              << ""
                                              << "パスワードを入力";
    }

    void searchFailureShowsItsReason()
    {
        QFETCH(QString, server);
        QFETCH(QString, password);
        QFETCH(QString, says);
        test::DavCannedServer canned;
        canned.refuseAll = true;
        QString address = server;
        if (server == QLatin1String("canned")) {
            address = canned.url();
        } else if (server == QLatin1String("closed")) {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            address = QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
        }
        Window w;
        w.type(w.page->server, address);
        w.type(w.page->user, QStringLiteral("alice"));
        w.type(w.page->password, password);
        QSignalSpy ended(w.page, &SyncPage::searchEnded);
        w.page->search->click();
        if (w.page->searching())
            QVERIFY(ended.wait(20000));
        QVERIFY2(w.page->message->text().contains(says), qPrintable(w.page->message->text()));
        QVERIFY(w.page->message->isVisible());
        QVERIFY(!w.page->message->text().contains(QStringLiteral("wrong")));
        QVERIFY(w.page->search->isEnabled());
        QCOMPARE(w.page->server->text(), address);
        QCOMPARE(w.page->password->text(), password);
        QVERIFY(w.page->trustCertificate->isHidden());
    }

    void anUntrustedCertificateIsUsedOnlyOnceItsFingerprintIsConfirmed()
    {
        test::DavCannedServer server(true);
        Window w;
        w.type(w.page->server, server.url());
        w.type(w.page->user, QStringLiteral("alice"));
        w.type(w.page->password, QStringLiteral("secret"));
        QSignalSpy ended(w.page, &SyncPage::searchEnded);
        w.page->search->click();
        QVERIFY(ended.wait(20000));
        const QString fingerprint = QLatin1String(test::DavCannedServer::kFingerprint);
        QVERIFY2(w.page->message->text().contains(fingerprint) &&
                     w.page->message->text().contains(QStringLiteral("信頼しますか")),
                 qPrintable(w.page->message->text()));
        QVERIFY(w.page->trustCertificate->isVisible());
        QVERIFY(w.page->fingerprint->text().contains(fingerprint));
        QCOMPARE(w.page->calendar->count(), 1);

        w.page->trustCertificate->click();
        QVERIFY(ended.wait(20000));
        QCOMPARE(w.page->calendar->count(), 2);
        QCOMPARE(w.page->calendar->itemText(0), QStringLiteral("仕事"));
        w.frm->Command1_Click(1);
        QCOMPARE(ReadSyncSettings(w.store).trustedFingerprint, fingerprint);
    }

    void statusLineFollowsTheSync()
    {
        Window w([](QSettings& s) {
            s.setValue(kSyncServerSetting, QStringLiteral("https://dav.example.com/"));
            s.setValue(kSyncUserSetting, QStringLiteral("alice"));
            s.setValue(kSyncEnabledSetting, true);
        });
        QSignalSpy now(&w.context.events(), &AppEvents::syncNowRequested);
        w.page->syncNow->click();
        QCOMPARE(now.count(), 1);
        w.context.syncStatus.running = true;
        emit w.context.events().syncStatusChanged();
        QCOMPARE(w.page->status->text(), QStringLiteral("同期しています…"));
        QVERIFY(!w.page->syncNow->isEnabled());
        w.context.syncStatus = {false, QStringLiteral("12:04 同期しました（送信 3件、受信 1件）"),
                                false};
        emit w.context.events().syncStatusChanged();
        QCOMPARE(w.page->status->text(),
                 QStringLiteral("12:04 同期しました（送信 3件、受信 1件）"));
        QVERIFY(w.page->syncNow->isEnabled());
        // Turning the sync off counts once applied.
        w.page->enabled->click();
        QVERIFY(w.page->syncNow->isEnabled());
        w.frm->Command1_Click(1);
        QVERIFY(!w.page->syncNow->isEnabled());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::SyncPageTest)
#include "SyncPageTest.moc"
