// The exercise file read from disk, as the chooser and the exercise menu read
// it: the disk and the in-memory readers agree, the preview's figures stay in
// their ranges, a file that reads writes back to the same records, and the
// names it holds never resolve outside the exercise's folder.
#include "exercises/core/exercisefile.h"
#include "exercises/core/exercisetext.h"
#include "platform/core/recordfile.h"

#include "fuzz/fuzzsupport.h"

#include <cmath>
#include <cstdint>
#include <filesystem>

using namespace titrage;

namespace {

const std::string& exerciseFolder()
{
    static const std::string folder = [] {
        const std::string path = fuzzing::scratchPath("exercise");
        std::filesystem::create_directories(path + "/sub");
        return path;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& folder = exerciseFolder();
    static const std::string path = folder + "/EXO.E42";
    static const std::string saved = folder + "/saved.E42";
    const std::string_view image(reinterpret_cast<const char*>(data), size);

    fuzzing::writeScratch(path, image);
    const std::optional<ExerciseFile> fromDisk = readExercise(path);
    const std::optional<ExerciseFile> inMemory = parseExercise(image);
    CHECK(fromDisk.has_value() == inMemory.has_value());
    if (!fromDisk) return 0;
    CHECK(fromDisk->records == inMemory->records);

    const ExerciseFile& file = *fromDisk;
    CHECK(std::isfinite(file.difficulty()));
    const int n = file.hourglasses();
    CHECK(n >= 0 && n <= kMaxHourglasses);
    CHECK(file.notions().size() <= 4);
    const std::string title = file.title();
    CHECK(title.empty() || (title.front() != ' ' && title.back() != ' '));
    CHECK(file.corrected() == (moreThanBlanks(file.record(3)) || moreThanBlanks(file.record(4))));

    // Every name the file holds stays inside the folder, or is refused.
    for (int r = 1; r <= 4; ++r) {
        const std::optional<std::string> inside = pathInside(folder, file.record(r));
        if (inside) CHECK(inside->compare(0, folder.size() + 1, folder + "/") == 0);
        if (inside) CHECK(inside->find("/../") == std::string::npos);
    }

    // What was read writes back to the same records.
    if (writeExercise(saved, file)) {
        const std::optional<ExerciseFile> back = readExercise(saved);
        CHECK(back && back->records == file.records);
    }
    return 0;
}
