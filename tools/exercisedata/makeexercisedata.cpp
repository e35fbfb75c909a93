// Builds the exercises shipped with the program: the getting-started activity
// (duvrak.PEM, its text and its configuration) and the exercises of
// data/exercices (statements, corrections, configurations, ".E42" files).
//
//   titrage_make_exercise_data <data folder>
//
// The texts are written below in the light markup of exercises/core/textmarkup.h.

#include "config/core/configfile.h"
#include "exercises/core/exercisefile.h"
#include "exercises/core/richtext.h"
#include "exercises/core/textmarkup.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

using namespace titrage;

namespace {

bool writeText(const std::string& path, std::string_view source)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << writeRtf(markupText(source));
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
    int indicator = 0;
    // A mixture or a precipitation in the beaker; the texts above still give
    // its volumes and the burette's concentration.
    std::optional<Mixture> mixture = std::nullopt;
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
    s.listesit[2] = static_cast<std::int16_t>(b.indicator);
    s.optsit[1] = b.acid;
    s.optsit[4] = b.masked;
    s.mixture = b.mixture;
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
constexpr int kHydroxydeDeSodium = 8;
// Indicators in their list.
constexpr int kPhenolphtaleine = 3;
constexpr int kBleuDeBromothymol = 5;
constexpr int kRougeDeMethyle = 6;

Bench finished(Bench b)
{
    b.finished = true;
    return b;
}

// The statement's bench hides the concentration the student is to find.
Bench masked(Bench b)
{
    b.masked = true;
    return b;
}

// A beaker of up to three solutes and its titrant, for `mixtureBench`.
Mixture mixtureOf(MixTitrant titrant, std::initializer_list<MixSolute> solutes)
{
    Mixture m;
    m.titrant = titrant;
    for (const MixSolute& s : solutes)
        m.solutes[static_cast<std::size_t>(m.soluteCount++)] = s;
    return m;
}

// The bench for a mixture: volumes in mL and the burette's concentration as
// the boxes hold them.
Bench mixtureBench(const Mixture& m, const char* vBeaker, const char* water, const char* cBurette)
{
    Bench b;
    b.vBeaker = vBeaker;
    b.water = water;
    b.cBurette = cBurette;
    b.mixture = m;
    return b;
}

#include "exercisetexts.inc"

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const std::string data = argv[1];
    const std::string exoDir = data + "/exercices/";
    bool ok = true;

    // Every text below is checked against the bench: the values typed in these
    // configurations are the ones the entry boxes keep, and the figures of the
    // corrections are the ones the bench shows.
    const std::string& dir = exoDir;
    auto exo = [&](const std::string& name, std::string_view statement, std::string_view correction,
                   std::initializer_list<Bench> statementBench,
                   std::initializer_list<Bench> correctionBench, bool superpose,
                   std::initializer_list<const char*> records) {
        ok &= writeText(dir + name + ".RTF", statement);
        ok &= writeText(dir + name + "C.RTF", correction);
        ok &= writeConfig(dir + name + ".C16", statementBench, superpose);
        ok &= writeConfig(dir + name + "C.C16", correctionBench, superpose);
        const std::string files[4] = {name + ".RTF", name + ".C16", name + "C.RTF", name + "C.C16"};
        ExerciseFile file;
        for (int n = 0; n < 4; ++n)
            file.records[static_cast<std::size_t>(n)] = files[n];
        std::size_t n = 4;
        for (const char* record : records)
            file.records[n++] = record;
        ok &= writeExercise(dir + name + ".E42", file);
    };

    // Getting started: acide éthanoïque 0,01 mol/L, 20 mL, by soude 0,01 mol/L.
    const Bench ethanoique{true, kAcideEthanoique, "4,75", "0,01", "20,0", "0,0", "0,01"};
    ok &= writeText(data + "/PRISEMAIN.RTF", kPriseEnMain);
    ok &= writeConfig(data + "/PRISEMAIN.C16", {ethanoique});
    ok &= writeExercise(data + "/duvrak.PEM",
                        exercise({"PRISEMAIN.RTF", "PRISEMAIN.C16", "", "", "1", "",
                                  "Utilisation du simulateur", "Conductivité d'une solution",
                                  "Titrage d'un acide faible", "", "Prise en main", "1"}));

