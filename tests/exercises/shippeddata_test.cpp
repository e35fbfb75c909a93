// The exercises shipped in data/: their configurations hold only values the
// bench's entry boxes keep as they are, and every figure their corrections
// give is the one the bench shows for the exercise's own configuration.

#include "bench/core/benchstate.h"
#include "config/core/configfile.h"
#include "exercises/core/exercisefile.h"
#include "exercises/core/richtext.h"
#include "graph/core/constructions.h"
#include "graph/core/curvereadout.h"
#include "model/curve.h"
#include "model/entryvalidation.h"
#include "model/linebreaks.h"
#include "model/linefit.h"
#include "model/measurement.h"
#include "model/mixturebench.h"
#include "model/montecarlo.h"
#include "model/scatter.h"
#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace titrage;
namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(TITRAGE_SOURCE_DIR) / "data";

std::vector<fs::path> filesWithExtension(const std::string& extension)
{
    std::vector<fs::path> out;
    for (const auto& entry : fs::recursive_directory_iterator(kData))
        if (entry.path().extension() == extension) out.push_back(entry.path());
    std::sort(out.begin(), out.end());
    return out;
}

// The text of an RTF file, one string per paragraph or table cell.
std::vector<std::string> textLines(const fs::path& path, RtfText* keep = nullptr)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::optional<RtfText> text = parseRtf(bytes.str());
    EXPECT_TRUE(text) << path;
    if (!text) return {};
    if (keep) *keep = *text;
    // Typography aside: a non-breaking space reads as a space, the minus sign
    // as a hyphen, so that phrases are compared on their words and figures.
    auto plain = [](const RtfParagraph& p) {
        std::string s;
        for (const RtfRun& r : p.runs)
            s += r.text;
        for (const auto& [from, to] : {std::pair{"\u00a0", " "}, std::pair{"\u2212", "-"}})
            for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at))
                s.replace(at, std::string(from).size(), to);
        return s;
    };
    std::vector<std::string> lines;
    for (const RtfParagraph& p : text->paragraphs) {
        if (p.table < 0) {
            lines.push_back(plain(p));
            continue;
        }
        for (const RtfTableRow& row : text->tables[static_cast<std::size_t>(p.table)].rows)
            for (const RtfTableCell& cell : row.cells)
                for (const RtfParagraph& q : cell.paragraphs)
                    lines.push_back(plain(q));
    }
    return lines;
}

bool contains(const std::vector<std::string>& lines, std::string phrase)
{
    // Compared as textLines gives them: typography aside.
    for (const auto& [from, to] : {std::pair{"\u00a0", " "}, std::pair{"\u2212", "-"}})
        for (std::size_t at = phrase.find(from); at != std::string::npos;
             at = phrase.find(from, at))
            phrase.replace(at, std::string(from).size(), to);
    for (const std::string& line : lines)
        if (line.find(phrase) != std::string::npos) return true;
    return false;
}

TEST(ShippedData, ConfigurationsHoldValuesTheBenchKeeps)
{
    const std::vector<fs::path> files = filesWithExtension(".C16");
    EXPECT_GE(files.size(), 23u);
    struct Box {
        int box;
        int text;
    };
    constexpr Box kBoxes[] = {{BoxPka, 0},           {BoxBurette, 1}, {BoxPoured, 2},
                              {BoxConcentration, 3}, {BoxVsol, 4},    {BoxWater, 5}};
    for (const fs::path& path : files) {
        const ConfigRead read = readConfiguration(path.string());
        ASSERT_EQ(read.status, ConfigReadStatus::Ok) << path;
        for (int k = 0; k < kSituations; ++k) {
            const Situation& s = read.data.sit[static_cast<std::size_t>(k)];
            SCOPED_TRACE(path.filename().string() + ", situation " + std::to_string(k + 1));
            for (const Box& b : kBoxes) {
                const std::string& text = s.textesit[static_cast<std::size_t>(b.text)];
                const ValidatedEntry v = validateEntry(b.box, text, s.textesit[4], s.textesit[5]);
                EXPECT_EQ(v.text, text) << "box " << b.box;
                EXPECT_FALSE(v.notice) << "box " << b.box << ": " << v.notice->text;
            }
            EXPECT_TRUE(s.listesit[1] >= 0 && s.listesit[1] < kListEntries);
            EXPECT_TRUE(s.listesit[2] >= 0 && s.listesit[2] <= 9);
            // A statement may mask the concentration the student is to find;
            // a correction shows what its text works with.
            if (path.stem().string().back() == 'C') EXPECT_FALSE(s.optsit[4]);
        }
        EXPECT_FALSE(read.data.masquer);
    }
}

TEST(ShippedData, TenExercisesWithStatementCorrectionAndRecords)
{
    const std::vector<fs::path> files = filesWithExtension(".E42");
    EXPECT_GE(files.size(), 11u);
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::optional<ExerciseFile> file = readExercise(path.string());
        ASSERT_TRUE(file);
        for (int n = 1; n <= 4; ++n)
            EXPECT_TRUE(fs::is_regular_file(path.parent_path() / file->record(n)))
                << file->record(n);
        EXPECT_TRUE(file->corrected());
        EXPECT_GE(file->difficulty(), 1);
        EXPECT_LE(file->difficulty(), 3);
        EXPECT_GE(file->notions().size(), 2u);
        EXPECT_FALSE(file->title().empty());
        EXPECT_GE(file->hourglasses(), 1);
    }
}

// The die draws the unknown concentration: the statement's bench holds
// another value, unmasked so that the die can be used; the correction's bench
// shows the draw its text works with.
TEST(ShippedData, UnknownConcentrationIsNotInTheStatementsBench)
{
    const ConfigRead statement = readConfiguration((kData / "exercices/EXO3.C16").string());
    const ConfigRead correction = readConfiguration((kData / "exercices/EXO3C.C16").string());
    ASSERT_EQ(statement.status, ConfigReadStatus::Ok);
    ASSERT_EQ(correction.status, ConfigReadStatus::Ok);
    EXPECT_NE(statement.data.sit[0].textesit[3], correction.data.sit[0].textesit[3]);
    const std::vector<std::string> lines = textLines(kData / "exercices/EXO3.RTF");
    EXPECT_TRUE(contains(lines, "Concentration aléatoire"));
    EXPECT_FALSE(contains(lines, "6,2"));
}

