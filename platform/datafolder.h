#pragma once
// Where the program finds what ships with it, and where it may write its
// marker file.
//
// In the build tree the data (help page, exercises, getting-started files)
// lies beside the executable; installed, the executable is in bin/ and the
// data in share/titrage-conductimetrique/.

#include <QString>

namespace titrage {

// The data folder for an executable in `executableFolder`: that folder when it
// holds the shipped data, else ../share/titrage-conductimetrique when that
// exists, else the executable's folder all the same.
QString dataFolderFor(const QString& executableFolder);

// The data folder of the running program.
QString dataFolder();

// The folder of the marker file: `programFolder` when a file can be created
// there, else the user's data folder (QStandardPaths::AppDataLocation), which
// is created when missing. An installed program is usually in the second case.
QString markerFolder(const QString& programFolder);

} // namespace titrage
