#include "config/configfile.h"

#include "platform/recordfile.h"
#include "sampleconfig.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace titrage;
using titrage::testing::readBytes;
using titrage::testing::tenSituations;
using titrage::testing::TempFolder;
using titrage::testing::writeBytes;

namespace {

void expectSameStoredFields(const ConfigData& a, const ConfigData& b)
{
    EXPECT_EQ(a.masquer, b.masquer);
    EXPECT_EQ(a.check1, b.check1);
    EXPECT_EQ(a.check2, b.check2);
    for (std::size_t k = 0; k < kSituations; ++k) {
        SCOPED_TRACE("situation " + std::to_string(k));
        EXPECT_EQ(a.sit[k].courbefinie, b.sit[k].courbefinie);
        for (std::size_t j = 0; j < 6; ++j) EXPECT_EQ(a.sit[k].textesit[j], b.sit[k].textesit[j]);
        EXPECT_EQ(a.sit[k].listesit, b.sit[k].listesit);
        EXPECT_EQ(a.sit[k].optsit, b.sit[k].optsit);
    }
}

std::string rec(std::string_view text)
{
    return encodeRecord(text).value();
}

} // namespace

TEST(ConfigFields, Flags)
{
    const std::pair<const char*, bool> cases[] = {
        {"1", true}, {"0", false}, {" 1", false}, {"1 ", false}, {"", false},
        {"-1", false}, {"true", false}, {"11", false},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(decodeFlag(text), value) << '"' << text << '"';
    EXPECT_EQ(encodeFlag(true), "1");
    EXPECT_EQ(encodeFlag(false), "0");
}

TEST(ConfigFields, SixteenBitIntegersAreWrittenWithASignPosition)
{
    const std::pair<std::int16_t, const char*> cases[] = {
        {0, " 0"}, {3, " 3"}, {-1, "-1"}, {32767, " 32767"}, {-32768, "-32768"}, {120, " 120"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(encodeInt16(value), text);
        EXPECT_EQ(decodeInt16(text), value) << text;
    }
}

TEST(ConfigFields, SixteenBitIntegersAreReadLikeNumbers)
{
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"", 0}, {"   ", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"\t 7", 7}, {"12abc", 12},
        {"+5", 5}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"0.5", 0}, {"1.5", 2},
        {".7", 1}, {"1,5", 1}, {"1e2", 100}, {"1E+2", 100}, {"25e-1", 2}, {"1e", 1}, {"2e+", 2},
        {"32767.4", 32767}, {"-32768.5", -32768},
        {"32768", std::nullopt}, {"32767.5", std::nullopt}, {"-32769", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"1e400", std::nullopt}, {"1e-400", 0},
        {"0.0000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000001",
         0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(decodeInt16(text), value) << '"' << text << '"';
}

TEST(ConfigLayout, RecordsSitWhereTheMapSays)
{
    const ConfigData d = tenSituations();
    const std::string image = configImage(d).value();
    ASSERT_EQ(image.size(), 19712u);
    EXPECT_EQ(image.substr(0, 7), std::string("\x05\x00OMRIX", 7));
    EXPECT_EQ(decodeRecord(image, 2), "1");
    EXPECT_EQ(decodeRecord(image, 3), "0");
    EXPECT_EQ(decodeRecord(image, 4), "1");
    // Situation 4 (k = 3) starts at byte 512 + 3 x 1920.
    const std::size_t k3 = 512 + 3 * 1920;
    EXPECT_EQ(image.substr(k3, 3), std::string("\x01\x00" "0", 3));
    EXPECT_EQ(decodeRecord(image, situationRecord(3, 1)), "4,3");
    EXPECT_EQ(image.substr(1408 + 3 * 1920, 4), std::string("\x02\x00-1", 4));
    EXPECT_EQ(image.substr(1536 + 3 * 1920, 4), std::string("\x02\x00 9", 4));
    EXPECT_EQ(decodeRecord(image, situationRecord(3, 10)), "0");
    EXPECT_EQ(decodeRecord(image, situationRecord(3, 11)), "1");
    // Texts go in Windows-1252; textesit(6) is not stored.
    EXPECT_EQ(decodeRecord(image, situationRecord(0, 6)), "\xE9" "0");
    EXPECT_EQ(image.find("not stored"), std::string::npos);
    // The last record, 154, is optsit(4) of situation 10.
    EXPECT_EQ(situationRecord(9, 14), 154);
    EXPECT_EQ(image.substr(153 * 128, 3), std::string("\x01\x00" "1", 3));
}

TEST(ConfigFileTest, TenSituationsRoundTripByteForByte)
{
    TempFolder dir;
    const std::string path = dir.file("dix.C16");
    const ConfigData d = tenSituations();
    ASSERT_EQ(writeConfiguration(path, d), ConfigWriteStatus::Ok);
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes, configImage(d).value());

    const ConfigRead read = readConfiguration(path);
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    EXPECT_EQ(read.recordsRead, 154);
    expectSameStoredFields(read.data, d);

    // Saving what was read gives the same bytes again.
    const std::string again = dir.file("encore.C16");
    ASSERT_EQ(writeConfiguration(again, read.data), ConfigWriteStatus::Ok);
    EXPECT_EQ(readBytes(again), bytes);
}

