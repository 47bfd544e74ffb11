#include "options/SyncOptions.h"

#include "context/AppContext.h"
#include "sync/QtDavTransport.h"

#include <QSettings>

namespace morvane {

namespace {

// Passes every request on and keeps the fingerprint of a certificate the
// transport could not verify, which the search's own failure text only
// mentions.
class FingerprintNoting final : public DavTransport
{
public:
    explicit FingerprintNoting(DavTransport& inner) : m_inner(inner) {}

    DavResponse send(const DavRequest& request) override
    {
        DavResponse response = m_inner.send(request);
        if (!response.untrustedFingerprint.isEmpty())
            untrusted = response.untrustedFingerprint;
        return response;
    }

    QString untrusted;

private:
    DavTransport& m_inner;
};

// A search waits at most this long for each answer: the user is looking at
// the page.
constexpr int kSearchTimeoutMs = 20000;

} // namespace

QString SyncStatusText(const SyncStatus& status)
{
    if (status.running)
        return QStringLiteral("同期しています…");
    if (status.line.isEmpty())
        return QStringLiteral("まだ同期していません");
    return status.line;
}

bool SyncIsSetUp(const SyncSettings& stored)
{
    return stored.enabled && !stored.server.trimmed().isEmpty() && !stored.user.trimmed().isEmpty();
}

QString SyncSettingsProblem(const SyncSettings& settings)
{
    const bool noServer = settings.server.trimmed().isEmpty();
    if (!noServer) {
        if (const QString refused = RefusedAddress(QUrl::fromUserInput(settings.server.trimmed()));
            !refused.isEmpty())
            return refused;
    }
    if (!settings.enabled)
        return {};
    if (noServer)
        return QStringLiteral("同期するには、サーバーのアドレスを入力してください。");
    if (settings.user.trimmed().isEmpty())
        return QStringLiteral("同期するには、ユーザー名を入力してください。");
    return {};
}

CalendarSearchOutcome SearchCalendars(const QString& server, const QString& user,
                                      const QString& password, const QString& trustedFingerprint)
{
    QtDavTransport transport(user, password);
    transport.setTimeoutMs(kSearchTimeoutMs);
    transport.setTrustedFingerprint(trustedFingerprint);
    FingerprintNoting noting(transport);
    CalendarSearchOutcome outcome;
    outcome.search = FindCalendars(noting, QUrl::fromUserInput(server.trimmed()));
    outcome.untrustedFingerprint = noting.untrusted;
    return outcome;
}

QString CalendarCaption(const FoundCalendar& calendar)
{
    if (!calendar.displayName.trimmed().isEmpty())
        return calendar.displayName.trimmed();
    QString path = calendar.url.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    const QString last = path.section(u'/', -1);
    return last.isEmpty() ? calendar.url.toDisplayString(QUrl::RemoveUserInfo) : last;
}

SyncApplyResult ApplySyncOptions(const SyncSettings& settings, const QString& typedPassword,
                                 QSettings& store, const SyncSecrets& secrets, QString* runPassword)
{
    SyncApplyResult result;
    result.message = SyncSettingsProblem(settings);
    if (!result.message.isEmpty())
        return result;
    SyncSettings cleaned = settings;
    cleaned.server = settings.server.trimmed();
    cleaned.user = settings.user.trimmed();
    WriteSyncSettings(store, cleaned);
    result.stored = true;
    if (typedPassword.isEmpty())
        return result;
    const QString failure = secrets.write(cleaned.server, cleaned.user, typedPassword);
    if (failure.isEmpty()) {
        runPassword->clear();
        return result;
    }
    *runPassword = typedPassword;
    result.passwordForRun = true;
    result.message =
        failure + QStringLiteral("パスワードはこのプログラムを終了するまでだけ覚えておきます。");
    return result;
}

} // namespace morvane
