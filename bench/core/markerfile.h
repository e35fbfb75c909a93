#pragma once
// The marker file "TEMPQZ.TMP" in the program's folder, shared with the
// package's launcher: record 21 tells whether the simulator is running, and
// the launcher leaves in record 31 the name of an exercise it wants opened.
// Only these two records are ours to touch.

#include <string>

namespace titrage {

inline constexpr const char* kMarkerFileName = "TEMPQZ.TMP";
inline constexpr int kRunningRecord = 21;
inline constexpr int kRequestRecord = 31;
// The launcher uses records 21 and 31 only, so a real marker holds a few
// kilobytes; a larger file is not ours and is neither read nor written.
inline constexpr long kMarkerFileMax = 64 * 1024;

// The marker file's path: `folder`, a separator unless it already ends with
// one, then the file name.
std::string markerFilePath(const std::string& folder);

// Writes "OUI" (running) or "NON" into record 21, creating the file when it is
// missing. A file that cannot be written (read-only folder or medium) is
// skipped silently: the result is only for tests and logs. A file created
// here that could not be written (a full disk) is removed again: nothing is
// left behind.
// The marker is never written through a symbolic link, dangling or not, nor
// into anything but a regular file of at most kMarkerFileMax bytes with a
// single name (a hard link to someone's file is refused too): such a marker is
// left exactly as it is and nothing is written.
bool writeRunningFlag(const std::string& folder, bool running);

// Reads the launcher's request from record 31 and writes an empty string back,
// so that a request is acted upon once. Returns "" when there is no request,
// when the file is missing (it is not created), refused as above, or when the
// record cannot be read; a record that cannot be read is cleared all the same.
std::string takeLauncherRequest(const std::string& folder);

} // namespace titrage
