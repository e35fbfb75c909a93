// The class's own measurements: files as a spreadsheet, a data logger and a
// hand write them, the files refused with the line at fault, the beaker
// concentration fitted on them, and the table written for Python.
#include "model/concentrationfit.h"
#include "model/measurementimport.h"
#include "model/tableexport.h"
#include "testmodel.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace titrage;
using namespace titrage::test;

namespace {

struct Expected {
    double volume;
    double sigma; // S/m
};

} // namespace

TEST(MeasurementImport, FilesAsTheyComeFromClasses)
{
    struct Case {
        const char* name;
        std::string text;
        SigmaUnit chosen;
        SigmaUnit read;
        int firstLine;
        std::vector<Expected> points;
    };
    const Case cases[] = {
        {"French spreadsheet: BOM, ';', decimal comma, CR LF, mS/cm header",
         "\xEF\xBB\xBFV (mL);σ (mS/cm)\r\n0;1,413\r\n0,5;1,38\r\n1,0;1,35;\r\n",
         SigmaUnit::FromHeader,
         SigmaUnit::MilliSiemensPerCentimetre,
         2,
         {{0, 0.1413}, {0.5, 0.138}, {1.0, 0.135}}},
        {"data logger: preamble, time column first, tab, decimal point, µS/cm",
         "Capteur : conductimètre 1\nDate\t2026-03-12\n\nt/s\tV/mL\tsigma/µS.cm-1\n"
         "0\t0.00\t4210\n12\t0.50\t4080\n24\t1.00\t3950\n",
         SigmaUnit::FromHeader,
         SigmaUnit::MicroSiemensPerCentimetre,
         5,
         {{0, 0.421}, {0.5, 0.408}, {1.0, 0.395}}},
        {"hand-typed, spaces, no header, unit chosen",
         "0   0,0421\n  1  0,0395 \n\n2 0,037\n",
         SigmaUnit::SiemensPerMetre,
         SigmaUnit::SiemensPerMetre,
         1,
         {{0, 0.0421}, {1, 0.0395}, {2, 0.037}}},
        {"comma separated with the decimal point, quoted, S·m⁻¹",
         "\"V (mL)\",\"σ (S·m⁻¹)\"\n\"0.5\",\"4.2E-02\"\n1.5,0.04\n",
         SigmaUnit::FromHeader,
         SigmaUnit::SiemensPerMetre,
         2,
         {{0.5, 0.042}, {1.5, 0.04}}},
        {"a choice overrides the header; old Mac line ends; out of order sorted",
         "V;sigma (S/m)\r2;150\r1;160\r1;161\r",
         SigmaUnit::MicroSiemensPerCentimetre,
         SigmaUnit::MicroSiemensPerCentimetre,
         2,
         {{1, 0.016}, {1, 0.0161}, {2, 0.015}}},
        {"mS/m with comment lines",
         "# classe de 1re\nV (mL)\tσ (mS.m-1)\n0\t42,1\n# pause\n1\t39,5\n",
         SigmaUnit::FromHeader,
         SigmaUnit::MilliSiemensPerMetre,
         3,
         {{0, 0.0421}, {1, 0.0395}}},
    };
    for (const Case& c : cases) {
        const MeasurementImport r = importMeasurements(c.text, c.chosen);
        ASSERT_TRUE(r.ok()) << c.name << ": " << r.error;
        EXPECT_EQ(r.unit, c.read) << c.name;
        EXPECT_EQ(r.firstLine, c.firstLine) << c.name;
        ASSERT_EQ(r.points.size(), c.points.size()) << c.name;
        for (size_t i = 0; i < c.points.size(); ++i) {
            EXPECT_DOUBLE_EQ(r.points[i].volume, c.points[i].volume) << c.name << " #" << i;
            EXPECT_NEAR(r.points[i].sigma, c.points[i].sigma, 1e-12) << c.name << " #" << i;
        }
    }
}

TEST(MeasurementImport, OurOwnExportsReadBack)
{
    const std::vector<std::vector<std::string>> rows = {{"0,0", "4,21E-02", "1,00E-03", "1,00E-11"},
                                                        {"12,5", "0,0123", "2,1E-04", "4,8E-11"}};
    ExportSituation s;
    s.solute = "acide chlorhydrique";
    for (const std::string& text : {csvTable(exportParameters(s), columnNames(4), rows),
                                    pythonTable(exportParameters(s), pythonColumnNames(4), rows)}) {
        const MeasurementImport r = importMeasurements(text);
        ASSERT_TRUE(r.ok()) << r.error;
        ASSERT_EQ(r.points.size(), 2u);
        EXPECT_DOUBLE_EQ(r.points[1].volume, 12.5);
        EXPECT_DOUBLE_EQ(r.points[1].sigma, 0.0123);
    }
}

