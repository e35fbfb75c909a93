// French typography: the markup's own spacing, and every text the program
// ships read for a space that could break a line where French forbids it.
#include "exercises/core/richtext.h"
#include "exercises/core/textmarkup.h"
#include "exercises/core/typography.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace titrage;
namespace fs = std::filesystem;

namespace {

const std::string kNb = "\u00a0";

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The places of `text` where an ordinary space (or a line end) stands where
// a non-breaking one is due, each with a little of its context.
std::vector<std::string> breakableSpaces(const std::string& text)
{
    // Alternatives, not a bracket: the regex sees UTF-8 bytes, and "»" in a
    // bracket would stand for each of its two bytes.
    static const std::regex fault(
        "[^ \n]{0,8}( (:|;|\\?|!|»)|« | · | × |[0-9] (mL|L|mol|g|S|mS|°C|%)(?=[^A-Za-z]|$))");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), fault);
         it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

} // namespace

TEST(FrenchTypography, SpacesThatMustNotBreakAndTheMinusOfExponents)
{
    const std::pair<const char*, std::string> cases[] = {
        {"Données : λ = 7,6 ; soit ?", "Données" + kNb + ": λ = 7,6" + kNb + "; soit" + kNb + "?"},
        {"« Véq » vaut 12,0 mL", "«" + kNb + "Véq" + kNb + "» vaut 12,0" + kNb + "mL"},
        {"1,0 × 10^{-2} mol · L^{-1}",
         "1,0" + kNb + "×" + kNb + "10^{\u22122}" + kNb + "mol" + kNb + "·" + kNb + "L^{\u22121}"},
        {"1 000 tirages, 0,006 1 mol", "1" + kNb + "000 tirages, 0,006" + kNb + "1" + kNb + "mol"},
        {"25 °C, 20 %, 5 g", "25" + kNb + "°C, 20" + kNb + "%, 5" + kNb + "g"},
        // Words that only look like units, and markup, are left alone.
        {"situations 1 à 4, solution S, V_{A} = 10", "situations 1 à 4, solution S, V_{A} = 10"},
    };
    for (const auto& [typed, set] : cases) {
        EXPECT_EQ(frenchTypography(typed), set) << typed;
        EXPECT_EQ(frenchTypography(set), set) << "a second pass changes nothing";
    }
}

TEST(FrenchTypography, NoShippedTextBreaksWhereFrenchForbids)
{
    const fs::path data = fs::path(TITRAGE_SOURCE_DIR) / "data";
    int texts = 0;
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        if (entry.path().extension() != ".RTF") continue;
        ++texts;
        const std::optional<RtfText> text = parseRtf(fileBytes(entry.path()));
        ASSERT_TRUE(text) << entry.path();
        for (const RtfParagraph& p : text->paragraphs) {
            std::string plain;
            for (const RtfRun& r : p.runs) {
                plain += r.text;
                if (r.format.vertical == RtfVertical::Super)
                    EXPECT_NE(r.text.front(), '-') << entry.path().filename() << ": " << r.text;
            }
            for (const std::string& f : breakableSpaces(plain))
                ADD_FAILURE() << entry.path().filename() << ": «" << f << "»";
        }
    }
    EXPECT_GE(texts, 30);

    // The help page: its text between the tags, entities read.
    const std::string page = fileBytes(data / "Lomb.html");
    EXPECT_EQ(page.find("<sup>-"), std::string::npos) << "an exponent's minus is the minus sign";
    std::string help = std::regex_replace(page, std::regex("<[^>]*>"), "");
    help = std::regex_replace(help, std::regex("&nbsp;"), kNb);
    for (const std::string& f : breakableSpaces(help))
        ADD_FAILURE() << "Lomb.html: «" << f << "»";
}