TEST(ConfigFileTest, TextsOfEveryLengthUpTo126Survive)
{
    TempFolder dir;
    ConfigData d;
    std::string text;
    for (int k = 0; k < kSituations; ++k)
        for (int j = 0; j < 6; ++j) {
            const char* const last[] = {"œ", "€", " ", "é", ",", ".", "'", "\t"};
            text = std::string(static_cast<std::size_t>((k * 6 + j) * 126 / 59), 'a');
            if (!text.empty()) text.replace(text.size() - 1, 1, last[(k + j) % 8]);
            d.sit[static_cast<std::size_t>(k)].textesit[static_cast<std::size_t>(j)] = text;
        }
    // The last text uses its 126 bytes with two-byte UTF-8 letters.
    std::string accents;
    for (int i = 0; i < 126; ++i) accents += "à";
    d.sit[9].textesit[5] = accents;
    const std::string path = dir.file("t.C16");
    ASSERT_EQ(writeConfiguration(path, d), ConfigWriteStatus::Ok);
    const ConfigRead read = readConfiguration(path);
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    expectSameStoredFields(read.data, d);
}

TEST(ConfigFileTest, ShortAndLongFiles)
{
    TempFolder dir;
    const ConfigData d = tenSituations();
    const std::string image = configImage(d).value();

    // Cut after situation 2's poured volume: what follows reads as empty.
    const std::string path = dir.file("court.C16");
    const int lastKept = situationRecord(1, 3);
    writeBytes(path, image.substr(0, static_cast<std::size_t>(lastKept) * 128));
    ConfigRead read = readConfiguration(path);
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    EXPECT_EQ(read.recordsRead, 154);
    EXPECT_EQ(read.data.sit[1].textesit[2], d.sit[1].textesit[2]);
    EXPECT_EQ(read.data.sit[1].textesit[3], "");
    EXPECT_EQ(read.data.sit[1].listesit[2], 0);
    EXPECT_FALSE(read.data.sit[9].optsit[3]);
    EXPECT_FALSE(read.data.sit[9].courbefinie);

    // The signature alone, its record ending right after the text.
    writeBytes(path, std::string("\x05\x00OMRIX", 7));
    read = readConfiguration(path);
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    EXPECT_FALSE(read.data.masquer);
    EXPECT_EQ(read.data.sit[0].textesit[0], "");

    // Saving over a longer file keeps its tail; the reader never looks at it.
    const std::string tail(300, '\x7F');
    const std::string longer = dir.file("long.C16");
    writeBytes(longer, std::string(19712, 'z') + tail);
    ASSERT_EQ(writeConfiguration(longer, d), ConfigWriteStatus::Ok);
    EXPECT_EQ(readBytes(longer), image + tail);
    EXPECT_EQ(readConfiguration(longer).status, ConfigReadStatus::Ok);
}

TEST(ConfigFileTest, RefusedFiles)
{
    TempFolder dir;
    const std::string image = configImage(tenSituations()).value();
    std::string tooLong = image;
    tooLong[static_cast<std::size_t>(situationRecord(2, 4) - 1) * 128] = 127;
    std::string outOfRange = image;
    outOfRange.replace(static_cast<std::size_t>(situationRecord(4, 8) - 1) * 128, 8,
                       std::string("\x06\x00 40000", 8));
    std::string cut = image.substr(0, 30 * 128 + 4);
    cut[30 * 128] = 10;

    struct Case {
        const char* name;
        std::string bytes;
        ConfigReadStatus status;
        int recordsRead;
    };
    const Case cases[] = {
        {"empty file", "", ConfigReadStatus::BadSignature, 1},
        {"lower case", rec("OMRIx") + image.substr(128), ConfigReadStatus::BadSignature, 1},
        {"trailing blank", rec("OMRIX ") + image.substr(128), ConfigReadStatus::BadSignature, 1},
        {"another program's file", "Ce fichier n'est pas une configuration.",
         ConfigReadStatus::ReadFailed, 0},
        {"length over 126", tooLong, ConfigReadStatus::ReadFailed, situationRecord(2, 4) - 1},
        {"list index over 16 bits", outOfRange, ConfigReadStatus::ReadFailed,
         situationRecord(4, 8) - 1},
        {"text cut short", cut, ConfigReadStatus::ReadFailed, 30},
    };
    for (const Case& c : cases) {
        const std::string path = dir.file("f.C16");
        writeBytes(path, c.bytes);
        const ConfigRead read = readConfiguration(path);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.recordsRead, c.recordsRead) << c.name;
        const ConfigRead parsed = parseConfiguration(c.bytes);
        EXPECT_EQ(parsed.status, c.status) << c.name;
        EXPECT_EQ(parsed.recordsRead, c.recordsRead) << c.name;
    }

    EXPECT_EQ(readConfiguration(dir.file("absent.C16")).status, ConfigReadStatus::OpenFailed);
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent.C16")));
    EXPECT_EQ(readConfiguration(dir.path()).status, ConfigReadStatus::OpenFailed);
}

