// Builds the exercises shipped with the program: the getting-started activity
// (duvrak.PEM, its text and its configuration) and the exercises of
// data/exercices (statements, corrections, configurations, ".E42" files).
//
//   titrage_make_exercise_data <data folder>
//
// The texts are written below in a light markup turned into rich text:
//   a line starting with "# "  a centred blue title;
//   a line starting with "## " a blue bold heading;
//   **...**  bold, //...// italic, ^{...} raised, _{...} lowered;
//   an empty line             an empty paragraph.

#include "config/configfile.h"
#include "exercises/exercisefile.h"
#include "exercises/richtext.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

using namespace titrage;

namespace {

constexpr std::uint32_t kBlue = 0x0000C8;

RtfText markup(std::string_view source)
{
    RtfText text;
    std::size_t lineStart = 0;
    while (lineStart <= source.size()) {
        std::size_t lineEnd = source.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = source.size();
        std::string_view line = source.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;

        RtfParagraph p;
        RtfCharFormat base;
        if (line.substr(0, 2) == "# ") {
            line.remove_prefix(2);
            p.align = RtfAlign::Center;
            base.halfPoints = 32;
            base.bold = true;
            base.color = kBlue;
        } else if (line.substr(0, 3) == "## ") {
            line.remove_prefix(3);
            base.bold = true;
            base.halfPoints = 24;
            base.color = kBlue;
        }
        RtfCharFormat f = base;
        std::string run;
        auto flush = [&] {
            appendRun(p, run, f);
            run.clear();
        };
        for (std::size_t i = 0; i < line.size(); ++i) {
            const std::string_view rest = line.substr(i);
            if (rest.substr(0, 2) == "**") {
                flush();
                f.bold = !f.bold;
                ++i;
            } else if (rest.substr(0, 2) == "//") {
                flush();
                f.italic = !f.italic;
                ++i;
            } else if (rest.substr(0, 2) == "^{" || rest.substr(0, 2) == "_{") {
                flush();
                f.vertical = rest[0] == '^' ? RtfVertical::Super : RtfVertical::Sub;
                ++i;
            } else if (rest[0] == '}' && f.vertical != RtfVertical::Normal) {
                flush();
                f.vertical = RtfVertical::Normal;
            } else {
                run += rest[0];
            }
        }
        flush();
        text.paragraphs.push_back(std::move(p));
        if (lineEnd == source.size()) break;
    }
    return text;
}

bool writeText(const std::string& path, std::string_view source)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << writeRtf(markup(source));
    return static_cast<bool>(out);
}

struct Bench {
    bool acid = true;
    int solute = 0;          // position in the beaker list of its side
    const char* pKa = "7,0"; // the "other" solute's pKa box
    const char* cBeaker = "0,01";
    const char* vBeaker = "20,0";
    const char* water = "0,0";
    const char* cBurette = "0,01";
    bool masked = false;
    bool finished = false;
};

Situation situation(const Bench& b)
{
    Situation s;
    s.courbefinie = b.finished;
    s.textesit[0] = b.pKa;
    s.textesit[1] = b.cBurette;
    s.textesit[2] = b.finished ? "25,0" : "0,0";
    s.textesit[3] = b.cBeaker;
    s.textesit[4] = b.vBeaker;
    s.textesit[5] = b.water;
    s.listesit[1] = static_cast<std::int16_t>(b.solute);
    s.optsit[1] = b.acid;
    s.optsit[4] = b.masked;
    return s;
}

bool writeConfig(const std::string& path, std::initializer_list<Bench> benches,
                 bool superpose = false)
{
    ConfigData data;
    data.check1 = superpose;
    std::size_t k = 0;
    for (const Bench& b : benches)
        data.sit[k++] = situation(b);
    std::remove(path.c_str());
    return writeConfiguration(path, data) == ConfigWriteStatus::Ok;
}

ExerciseFile exercise(std::initializer_list<const char*> records)
{
    ExerciseFile file;
    std::size_t n = 0;
    for (const char* r : records)
        file.records[n++] = r;
    return file;
}

