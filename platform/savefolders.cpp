#include "platform/savefolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace titrage {

namespace {

// The canonical form of a path whose last parts may not exist yet.
QString canonical(const QString& path)
{
    QFileInfo info(QDir::fromNativeSeparators(path));
    QString tail;
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath()) return QDir::cleanPath(info.absoluteFilePath());
        tail = QLatin1Char('/') + info.fileName() + tail;
        info = QFileInfo(parent);
    }
    return QDir::cleanPath(info.canonicalFilePath() + tail);
}

} // namespace

bool isInsideFolder(const QString& path, const QString& folder)
{
    if (path.trimmed().isEmpty() || folder.trimmed().isEmpty()) return false;
    const QString p = canonical(path);
    QString f = canonical(folder);
    if (p == f) return true;
    if (!f.endsWith(QLatin1Char('/'))) f += QLatin1Char('/');
    return p.startsWith(f);
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

QString saveFolderFor(const QString& folder, const QString& shippedFolder)
{
    return isInsideFolder(folder, shippedFolder) ? documentsFolder() : folder;
}

} // namespace titrage