enum class Quantity {
    Veq,
    Sigma,
    Ph,
    PhAtVeq,
    Concentration,
    Crossing,
    TwoLines,          // the lines fitted on the table measured every `volume` mL
    TwoLinesCorrected, // the same on sigma corrected for dilution
    LinesVeq,          // Véq by the lines to 0,1 mL, the same with and without the correction
    TangentPh,         // the pH at E that "Méthode des tangentes" shows
    TangentPoint,      // its whole point E, "Véq = … ; pH = …"
    // On the realistic series of `seed`, measured every `volume` mL, corrected:
    RealisticLines, // Véq with u and U
    NormalisedGap,  // |Véq - VE| / u(Véq), from the figures as printed
    MonteCarlo      // the status line of "Incertitude par Monte-Carlo"
};

struct Figure {
    const char* file; // a text of data/exercices, checked with the configuration of the same name
    int situation;
    Quantity quantity;
    double volume;
    const char* phrase; // how the text gives it, "#" standing for the figure
    const char* figure;
    std::uint64_t seed = 0; // of the realistic series
};

std::string comma(std::string s)
{
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

// What the bench shows for a figure of a correction.
std::string benchFigure(const Situation& s, Quantity q, double volume, std::uint64_t seed = 0)
{
    Model model;
    initcatalogue(model);
    BenchEntries e;
    e.acide = s.optsit[1];
    e.position = s.listesit[1];
    e.c = parseFloat(s.textesit[3]);
    e.cburette = parseFloat(s.textesit[1]);
    e.vsol = parseFloat(s.textesit[4]);
    e.veau = parseFloat(s.textesit[5]);
    e.vverse = 0.0f;
    measure(model, e);
    const double veq = model.veq;
    char buf[64];
    switch (q) {
    case Quantity::Veq:
        std::snprintf(buf, sizeof buf, "%.1f", veq);
        return comma(buf);
    case Quantity::Concentration: {
        // The beaker's concentration from the equivalence: C = Cb.Veq / Vsol.
        const double c = roundSignificant(static_cast<double>(*e.cburette) * veq / *e.vsol, 2);
        const int exponent = static_cast<int>(std::floor(std::log10(c)));
        std::snprintf(buf, sizeof buf, "%.1f × 10%d", c / std::pow(10.0, exponent), exponent);
        return comma(buf);
    }
    case Quantity::Sigma:
        e.vverse = static_cast<float>(volume);
        measure(model, e);
        return conductimeterText(model.sigma);
    case Quantity::Ph:
    case Quantity::PhAtVeq:
        e.vverse = static_cast<float>(q == Quantity::Ph ? volume : veq);
        std::snprintf(buf, sizeof buf, "%.2f", measure(model, e));
        return comma(buf);
    case Quantity::TwoLines:
    case Quantity::TwoLinesCorrected: {
        std::vector<FitPoint> points;
        for (const TableRow& row : tabulate(model, e, static_cast<int>(std::lround(volume * 10))))
            points.push_back({row.v, row.sigma});
        TwoLineOptions options;
        options.correctDilution = q == Quantity::TwoLinesCorrected;
        options.v0 = static_cast<double>(*e.vsol) + *e.veau;
        const TwoLines fit = fitTwoLines(points, options);
        return fit.found() ? veqConstructionText(fit.veq) : "none";
    }
    case Quantity::RealisticLines:
    case Quantity::NormalisedGap:
    case Quantity::MonteCarlo: {
        std::vector<TableRow> rows = tabulate(model, e, static_cast<int>(std::lround(volume * 10)));
        scatterRows(model, e.sigmaInputs(), rows, ScatterSeries(seed));
        std::vector<FitPoint> points;
        for (const TableRow& row : rows)
            points.push_back({row.v, row.sigma});
        TwoLineOptions options;
        options.v0 = static_cast<double>(*e.vsol) + *e.veau;
        const TwoLines fit = fitTwoLines(points, options);
        if (!fit.found()) return "none";
        const VeqUncertainty u = veqUncertainty(fit, buretteUncertainty(ScatterModel{}, fit.veq));
        if (q == Quantity::RealisticLines) return veqMeasuredText(fit.veq, u);
        if (q == Quantity::NormalisedGap) {
            const double shownVeq = std::round(fit.veq * 100) / 100;
            const double shownU = roundSignificant(u.u, 2);
            std::snprintf(buf, sizeof buf, "|%.2f − %.1f| / %.2f = %.1f", shownVeq, veq, shownU,
                          std::fabs(shownVeq - veq) / shownU);
            return comma(buf);
        }
        MonteCarloOptions mc;
        mc.seed = seed;
        mc.v0 = options.v0;
        return monteCarloText(monteCarloVeq(points, fit.ranges, mc));
    }
    case Quantity::TangentPh:
    case Quantity::TangentPoint: {
        const TangentConstruction t = tangente(model, e.acide);
        if (t.outcome != TangentOutcome::Complete) return "none";
        const std::string shown = tangentPointText(t.veq, t.phE);
        if (q == Quantity::TangentPoint) return shown;
        return shown.substr(shown.find("pH = ") + std::string("pH = ").size());
    }
    case Quantity::LinesVeq: {
        std::vector<FitPoint> points;
        for (const TableRow& row : tabulate(model, e, static_cast<int>(std::lround(volume * 10))))
            points.push_back({row.v, row.sigma});
        std::string found[2];
        for (int corrected = 0; corrected < 2; ++corrected) {
            TwoLineOptions options;
            options.correctDilution = corrected == 1;
            options.v0 = static_cast<double>(*e.vsol) + *e.veau;
            const TwoLines fit = fitTwoLines(points, options);
            std::snprintf(buf, sizeof buf, "%.1f", fit.veq);
            found[corrected] = fit.found() ? comma(buf) : "none";
        }
        return found[0] == found[1] ? found[0] : found[0] + " / " + found[1];
    }
    case Quantity::Crossing: {
        loadModel(model, e);
        std::vector<DistributionVertex> points;
        walkDistribution(model, e.acide, points);
        for (std::size_t i = 1; i < points.size(); ++i)
            if ((points[i - 1].acidFraction - 0.5) * (points[i].acidFraction - 0.5) <= 0)
                return std::to_string(static_cast<int>(std::lround(points[i].v)));
        return "none";
    }
    }
    return {};
}

class CorrectionFigures : public ::testing::TestWithParam<Figure> {};

TEST_P(CorrectionFigures, AreWhatTheBenchShows)
{
    const Figure& f = GetParam();
    const fs::path text = kData / "exercices" / f.file;
    fs::path config = text;
    config.replace_extension(".C16");
    const ConfigRead read = readConfiguration(config.string());
    ASSERT_EQ(read.status, ConfigReadStatus::Ok) << config;
    const Situation& s = read.data.sit[static_cast<std::size_t>(f.situation)];
    EXPECT_EQ(benchFigure(s, f.quantity, f.volume, f.seed), f.figure);

    std::string phrase = f.phrase;
    phrase.replace(phrase.find('#'), 1, f.figure);
    EXPECT_TRUE(contains(textLines(text), phrase)) << phrase;
}

using Q = Quantity;
INSTANTIATE_TEST_SUITE_P(
    Shipped, CorrectionFigures,
    ::testing::Values(
        Figure{"EXO1C.RTF", 0, Q::Sigma, 0, "Avant tout ajout, σ = # S", "0,0426"},
        Figure{"EXO1C.RTF", 0, Q::Sigma, 10, "V = 10,0 mL, σ = # S", "0,0115"},
        Figure{"EXO1C.RTF", 0, Q::Veq, 0, "VE = # mL", "10,0"},
        Figure{"EXO1C.RTF", 0, Q::Concentration, 0, "CA = CB · VE / VA = # mol", "1,0 × 10-2"},
        Figure{"EXO2C.RTF", 0, Q::Sigma, 0, "σ = # S · m-1 avant", "0,0106"},
        Figure{"EXO2C.RTF", 0, Q::Veq, 0, "VE = CB · VB / CA = # mL", "20,0"},
        Figure{"EXO2C.RTF", 0, Q::Sigma, 20, "à l'équivalence σ = # S", "0,075"},
        Figure{"EXO2C.RTF", 1, Q::Sigma, 0, "80,0 mL d'eau, σ = # S", "0,00462"},
        Figure{"EXO2C.RTF", 1, Q::Sigma, 20, "et σ = # S · m-1 à l'équivalence", "0,025"},
        Figure{"EXO2C.RTF", 1, Q::Veq, 0, "(VE = # mL)", "20,0"},
        Figure{"EXO3C.RTF", 0, Q::Sigma, 0, "σ = # S · m-1 avant tout ajout", "0,0157"},
        Figure{"EXO3C.RTF", 0, Q::Sigma, 8, "# S · m-1 pour V = 8,0 mL", "0,0107"},
        Figure{"EXO3C.RTF", 0, Q::Sigma, 12, "(# S · m-1 pour V = 12,0 mL)", "0,0114"},
        Figure{"EXO3C.RTF", 0, Q::LinesVeq, 0.5, "se coupent vers VE = # mL, avec ou sans", "12,3"},
        Figure{"EXO3C.RTF", 0, Q::Concentration, 0, "valeur affichée par le simulateur, # mol",
               "6,2 × 10-3"},
        Figure{"EXO4C.RTF", 0, Q::Sigma, 0, "Avant tout ajout, σ = # S", "0,00604"},
        Figure{"EXO4C.RTF", 0, Q::Veq, 0, "VE = # mL. ", "15,0"},
        Figure{"EXO4C.RTF", 0, Q::Sigma, 2, "(σ = # S · m-1 pour V = 2,0 mL)", "0,00482"},
        Figure{"EXO4C.RTF", 0, Q::Sigma, 15, "À l'équivalence σ = # S", "0,0119"},
        Figure{"EXO4C.RTF", 0, Q::Sigma, 25, "V = 25,0 mL, σ = # S", "0,0308"},
        Figure{"EXO4C.RTF", 0, Q::Concentration, 0, "CA = CB · VE / VA = # mol", "1,0 × 10-2"},
        Figure{"EXO5C.RTF", 0, Q::Sigma, 0, "σ = # S · m-1 sans eau", "0,426"},
        Figure{"EXO5C.RTF", 1, Q::Sigma, 0, "σ = # S · m-1 avec 30,0 mL", "0,17"},
        Figure{"EXO5C.RTF", 2, Q::Sigma, 0, "σ = # S · m-1 avec 180,0 mL", "0,0426"},
        Figure{"EXO5C.RTF", 0, Q::Veq, 0, "VE = # mL", "20,0"},
        Figure{"EXO5C.RTF", 1, Q::Veq, 0, "VE = # mL", "20,0"},
        Figure{"EXO5C.RTF", 2, Q::Veq, 0, "VE = # mL", "20,0"},
        Figure{"EXO6C.RTF", 0, Q::Veq, 0, "VE = C · V / C' = # mL", "20,0"},
        Figure{"EXO6C.RTF", 0, Q::TangentPh, 0, "pHE = #", "8,23"},
        Figure{"EXO6C.RTF", 1, Q::TangentPh, 0, "pHE = #", "5,75"},
        Figure{"EXO6C.RTF", 2, Q::TangentPh, 0, "pHE = #", "7,00"},
        Figure{"EXO7C.RTF", 0, Q::Veq, 0, "VE = # mL", "20,0"},
        Figure{"EXO7C.RTF", 0, Q::Crossing, 0, "se coupent vers V = # mL", "10"},
        Figure{"EXO7C.RTF", 0, Q::Ph, 10, "V = 10,0 mL, on lit pH = #", "4,75"},
        Figure{"EXO8C.RTF", 0, Q::Sigma, 0, "σ = # S · m-1 pour l'acide chlorhydrique", "0,0852"},
        Figure{"EXO8C.RTF", 1, Q::Sigma, 0, "σ = # S · m-1 pour l'acide éthanoïque", "0,00703"},
        Figure{"EXO8C.RTF", 0, Q::Veq, 0, "VE = # mL", "20,0"},
        Figure{"EXO8C.RTF", 1, Q::Veq, 0, "VE = # mL", "20,0"},
        Figure{"EXO8C.RTF", 0, Q::Sigma, 20, "À l'équivalence σ = # S", "0,0211"},
        Figure{"EXO8C.RTF", 1, Q::Sigma, 20, "contre σ = # S · m-1 (Na+", "0,0152"},
        Figure{"EXO8C.RTF", 0, Q::Sigma, 25, "V = 25,0 mL, σ = # S", "0,0301"},
        Figure{"EXO8C.RTF", 1, Q::Sigma, 25, "contre σ = # S · m-1 : l'écart", "0,0245"},
        Figure{"EXO9C.RTF", 0, Q::Sigma, 0, "× 10 = # S", "0,426"},
        Figure{"EXO9C.RTF", 0, Q::Veq, 0, "VE = CA · VA / CB = # mL", "20,0"},
        Figure{"EXO9C.RTF", 0, Q::Sigma, 20, "× 5,0 = # S", "0,0632"},
        Figure{"EXO9C.RTF", 0, Q::Sigma, 25, "d'où σ = # S", "0,0837"},
        Figure{"EXO10C.RTF", 0, Q::Sigma, 0, "Avant tout ajout, σ = # S", "0,0303"},
        Figure{"EXO10C.RTF", 0, Q::Veq, 0, "VE = # mL", "12,2"},
        Figure{"EXO10C.RTF", 0, Q::Sigma, 12.2, "à l'équivalence σ = # S", "0,0137"},
        Figure{"EXO10C.RTF", 0, Q::Concentration, 0, "CB = CA · VE / VB = # mol", "6,1 × 10-3"},
        Figure{"EXO11C.RTF", 0, Q::TwoLines, 1, "l'équivalence donnent « # »",
               "Véq = 11,89 mL par les droites, courbe théorique"},
        Figure{"EXO11C.RTF", 0, Q::TwoLinesCorrected, 1, "une construction, « # », sans",
               "Véq = 11,94 mL par les droites, courbe théorique"},
        Figure{"EXO11C.RTF", 0, Q::RealisticLines, 1, "pour la graine 2025, #.",
               "Véq = 11,86 mL ; u(Véq) = 0,11 mL ; U(Véq) (95 %) = 0,22 mL", 2025},
        Figure{"EXO11C.RTF", 0, Q::NormalisedGap, 1, "Écart normalisé : # : inférieur à 2",
               "|11,86 − 12,0| / 0,11 = 1,3", 2025},
        Figure{"EXO11C.RTF", 0, Q::MonteCarlo, 1, "La ligne d'état affiche « # »",
               "Monte-Carlo, 1000 tirages : Véq moyen = 11,86 mL, écart-type 0,08 mL", 2025},
        Figure{"EXO11C.RTF", 0, Q::Veq, 0, "avec VE = # mL", "12,0"},
        Figure{"EXO11C.RTF", 0, Q::Concentration, 0, "CA = CB · VE / VA = # mol", "8,0 × 10-3"}),
    [](const auto& info) {
        const std::string file = info.param.file;
        return file.substr(0, file.find('.')) + "_" + std::to_string(info.index);
    });

// The activities where the student computes from what she reads: each
// figure of the correction is worked out here from the conductimeter's
// readings and the lines tool, as she would.
TEST(ShippedData, ActivitiesWorkedFromTheReadings)
{
    auto situations = [](const char* name) {
        return readConfiguration((kData / "exercices" / name).string()).data.sit;
    };
    auto sci = [](double x, int digits) {
        const int exponent = static_cast<int>(std::floor(std::log10(x)));
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f × 10-%d", digits - 1, x / std::pow(10.0, exponent),
                      -exponent);
        return comma(buf);
    };
    auto says = [](const char* file, const std::string& phrase) {
        EXPECT_TRUE(contains(textLines(kData / "exercices" / file), phrase))
            << file << ": " << phrase;
    };

    // Calibration: k from the largest standard, the unknown read on the line.
    const auto cal = situations("EXO12.C16");
    std::vector<std::string> read;
    for (int k = 0; k < 5; ++k)
        read.push_back(benchFigure(cal[std::size_t(k)], Quantity::Sigma, 0));
    says("EXO12C.RTF", "indique σ = " + read[0] + ", " + read[1] + ", " + read[2] + " et " +
                           read[3] + " S · m-1 pour les quatre étalons, et σ = " + read[4] + " S");
    const double k = parseNumber(read[3]).value() / parseNumber(cal[3].textesit[3]).value();
    char kText[16];
    std::snprintf(kText, sizeof kText, "%.1f", k);
    says("EXO12C.RTF",
         "k = " + read[3] + " / (1,0 × 10-2) = " + comma(kText) + " S · m-1 · L · mol-1");
    says("EXO12C.RTF", "C = σ / k = " + read[4] + " / " + comma(kText) + " = " +
                           sci(parseNumber(read[4]).value() / k, 3) + " mol · L-1");
    EXPECT_TRUE(cal[4].optsit[4]) << "the unknown is masked";

    // The drain cleaner's label from C_B: C_0 = 1000 C_B, w = C_0 M / rho.
    const Situation cleaner = situations("EXO10C.C16")[0];
    const std::string cb = benchFigure(cleaner, Quantity::Concentration, 0); // "6,1 × 10-3"
    const double c0 = 1000 * parseNumber(cb.substr(0, cb.find(' '))).value() * 1e-3;
    char c0Text[16], mass[16], w[16];
    std::snprintf(c0Text, sizeof c0Text, "%.1f", c0);
    std::snprintf(mass, sizeof mass, "%.0f", c0 * 40.0);
    std::snprintf(w, sizeof w, "%.2f", c0 * 40.0 / 1220);
    says("EXO10C.RTF", "C0 = 1000 × CB = " + comma(c0Text) + " mol · L-1");
    says("EXO10C.RTF", comma(c0Text) + " × 40,0 = " + mass + " g d'hydroxyde de sodium : w = " +
                           mass + " / 1220 = " + comma(w) + ", soit 20 %");
    EXPECT_EQ(cb.substr(cb.find('-')), "-3");
    for (const char* statement : {"EXO1.C16", "EXO10.C16", "EXO12.C16"})
        EXPECT_TRUE(
            situations(statement)[std::size_t(statement == std::string("EXO12.C16") ? 4 : 0)]
                .optsit[4])
            << statement << " hides the concentration to find";

    // Ka from sigma: [H3O+] = sigma / (lambda(H3O+) + lambda(CH3COO-)).
    const auto acid = situations("EXO13.C16");
    const double lambda = (34.97 + 4.09) * 1e-3; // S·m²·mol⁻¹, as the Données give them
    for (int i = 0; i < 2; ++i) {
        const Situation& s = acid[std::size_t(i)];
        const std::string sigma = benchFigure(s, Quantity::Sigma, 0);
        const double c = parseNumber(s.textesit[3]).value();
        const double h = roundSignificant(parseNumber(sigma).value() / lambda / 1000, 3);
        const double ka = roundSignificant(h * h / (c - h), 3);
        const std::string name = i == 0 ? "C1" : "C2";
        says("EXO13C.RTF", "σ = " + sigma + " S · m-1 pour " + name);
        says("EXO13C.RTF", sci(h, 3) + " mol · L-1 pour " + name);
        says("EXO13C.RTF", sci(ka, 3) + " pour " + name);
        char pka[16];
        std::snprintf(pka, sizeof pka, "%.2f", -std::log10(ka));
        EXPECT_EQ(comma(pka), "4,75") << name;
        char percent[16];
        std::snprintf(percent, sizeof percent, "%.1f", 100 * h / c);
        says("EXO13C.RTF", comma(percent) + " % pour " + name);
    }

    // The titrant chosen: V_E predicted, then found by the lines on the 0,5 mL table.
    const auto choice = situations("EXO14C.C16");
    std::vector<std::string> predicted, found;
    for (int i = 0; i < 3; ++i) {
        const Situation& s = choice[std::size_t(i)];
        const double ve = parseNumber(s.textesit[3]).value() * parseNumber(s.textesit[4]).value() /
                          parseNumber(s.textesit[1]).value();
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", ve);
        predicted.push_back(comma(buf));
        found.push_back(benchFigure(s, Quantity::TwoLinesCorrected, 0.5));
    }
    says("EXO14C.RTF", "VE = CA · VA / CB : " + predicted[0] + " mL, " + predicted[1] + " mL et " +
                           predicted[2] + " mL");
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(
            found[std::size_t(i)].substr(0, std::string(i == 0 ? "Véq = 8," : "Véq = 16,").size()),
            i == 0 ? "Véq = 8," : "Véq = 16,")
            << found[std::size_t(i)];
    EXPECT_EQ(found[2], "none") << "no break within the burette";

    // The vinegar: Véq and u(Véq) as the lines tool prints them on the seed's
    // series, then C, C0, the degree d, u(d) and the écart normalisé to 6°.
    const Situation vinegar = situations("EXO20C.C16")[0];
    const std::string shown = benchFigure(vinegar, Quantity::RealisticLines, 0.5, 1789);
    says("EXO20C.RTF", "pour la graine 1789, " + shown + ".");
    auto numberAfter = [&](const std::string& label) {
        const std::size_t at = shown.find(label) + label.size();
        return parseNumber(shown.substr(at, shown.find(' ', at) - at)).value();
    };
    const double veq = numberAfter("Véq = "), u = numberAfter("u(Véq) = ");
    const double cS = roundSignificant(0.01 * veq / 10.0, 3), cVinegar = 100 * cS;
    const double d = std::round(cVinegar * 0.100 * 60.0 * 100) / 100;
    const double ud = roundSignificant(d * u / veq, 2);
    char line[160];
    std::snprintf(line, sizeof line, "C = CB · Véq / VA = %s mol · L-1, et C0 = 100 × C = %.2f mol",
                  sci(cS, 3).c_str(), cVinegar);
    says("EXO20C.RTF", comma(line));
    std::snprintf(line, sizeof line, "× 60,0 = %.2f g d'acide éthanoïque : d = %.2f°", d, d);
    says("EXO20C.RTF", comma(line));
    std::snprintf(line, sizeof line,
                  "u(d) = d · u(Véq) / Véq = %.3f ; écart normalisé |%.2f − 6,0| / %.3f = %.1f : "
                  "inférieur à 2",
                  ud, d, ud, std::fabs(d - 6.0) / ud);
    says("EXO20C.RTF", comma(line));
    EXPECT_TRUE(situations("EXO20.C16")[0].optsit[4]) << "the statement hides C";
    says("EXO20C.RTF", "l'outil donne « " + benchFigure(vinegar, Quantity::TwoLinesCorrected, 0.5) +
                           " » : pour un acide faible");
    says("EXO20C.RTF", "VE = C · VA / CB = " + benchFigure(vinegar, Quantity::Veq, 0) + " mL");
}

