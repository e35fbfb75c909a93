// The help page's tables of the mixtures' constants against the constants the
// engine computes with: a figure changed on either side fails here.
#include "app/core/tablecommand.h"
#include "model/mixtureions.h"
#include "model/realsolution.h"
#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

using namespace titrage;

namespace {

// The text between the tags, non-breaking spaces read as spaces and the minus
// sign as a hyphen.
std::string withoutTags(const std::string& html)
{
    std::string text = std::regex_replace(html, std::regex("<[^>]*>"), "");
    text = std::regex_replace(text, std::regex("\u00a0"), " ");
    text = std::regex_replace(text, std::regex("&nbsp;"), " ");
    return std::regex_replace(text, std::regex("\u2212"), "-");
}

std::string page()
{
    std::ifstream in(TITRAGE_DATA_DIR "/Lomb.html", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string section(const std::string& anchor = "melanges")
{
    const std::string html = page();
    const size_t from = html.find("<a name=\"" + anchor + "\">");
    if (from == std::string::npos) return {};
    return html.substr(from, html.find("<h2>", from) - from);
}

// Every row of a section's tables: the first cell's text and its figure.
std::map<std::string, std::string> tableRows(const std::string& html)
{
    std::map<std::string, std::string> rows;
    const std::regex row("<tr><td>(.*?)</td><td[^>]*>(.*?)</td></tr>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), row);
         it != std::sregex_iterator(); ++it)
        rows[withoutTags((*it)[1])] = withoutTags((*it)[2]);
    return rows;
}

} // namespace

TEST(HelpConstants, EveryMixtureConstantIsShownAsTheEngineHasIt)
{
    const std::string html = section();
    ASSERT_FALSE(html.empty());
    EXPECT_NE(html.find("CRC Handbook"), std::string::npos);

    const std::map<std::string, std::string> rows = tableRows(html);

    const MixConstants& k = kMixConstants;
    const std::map<std::string, double> expected = {
        {"K+", k.lambdaK},
        {"Ag+", k.lambdaAg},
        {"NO3-", k.lambdaNO3},
        {"Ba2+", k.lambdaBa},
        {"SO42-", k.lambdaSO4},
        {"HSO4-", k.lambdaHSO4},
        {"H2PO4-", k.lambdaH2PO4},
        {"HPO42-", k.lambdaHPO4},
        {"PO43-", k.lambdaPO4},
        {"H3PO4 / H2PO4-", k.pKaPhosphoric[0]},
        {"H2PO4- / HPO42-", k.pKaPhosphoric[1]},
        {"HPO42- / PO43-", k.pKaPhosphoric[2]},
        {"HSO4- / SO42-", k.pKaHSO4},
        {"AgCl", k.pKsAgCl},
        {"BaSO4", k.pKsBaSO4},
        {"Ag2SO4 (non traité)", k.pKsAg2SO4},
        {"Ag3PO4 (non traité)", k.pKsAg3PO4},
    };
    // No row missing, none the engine does not know.
    EXPECT_EQ(rows.size(), expected.size());
    for (const auto& [name, value] : expected) {
        const auto shown = rows.find(name);
        ASSERT_NE(shown, rows.end()) << name;
        const std::optional<double> figure = parseNumber(shown->second);
        ASSERT_TRUE(figure) << name << ": " << shown->second;
        EXPECT_EQ(*figure, value) << name;
        // Written with the decimal comma, as every figure of the page.
        EXPECT_EQ(shown->second.find('.'), std::string::npos) << name;
    }
}

// The model's limit as the help states it, checked the way a teacher would:
// potassium chloride at 0,01 mol/L in titrage-table against the handbook's
// measured 1,413 mS/cm.
TEST(HelpConstants, TheModelsLimitIsWhatTheBenchComputes)
{
    std::ostringstream out, err;
    ASSERT_EQ(
        runTableCommand({"--becher", "KCl=0,01", "--burette", "NaOH=0,01", "--at", "0", "--raw"},
                        out, err),
        0)
        << err.str();
    std::istringstream rows(out.str());
    std::string header, v;
    double sigma = 0;
    std::getline(rows, header);
    rows >> v >> sigma;
    const double measured = 0.1413; // S/m
    char line[160];
    std::snprintf(
        line, sizeof line,
        "conduit %.3f S · m-1 à 25 °C (CRC Handbook, « Electrical Conductivity of "
        "Aqueous Solutions »), quand la loi de Kohlrausch donne %.3f S · m-1, %.0f %% de plus",
        measured, sigma, 100 * (sigma / measured - 1));
    std::string phrase = line;
    for (char& c : phrase)
        if (c == '.') c = ',';
    const std::string text = std::regex_replace(withoutTags(page()), std::regex("\\s+"), " ");
    EXPECT_NE(text.find(phrase), std::string::npos) << phrase;
}

TEST(HelpConstants, RealSolutionsSectionShowsTheLawsConstants)
{
    const std::string html = section("solutions-reelles");
    ASSERT_FALSE(html.empty());
    for (const char* source : {"Lange", "Harned et Robinson", "Davies", "Onsager", "Malmberg"})
        EXPECT_NE(html.find(source), std::string::npos) << source;

    // The figures as the code has them, to the digits the page prints.
    const Medium at25 = mediumOf({true, 25});
    auto percent = [](int slot) { return 100 * temperatureCoefficient(slot); };
    struct Row {
        const char* name;
        double value;
        double step; // the last digit the page shows
    };
    const Row expected[] = {
        {"A (Onsager, 25 °C)", at25.relaxation, 1e-4},
        {"B (Onsager, 25 °C)", at25.electrophoresis * 2 * 10, 1e-2}, // S.cm2/mol
        {"AD (Davies, 25 °C)", at25.davies, 1e-4},
        {"pKe à 15 °C", pkeAt(15), 1e-2},
        {"pKe à 20 °C", pkeAt(20), 1e-2},
        {"pKe à 30 °C", pkeAt(30), 1e-2},
        {"α de H3O+", percent(1), 1e-2},
        {"α de HO-", percent(2), 1e-2},
        {"α de Na+", percent(3), 1e-2},
        {"α de Cl-", percent(4), 1e-2},
        {"α de NH4+", percent(13), 1e-2},
        {"α des autres ions", percent(8), 1e-2},
    };
    const auto rows = tableRows(html);
    EXPECT_EQ(rows.size(), std::size(expected));
    for (const Row& r : expected) {
        const auto shown = rows.find(r.name);
        ASSERT_NE(shown, rows.end()) << r.name;
        const std::optional<double> figure = parseNumber(shown->second);
        ASSERT_TRUE(figure) << r.name << ": " << shown->second;
        EXPECT_LE(std::fabs(*figure - r.value), r.step / 2 + 1e-9) << r.name;
    }
}
