// titrage-table --mesures: a class's file read as the bench imports it.
#include "app/core/tablecommand.h"
#include "model/measurement.h"
#include "model/solver.h"

#include "commandrun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace titrage;

namespace {

std::vector<std::string> split(const std::string& text, char sep)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string f; std::getline(in, f, sep);)
        result.push_back(f);
    return result;
}

// A spreadsheet's file of hydrochloric acid 0,01 mol/L measured every 1 mL,
// sigma in mS/cm to three digits.
std::string classFile()
{
    Model m;
    initcatalogue(m);
    BenchEntries e;
    e.position = 2;
    e.c = 0.01f;
    e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    std::string text = "V (mL);σ (mS/cm)\r\n";
    for (int v = 0; v <= 25; ++v) {
        e.vverse = static_cast<float>(v);
        measure(m, e);
        const double mScm = std::round(m.sigma * 10 * 1000) / 1000;
        std::string cell = std::to_string(mScm);
        cell.replace(cell.find('.'), 1, ",");
        text += std::to_string(v) + ";" + cell + "\r\n";
    }
    return text;
}

std::string written(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(MeasuresTable, ReadBesideTheModelAndFittedByTheLines)
{
    const std::string path = written("classe.csv", classFile());
    const CommandOutcome table = runTable({"--solute", "2", "--mesures", path, "--raw"});
    ASSERT_EQ(table.status, 0) << table.err;
    const auto rows = split(table.out, '\n');
    ASSERT_EQ(rows.size(), 27u);
    EXPECT_EQ(rows[0], "V\tsigma\tsigma_model");
    for (size_t i = 1; i < rows.size(); ++i) {
        const auto f = split(rows[i], '\t');
        ASSERT_EQ(f.size(), 3u);
        EXPECT_NEAR(std::stod(f[1]), std::stod(f[2]), 1e-4) << rows[i];
    }
    const CommandOutcome lines =
        runTable({"--solute", "2", "--mesures", path, "--droites", "--raw"});
    ASSERT_EQ(lines.status, 0) << lines.err;
    EXPECT_NEAR(std::stod(split(split(lines.out, '\n')[1], '\t')[0]), 20.0, 0.1);
    // The file's points, not the table's: a beaker the command describes at
    // another concentration still finds the file's break.
    const CommandOutcome other =
        runTable({"--solute", "2", "--c", "0,005", "--mesures", path, "--droites", "--raw"});
    EXPECT_NEAR(std::stod(split(split(other.out, '\n')[1], '\t')[0]), 20.0, 0.1);
    std::remove(path.c_str());
}

TEST(MeasuresTable, RefusalsExitWithStatusTwo)
{
    const std::string bad = written("mauvais.csv", "V (mL);σ (mS/cm)\n0;1,4\n1;abc\n");
    const std::string headerless = written("sans-entete.txt", "0 1,4\n1 1,3\n");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--mesures", bad}, "Ligne 3 : « 1;abc »"},
        {{"--mesures", headerless}, "L'en-tête n'indique pas l'unité de σ"},
        {{"--mesures", "/nonexistent.csv"}, "ne peut pas être lu"},
        {{"--unite", "mS/cm"}, "--unite ne s'emploie qu'avec --mesures"},
        {{"--mesures", headerless, "--unite", "mho"}, "n'est pas une unité"},
        {{"--mesures", headerless, "--csv"}, "--mesures s'emploie seule"},
    };
    for (const Case& c : cases) {
        const CommandOutcome r = runTable(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_TRUE(r.out.empty()) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(runTable({"--mesures", headerless, "--unite", "mS/cm"}).status, 0);
    std::remove(bad.c_str());
    std::remove(headerless.c_str());
}