TEST(ConfigFileTest, OverlayKeepsWhatWasNotRead)
{
    const ConfigData d = tenSituations();
    const std::string image = configImage(d).value();
    std::string broken = image;
    const int failing = situationRecord(4, 2);
    broken[static_cast<std::size_t>(failing - 1) * 128] = static_cast<char>(200);
    const ConfigRead read = parseConfiguration(broken);
    ASSERT_EQ(read.status, ConfigReadStatus::ReadFailed);

    std::array<Situation, kSituations> situations{};
    for (auto& s : situations) s.textesit[6] = "0,5";
    overlaySituations(read, situations);
    EXPECT_EQ(situations[3].textesit, (std::array<std::string, 7>{d.sit[3].textesit[0], d.sit[3].textesit[1],
                                                             d.sit[3].textesit[2], d.sit[3].textesit[3],
                                                             d.sit[3].textesit[4], d.sit[3].textesit[5],
                                                             "0,5"}));
    EXPECT_EQ(situations[4].courbefinie, d.sit[4].courbefinie);
    EXPECT_EQ(situations[4].textesit[0], d.sit[4].textesit[0]);
    EXPECT_EQ(situations[4].textesit[1], "0,01") << "the failing record keeps its value";
    EXPECT_EQ(situations[9].listesit, (std::array<std::int16_t, 3>{0, 0, 0}));
    EXPECT_EQ(situations[9].optsit, Situation{}.optsit);
}

TEST(ConfigFileTest, FailedWritesLeaveTheFileAlone)
{
    TempFolder dir;
    const std::string path = dir.file("garde.C16");
    const std::string original = configImage(ConfigData{}).value();
    writeBytes(path, original);

    ConfigData d = tenSituations();
    d.sit[6].textesit[1] = std::string(127, '1');
    EXPECT_EQ(writeConfiguration(path, d), ConfigWriteStatus::TextTooLong);
    EXPECT_EQ(readBytes(path), original);

    d = tenSituations();
    EXPECT_EQ(writeConfiguration(dir.path(), d), ConfigWriteStatus::OpenFailed);
    EXPECT_EQ(writeConfiguration(dir.file("absent/x.C16"), d), ConfigWriteStatus::OpenFailed);
    EXPECT_EQ(writeConfiguration("/proc/titrage.C16", d), ConfigWriteStatus::OpenFailed);
    if (titrage::testing::permissionsApply()) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        EXPECT_EQ(writeConfiguration(path, d), ConfigWriteStatus::OpenFailed);
        EXPECT_EQ(readBytes(path), original);
    }
}

TEST(SaveName, BuiltFromTheNameFieldAndTheDirectory)
{
    struct Case {
        const char* typed;
        const char* directory;
        const char* separators;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"  mesure.txt  ", "C:\\TP", "\\", "C:\\TP\\mesure.C16"},
        // Dots in a folder's name stay: only the file name loses its extension.
        {"D:\\essais.2\\tp", "C:\\TP", "\\", "D:\\essais.2\\tp.C16"},
        {"D:\\essais.2\\tp.txt", "C:\\TP", "\\", "D:\\essais.2\\tp.C16"},
        {"/home/jean.dupont/tp/mesure.C16", "/", "/", "/home/jean.dupont/tp/mesure.C16"},
        {"/home/eleve/.cache", "/", "/", std::nullopt},
        {"/home/eleve/", "/", "/", std::nullopt},
        {"D:\\essais\\tp", "C:\\TP", "\\", "D:\\essais\\tp.C16"},
        {"tp", "C:\\", "\\", "C:\\tp.C16"},
        {"a.b.c", "C:\\TP", "\\", "C:\\TP\\a.C16"},
        {"mesure .txt", "C:\\TP", "\\", "C:\\TP\\mesure.C16"},
        {"mesure.C16", "/home/eleve", "/", "/home/eleve/mesure.C16"},
        {"titrage 1", "/", "/", "/titrage 1.C16"},
        {"/tmp/tp.2/essai", "/home", "/", "/tmp/tp.2/essai.C16"},
        {"sous/essai", "/home", "/", "sous/essai.C16"},
        {"", "/home", "/", std::nullopt},
        {"     ", "/home", "/", std::nullopt},
        {".cache", "/home", "/", std::nullopt},
        {" . ", "/home", "/", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(saveFileName(c.typed, c.directory, c.separators), c.expected) << '"' << c.typed << '"';
}
