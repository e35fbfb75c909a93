// The help page's tables of the mixtures' constants against the constants the
// engine computes with: a figure changed on either side fails here.
#include "model/mixtureions.h"
#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

using namespace titrage;

namespace {

std::string section()
{
    std::ifstream in(TITRAGE_DATA_DIR "/Lomb.html", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    const size_t from = page.find("<a name=\"melanges\">");
    if (from == std::string::npos) return {};
    return page.substr(from, page.find("<h2>", from) - from);
}

std::string withoutTags(const std::string& html)
{
    return std::regex_replace(html, std::regex("<[^>]*>"), "");
}

} // namespace

TEST(HelpConstants, EveryMixtureConstantIsShownAsTheEngineHasIt)
{
    const std::string html = section();
    ASSERT_FALSE(html.empty());
    EXPECT_NE(html.find("CRC Handbook"), std::string::npos);

    // Every row of the section's tables: the first cell's text and its figure.
    std::map<std::string, std::string> rows;
    const std::regex row("<tr><td>(.*?)</td><td[^>]*>(.*?)</td></tr>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), row);
         it != std::sregex_iterator(); ++it)
        rows[withoutTags((*it)[1])] = withoutTags((*it)[2]);

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
