#include "app/SingleInstance.h"

#include "core/AppIdentity.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace morvane {

namespace {

QString UserNameForFile()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    QString safe;
    for (const QChar c : name)
        safe += c.isLetterOrNumber() ? c : QChar(u'_');
    return safe.isEmpty() ? QStringLiteral("user") : safe;
}

QString LockFileName()
{
    return QStringLiteral("%1-%2.lock")
        .arg(QString::fromLatin1(kApplicationName).toLower(), UserNameForFile());
}

} // namespace

QString DefaultLockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(LockFileName());
}

SingleInstance::SingleInstance(QString lockFolder)
    : m_path(lockFolder.isEmpty() ? DefaultLockFilePath()
                                  : QDir(lockFolder).filePath(LockFileName()))
{}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // Age alone never makes the lock stale: a copy may run for weeks. Only a
    // lock whose owner process is gone is taken over, which tryLock checks
    // by the process id stored in the file.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

} // namespace morvane