TEST(MeasurementImport, BadFilesNameTheirLineAndGiveNoPoint)
{
    struct Case {
        std::string text;
        SigmaUnit unit;
        const char* message;
    };
    const SigmaUnit fromHeader = SigmaUnit::FromHeader;
    const SigmaUnit sm = SigmaUnit::SiemensPerMetre;
    const Case cases[] = {
        {"V (mL);σ (mS/cm)\n0;1,4\n0,5;1,3\n1;1,2\n2;1,1\n3;1,0\n12,5;abc\n", fromHeader,
         "Ligne 7 : « 12,5;abc » n'est pas une mesure (deux nombres attendus : le volume versé "
         "puis σ)."},
        {"0;0,04\n1\n", sm, "Ligne 2 : « 1 » n'est pas une mesure"},
        {"0;0,04\n1;nan\n", sm, "Ligne 2 : « 1;nan »"},
        {"0;0,04\n1;inf\n", sm, "Ligne 2 : « 1;inf »"},
        {"0;0,04\n1;1e999\n", sm, "Ligne 2 : « 1;1e999 »"},
        {"0;0,04\n-1;0,05\n", sm, "Ligne 2 : le volume versé -1 mL est négatif."},
        {"0;0,04\n1500;0,05\n", sm, "Ligne 2 : le volume versé 1500 mL dépasse 1000 mL."},
        {"0;0,04\n1;-0,05\n", sm, "Ligne 2 : σ = -0,05 S/m est négative."},
        {"V;σ (S/m)\n0;1413\n", fromHeader,
         "Ligne 2 : σ = 1413 S/m dépasse 100 S/m, ce qu'aucune solution n'atteint : vérifiez "
         "l'unité de σ."},
        {"0;0,04\n1;0,05\n", fromHeader, "L'en-tête n'indique pas l'unité de σ"},
        {"V;σ (S/m)\n\n", fromHeader, "Aucune mesure trouvée"},
        {"", sm, "Aucune mesure trouvée"},
        {"0;0,04" + std::string(60, '\n') + "\x01\x02\xff\n", sm, "Ligne 61 : « ??? »"},
        {"0;0,04\n1;0,05\n" + std::string(200, 'x') + "\n", sm,
         "Ligne 3 : « xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx… »"},
    };
    for (const Case& c : cases) {
        const MeasurementImport r = importMeasurements(c.text, c.unit);
        EXPECT_FALSE(r.ok()) << c.message;
        EXPECT_NE(r.error.find(c.message), std::string::npos) << r.error;
        EXPECT_TRUE(r.points.empty()) << c.message;
    }
    std::string titles;
    for (int i = 0; i < 60; ++i)
        titles += "titre\n";
    EXPECT_NE(importMeasurements(titles + "0;0,04\n", sm).error.find("50 premières lignes"),
              std::string::npos);
    std::string many;
    for (size_t i = 0; i <= kMaxImportPoints; ++i)
        many += "1;0,01\n";
    EXPECT_NE(importMeasurements(many, sm).error.find("Ligne 20001 : plus de 20000 mesures"),
              std::string::npos);
    EXPECT_NE(importMeasurements(std::string(kMaxImportBytes + 1, '1'), sm).error.find("4 Mo"),
              std::string::npos);
    EXPECT_NE(importMeasurementFile("/nonexistent/mesures.csv").error.find("ne peut pas être lu"),
              std::string::npos);
}

TEST(MeasurementImport, SlopesBetweenSuccessiveMeasurements)
{
    const std::vector<MeasuredSlope> s =
        measuredSlopes({{0, 0.4}, {1, 0.3}, {1, 0.31}, {3, 0.35}, {4, 0.39}});
    ASSERT_EQ(s.size(), 3u); // the repeated volume gives no slope
    EXPECT_DOUBLE_EQ(s[0].volume, 0.5);
    EXPECT_NEAR(s[0].slope, -0.1, 1e-12);
    EXPECT_DOUBLE_EQ(s[1].volume, 2);
    EXPECT_NEAR(s[1].slope, 0.02, 1e-12);
    EXPECT_TRUE(measuredSlopes({{1, 0.3}}).empty());
}

