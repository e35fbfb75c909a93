#include "platform/core/recordfile.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace titrage;
using namespace titrage::testing;

namespace {
std::string record(std::string_view text)
{
    return encodeRecord(text).value();
}
} // namespace

TEST(CodePage, ConversionBothWays)
{
    const std::pair<const char*, const char*> both[] = {
        {"bécher", "b\xE9"
                   "cher"},
        {"€", "\x80"},
        {"œŸ’", "\x9C\x9F\x92"},
        {"\xC2\xA0ÿ", "\xA0\xFF"},
        {"\xC2\x81", "\x81"}, // an undefined byte keeps its C1 code point
    };
    for (const auto& [utf8, bytes] : both) {
        EXPECT_EQ(utf8ToCp1252(utf8), bytes) << utf8;
        EXPECT_EQ(cp1252ToUtf8(bytes), utf8) << utf8;
    }
    // No Windows-1252 form, or not UTF-8 at all: "?" each.
    const std::pair<const char*, const char*> lossy[] = {
        {"σ = 2", "? = 2"}, {"\xF0\x9F\x98\x80", "?"}, {"\xC2\x80", "?"},
        {"a\xC3", "a?"},    {"\xC0\xAF", "??"},        {"\xED\xA0\x80", "???"},
    };
    for (const auto& [utf8, bytes] : lossy)
        EXPECT_EQ(utf8ToCp1252(utf8), bytes) << utf8;

    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(RecordImage, DecodingRules)
{
    const std::string full = record("OMRIX") + record("") + record(std::string(126, 'x'));
    std::string tooLong = record("abc");
    tooLong[0] = 127;
    const std::tuple<const char*, std::string, std::int64_t, std::optional<std::string>> cases[] = {
        {"first record", full, 1, "OMRIX"},
        {"126 bytes", full, 3, std::string(126, 'x')},
        {"past the end", full, 4, ""},
        {"far past the end", full, 1'000'000'000'000LL, ""},
        {"empty file", "", 1, ""},
        {"last record ends after its text", record("OUI").substr(0, 5), 1, "OUI"},
        {"text cut short", record("OUI").substr(0, 4), 1, std::nullopt},
        {"length word cut", "\x03", 1, std::nullopt},
        {"length over 126", tooLong, 1, std::nullopt},
        {"record 0", full, 0, std::nullopt},
    };
    for (const auto& [name, image, number, expected] : cases)
        EXPECT_EQ(decodeRecord(image, number), expected) << name;
    EXPECT_EQ(record("NON"), std::string("\x03\x00NON", 5) + std::string(123, '\0'));
    EXPECT_FALSE(encodeRecord(std::string(127, 'a')));
}

TEST(RecordFileTest, WritesInPlaceAndNeverShortens)
{
    TempFolder dir;
    const std::string path = dir.file("a.dat");
    RecordFile file;
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
    EXPECT_TRUE(file.write(3, "école"));
    EXPECT_EQ(file.read(3), "école");
    EXPECT_EQ(file.read(1), "");
    // The limit counts bytes in the file: 126 accented letters fit, 127 bytes do not.
    std::string accents;
    for (int i = 0; i < 126; ++i)
        accents += "é";
    EXPECT_TRUE(file.write(2, accents));
    EXPECT_EQ(file.read(2), accents);
    EXPECT_FALSE(file.write(1, std::string(127, 'a')));
    EXPECT_TRUE(file.close());
    std::string bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 3u * 128u);
    EXPECT_EQ(bytes.substr(256, 7), std::string("\x05\x00\xE9"
                                                "cole",
                                                7));

    writeBytes(path, bytes + "tail");
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
    EXPECT_TRUE(file.write(1, "1"));
    EXPECT_TRUE(file.close());
    const std::string after = readBytes(path);
    EXPECT_EQ(after.substr(0, 128), record("1"));
    EXPECT_EQ(after.substr(128), bytes.substr(128) + "tail");
}

TEST(RecordFileTest, RefusedOpeningsCreateNothing)
{
    TempFolder dir;
    RecordFile file;
    EXPECT_FALSE(file.open(dir.file("missing.dat"), RecordFile::Mode::Read));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.dat")));
    EXPECT_FALSE(file.open(dir.path(), RecordFile::Mode::Read));
    EXPECT_FALSE(file.open(dir.path(), RecordFile::Mode::ReadWrite));
    EXPECT_FALSE(file.open("/dev/null", RecordFile::Mode::ReadWrite)) << "not a regular file";
    EXPECT_FALSE(file.open(dir.file("no/such.dat"), RecordFile::Mode::ReadWrite));
    writeBytes(dir.file("a.dat"), record("x"));
    ASSERT_TRUE(file.open(dir.file("a.dat"), RecordFile::Mode::Read));
    EXPECT_FALSE(file.write(1, "y")) << "opened for reading only";
}
