#include "app/core/exercisecommand.h"

#include "../config/tempfolder.h"
#include "../platform/smalldisk.h"
#include "config/core/configfile.h"
#include "exercises/core/exercisefile.h"
#include "exercises/core/richtext.h"

#include "commandrun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace titrage;
using titrage::testing::SmallDisk;
using titrage::testing::TempFolder;

namespace {

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string plainText(const RtfText& text)
{
    std::string all;
    for (const RtfParagraph& p : text.paragraphs) {
        for (const RtfRun& r : p.runs)
            all += r.text;
        all += '\n';
    }
    return all;
}

// A configuration whose first situation titrates 0,02 mol/L, concentration masked.
std::string sampleConfig()
{
    ConfigData data;
    data.masquer = true;
    data.sit[0].textesit[3] = "0,02";
    return *configImage(data);
}

} // namespace

TEST(ExerciseCommandTest, WritesAnExerciseTheProgramReads)
{
    TempFolder folder;
    writeFile(folder.file("vinaigre.txt"), "\xEF\xBB\xBF# Le vinaigre\r\n\r\nTitrer le vinaigre "
                                           "dilué par la soude à 0,1 mol·L^{−1}.\r\n");
    writeFile(folder.file("corrige.rtf"), writeRtf(RtfText{{RtfParagraph{}}, {}}));
    writeFile(folder.file("banc.C16"), sampleConfig());
    const CommandOutcome r = runExercise({"--nom",           "VINAIGRE",
                                          "--titre",         "Acidité d'un vinaigre",
                                          "--enonce",        folder.file("vinaigre.txt"),
                                          "--config-enonce", folder.file("banc.C16"),
                                          "--correction",    folder.file("corrige.rtf"),
                                          "--difficulte",    "2",
                                          "--notion",        "Titrage acide faible",
                                          "--notion",        "Écart normalisé",
                                          "--duree",         "3",
                                          "--dossier",       folder.path()});
    ASSERT_EQ(r.status, 0) << r.err;

    const auto exercise = readExercise(folder.file("VINAIGRE.E42"));
    ASSERT_TRUE(exercise);
    EXPECT_EQ(exercise->statement(), "VINAIGRE.RTF");
    EXPECT_EQ(exercise->statementConfig(), "VINAIGRE.C16");
    EXPECT_EQ(exercise->correction(), "VINAIGREC.RTF");
    EXPECT_EQ(exercise->correctionConfig(), "");
    EXPECT_EQ(exercise->title(), "Acidité d'un vinaigre");
    EXPECT_EQ(exercise->difficulty(), 2);
    EXPECT_EQ(exercise->hourglasses(), 3);
    EXPECT_EQ(exercise->notions(),
              (std::vector<std::string>{"Titrage acide faible", "Écart normalisé"}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("VINAIGREC.C16")));

    const auto statement = parseRtf(readFile(folder.file("VINAIGRE.RTF")));
    ASSERT_TRUE(statement);
    EXPECT_EQ(plainText(*statement),
              "Le vinaigre\n\nTitrer le vinaigre dilué par la soude à 0,1 mol·L−1.\n");
    EXPECT_EQ(readFile(folder.file("VINAIGRE.C16")), sampleConfig());
    EXPECT_EQ(readFile(folder.file("VINAIGREC.RTF")), readFile(folder.file("corrige.rtf")));
}

TEST(ExerciseCommandTest, RefusalsSayWhyAndWriteNothing)
{
    TempFolder folder;
    writeFile(folder.file("e.txt"), "Énoncé\n");
    writeFile(folder.file("faux.C16"), "pas une configuration");
    writeFile(folder.file("EXO.E42"), "ancien");
    const std::string e = folder.file("e.txt");
    const std::string d = folder.path();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--nom", "A", "--titre", "T", "--dossier", d}, "--enonce est obligatoire"},
        {{"--nom", "Été", "--titre", "T", "--enonce", e, "--dossier", d}, "lettres sans accent"},
        {{"--nom", "A", "--titre", " ", "--enonce", e, "--dossier", d}, "Donner un titre"},
        {{"--nom", "A", "--titre", "T", "--enonce", e, "--difficulte", "4", "--dossier", d},
         "de 0 à 3"},
        {{"--nom", "A", "--titre", "T", "--enonce", e, "--duree", "2,5"}, "nombre entier"},
        {{"--nom", "A", "--titre", "T", "--enonce", e, "--config-enonce", folder.file("faux.C16")},
         "pas une configuration"},
        {{"--nom", "A", "--titre", "T", "--enonce", folder.file("absent.txt")}, "introuvable"},
        {{"--nom", "EXO", "--titre", "T", "--enonce", e, "--dossier", d}, "contient déjà EXO.RTF"},
        {{"--nom", "A", "--titre", "T", "--enonce", e, "--dossier", folder.file("absent")},
         "n'existe pas"},
        {{"--nom", "A", "--titre", "T", "--enonce", e, "--formule"}, "valeur manquante"},
    };
    writeFile(folder.file("EXO.RTF"), "ancien");
    for (const auto& [args, expected] : cases) {
        const CommandOutcome r = runExercise(args);
        EXPECT_NE(r.status, 0) << expected;
        EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(folder.file("EXO.E42")), "ancien");
    EXPECT_EQ(readFile(folder.file("EXO.RTF")), "ancien");
    EXPECT_FALSE(std::filesystem::exists(folder.file("A.E42")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("A.RTF")));
    // --ecraser replaces the older exercise of the same name.
    EXPECT_EQ(
        runExercise({"--nom", "EXO", "--titre", "T", "--enonce", e, "--dossier", d, "--ecraser"})
            .status,
        0);
    EXPECT_EQ(readExercise(folder.file("EXO.E42"))->title(), "T");
}

TEST(ExerciseCommandTest, AFullDiskLeavesNoHalfMadeExercise)
{
    SmallDisk disk;
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root)";
    TempFolder sources;
    writeFile(sources.file("e.txt"), "Énoncé\n");
    disk.fill();
    const CommandOutcome r = runExercise({"--nom", "PLEIN", "--titre", "T", "--enonce",
                                          sources.file("e.txt"), "--dossier", disk.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("n'a pas été créé"), std::string::npos) << r.err;
    for (const char* name : {"PLEIN.RTF", "PLEIN.E42"})
        EXPECT_FALSE(std::filesystem::exists(disk.file(name))) << name;
}
