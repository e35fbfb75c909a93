#include "exercises/core/exercisefile.h"

#include "../config/tempfolder.h"
#include "platform/core/recordfile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace titrage;
using namespace titrage::testing;

namespace {

// The bytes of a file whose records hold `texts` (UTF-8) from record 1.
std::string image(const std::vector<std::string>& texts)
{
    std::string bytes;
    for (const std::string& t : texts)
        bytes += *encodeRecord(utf8ToCp1252(t));
    return bytes;
}

struct PreviewCase {
    const char* name;
    std::vector<std::string> records;
    bool corrected;
    double difficulty;
    std::vector<std::string> notions;
    std::string title;
    int hourglasses;
};

class ExercisePreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(ExercisePreview, ReadsTheTwelveRecords)
{
    const PreviewCase& c = GetParam();
    const std::optional<ExerciseFile> file = parseExercise(image(c.records));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->corrected(), c.corrected);
    EXPECT_DOUBLE_EQ(file->difficulty(), c.difficulty);
    EXPECT_EQ(file->notions(), c.notions);
    EXPECT_EQ(file->title(), c.title);
    EXPECT_EQ(file->hourglasses(), c.hourglasses);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExercisePreview,
    ::testing::Values(
        PreviewCase{"complete",
                    {"E.RTF", "E.C16", "C.RTF", "C.C16", "2", "", "Acide fort", "  ", "Base forte",
                     "", "  Titrage de l'acide chlorhydrique ", "3"},
                    true,
                    2.0,
                    {"Acide fort", "Base forte"},
                    "Titrage de l'acide chlorhydrique",
                    3},
        PreviewCase{"blank corrections",
                    {"E.RTF", "", "   ", " ", "0", "", "", "", "", "", "", "1"},
                    false,
                    0.0,
                    {},
                    "",
                    1},
        PreviewCase{"correction text only",
                    {"E.RTF", "", "C.RTF", "", "", "", " Notion ", "", "", "", "T", ""},
                    true,
                    0.0,
                    {" Notion "},
                    "T",
                    0},
        PreviewCase{"configuration of the correction only",
                    {"E", "", "", "C.C16", " 1", "", "", "", "", "", "", "2,5"},
                    true,
                    1.0,
                    {},
                    "",
                    2},
        PreviewCase{"figures that are not numbers",
                    {"E", "", "", "", "beaucoup", "", "", "", "", "", "", "trois"},
                    false,
                    0.0,
                    {},
                    "",
                    0},
        PreviewCase{"hourglasses out of range",
                    {"E", "", "", "", "3", "", "", "", "", "", "", "1e9"},
                    false,
                    3.0,
                    {},
                    "",
                    kMaxHourglasses},
        PreviewCase{"negative length",
                    {"E", "", "", "", "-1", "", "", "", "", "", "", "-4"},
                    false,
                    -1.0,
                    {},
                    "",
                    0},
        PreviewCase{
            "short file reads as blank records", {"E.RTF", "E.C16"}, false, 0.0, {}, "", 0}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == ' ') ch = '_';
        return n;
    });

TEST(ExerciseFileTest, DamagedRecordIsAReadFailure)
{
    std::string bytes = image({"E.RTF", "E.C16", "", ""});
    bytes[128 * 2] = '\x7F'; // record 3 claims 127 bytes
    EXPECT_FALSE(parseExercise(bytes));
    EXPECT_FALSE(
        parseExercise(image({"E.RTF"}) + std::string("\x05" "\x00" "ab", 4))); // cut inside record 2
}

TEST(ExerciseFileTest, WrittenFileReadsBackWithItsAccents)
{
    TempFolder folder;
    ExerciseFile file;
    file.records = {"énoncé.RTF",
                    "",
                    "corrigé.RTF",
                    "",
                    "2",
                    "",
                    "Conductivité",
                    "",
                    "",
                    "",
                    "Titrage de l'acide éthanoïque",
                    "2"};
    const std::string path = folder.file("EXO.E42");
    ASSERT_TRUE(writeExercise(path, file));
    EXPECT_EQ(std::filesystem::file_size(path), 12u * 128u);
    const std::optional<ExerciseFile> back = readExercise(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->records, file.records);
    EXPECT_FALSE(readExercise(folder.file("absent.E42")));
    EXPECT_FALSE(readExercise(folder.path()));

    file.records[10] = std::string(127, 'x');
    EXPECT_FALSE(writeExercise(folder.file("long.E42"), file));
}

// Every file named by a shipped exercise is shipped with it.
TEST(ExerciseFileTest, ShippedExercisesNameExistingFiles)
{
    namespace fs = std::filesystem;
    const fs::path data = fs::path(TITRAGE_SOURCE_DIR) / "data";
    std::vector<fs::path> exercises{data / "duvrak.PEM"};
    for (const auto& entry : fs::directory_iterator(data / "exercices"))
        if (entry.path().extension() == ".E42") exercises.push_back(entry.path());
    EXPECT_GE(exercises.size(), 3u);
    for (const fs::path& path : exercises) {
        SCOPED_TRACE(path.string());
        const std::optional<ExerciseFile> file = readExercise(path.string());
        ASSERT_TRUE(file);
        EXPECT_TRUE(moreThanBlanks(file->statement()));
        EXPECT_FALSE(file->title().empty());
        for (int n = 1; n <= 4; ++n)
            if (moreThanBlanks(file->record(n)))
                EXPECT_TRUE(fs::is_regular_file(path.parent_path() / file->record(n)))
                    << file->record(n);
    }
}

} // namespace
