#include "bench/markerfile.h"

#include "platform/recordfile.h"

#include <filesystem>

namespace titrage {

std::string markerFilePath(const std::string& folder)
{
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string path = folder;
    if (!path.empty() && path.back() != separator && path.back() != '/') path += separator;
    return path + kMarkerFileName;
}

bool writeRunningFlag(const std::string& folder, bool running)
{
    RecordFile file;
    if (!file.open(markerFilePath(folder), RecordFile::Mode::ReadWrite)) return false;
    const bool written = file.write(kRunningRecord, running ? "OUI" : "NON");
    return file.close() && written;
}

std::string takeLauncherRequest(const std::string& folder)
{
    const std::string path = markerFilePath(folder);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    RecordFile file;
    if (!file.open(path, RecordFile::Mode::ReadWrite)) return {};
    std::string request = file.read(kRequestRecord).value_or(std::string());
    file.write(kRequestRecord, "");
    file.close();
    return request;
}

} // namespace titrage
