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

bool IsInstalledProgram(const QString& executableFolder)
{
    return QFileInfo(QDir(executableFolder).filePath(QLatin1String(kInstalledMarker))).isFile();
}

QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder)
{
    // A data file beside the program is the user's data, writable or not:
    // opening it (or saying why it cannot be) beats starting an empty one
    // elsewhere, where the schedules would silently vanish from view.
    const bool dataBeside =
        QFileInfo(QDir(executableFolder).filePath(QLatin1String(kDataFileName))).isFile();
    // An installed program shares its folder with every other program (and,
    // installed into a private prefix, may well be writable): its files
    // belong to the user, not beside it.
    if (dataBeside || (!IsInstalledProgram(executableFolder) && IsFolderWritable(executableFolder)))
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
