#pragma once
// Where a save dialog starts. The program's own files (the exercises, their
// configurations and texts shipped beside it) are never offered as the place
// to save: after a shipped exercise the dialogs start in the user's documents
// folder instead, so that a student's "Oui" cannot overwrite them.

#include <QString>

namespace titrage {

// True when `path` (a file or a folder) is `folder` or lies below it, links
// resolved; false when either is empty.
bool isInsideFolder(const QString& path, const QString& folder);

// The user's documents folder, or the home folder when there is none.
QString documentsFolder();

// `folder`, unless it lies inside `shippedFolder`: then documentsFolder().
QString saveFolderFor(const QString& folder, const QString& shippedFolder);

} // namespace titrage
