#include "config/core/configvalues.h"

#include <gtest/gtest.h>

using namespace titrage;

// textesit: 0 pKa, 1 burette concentration, 2 poured volume, 3 beaker
// concentration, 4 beaker volume, 5 water.
TEST(ConfigValues, FileTextsGoThroughTheEntryRules)
{
    const struct {
        std::array<std::string, 6> in;
        std::array<std::string, 6> out;
        std::vector<std::string> notices;
    } cases[] = {
        // Valid texts stay byte for byte, even unusual ones.
        {{"7,0", "0,010", "12,35", "1E-05", "20,0", "0"},
         {"7,0", "0,010", "12,35", "1E-05", "20,0", "0"},
         {}},
        // The texts the bench would never take as typed.
        {{"-3", "-0,01", "-1", "3,4e38", "-21", "0,0"},
         {"0,1", "0,000 000 01", "0,0", "0,01", "20,0", "0,0"},
         {kMinimumVolume}},
        {{"15", "abc", "30", "", "150", "100"},
         {"13,9", "0,000 000 01", "25,0", "0,000 000 01", "100,0", "100"},
         {kMaximumVolume, kBuretteVolume}},
        // Both volumes wrong: the pair still ends within 20 to 200 mL.
        {{"7,0", "0,01", "0,0", "0,01", "20", "-210"},
         {"7,0", "0,01", "0,0", "0,01", "200,0", "0,0"},
         {kMinimumVolume, kMaximumVolume}},
        {{"1e400", "0,01", "0,0", "0,01", "1e308", "nan"},
         {"0,0", "0,01", "0,0", "0,01", "200,0", "0,0"},
         {kMaximumVolume}},
    };
    for (const auto& c : cases) {
        Situation s;
        std::copy(c.in.begin(), c.in.end(), s.textesit.begin());
        s.textesit[6] = "kept";
        std::vector<std::string> notices;
        for (const Notice& n : correctSituation(s)) {
            EXPECT_EQ(n.title, kVolumeCorrected);
            notices.push_back(n.text);
        }
        for (std::size_t j = 0; j < 6; ++j)
            EXPECT_EQ(s.textesit[j], c.out[j]) << "textesit(" << j << ") from " << c.in[j];
        EXPECT_EQ(s.textesit[6], "kept");
        EXPECT_EQ(notices, c.notices) << c.in[4] << " / " << c.in[5];
    }
}
