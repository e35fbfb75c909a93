#include "platform/recordfile.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace titrage;
using titrage::testing::readBytes;
using titrage::testing::TempFolder;
using titrage::testing::writeBytes;

namespace {

std::string record(std::string_view text)
{
    return encodeRecord(text).value();
}

} // namespace

TEST(CodePage, CharactersMapBothWays)
{
    struct Case {
        const char* utf8;
        const char* cp1252;
    };
    const Case cases[] = {
        {"0,01", "0,01"},
        {"é", "\xE9"},
        {"bécher", "b\xE9" "cher"},
        {"€", "\x80"},
        {"œ", "\x9C"},
        {"Ÿ", "\x9F"},
        {"’", "\x92"},
        {"\xC2\xA0", "\xA0"},     // no-break space
        {"ÿ", "\xFF"},
        {"\xC2\x81", "\x81"},     // an undefined byte keeps its C1 code point
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
}

TEST(CodePage, CharactersWithoutAFormBecomeQuestionMarks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"σ = 2", "? = 2"},
        {"\xF0\x9F\x98\x80", "?"},  // outside the basic plane
        {"\xC2\x80", "?"},          // U+0080 has no byte: 0x80 is the euro sign
        {"a\xC3", "a?"},            // cut short
        {"\xC0\xAF", "??"},         // overlong
        {"\xED\xA0\x80", "???"},    // surrogate
        {"\xFF", "?"},
    };
    for (const auto& [utf8, bytes] : cases) EXPECT_EQ(utf8ToCp1252(utf8), bytes) << utf8;
}

TEST(CodePage, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(RecordImage, DecodingRules)
{
    const std::string full = record("OMRIX") + record("") + record(std::string(126, 'x'));
    std::string tooLong = record("abc");
    tooLong[0] = 127;
    struct Case {
        const char* name;
        std::string image;
        std::int64_t number;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"first record", full, 1, "OMRIX"},
        {"empty text", full, 2, ""},
        {"126 bytes", full, 3, std::string(126, 'x')},
        {"past the end", full, 4, ""},
        {"far past the end", full, 1'000'000'000'000LL, ""},
        {"empty file", "", 1, ""},
        {"last record ends after its text", record("OUI").substr(0, 5), 1, "OUI"},
        {"text cut short", record("OUI").substr(0, 4), 1, std::nullopt},
        {"length word cut", std::string(1, '\x03'), 1, std::nullopt},
        {"length over 126", tooLong, 1, std::nullopt},
        {"length 0xFFFF", std::string("\xFF\xFF", 2) + std::string(126, 'a'), 1, std::nullopt},
        {"record 0", full, 0, std::nullopt},
        {"negative record", full, -3, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(decodeRecord(c.image, c.number), c.expected) << c.name;
}

TEST(RecordImage, EncodingIsLengthTextZeroPadding)
{
    const std::string r = record("NON");
    ASSERT_EQ(r.size(), 128u);
    EXPECT_EQ(r.substr(0, 5), std::string("\x03\x00NON", 5));
    EXPECT_EQ(r.substr(5), std::string(123, '\0'));
    EXPECT_FALSE(encodeRecord(std::string(127, 'a')));
    EXPECT_EQ(record(std::string(126, 'a')).substr(0, 2), std::string("\x7E\x00", 2));
}

TEST(RecordFileTest, WritingARecordCreatesTheFileAndEmptyRecordsBefore)
{
    TempFolder dir;
    const std::string path = dir.file("a.dat");
    RecordFile file;
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
    EXPECT_TRUE(file.write(3, "école"));
    EXPECT_EQ(file.read(3), "école");
    EXPECT_EQ(file.read(1), "");
    EXPECT_EQ(file.read(9), "");
    EXPECT_TRUE(file.close());
    const std::string bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 3u * 128u);
    EXPECT_EQ(bytes.substr(256, 7), std::string("\x05\x00\xE9" "cole", 7));
}

TEST(RecordFileTest, RewritingKeepsTheRestOfTheFile)
{
    TempFolder dir;
    const std::string path = dir.file("a.dat");
    const std::string original = record("un") + record("deux") + record("trois") + "tail";
    writeBytes(path, original);
    RecordFile file;
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
    EXPECT_TRUE(file.write(2, "2"));
    EXPECT_TRUE(file.close());
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.size(), original.size());
    EXPECT_EQ(bytes.substr(0, 128), original.substr(0, 128));
    EXPECT_EQ(bytes.substr(128, 128), record("2"));
    EXPECT_EQ(bytes.substr(256), original.substr(256));
}

TEST(RecordFileTest, RefusedOperations)
{
    TempFolder dir;
    const std::string missing = dir.file("missing.dat");
    RecordFile file;
    EXPECT_FALSE(file.open(missing, RecordFile::Mode::Read));
    EXPECT_FALSE(std::filesystem::exists(missing)) << "reading must not create the file";
    EXPECT_FALSE(file.open(dir.path(), RecordFile::Mode::Read));
    EXPECT_FALSE(file.open(dir.path(), RecordFile::Mode::ReadWrite));
    EXPECT_FALSE(file.open("/dev/null", RecordFile::Mode::ReadWrite)) << "not a regular file";
    EXPECT_FALSE(file.open(dir.file("no/such/folder.dat"), RecordFile::Mode::ReadWrite));
    EXPECT_FALSE(file.open("", RecordFile::Mode::ReadWrite));

    const std::string path = dir.file("a.dat");
    writeBytes(path, record("x"));
    ASSERT_TRUE(file.open(path, RecordFile::Mode::Read));
    EXPECT_FALSE(file.write(1, "y")) << "opened for reading only";
    EXPECT_FALSE(file.read(0));
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
    EXPECT_FALSE(file.write(1, std::string(127, 'a')));
    EXPECT_TRUE(file.write(1, std::string(126, 'a')));
    // The limit counts bytes in the file: 126 accented letters fit.
    std::string accents;
    for (int i = 0; i < 126; ++i) accents += "é";
    EXPECT_TRUE(file.write(2, accents));
    EXPECT_EQ(file.read(2), accents);
    EXPECT_TRUE(file.write(3, "€"));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(readBytes(path).substr(256, 3), std::string("\x01\x00\x80", 3));
}
