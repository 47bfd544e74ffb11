#include "core/ProgramFolder.h"

#include "core/AppIdentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace morvane {

bool IsFolderWritable(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".morvane-probe-XXXXXX")));
    return probe.open();
}

QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder)
{
    if (IsFolderWritable(executableFolder))
        return QDir::cleanPath(QFileInfo(executableFolder).absoluteFilePath());
    // When even this cannot be created the files fail later, one by one,
    // each in its own forgiving way.
    QDir().mkpath(userDataFolder);
    return QDir::cleanPath(QFileInfo(userDataFolder).absoluteFilePath());
}

QString UserDataFolder()
{
    // Built from the generic location so the answer does not depend on the
    // application object's names having been set yet.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("%1/%2").arg(QLatin1String(kOrganizationName),
                                                           QLatin1String(kApplicationName)));
}

QString ProgramFolder()
{
    return ChooseProgramFolder(QCoreApplication::applicationDirPath(), UserDataFolder());
}

} // namespace morvane
