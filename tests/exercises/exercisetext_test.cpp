#include "exercises/exercisetext.h"

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

// Tables are laid out whole: their cells are limited, and their texts count
// with the others.
TEST(ExerciseText, TablesTheAreaCanLayOutQuickly)
{
    auto table = [](std::size_t rows, std::size_t columns, const std::string& cellText,
                    std::size_t firstRowColumns = 0) {
        RtfParagraph p;
        appendRun(p, cellText, {});
        RtfTableRow row;
        row.cells.assign(columns, RtfTableCell{{p}});
        RtfTable t;
        t.rows.assign(rows, row);
        if (firstRowColumns) t.rows[0].cells.resize(firstRowColumns, RtfTableCell{{p}});
        return t;
    };
    std::string prose; // words of 99 letters, 500 characters short of the total
    while (prose.size() < kMaxTextCharacters - 500)
        prose += std::string(99, 'x') + " ";
    prose.resize(kMaxTextCharacters - 500);
    const std::size_t rows = kMaxTableCells / 8;
    struct Case {
        const char* what;
        std::vector<RtfTable> tables;
        std::string prose;
        bool fits;
    };
    const Case cases[] = {
        {"cells at the limit", {table(rows, 8, "ab")}, "", true},
        {"one row more", {table(rows + 1, 8, "ab")}, "", false},
        {"two tables at the limit", {table(rows, 4, "ab"), table(rows, 4, "")}, "", true},
        {"two tables over it", {table(rows, 4, "ab"), table(rows + 1, 4, "")}, "", false},
        {"short rows count as the widest", {table(rows, 1, "a", 9)}, "", false},
        {"a long word in a cell",
         {table(1, 1, std::string(kMaxWordCharacters + 1, 'w'))},
         "",
         false},
        {"cell texts within the total", {table(10, 10, "abc")}, prose, true},
        {"cell texts beyond it", {table(10, 10, "abcdefghi")}, prose, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RtfText t;
        t.paragraphs.emplace_back();
        appendRun(t.paragraphs.back(), c.prose, {});
        for (std::size_t k = 0; k < c.tables.size(); ++k) {
            t.paragraphs.emplace_back();
            t.paragraphs.back().table = static_cast<int>(k);
        }
        t.paragraphs.emplace_back();
        t.tables = c.tables;
        EXPECT_EQ(fitsTextArea(t), c.fits);
    }
}