TEST(ConcentrationFit, RecoversTheConcentrationThePointsWereMadeAt)
{
    struct Case {
        const char* name;
        BenchEntries bench;
        float cTrue;
        double scatter; // relative, alternating in sign
    };
    const Case cases[] = {
        {"ethanoic acid, exact", bench(true, kEthanoic), 0.0123f, 0},
        {"hydrochloric acid, exact", bench(true, kHydrochloric), 0.0087f, 0},
        {"ammonia, 1 % scatter", bench(false, kAmmonia), 0.011f, 0.01},
    };
    for (const Case& c : cases) {
        Model m = freshModel();
        BenchEntries at = c.bench;
        at.c = c.cTrue;
        std::vector<ImportedMeasurement> points;
        for (int v = 0; v <= 25; ++v) {
            at.vverse = static_cast<float>(v);
            measure(m, at);
            const double sign = v % 2 ? 1 : -1;
            points.push_back({double(v), m.sigma * (1 + sign * c.scatter)});
        }
        // The bench's box holds another concentration; the fit must not use it.
        const std::optional<ConcentrationFit> fit = fitConcentration(freshModel(), c.bench, points);
        ASSERT_TRUE(fit) << c.name;
        EXPECT_FALSE(fit->atLimit) << c.name;
        if (c.scatter == 0) {
            EXPECT_NEAR(fit->c, c.cTrue, 1e-5 * c.cTrue) << c.name;
            EXPECT_LT(fit->u, 1e-4 * c.cTrue) << c.name;
        } else {
            EXPECT_NEAR(fit->c, c.cTrue, 3 * fit->u) << c.name;
            EXPECT_GT(fit->u, 1e-4 * c.cTrue) << c.name;
            EXPECT_LT(fit->u, 0.02 * c.cTrue) << c.name;
        }
    }
    EXPECT_FALSE(fitConcentration(freshModel(), bench(true, kEthanoic), {{1, 0.04}}));
}

TEST(ConcentrationFit, TextInFrenchStyle)
{
    struct Case {
        double c, u;
        const char* text;
    };
    const Case cases[] = {
        {1.0213e-2, 0.0251e-2, "c = 1,02·10⁻² ± 0,03·10⁻² mol/L"},
        {1.0213e-2, 0.03e-2, "c = 1,02·10⁻² ± 0,03·10⁻² mol/L"},
        {5.4321e-3, 0.96e-3, "c = 5·10⁻³ ± 1·10⁻³ mol/L"},
        {2.5e-4, 3e-4, "c = 3·10⁻⁴ ± 3·10⁻⁴ mol/L"},
        {0.05, 0.0012, "c = 5,0·10⁻² ± 0,2·10⁻² mol/L"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(concentrationText(c.c, c.u), c.text);
}

namespace {

// A reader of the Python variant written apart from the writer, as numpy
// reads it: the first line skipped, "#" lines skipped, cells split on tabs.
std::vector<std::vector<double>> readPythonTable(const std::string& text, size_t& columns)
{
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    columns = 0;
    std::vector<std::vector<double>> rows;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::vector<double> row;
        size_t start = 0;
        for (;;) {
            const size_t end = line.find('\t', start);
            const std::string cell = line.substr(start, end - start);
            double x = 0;
            const auto res = std::from_chars(cell.data(), cell.data() + cell.size(), x);
            if (res.ec != std::errc() || res.ptr != cell.data() + cell.size()) return {};
            row.push_back(x);
            if (end == std::string::npos) break;
            start = end + 1;
        }
        if (columns && row.size() != columns) return {};
        columns = row.size();
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(PythonExport, ReadAsNumpyReadsIt)
{
    ExportSituation s;
    s.number = 3;
    s.solute = "acide éthanoïque";
    s.concentration = "0,01";
    s.vsol = "20,0";
    s.veau = "0,0";
    s.cburette = "0,01";
    const std::vector<std::vector<std::string>> rows = {
        {"0,0", "1,64E-02", "4,15E-04", "2,41E-11", "9,59E-03", "4,15E-04"},
        {"12,5", "0,0321", "1,3E-05", "7,7E-10", "", ""}};
    const std::string text = pythonTable(exportParameters(s), pythonColumnNames(6), rows);
    EXPECT_EQ(
        text.substr(0, text.find('\r')),
        "V (mL)\tsigma (S/m)\t[H3O+] (mol/L)\t[HO-] (mol/L)\t[acide] (mol/L)\t[base] (mol/L)");
    EXPECT_NE(text.find("\r\n# Concentration de la solution (mol·L⁻¹) : 0,01\r\n"),
              std::string::npos);
    size_t columns = 0;
    const auto table = readPythonTable(text, columns);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(columns, 6u);
    EXPECT_DOUBLE_EQ(table[1][0], 12.5);
    EXPECT_DOUBLE_EQ(table[1][1], 0.0321);
    EXPECT_TRUE(std::isnan(table[1][4]));

    // numpy itself, where the machine has it.
    if (std::system("python3 -c 'import numpy' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 with numpy is not installed";
    const std::string path = ::testing::TempDir() + "python_export.txt";
    std::ofstream(path, std::ios::binary) << text;
    const std::string check =
        "python3 -c \"import numpy, sys; a = numpy.loadtxt(sys.argv[1], skiprows=1); "
        "sys.exit(0 if a.shape == (2, 6) and a[1, 0] == 12.5 and a[1, 1] == 0.0321 "
        "and numpy.isnan(a[1, 4]) else 1)\" " +
        path;
    EXPECT_EQ(std::system(check.c_str()), 0);
    std::remove(path.c_str());
}