    // 1. Hydrochloric acid by sodium hydroxide: the V-shaped curve.
    const Bench hcl{true, kAcideChlorhydrique, "7,0", "0,01", "10,0", "90,0", "0,01"};
    exo("EXO1", kExo1, kExo1Correction, {masked(hcl)}, {finished(hcl)}, false,
        {"1", "", "Réaction acide fort - base forte", "Conductivités molaires ioniques",
         "Équivalence à l'intersection des droites", "", "Titrage de l'acide chlorhydrique", "1"});

    // 2. Ammonia by hydrochloric acid, then with water added.
    const Bench nh3{false, kAmmoniac, "7,0", "0,01", "20,0", "0,0", "0,01"};
    Bench nh3Diluted = nh3;
    nh3Diluted.water = "80,0";
    exo("EXO2", kExo2, kExo2Correction, {nh3}, {finished(nh3), finished(nh3Diluted)}, true,
        {"2", "", "Titrage d'une base faible", "Rôle de la dilution", "Ions spectateurs", "",
         "Titrage de l'ammoniac", "2"});

    // 3. A concentration drawn by the die: the statement's bench shows a value
    // that the student replaces by the draw; the correction shows one draw.
    const Bench methanoique{true, kAcideMethanoique, "7,0", "0,005", "20,0", "80,0", "0,01"};
    Bench drawn = methanoique;
    drawn.cBeaker = "0,006 2";
    exo("EXO3", kExo3, kExo3Correction, {methanoique}, {finished(drawn)}, false,
        {"2", "", "Concentration inconnue", "Concentration aléatoire", "Précision d'un titrage",
         "Rôle de l'eau ajoutée", "Une concentration tirée au hasard", "2"});

    // 4. Ethanoic acid, a weak acid, by sodium hydroxide.
    const Bench ethanoic4{true, kAcideEthanoique, "7,0", "0,01", "15,0", "85,0", "0,01"};
    exo("EXO4", kExo4, kExo4Correction, {ethanoic4}, {finished(ethanoic4)}, false,
        {"1", "", "Titrage d'un acide faible", "Acide fort, acide faible",
         "Conductivités molaires ioniques", "", "Titrage de l'acide éthanoïque", "1"});

    // 5. The same titration with three volumes of water, superposed.
    const Bench hcl5{true, kAcideChlorhydrique, "7,0", "0,01", "20,0", "0,0", "0,01"};
    Bench hcl5b = hcl5;
    hcl5b.water = "30,0";
    Bench hcl5c = hcl5;
    hcl5c.water = "180,0";
    exo("EXO5", kExo5, kExo5Correction, {hcl5, hcl5b, hcl5c},
        {finished(hcl5), finished(hcl5b), finished(hcl5c)}, true,
        {"1", "", "Rôle de l'eau ajoutée", "Dilution", "Superposition des courbes", "",
         "Effet de l'eau ajoutée", "2"});

    // 6. pH at equivalence and the choice of an indicator.
    const Bench acid6{true, kAcideEthanoique, "7,0", "0,01", "20,0", "0,0", "0,01"};
    const Bench base6{false, kAmmoniac, "7,0", "0,01", "20,0", "0,0", "0,01"};
    const Bench strong6{true, kAcideChlorhydrique, "7,0", "0,01", "20,0", "0,0", "0,01"};
    Bench acid6c = finished(acid6);
    acid6c.indicator = kPhenolphtaleine;
    Bench base6c = finished(base6);
    base6c.indicator = kRougeDeMethyle;
    Bench strong6c = finished(strong6);
    strong6c.indicator = kBleuDeBromothymol;
    exo("EXO6", kExo6, kExo6Correction, {acid6, base6, strong6}, {acid6c, base6c, strong6c}, false,
        {"2", "", "pH à l'équivalence", "Zone de virage d'un indicateur",
         "Acide faible, base faible", "", "Choisir un indicateur coloré", "2"});

    // 7. The distribution diagram and the pKa at half equivalence.
    exo("EXO7", kExo7, kExo7Correction, {acid6}, {finished(acid6)}, false,
        {"2", "", "Diagramme de distribution", "Demi-équivalence", "pKa d'un couple", "",
         "Diagramme de distribution et pKa", "2"});