// The precipitations and mixtures: each figure of a correction is what the
// student reads (the conductimeter, the table at the 0,5 mL step, the lines
// tool with its dilution correction and the limits the statement gives),
// and agrees with the stoichiometry worked by hand.
TEST(ShippedData, PrecipitationsAndMixturesWorkedFromTheReadings)
{
    Model catalogue;
    initcatalogue(catalogue);
    auto slot = [](const char* name) {
        const ConfigRead read = readConfiguration((kData / "exercices" / name).string());
        EXPECT_EQ(read.mixtures, MixturePart::Read) << name;
        return read.data.sit[0];
    };
    auto beaker = [&](const Situation& s) {
        EXPECT_TRUE(s.mixture);
        return mixtureWith(s.mixture.value_or(Mixture{}), sigmaInputsOf(s));
    };
    auto sigmaAt = [&](const Situation& s, double v) {
        const auto rows = tabulateMixture(beaker(s), catalogue, 5);
        for (const TableRow& row : rows)
            if (std::fabs(row.v - v) < 1e-3) return conductimeterText(row.sigma);
        return std::string("none");
    };
    auto lines = [&](const Situation& s, std::optional<FitRanges> ranges) {
        const Mixture m = beaker(s);
        std::vector<FitPoint> points;
        for (const TableRow& row : tabulateMixture(m, catalogue, 5))
            points.push_back({row.v, row.sigma});
        TwoLineOptions options;
        options.v0 = m.vsol + m.veau;
        options.ranges = ranges;
        const TwoLines fit = fitTwoLines(points, options);
        EXPECT_TRUE(fit.found());
        return fit.veq;
    };
    auto fixed = [](double x, int decimals) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
        return comma(buf);
    };
    auto sci = [&](double x) { // two significant digits, as the texts give C
        const int exponent = static_cast<int>(std::floor(std::log10(x)));
        return fixed(x / std::pow(10.0, exponent), 1) + " × 10-" + std::to_string(-exponent);
    };
    auto says = [](const char* file, const std::string& phrase) {
        EXPECT_TRUE(contains(textLines(kData / "exercices" / file), phrase))
            << file << ": " << phrase;
    };
    auto toolSays = [&](const char* file, double veq) {
        says(file, "« " + veqConstructionText(veq) + " »");
    };
    for (const char* statement : {"EXO15.C16", "EXO16.C16", "EXO17.C16", "EXO18.C16", "EXO19.C16"})
        EXPECT_TRUE(slot(statement).optsit[4]) << statement << " hides the concentration to find";

    // The serum, diluted 10 times: [Cl-] = 9 / 58,5 / 10 mol/L; 10 mL of it.
    const Situation serum = slot("EXO15C.C16");
    const Mixture m15 = beaker(serum);
    EXPECT_NEAR(m15.solutes[0].c, 9.0 / 58.5 / 10, 2e-4) << "the label's 9 g/L";
    const double ve15 = lines(serum, std::nullopt);
    EXPECT_NEAR(ve15, m15.solutes[0].c * m15.vsol / m15.ctitrant, 0.05);
    toolSays("EXO15C.RTF", ve15);
    // Kohlrausch by hand before any drop: Na+ and Cl- at c.V/(V + Veau).
    const double cl = m15.solutes[0].c * m15.vsol / (m15.vsol + m15.veau) * 1000; // mol/m3
    EXPECT_EQ(sigmaAt(serum, 0), conductimeterText(float((5.008 + 7.631) * 1e-3 * cl)));
    says("EXO15C.RTF", "σ = " + sigmaAt(serum, 0) + " S · m-1");
    says("EXO15C.RTF", "σ = " + sigmaAt(serum, 25) + " S · m-1 pour V = 25,0 mL");
    const double c15 = roundSignificant(m15.ctitrant * std::round(ve15 * 100) / 100 / m15.vsol, 3);
    says("EXO15C.RTF", "C = CB · VE / V = " + fixed(c15 * 100, 2) + " × 10-2 mol · L-1");
    says("EXO15C.RTF", "C0 = " + fixed(10 * c15, 3) + " mol · L-1");
    says("EXO15C.RTF", fixed(10 * c15, 3) + " × 58,5 = " + fixed(10 * c15 * 58.5, 1) + " g · L-1");
    EXPECT_EQ(fixed(10 * c15 * 58.5, 1), "9,0");
    // Again on the realistic series of 2026, read every 0,5 mL, as the lines
    // tool fits the measured points; then Cm, u(Cm) and the écart normalisé
    // from the figures as printed.
    std::vector<FitPoint> read;
    const MixtureEngine engine15(m15, catalogue);
    for (const TableRow& row : tabulateMixture(m15, catalogue, 5)) {
        double sigma = row.sigma;
        EXPECT_EQ(realisticMixtureSigma(engine15, row.v, ScatterSeries(2026), sigma),
                  MixStatus::Ok);
        read.push_back({row.v, static_cast<float>(sigma)});
    }
    BrokenLineOptions measured;
    measured.v0 = m15.vsol + m15.veau;
    const BrokenLines realistic = fitBrokenLines(read, measured);
    ASSERT_EQ(realistic.count(), 1u);
    const TwoLines& r15 = realistic.breaks.front();
    const VeqUncertainty u15 = veqUncertainty(r15, buretteUncertainty(ScatterModel{}, r15.veq));
    const std::string shown15 = veqMeasuredText(r15.veq, u15);
    says("EXO15C.RTF", "pour la graine 2026, " + shown15 + ".");
    auto after = [&](const std::string& label) {
        const std::size_t at = shown15.find(label) + label.size();
        return parseNumber(shown15.substr(at, shown15.find(' ', at) - at)).value();
    };
    const double veqShown = after("Véq = "), uShown = after("u(Véq) = "),
                 bigUShown = after("U(Véq) (95 %) = ");
    const double cm = std::round(10 * m15.ctitrant * veqShown / m15.vsol * 58.5 * 100) / 100;
    const double ucm = roundSignificant(cm * uShown / veqShown, 2);
    char line15[200];
    std::snprintf(
        line15, sizeof line15,
        "× %.2f / 10,0 × 58,5 = %.2f g · L-1 ; u(Cm) = Cm · u(Véq) / Véq = %.3f g · L-1 ; "
        "écart normalisé |%.2f − 9,0| / %.3f = %.1f : inférieur à 2",
        veqShown, cm, ucm, cm, ucm, std::fabs(cm - 9.0) / ucm);
    says("EXO15C.RTF", comma(line15));
    std::snprintf(line15, sizeof line15, "Cm = %.2f ± %.2f g · L-1", cm,
                  roundSignificant(cm * bigUShown / veqShown, 2));
    says("EXO15C.RTF", comma(line15));

    // The mineral water: 1 180 mg/L of sulfate as sodium sulfate.
    const Situation water = slot("EXO16C.C16");
    const Mixture m16 = beaker(water);
    EXPECT_NEAR(m16.solutes[0].c * 96.1, 1.18, 0.005);
    const double ve16 = lines(water, std::nullopt);
    EXPECT_NEAR(ve16, m16.solutes[0].c * m16.vsol / m16.ctitrant, 0.05);
    toolSays("EXO16C.RTF", ve16);
    const double so4 = m16.solutes[0].c * m16.vsol / (m16.vsol + m16.veau) * 1000;
    EXPECT_EQ(sigmaAt(water, 0), conductimeterText(float((2 * 5.008 + 16.0) * 1e-3 * so4)));
    says("EXO16C.RTF", "σ = " + sigmaAt(water, 0) + " S · m-1");
    const double c16 = roundSignificant(m16.ctitrant * std::round(ve16 * 100) / 100 / m16.vsol, 3);
    says("EXO16C.RTF", "C = CB · VE / V = " + fixed(c16 * 100, 2) + " × 10-2 mol · L-1");
    says("EXO16C.RTF",
         fixed(c16 * 100, 2) + " × 10-2 × 96,1 = " + fixed(c16 * 96.1, 2) + " g · L-1");

    // Sulfuric acid by barium hydroxide: one mole of each at equivalence, and
    // almost no ion left there.
    const Situation sulfuric = slot("EXO17C.C16");
    const Mixture m17 = beaker(sulfuric);
    const double ve17 = lines(sulfuric, std::nullopt);
    EXPECT_NEAR(ve17, m17.solutes[0].c * m17.vsol / m17.ctitrant, 0.05);
    toolSays("EXO17C.RTF", ve17);
    says("EXO17C.RTF", "Avant tout ajout σ = " + sigmaAt(sulfuric, 0) + " S · m-1");
    says("EXO17C.RTF",
         "le tableau donne σ = " + sigmaAt(sulfuric, 10) + " S · m-1 pour V = 10,0 mL");
    EXPECT_LT(parseNumber(sigmaAt(sulfuric, 10)).value(),
              0.01 * parseNumber(sigmaAt(sulfuric, 0)).value());
    says("EXO17C.RTF", "C = CB · VE / V = " + sci(m17.ctitrant * ve17 / m17.vsol) + " mol · L-1");

    // The spiked vinegar: each break with the limits the statement gives.
    const Situation spiked = slot("EXO18C.C16");
    const Mixture m18 = beaker(spiked);
    const double v1 = lines(spiked, FitRanges{{0, 4}, {8, 11}});
    const double v2 = lines(spiked, FitRanges{{11, 13}, {16, 25}});
    EXPECT_NEAR(v1, m18.solutes[0].c * m18.vsol / m18.ctitrant, 0.1) << "the hydrochloric acid";
    EXPECT_NEAR(v2, (m18.solutes[0].c + m18.solutes[1].c) * m18.vsol / m18.ctitrant, 0.1);
    toolSays("EXO18C.RTF", v1);
    toolSays("EXO18C.RTF", v2);
    says("EXO18C.RTF", "V1 = " + fixed(v1, 2) + " mL");
    says("EXO18C.RTF", "V2 = " + fixed(v2, 2) + " mL");
    says("EXO18C.RTF", "σ = " + sigmaAt(spiked, 0) + " S · m-1 avant tout ajout");
    const auto rows18 = tabulateMixture(m18, catalogue, 5);
    const auto lowest =
        std::min_element(rows18.begin(), rows18.end(),
                         [](const TableRow& a, const TableRow& b) { return a.sigma < b.sigma; });
    says("EXO18C.RTF", "minimum arrondi vers " + fixed(std::round(lowest->v), 0) + " mL");
    const double shown1 = std::round(v1 * 100) / 100, shown2 = std::round(v2 * 100) / 100;
    says("EXO18C.RTF", "C1 = " + sci(m18.ctitrant * shown1 / m18.vsol) + " mol · L-1");
    says("EXO18C.RTF", "V2 - V1 = " + fixed(shown2 - shown1, 2) + " mL");
    const double c2 = roundSignificant(m18.ctitrant * (shown2 - shown1) / m18.vsol, 2);
    says("EXO18C.RTF", "C2 = CB · (V2 - V1) / V = " + sci(c2) + " mol · L-1");
    says("EXO18C.RTF", fixed(250 * c2, 1) + " mol · L-1, soit " + fixed(250 * c2, 1) +
                           " × 60,0 = " + fixed(250 * c2 * 60.0, 0) + " g · L-1");
    EXPECT_NEAR(m18.solutes[1].c * 250 * 60.0, 60, 0.5) << "a vinegar at 6°";

    // The cola: two acidities titrated, the third too weak.
    const Situation cola = slot("EXO19C.C16");
    const Mixture m19 = beaker(cola);
    const double w1 = lines(cola, FitRanges{{0, 3}, {8, 11}});
    const double w2 = lines(cola, FitRanges{{7, 11}, {14, 25}});
    const double byHand = m19.solutes[0].c * m19.vsol / m19.ctitrant;
    EXPECT_NEAR(w1, byHand, 0.05);
    EXPECT_NEAR(w2, 2 * byHand, 0.05);
    toolSays("EXO19C.RTF", w1);
    toolSays("EXO19C.RTF", w2);
    says("EXO19C.RTF", "V1 = " + fixed(w1, 2) + " mL et V2 = " + fixed(w2, 2) + " mL");
    says("EXO19C.RTF", "Avant tout ajout σ = " + sigmaAt(cola, 0) + " S · m-1");
    const double c19 = roundSignificant(m19.ctitrant * w1 / m19.vsol, 2);
    says("EXO19C.RTF", "C = " + sci(c19) + " mol · L-1");
    says("EXO19C.RTF", sci(c19) + " × 98,0 = " + fixed(c19 * 98.0, 2) + " g · L-1");
}

