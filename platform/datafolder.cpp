#include "platform/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace titrage {

namespace {

bool holdsShippedData(const QDir& folder)
{
    return QFileInfo::exists(folder.filePath(QStringLiteral("Lomb.html"))) ||
           QFileInfo(folder.filePath(QStringLiteral("exercices"))).isDir();
}

// Permission bits do not tell (root ignores them, a read-only medium does not
// show in them): only creating a file does.
bool canCreateFilesIn(const QString& folder)
{
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".titrage-XXXXXX")));
    return probe.open();
}

} // namespace

QString dataFolderFor(const QString& executableFolder)
{
    const QDir beside(executableFolder);
    if (holdsShippedData(beside)) return beside.path();
    const QDir installed(beside.filePath(QStringLiteral("../share/titrage-conductimetrique")));
    if (installed.exists()) return QDir::cleanPath(installed.path());
    return beside.path();
}

QString dataFolder()
{
    return dataFolderFor(QCoreApplication::applicationDirPath());
}

QString markerFolder(const QString& programFolder)
{
    if (canCreateFilesIn(programFolder)) return programFolder;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (user.isEmpty() || !QDir().mkpath(user)) return programFolder;
    return user;
}

} // namespace titrage