    // 8. A strong and a weak acid of the same concentration, superposed.
    const Bench strong8{true, kAcideChlorhydrique, "7,0", "0,01", "20,0", "80,0", "0,01"};
    const Bench weak8{true, kAcideEthanoique, "7,0", "0,01", "20,0", "80,0", "0,01"};
    exo("EXO8", kExo8, kExo8Correction, {strong8, weak8}, {finished(strong8), finished(weak8)},
        true,
        {"2", "", "Acide fort, acide faible", "Superposition des courbes",
         "Conductivités molaires ioniques", "", "Deux acides de même concentration", "2"});

    // 9. Kohlrausch's law, ion by ion.
    exo("EXO9", kExo9, kExo9Correction, {strong6}, {finished(strong6)}, false,
        {"3", "", "Loi de Kohlrausch", "Conductivités molaires ioniques", "Concentrations des ions",
         "Interprétation des pentes", "Le rôle de chaque ion : loi de Kohlrausch", "3"});

    // 10. Sodium hydroxide, a strong base, by hydrochloric acid.
    const Bench soude{false, kHydroxydeDeSodium, "7,0", "0,006 1", "20,0", "80,0", "0,01"};
    exo("EXO10", kExo10, kExo10Correction, {masked(soude)}, {finished(soude)}, false,
        {"1", "", "Réaction acide fort - base forte", "Titrage d'une base forte",
         "Conductivités molaires ioniques", "", "Titrage d'une solution d'hydroxyde de sodium",
         "1"});

    // 11. The two lines fitted by least squares, on sigma and on the sigma
    // corrected for dilution; the student measures every 1 mL.
    const Bench lines{true, kAcideEthanoique, "7,0", "0,008", "15,0", "85,0", "0,01"};
    exo("EXO11", kExo11, kExo11Correction, {lines}, {finished(lines)}, false,
        {"3", "", "Méthode des droites", "Moindres carrés", "Correction de la dilution",
         "Incertitude sur le volume équivalent", "La méthode des droites", "3"});

    // 12. A calibration line, sigma = k.c, and an unknown concentration read on it.
    auto standard = [](const char* c) {
        return Bench{true, kAcideChlorhydrique, "7,0", c, "20,0", "0,0", "0,01"};
    };
    Bench unknown12 = standard("0,006 4");
    unknown12.masked = true;
    const Bench shown12 = standard("0,006 4");
    exo("EXO12", kExo12, kExo12Correction,
        {standard("0,001"), standard("0,002"), standard("0,005"), standard("0,01"), unknown12},
        {standard("0,001"), standard("0,002"), standard("0,005"), standard("0,01"), shown12}, false,
        {"1", "", "Loi de Kohlrausch", "Droite d'étalonnage", "Dosage par étalonnage", "",
         "Dosage par étalonnage", "1"});

    // 13. Ka of ethanoic acid from sigma at two concentrations.
    const Bench acid13a{true, kAcideEthanoique, "7,0", "0,01", "20,0", "0,0", "0,01"};
    const Bench acid13b{true, kAcideEthanoique, "7,0", "0,001", "20,0", "0,0", "0,01"};
    exo("EXO13", kExo13, kExo13Correction, {acid13a, acid13b}, {acid13a, acid13b}, false,
        {"2", "", "Acide faible", "Constante d'acidité", "Loi de Kohlrausch", "",
         "La constante d'acidité de l'acide éthanoïque", "2"});

    // 14. Choosing the titrant so that the equivalence falls between 10 and 20 mL.
    auto titrant = [](const char* cb) {
        return Bench{true, kAcideChlorhydrique, "7,0", "0,004", "20,0", "80,0", cb};
    };
    exo("EXO14", kExo14, kExo14Correction, {titrant("0,01"), titrant("0,005"), titrant("0,002")},
        {finished(titrant("0,01")), finished(titrant("0,005")), finished(titrant("0,002"))}, false,
        {"1", "", "Choix d'un protocole", "Volume à l'équivalence", "Méthode des droites", "",
         "Choisir la solution titrante", "2"});

