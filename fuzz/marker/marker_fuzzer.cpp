// The marker file on any bytes: the launcher's request is read by the record
// rules and cleared, the running flag is written, and no other byte of the file
// changes; a file larger than a marker is neither read nor written.
#include "bench/core/markerfile.h"
#include "platform/core/recordfile.h"

#include "fuzz/fuzzsupport.h"

#include <algorithm>
#include <cstdint>
#include <sys/stat.h>

using namespace titrage;

namespace {

// Every byte of `after` outside record `number` is that of `before`; the file
// grows only to hold the record.
void checkOnlyRecordChanged(std::string_view before, std::string_view after, int number)
{
    const std::size_t start = static_cast<std::size_t>(number - 1) * kRecordLength;
    const std::size_t end = start + kRecordLength;
    CHECK(after.size() == std::max(before.size(), end));
    CHECK(after.substr(0, std::min(start, before.size())) ==
          before.substr(0, std::min(start, before.size())));
    if (before.size() > end) CHECK(after.substr(end) == before.substr(end));
    if (before.size() < start)
        CHECK(after.substr(before.size(), start - before.size()) ==
              std::string(start - before.size(), '\0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = [] {
        const std::string path = fuzzing::scratchPath("marker");
        mkdir(path.c_str(), 0700);
        return path;
    }();
    static const std::string path = markerFilePath(folder);
    const std::string_view image(reinterpret_cast<const char*>(data), size);
    fuzzing::writeScratch(path, image);

    const std::string request = takeLauncherRequest(folder);
    const std::string afterTake = fuzzing::readScratch(path);
    if (size > static_cast<std::size_t>(kMarkerFileMax)) {
        CHECK(request.empty());
        CHECK(afterTake == image);
        CHECK(!writeRunningFlag(folder, true));
        CHECK(fuzzing::readScratch(path) == image);
        return 0;
    }
    const auto raw = decodeRecord(image, kRequestRecord);
    CHECK(request == (raw ? cp1252ToUtf8(*raw) : std::string()));
    CHECK(utf8ToCp1252(request) == raw.value_or(std::string()));
    CHECK(decodeRecord(afterTake, kRequestRecord) == "");
    checkOnlyRecordChanged(image, afterTake, kRequestRecord);
    CHECK(takeLauncherRequest(folder).empty()); // a request is taken once

    const bool running = size > 0 && (data[0] & 1);
    CHECK(writeRunningFlag(folder, running));
    const std::string afterFlag = fuzzing::readScratch(path);
    CHECK(decodeRecord(afterFlag, kRunningRecord) == (running ? "OUI" : "NON"));
    checkOnlyRecordChanged(afterTake, afterFlag, kRunningRecord);
    return 0;
}
