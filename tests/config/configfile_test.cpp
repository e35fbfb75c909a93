#include "config/core/configfile.h"

#include "platform/core/recordfile.h"
#include "sampleconfig.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::testing;

namespace {

void expectSameStoredFields(const ConfigData& a, const ConfigData& b)
{
    EXPECT_EQ(std::tie(a.masquer, a.check1, a.check2), std::tie(b.masquer, b.check1, b.check2));
    for (std::size_t k = 0; k < kSituations; ++k) {
        SCOPED_TRACE("situation " + std::to_string(k));
        EXPECT_EQ(a.sit[k].courbefinie, b.sit[k].courbefinie);
        for (std::size_t j = 0; j < 6; ++j)
            EXPECT_EQ(a.sit[k].textesit[j], b.sit[k].textesit[j]);
        EXPECT_EQ(a.sit[k].listesit, b.sit[k].listesit);
        EXPECT_EQ(a.sit[k].optsit, b.sit[k].optsit);
    }
}

std::string rec(std::string_view text)
{
    return encodeRecord(text).value();
}

} // namespace

TEST(ConfigFields, Encodings)
{
    const std::pair<const char*, bool> flags[] = {{"1", true},   {"0", false}, {" 1", false},
                                                  {"1 ", false}, {"", false},  {"true", false}};
    for (const auto& [text, value] : flags)
        EXPECT_EQ(decodeFlag(text), value) << '"' << text << '"';

    const std::pair<std::int16_t, const char*> written[] = {
        {0, " 0"}, {3, " 3"}, {-1, "-1"}, {32767, " 32767"}, {-32768, "-32768"}};
    for (const auto& [value, text] : written)
        EXPECT_EQ(encodeInt16(value), text);

    // The number that begins the text, "." as decimal point, halves to even.
    const std::pair<std::string, std::optional<std::int16_t>> read[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"\t 7", 7},
        {" 3", 3},
        {"-1", -1},
        {"12abc", 12},
        {"+5", 5},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {".7", 1},
        {"1,5", 1},
        {"1e2", 100},
        {"25e-1", 2},
        {"2e+", 2},
        {"32767", 32767},
        {"-32768.5", -32768},
        {"1e-400", 0},
        {"32767.5", std::nullopt},
        {"-32769", std::nullopt},
        {"1e400", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0." + std::string(400, '0') + "1", 0},
    };
    for (const auto& [text, value] : read)
        EXPECT_EQ(decodeInt16(text), value) << '"' << text.substr(0, 20) << '"';
}

TEST(ConfigFileTest, LayoutAndRoundTripOfTenSituations)
{
    TempFolder dir;
    const ConfigData d = tenSituations();
    const std::string path = dir.file("dix.C16");
    ASSERT_EQ(writeConfiguration(path, d), ConfigWriteStatus::Ok);
    const std::string image = readBytes(path);
    ASSERT_EQ(image.size(), 19712u);
    EXPECT_EQ(image, configImage(d).value());

    EXPECT_EQ(image.substr(0, 7), std::string("\x05\x00OMRIX", 7));
    EXPECT_EQ(image.substr(128, 3) + image.substr(256, 3) + image.substr(384, 3),
              std::string("\x01\x00"
                          "1"
                          "\x01\x00"
                          "0"
                          "\x01\x00"
                          "1",
                          9));
    // Situation 4 (k = 3): list indices -1 and 9 at bytes 1,408 + 1,920k on.
    EXPECT_EQ(decodeRecord(image, situationRecord(3, 1)), "4,3");
    EXPECT_EQ(image.substr(1408 + 3 * 1920, 4), std::string("\x02\x00-1", 4));
    EXPECT_EQ(image.substr(1536 + 3 * 1920, 4), std::string("\x02\x00 9", 4));
    EXPECT_EQ(decodeRecord(image, situationRecord(0, 6)), "\xE9"
                                                          "0")
        << "Windows-1252";
    EXPECT_EQ(image.find("not stored"), std::string::npos) << "textesit(6) is not saved";
    EXPECT_EQ(image.substr(153 * 128, 3), std::string("\x01\x00"
                                                      "1",
                                                      3))
        << "record 154";

    const ConfigRead read = readConfiguration(path);
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    expectSameStoredFields(read.data, d);

    // Saving what was read over a longer file: same records, its tail kept.
    const std::string tail(300, '\x7F');
    writeBytes(path, std::string(19712, 'z') + tail);
    ASSERT_EQ(writeConfiguration(path, read.data), ConfigWriteStatus::Ok);
    EXPECT_EQ(readBytes(path), image + tail);
}

