#include "exercises/core/exercisetext.h"

#include "../config/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace titrage;
using namespace titrage::testing;
namespace fs = std::filesystem;

TEST(ExerciseText, NamesStayInsideTheExerciseFolder)
{
    TempFolder outer;
    const std::string folder = outer.file("exo");
    fs::create_directories(folder + "/textes");
    writeBytes(folder + "/EXO.RTF", "{\\rtf1 a}");
    writeBytes(folder + "/textes/B.RTF", "{\\rtf1 b}");
    writeBytes(outer.file("secret.C16"), "x");
    fs::create_symlink(outer.file("secret.C16"), folder + "/fuite.C16");
    fs::create_symlink(folder + "/EXO.RTF", folder + "/alias.RTF");
    fs::create_symlink(outer.path(), folder + "/haut");
    fs::create_hard_link(outer.file("secret.C16"), folder + "/dur.C16");
    writeBytes(folder + "/A.RTF", "{\\rtf1 a}");
    fs::create_hard_link(folder + "/A.RTF", folder + "/textes/A2.RTF");

    const struct {
        const char* name;
        const char* inside; // nullptr: refused
    } cases[] = {
        {"EXO.RTF", "/EXO.RTF"},
        {"textes\\B.RTF", "/textes/B.RTF"},
        {"./textes/../EXO.RTF", "/EXO.RTF"},
        {"absent.RTF", "/absent.RTF"}, // missing files are for the loader to report
        {"alias.RTF", "/alias.RTF"},
        {"../secret.C16", nullptr},
        {"..\\secret.C16", nullptr},
        {"textes/../../secret.C16", nullptr},
        {"../../../../dev/zero", nullptr},
        {"/etc/passwd", nullptr},
        {"fuite.C16", nullptr},
        {"haut/secret.C16", nullptr},
        {"dur.C16", nullptr},       // a second name of a file outside
        {"textes/A2.RTF", nullptr}, // two names, both inside: nothing tells
        {"textes", "/textes"},      // a folder's many links are no sign
        {"", nullptr},
        {"textes/..", nullptr},
    };
    for (const auto& c : cases) {
        const auto path = pathInside(folder, c.name);
        if (c.inside)
            EXPECT_EQ(path, folder + c.inside) << c.name;
        else
            EXPECT_FALSE(path) << c.name;
    }
}

TEST(ExerciseText, OnlyRegularFilesWithinTheLimit)
{
    TempFolder dir;
    const std::string fifo = dir.file("tube.RTF");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    writeBytes(dir.file("petit.RTF"), "{\\rtf1 texte}");
    writeBytes(dir.file("gros.RTF"), std::string(101, 'x'));

    EXPECT_EQ(readTextFile(fifo).status, TextFileStatus::Unreadable) << "must not block";
    EXPECT_EQ(readTextFile("/dev/zero").status, TextFileStatus::Unreadable);
    EXPECT_EQ(readTextFile(dir.path()).status, TextFileStatus::Unreadable);
    EXPECT_EQ(readTextFile(dir.file("absent.RTF")).status, TextFileStatus::Unreadable);
    EXPECT_EQ(readTextFile(dir.file("gros.RTF"), 100).status, TextFileStatus::TooLarge);
    EXPECT_EQ(readTextFile(dir.file("gros.RTF"), 101).bytes.size(), 101u);
    const TextFile ok = readTextFile(dir.file("petit.RTF"));
    EXPECT_EQ(ok.status, TextFileStatus::Ok);
    EXPECT_EQ(ok.bytes, "{\\rtf1 texte}");
}

TEST(ExerciseText, TextsTheAreaCanLayOutQuickly)
{
    auto text = [](std::initializer_list<std::string> paragraphs) {
        RtfText t;
        for (const std::string& p : paragraphs) {
            RtfParagraph para;
            // Two runs, so that a word may run across them.
            std::size_t half = p.size() / 2;
            while (half > 0 && (static_cast<unsigned char>(p[half]) & 0xC0) == 0x80)
                --half;
            appendRun(para, p.substr(0, half), {});
            RtfCharFormat bold;
            bold.bold = true;
            appendRun(para, p.substr(half), bold);
            t.paragraphs.push_back(para);
        }
        return t;
    };
    const std::string word(kMaxWordCharacters, 'a');
    EXPECT_TRUE(fitsTextArea(text({word, word + " " + word})));
    EXPECT_FALSE(fitsTextArea(text({word + "a"})));
    EXPECT_TRUE(fitsTextArea(text({word + "\t" + word, word + "\xE2\x80\xA8" + word})));
    // Characters, not bytes: 2,000 accented letters are one allowed word.
    std::string accented;
    for (std::size_t i = 0; i < kMaxWordCharacters; ++i)
        accented += "\xC3\xA9";
    EXPECT_TRUE(fitsTextArea(text({accented})));

    // The whole text, paragraph ends counted.
    std::string prose;
    while (prose.size() < kMaxTextCharacters - 1)
        prose += "mot ";
    prose.resize(kMaxTextCharacters - 1);
    EXPECT_TRUE(fitsTextArea(text({prose})));
    EXPECT_FALSE(fitsTextArea(text({prose + "x"})));
    EXPECT_FALSE(fitsTextArea(text({prose, ""})));
}

// Tables are counted as the text area builds them: every cell, the empty
// places of short rows too, and the words inside cells.
TEST(ExerciseText, TablesCountedAsTheyAreBuilt)
{
    // A text of one table: `rows` rows, the first `wide` cells wide, the
    // others one cell, each cell holding `cell`.
    auto table = [](std::size_t rows, std::size_t wide, const std::string& cell) {
        RtfText t;
        RtfTable table;
        for (std::size_t r = 0; r < rows; ++r) {
            RtfTableRow row;
            for (std::size_t c = 0; c < (r == 0 ? wide : 1); ++c) {
                RtfParagraph p;
                appendRun(p, cell, {});
                row.cells.push_back({{p}});
            }
            table.rows.push_back(row);
        }
        t.tables.push_back(table);
        RtfParagraph placeholder;
        placeholder.table = 0;
        t.paragraphs = {placeholder, RtfParagraph{}};
        return t;
    };
    const std::string word(kMaxWordCharacters, 'a');
    // Seven cells of 28,570 characters and their ends, and the paragraph
    // after the table: 200,000 characters.
    std::string prose;
    while (prose.size() < 28570)
        prose += "mot ";
    prose.resize(28570);
    const struct {
        const char* what;
        RtfText text;
        bool fits;
    } cases[] = {
        {"a longest word in a cell", table(1, 1, word), true},
        {"a word too long in a cell", table(1, 1, word + "a"), false},
        {"the longest text in cells", table(7, 1, prose), true},
        {"one character more", table(7, 1, prose + "s"), false},
        {"the most cells", table(kMaxTableCells, 1, "a"), true},
        {"one cell more", table(kMaxTableCells + 1, 1, "a"), false},
        // 40 rows as wide as the first: 10,240 cells built for 295 given.
        {"short rows under a wide one", table(40, 256, "a"), false},
        {"a table named by no paragraph is not built",
         [&] {
             RtfText t = table(kMaxTableCells + 1, 1, "a");
             t.paragraphs.front().table = 7; // out of range: an empty paragraph
             return t;
         }(),
         true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitsTextArea(c.text), c.fits) << c.what;
}