// Positions in the beaker lists (alphabetical, "autre" last).
constexpr int kAcideChlorhydrique = 2;
constexpr int kAcideEthanoique = 4;
constexpr int kAcideMethanoique = 7;
constexpr int kAmmoniac = 1;

#include "exercisetexts.inc"

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const std::string data = argv[1];
    const std::string exo = data + "/exercices/";
    bool ok = true;

    // Getting started: acide éthanoïque 0,010 mol/L, 20 mL, by soude 0,020 mol/L.
    const Bench ethanoique{true, kAcideEthanoique, "4,75", "0,01", "20,0", "0,0", "0,02"};
    ok &= writeText(data + "/PRISEMAIN.RTF", kPriseEnMain);
    ok &= writeConfig(data + "/PRISEMAIN.C16", {ethanoique});
    ok &= writeExercise(data + "/duvrak.PEM",
                        exercise({"PRISEMAIN.RTF", "PRISEMAIN.C16", "", "", "1", "",
                                  "Utilisation du simulateur", "Conductivité d'une solution",
                                  "Titrage d'un acide faible", "", "Prise en main", "1"}));

    // 1. Hydrochloric acid by sodium hydroxide: the V-shaped curve.
    const Bench hcl{true, kAcideChlorhydrique, "7,0", "0,01", "10,0", "90,0", "0,01"};
    Bench hclDone = hcl;
    hclDone.finished = true;
    ok &= writeText(exo + "EXO1.RTF", kExo1);
    ok &= writeText(exo + "EXO1C.RTF", kExo1Correction);
    ok &= writeConfig(exo + "EXO1.C16", {hcl});
    ok &= writeConfig(exo + "EXO1C.C16", {hclDone});
    ok &= writeExercise(
        exo + "EXO1.E42",
        exercise({"EXO1.RTF", "EXO1.C16", "EXO1C.RTF", "EXO1C.C16", "1", "",
                  "Réaction acide fort - base forte", "Conductivités molaires ioniques",
                  "Équivalence par les tangentes", "", "Titrage de l'acide chlorhydrique", "1"}));

    // 2. Ammonia by hydrochloric acid: a base in the beaker, two dilutions compared.
    const Bench nh3{false, kAmmoniac, "7,0", "0,02", "10,0", "0,0", "0,02"};
    Bench nh3Done = nh3;
    nh3Done.finished = true;
    Bench nh3Diluted = nh3Done;
    nh3Diluted.water = "90,0";
    ok &= writeText(exo + "EXO2.RTF", kExo2);
    ok &= writeText(exo + "EXO2C.RTF", kExo2Correction);
    ok &= writeConfig(exo + "EXO2.C16", {nh3});
    ok &= writeConfig(exo + "EXO2C.C16", {nh3Done, nh3Diluted}, true);
    ok &= writeExercise(exo + "EXO2.E42",
                        exercise({"EXO2.RTF", "EXO2.C16", "EXO2C.RTF", "EXO2C.C16", "2", "",
                                  "Titrage d'une base faible", "Rôle de la dilution",
                                  "Ions spectateurs", "", "Titrage de l'ammoniac", "2"}));

    // 3. An unknown concentration of methanoic acid, hidden on the bench; no correction.
    const Bench methanoique{true, kAcideMethanoique, "3,75", "0,015", "20,0", "80,0", "0,05", true};
    ok &= writeText(exo + "EXO3.RTF", kExo3);
    ok &= writeConfig(exo + "EXO3.C16", {methanoique});
    ok &= writeExercise(exo + "EXO3.E42",
                        exercise({"EXO3.RTF", "EXO3.C16", "", "", "3", "", "Concentration inconnue",
                                  "Choix du volume d'eau ajouté", "Précision d'un titrage", "",
                                  "Un vinaigre de fourmis ?", "3"}));

    if (!ok) std::fprintf(stderr, "some files could not be written\n");
    return ok ? 0 : 1;
}