TEST(ConfigFileTest, ReaderOutcomes)
{
    TempFolder dir;
    const ConfigData d = tenSituations();
    const std::string image = configImage(d).value();
    auto replaced = [&image](int n, const std::string& record) {
        return std::string(image).replace(static_cast<std::size_t>(n - 1) * 128, 128, record);
    };
    std::string badLength = rec("");
    badLength[0] = 127;
    const std::tuple<const char*, std::string, ConfigReadStatus, int> cases[] = {
        {"short file", image.substr(0, situationRecord(1, 3) * 128), ConfigReadStatus::Ok, 154},
        {"signature alone", std::string("\x05\x00OMRIX", 7), ConfigReadStatus::Ok, 154},
        {"empty file", "", ConfigReadStatus::BadSignature, 1},
        {"lower case", replaced(1, rec("OMRIx")), ConfigReadStatus::BadSignature, 1},
        {"trailing blank", replaced(1, rec("OMRIX ")), ConfigReadStatus::BadSignature, 1},
        {"another program's text", "Ce fichier n'est pas une configuration.",
         ConfigReadStatus::ReadFailed, 0},
        {"length over 126", replaced(situationRecord(2, 4), badLength),
         ConfigReadStatus::ReadFailed, situationRecord(2, 4) - 1},
        {"list index over 16 bits", replaced(situationRecord(4, 8), rec(" 40000")),
         ConfigReadStatus::ReadFailed, situationRecord(4, 8) - 1},
        {"text cut short", image.substr(0, 30 * 128 + 2), ConfigReadStatus::ReadFailed, 30},
    };
    for (const auto& [name, bytes, status, recordsRead] : cases) {
        SCOPED_TRACE(name);
        writeBytes(dir.file("f.C16"), bytes);
        for (const ConfigRead& read :
             {readConfiguration(dir.file("f.C16")), parseConfiguration(bytes)}) {
            EXPECT_EQ(read.status, status);
            EXPECT_EQ(read.recordsRead, recordsRead);
        }
    }
    // Past the end of a short file: empty texts, false flags, zero indices.
    const ConfigRead shortRead = parseConfiguration(image.substr(0, situationRecord(1, 3) * 128));
    EXPECT_EQ(shortRead.data.sit[1].textesit[2], d.sit[1].textesit[2]);
    EXPECT_EQ(shortRead.data.sit[1].textesit[3], "");
    EXPECT_EQ(shortRead.data.sit[9].listesit[2], 0);
    EXPECT_FALSE(shortRead.data.sit[9].optsit[3]);

    EXPECT_EQ(readConfiguration(dir.file("absent.C16")).status, ConfigReadStatus::OpenFailed);
    EXPECT_EQ(readConfiguration(dir.path()).status, ConfigReadStatus::OpenFailed);
}

TEST(ConfigFileTest, FailedWritesLeaveTheFileAlone)
{
    TempFolder dir;
    const std::string path = dir.file("garde.C16");
    writeBytes(path, "ancien");
    ConfigData d = tenSituations();
    d.sit[6].textesit[1] = std::string(127, '1');
    EXPECT_EQ(writeConfiguration(path, d), ConfigWriteStatus::TextTooLong);
    EXPECT_EQ(readBytes(path), "ancien") << "checked before the file is touched";

    d = tenSituations();
    EXPECT_EQ(writeConfiguration(dir.path(), d), ConfigWriteStatus::OpenFailed);
    EXPECT_EQ(writeConfiguration("/proc/titrage.C16", d), ConfigWriteStatus::OpenFailed);
}