// Every "λ(ion) = value", "ion (λ = value)" or table of λ in a shipped text
// gives the model's molar conductivity.
TEST(ShippedData, LambdaValuesAreTheModels)
{
    Model model;
    initcatalogue(model);
    std::map<std::string, float> lambda;
    auto take = [&](bool acide, int position, const std::map<std::string, int>& slots) {
        SigmaInputs in;
        in.acide = acide;
        in.position = position;
        computeSigma(model, in, 7.0, 0.0);
        for (const auto& [ion, slot] : slots)
            lambda[ion] = model.lambdaion[static_cast<std::size_t>(slot)];
    };
    take(true, 2, {{"H3O+", 1}, {"HO-", 2}, {"Na+", 3}, {"Cl-", 4}});
    take(true, 4, {{"CH3COO-", 8}});
    take(true, 7, {{"HCOO-", 11}});
    take(true, 9, {{"NH4+", 13}});
    // The ions of the precipitations and mixtures, as their texts write them
    // ("SO42-" for SO₄²⁻): the exact engine's.
    for (int sp = 0; sp < kMixSpecies; ++sp) {
        std::string ion = speciesInfo(sp).formula;
        ion.erase(std::remove(ion.begin(), ion.end(), '^'), ion.end());
        if (!lambda.count(ion)) lambda[ion] = static_cast<float>(MixtureEngine::lambda(sp));
    }
    auto text = [](float v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
        return comma(buf);
    };

    int checked = 0;
    std::vector<fs::path> texts = filesWithExtension(".RTF");
    for (const fs::path& path : texts) {
        RtfText rtf;
        const std::vector<std::string> lines = textLines(path, &rtf);
        auto check = [&](const std::string& ion, const std::string& value) {
            ASSERT_TRUE(lambda.count(ion)) << path.filename() << ": " << ion;
            // Compared as numbers: "16,0" is the 16 of the model.
            EXPECT_EQ(static_cast<float>(parseNumber(value).value_or(-1)), lambda[ion])
                << path.filename() << ": " << ion << " = " << value << ", not "
                << text(lambda[ion]);
            ++checked;
        };
        auto numberAt = [](const std::string& s, std::size_t at) {
            return s.substr(at, s.find_first_not_of("0123456789,", at) - at);
        };
        for (const std::string& line : lines) {
            for (std::size_t at = line.find("λ("); at != std::string::npos;
                 at = line.find("λ(", at + 1)) {
                const std::size_t open = at + std::string("λ(").size();
                const std::size_t close = line.find(')', open);
                if (line.compare(close, 4, ") = ") != 0) continue;
                check(line.substr(open, close - open), numberAt(line, close + 4));
            }
            for (std::size_t at = line.find(" (λ = "); at != std::string::npos;
                 at = line.find(" (λ = ", at + 1)) {
                const std::size_t start = line.rfind(' ', at - 1) + 1;
                check(line.substr(start, at - start),
                      numberAt(line, at + std::string(" (λ = ").size()));
            }
        }
        // Tables of two rows: the ions, then their λ.
        for (const RtfTable& table : rtf.tables) {
            auto cell = [&](std::size_t r, std::size_t c) {
                std::string s;
                for (const RtfRun& run : table.rows[r].cells[c].paragraphs[0].runs)
                    s += run.text;
                for (std::size_t at = s.find("\u2212"); at != std::string::npos;
                     at = s.find("\u2212"))
                    s.replace(at, std::string("\u2212").size(), "-");
                return s;
            };
            if (table.rows.size() != 2 || cell(1, 0).rfind("λ", 0) != 0) continue;
            for (std::size_t c = 1; c < table.rows[0].cells.size(); ++c)
                check(cell(0, c), cell(1, c));
        }
    }
    EXPECT_GE(checked, 30);
}

} // namespace

