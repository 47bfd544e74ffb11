#include "app/SyncCommand.h"

#include "core/Clock.h"
#include "core/FileErrorReason.h"
#include "data/records/ScheduleDatabase.h"
#include "sync/CalendarDiscovery.h"
#include "sync/CalendarSync.h"
#include "sync/QtDavTransport.h"
#include "sync/SecretStore.h"
#include "sync/SyncSettings.h"

#include <QFile>
#include <QSettings>
#include <QTextStream>
#include <cerrno>
#include <cstring>

namespace morvane {

namespace {

constexpr char kUsage[] =
    "使い方: morvane --sync [--server URL] [--user NAME] [--password-file FILE] "
    "[--trust-fingerprint 指紋]";

// The first line of the file, without its line end.
std::optional<QString> ReadPassword(const QString& path, QTextStream& err)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("%1 を開けません：%2")
                   .arg(path, FileErrorReason(errno, file.error(), file.errorString()))
            << Qt::endl;
        return std::nullopt;
    }
    QString line = QString::fromUtf8(file.readLine(4096));
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

} // namespace

bool IsSyncCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sync") == 0)
            return true;
    }
    return false;
}

int RunSyncCommand(const QStringList& arguments, const QString& programFolder, QSettings& settings,
                   const Clock& clock, QTextStream& out, QTextStream& err)
{
    QString server, user, passwordFile, fingerprint;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--sync")) {
            continue;
        } else if (argument == QLatin1String("--server") && hasValue) {
            server = arguments[++i];
        } else if (argument == QLatin1String("--user") && hasValue) {
            user = arguments[++i];
        } else if (argument == QLatin1String("--trust-fingerprint") && hasValue) {
            fingerprint = arguments[++i].trimmed().toUpper();
        } else if (argument == QLatin1String("--password-file") && hasValue) {
            passwordFile = arguments[++i];
        } else {
            err << QString::fromUtf8(kUsage) << Qt::endl;
            return 2;
        }
    }
    // The calendar picked on the options page belongs to the stored server.
    const QString storedServer = settings.value(QLatin1String(kSyncServerSetting)).toString();
    const QString calendar = server.isEmpty() || server == storedServer
                                 ? settings.value(QLatin1String(kSyncCalendarSetting)).toString()
                                 : QString();
    const QString fingerprintKey = QLatin1String(kSyncTrustedFingerprintSetting);
    if (!server.isEmpty() && server != settings.value(QLatin1String(kSyncServerSetting)).toString())
        settings.remove(fingerprintKey);
    if (!fingerprint.isEmpty())
        settings.setValue(fingerprintKey, fingerprint);
    else
        fingerprint = settings.value(fingerprintKey).toString();
    if (!server.isEmpty())
        settings.setValue(QLatin1String(kSyncServerSetting), server);
    else
        server = settings.value(QLatin1String(kSyncServerSetting)).toString();
    if (!user.isEmpty())
        settings.setValue(QLatin1String(kSyncUserSetting), user);
    else
        user = settings.value(QLatin1String(kSyncUserSetting)).toString();
    settings.sync();
    if (server.isEmpty() || user.isEmpty()) {
        err << QStringLiteral("同期するサーバーとユーザー名が設定されていません（--server と --user）。")
            << Qt::endl;
        return 2;
    }
    std::optional<QString> password;
    if (passwordFile.isEmpty()) {
        const SecretResult stored = ReadSyncPassword(server, user);
        if (!stored.password) {
            err << stored.failure
                << QStringLiteral("パスワードが保管されていないため、--password-file で指定してください。")
                << Qt::endl;
            return 2;
        }
        password = stored.password;
    } else {
        password = ReadPassword(passwordFile, err);
        if (!password)
            return 1;
    }
    const QUrl address = QUrl::fromUserInput(server);
    if (const QString refused = RefusedAddress(address); !refused.isEmpty()) {
        err << refused << Qt::endl;
        return 1;
    }

    OpenScheduleResult opened = OpenScheduleDatabase(programFolder);
    if (!opened.ok()) {
        err << opened.failure.text << Qt::endl;
        return 1;
    }
    QtDavTransport transport(user, *password);
    transport.setTrustedFingerprint(fingerprint);
    const SyncTarget target = CollectionToSync(transport, address, calendar);
    if (!target.ok()) {
        err << target.failure << Qt::endl;
        return 1;
    }
    CalendarSync sync(*opened.database, transport, target.collection, clock, programFolder);
    const SyncOutcome outcome = sync.run();
    if (!outcome.ok()) {
        err << QStringLiteral("同期できませんでした：") << outcome.failure << Qt::endl;
        return 1;
    }
    out << SyncSummary(outcome.counts) << Qt::endl;
    return 0;
}

} // namespace morvane