TEST(SaveName, BuiltFromTheNameFieldAndTheDirectory)
{
    const std::tuple<const char*, const char*, const char*, std::optional<std::string>> cases[] = {
        {"  mesure.txt  ", "C:\\TP", "\\", "C:\\TP\\mesure.C16"},
        {"D:\\essais\\tp", "C:\\TP", "\\", "D:\\essais\\tp.C16"},
        {"tp", "C:\\", "\\", "C:\\tp.C16"},
        {"a.b.c", "C:\\TP", "\\", "C:\\TP\\a.C16"},
        {"mesure .txt", "/home/eleve", "/", "/home/eleve/mesure.C16"},
        {"sous/essai", "/home", "/", "sous/essai.C16"},
        // Only the file name loses its dots; folders keep theirs.
        {"D:\\essais.2\\tp", "C:\\TP", "\\", "D:\\essais.2\\tp.C16"},
        {"/home/jean.dupont/tp/mesure.C16", "/", "/", "/home/jean.dupont/tp/mesure.C16"},
        {"", "/home", "/", std::nullopt},
        {"     ", "/home", "/", std::nullopt},
        {".cache", "/home", "/", std::nullopt},
        {" . ", "/home", "/", std::nullopt},
        {"/home/eleve/", "/", "/", std::nullopt},
    };
    for (const auto& [typed, directory, separators, expected] : cases)
        EXPECT_EQ(saveFileName(typed, directory, separators), expected) << '"' << typed << '"';
}

namespace {

// Ten situations, three of them mixtures: a precipitation (no single couple
// titrates like it), two acids by soda (none either), a salt beside a weak
// acid (the acid alone titrates like it).
ConfigData withMixtures()
{
    ConfigData d = tenSituations();
    auto mixture = [](MixTitrant t, std::initializer_list<MixSolute> solutes) {
        Mixture m;
        m.titrant = t;
        for (const MixSolute& s : solutes)
            m.solutes[static_cast<std::size_t>(m.soluteCount++)] = s;
        return m;
    };
    d.sit[2].mixture =
        mixture(MixTitrant::SilverNitrate, {{MixSoluteKind::SodiumChloride, 0, 7, 0.0154}});
    d.sit[5].mixture =
        mixture(MixTitrant::SodiumHydroxide, {{MixSoluteKind::CatalogueAcid, 4, 7, 0.004},
                                              {MixSoluteKind::CatalogueAcid, 2, 7, 1.0 / 3000}});
    d.sit[7].mixture =
        mixture(MixTitrant::SodiumHydroxide, {{MixSoluteKind::SodiumChloride, 0, 7, 0.1},
                                              {MixSoluteKind::CatalogueAcid, 4, 7, 0.005}});
    return d;
}

bool sameMixture(const std::optional<Mixture>& a, const std::optional<Mixture>& b)
{
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    if (std::tie(a->soluteCount, a->titrant, a->ctitrant, a->vsol, a->veau) !=
        std::tie(b->soluteCount, b->titrant, b->ctitrant, b->vsol, b->veau))
        return false;
    for (int i = 0; i < a->soluteCount; ++i) {
        const MixSolute &x = a->solutes[std::size_t(i)], &y = b->solutes[std::size_t(i)];
        if (std::tie(x.kind, x.position, x.pka, x.c) != std::tie(y.kind, y.position, y.pka, y.c))
            return false;
    }
    return true;
}

// The slots of `read` against `expected`: those in `mixtures` whole, the
// others as the first part holds them.
void expectSlots(const ConfigRead& read, const ConfigData& expected, std::vector<int> mixtures)
{
    for (std::size_t k = 0; k < kSituations; ++k) {
        const bool whole = std::find(mixtures.begin(), mixtures.end(), int(k)) != mixtures.end();
        const Situation want = whole ? expected.sit[k] : singleCoupleApproximation(expected.sit[k]);
        const Situation& got = read.data.sit[k];
        SCOPED_TRACE("situation " + std::to_string(k));
        EXPECT_TRUE(sameMixture(got.mixture, want.mixture));
        EXPECT_EQ(got.courbefinie, want.courbefinie);
        for (std::size_t j = 0; j < 6; ++j)
            EXPECT_EQ(got.textesit[j], want.textesit[j]);
        EXPECT_EQ(got.listesit, want.listesit);
        EXPECT_EQ(got.optsit, want.optsit);
    }
}

} // namespace

