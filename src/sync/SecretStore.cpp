#include "sync/SecretStore.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace morvane {

namespace {

const QString kService = QStringLiteral("Morvane sync");

QString KeyOf(const QString& server, const QString& user)
{
    return user + QLatin1Char('@') + server;
}

// Runs the job to its end in a local event loop.
void RunJob(QKeychain::Job& job)
{
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
}

} // namespace

SecretResult ReadSyncPassword(const QString& server, const QString& user)
{
    QKeychain::ReadPasswordJob job(kService);
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.setKey(KeyOf(server, user));
    RunJob(job);
    SecretResult result;
    if (job.error() == QKeychain::NoError)
        result.password = job.textData();
    else if (job.error() != QKeychain::EntryNotFound)
        result.failure = QStringLiteral("パスワードの保管場所を使えません（%1）。").arg(job.errorString());
    return result;
}

QString WriteSyncPassword(const QString& server, const QString& user, const QString& password)
{
    QKeychain::WritePasswordJob job(kService);
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.setKey(KeyOf(server, user));
    job.setTextData(password);
    RunJob(job);
    if (job.error() != QKeychain::NoError)
        return QStringLiteral("パスワードを保管できません（%1）。").arg(job.errorString());
    return {};
}

} // namespace morvane