// The two monitorings compared, each read with its own tool: the tangents on
// the pH, the lines on sigma, the pH-meter for the precipitation.
TEST(ShippedData, MonitoringsComparedWithTheirOwnTools)
{
    const ConfigRead read = readConfiguration((kData / "exercices/EXO21C.C16").string());
    ASSERT_EQ(read.status, ConfigReadStatus::Ok);
    ASSERT_EQ(read.mixtures, MixturePart::Read);
    const auto& sit = read.data.sit;
    auto says = [](const std::string& phrase) {
        EXPECT_TRUE(contains(textLines(kData / "exercices/EXO21C.RTF"), phrase)) << phrase;
    };
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        says("situation " + n + ", le pH passe de " +
             benchFigure(sit[std::size_t(i)], Quantity::Ph, 19) + " à 19 mL à " +
             benchFigure(sit[std::size_t(i)], Quantity::Ph, 21) + " à 21 mL");
        says("Situation " + n + " : les tangentes donnent « " +
             benchFigure(sit[std::size_t(i)], Quantity::TangentPoint, 0) + " », les droites « " +
             benchFigure(sit[std::size_t(i)], Quantity::TwoLinesCorrected, 0.5) + " »");
    }
    Model catalogue;
    initcatalogue(catalogue);
    const Mixture chloride = mixtureWith(sit[2].mixture.value(), sigmaInputsOf(sit[2]));
    const std::vector<TableRow> rows = tabulateMixture(chloride, catalogue, 5);
    ASSERT_FALSE(rows.empty());
    says("Le pH-mètre indique « " + phMeterText(rows.front().ph) + " » avant tout ajout et « " +
         phMeterText(rows.back().ph) + " » à 25 mL");
    std::vector<FitPoint> points;
    for (const TableRow& row : rows)
        points.push_back({row.v, row.sigma});
    TwoLineOptions options;
    options.v0 = chloride.vsol + chloride.veau;
    const TwoLines fit = fitTwoLines(points, options);
    ASSERT_TRUE(fit.found());
    says("les droites donnent « " + veqConstructionText(fit.veq) + " »");
    EXPECT_NEAR(rows.back().v, 25.0, 1e-3);
}