TEST(MixtureFile, SavedWholeAfterTheRecordsOtherVersionsRead)
{
    TempFolder dir;
    const ConfigData d = withMixtures();
    const std::string path = dir.file("melanges.C16");
    ASSERT_EQ(writeConfiguration(path, d), ConfigWriteStatus::Ok);
    const std::string image = readBytes(path);
    ASSERT_EQ(image.size(), 19712u + 128u * (3 + 3 * kMixtureBlockRecords));
    EXPECT_EQ(decodeRecord(image, 155), kMixtureSignature);

    const ConfigRead read = readConfiguration(path);
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    EXPECT_EQ(read.mixtures, MixturePart::Read);
    expectSlots(read, d, {2, 5, 7});

    // What a version without mixtures reads: the 154 records, each mixture as
    // the single couple closest to it.
    const ConfigRead other = parseConfiguration(image.substr(0, 19712));
    EXPECT_EQ(other.mixtures, MixturePart::None);
    expectSlots(other, d, {});
    const Situation& acid = other.data.sit[7];
    EXPECT_EQ(std::tuple(acid.optsit[1], acid.listesit[1], acid.textesit[TextConcentration]),
              std::tuple(true, std::int16_t{4}, std::string("0,005")))
        << "the weak acid without its salt";
    EXPECT_EQ(other.data.sit[2].textesit, Situation{}.textesit) << "a precipitation: empty";
    EXPECT_EQ(other.data.sit[5].textesit, Situation{}.textesit) << "two acids: empty";

    // A save without mixtures over it drops its mixture part.
    ASSERT_EQ(writeConfiguration(path, tenSituations()), ConfigWriteStatus::Ok);
    EXPECT_EQ(readBytes(path), configImage(tenSituations()).value());
}

TEST(MixtureFile, ARewrittenOrDamagedPartLosesOnlyItsMixtures)
{
    const ConfigData d = withMixtures();
    const std::string image = configImage(d).value();
    auto record = [](int n) { return static_cast<std::size_t>(n - 1) * 128; };
    auto replaced = [&](int n, const std::string& bytes) {
        return std::string(image).replace(record(n), 128, bytes);
    };
    const int block0 = kMixtureFirstRecord + 3;
    std::string padded = rec(decodeRecord(image, situationRecord(0, 2)).value());
    padded[100] = 'x'; // another version's padding: the texts are the same
    std::string overLength = rec("");
    overLength[0] = 127;
    std::string oneByte = image;
    oneByte[record(block0 + 17) + 4] ^= 1; // in the first block's solute
    ConfigData implausible = d;
    implausible.sit[5].mixture->solutes[0].c = 5; // no bench takes 5 mol/L

    const std::tuple<const char*, std::string, MixturePart, std::vector<int>> cases[] = {
        {"first part rewritten elsewhere",
         replaced(situationRecord(0, 2), rec("0,02")),
         MixturePart::Stale,
         {}},
        {"rewritten with the same texts",
         replaced(situationRecord(0, 2), padded),
         MixturePart::Read,
         {2, 5, 7}},
        {"checksum record damaged",
         replaced(kMixtureFirstRecord + 1, rec("0000000")),
         MixturePart::Stale,
         {}},
        {"cut inside the second block",
         image.substr(0, record(block0 + 25) + 5),
         MixturePart::Damaged,
         {2}},
        {"one byte changed in the first block", oneByte, MixturePart::Damaged, {5, 7}},
        {"length word over 126 in the last block",
         replaced(block0 + 2 * 21 + 3, overLength),
         MixturePart::Damaged,
         {2, 5}},
        {"a mixture no bench makes",
         configImage(implausible).value(),
         MixturePart::Damaged,
         {2, 7}},
    };
    for (const auto& [name, bytes, part, mixtures] : cases) {
        SCOPED_TRACE(name);
        const ConfigRead read = parseConfiguration(bytes);
        ASSERT_EQ(read.status, ConfigReadStatus::Ok);
        EXPECT_EQ(read.recordsRead, kConfigRecords);
        EXPECT_EQ(read.mixtures, part);
        ConfigData expected = d;
        if (part == MixturePart::Stale)
            expected.sit[0].textesit[1] = decodeRecord(bytes, situationRecord(0, 2)).value();
        expectSlots(read, expected, mixtures);
    }
}