    // 15 to 19: precipitations and mixtures, on the exact engine.
    const Bench serum = mixtureBench(
        mixtureOf(MixTitrant::SilverNitrate, {{MixSoluteKind::SodiumChloride, 0, 7, 0.0154}}),
        "10,0", "90,0", "0,01");
    exo("EXO15", kExo15, kExo15Correction, {masked(serum)}, {finished(serum)}, false,
        {"1", "", "Titrage par précipitation", "Conductivités molaires ioniques",
         "Méthode des droites", "Vérifier une étiquette", "Le chlorure d'un sérum physiologique",
         "1"});

    const Bench sulfate = mixtureBench(
        mixtureOf(MixTitrant::BariumChloride, {{MixSoluteKind::SodiumSulfate, 0, 7, 0.0123}}),
        "10,0", "90,0", "0,01");
    exo("EXO16", kExo16, kExo16Correction, {masked(sulfate)}, {finished(sulfate)}, false,
        {"2", "", "Titrage par précipitation", "Conductivités molaires ioniques",
         "Méthode des droites", "Vérifier une étiquette", "Les sulfates d'une eau minérale", "1"});

    const Bench sulfuric = mixtureBench(
        mixtureOf(MixTitrant::BariumHydroxide, {{MixSoluteKind::SulfuricAcid, 0, 7, 0.005}}),
        "20,0", "80,0", "0,01");
    exo("EXO17", kExo17, kExo17Correction, {masked(sulfuric)}, {finished(sulfuric)}, false,
        {"2", "", "Précipitation et réaction acide-base", "Stœchiométrie à l'équivalence",
         "Conductivités molaires ioniques", "", "L'acide sulfurique et l'hydroxyde de baryum",
         "1"});

    const Bench spiked =
        mixtureBench(mixtureOf(MixTitrant::SodiumHydroxide,
                               {{MixSoluteKind::CatalogueAcid, kAcideChlorhydrique, 7, 0.003},
                                {MixSoluteKind::CatalogueAcid, kAcideEthanoique, 7, 0.004}}),
                     "20,0", "80,0", "0,01");
    exo("EXO18", kExo18, kExo18Correction, {masked(spiked)}, {finished(spiked)}, false,
        {"3", "", "Mélange d'acides", "Acide fort, acide faible", "Deux ruptures de pente",
         "Vérifier une étiquette", "Un vinaigre additionné d'acide chlorhydrique", "2"});

    const Bench cola = mixtureBench(
        mixtureOf(MixTitrant::SodiumHydroxide, {{MixSoluteKind::PhosphoricAcid, 0, 7, 0.006}}),
        "10,0", "90,0", "0,01");
    exo("EXO19", kExo19, kExo19Correction, {masked(cola)}, {finished(cola)}, false,
        {"3", "", "Polyacide", "Deux ruptures de pente", "Méthode des droites", "",
         "L'acide phosphorique d'une boisson au cola", "2"});

    // 20. A vinegar's degree of acidity against its label, by the écart normalisé
    // on a realistic series.
    const Bench vinegar{true, kAcideEthanoique, "7,0", "0,01", "10,0", "90,0", "0,01"};
    exo("EXO20", kExo20, kExo20Correction, {masked(vinegar)}, {finished(vinegar)}, false,
        {"2", "", "Titrage d'un acide faible", "Degré d'acidité", "Écart normalisé",
         "Incertitude sur le volume équivalent", "L'acidité d'un vinaigre", "2"});

    // 21. The two monitorings of the same titrations: a strong acid, a weak
    // acid at 10^-3 mol/L, a precipitation.
    const Bench strong21{true, kAcideChlorhydrique, "7,0", "0,01", "20,0", "0,0", "0,01"};
    const Bench weak21{true, kAcideEthanoique, "7,0", "0,001", "20,0", "0,0", "0,001"};
    const Bench chloride21 = mixtureBench(
        mixtureOf(MixTitrant::SilverNitrate, {{MixSoluteKind::SodiumChloride, 0, 7, 0.01}}), "10,0",
        "90,0", "0,01");
    exo("EXO21", kExo21, kExo21Correction, {strong21, weak21, chloride21},
        {finished(strong21), finished(weak21), finished(chloride21)}, false,
        {"2", "", "Suivi pH-métrique", "Suivi conductimétrique", "Méthode des tangentes",
         "Méthode des droites", "Suivi pH-métrique ou suivi conductimétrique ?", "2"});

    if (!ok) std::fprintf(stderr, "some files could not be written\n");
    return ok ? 0 : 1;
}
