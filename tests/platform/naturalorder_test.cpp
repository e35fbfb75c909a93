#include "platform/core/naturalorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using titrage::naturalLess;

TEST(NaturalOrderTest, DigitRunsByValueLettersWithoutCase)
{
    std::vector<std::string> names{"EXO11.E42",
                                   "exo2.E42",
                                   "EXO10.E42",
                                   "EXO1.E42",
                                   "EXO02.E42",
                                   "EXO1C.E42",
                                   "B.E42",
                                   "a.E42",
                                   "EXO99999999999999999999.E42",
                                   "EXO100000000000000000000.E42"};
    std::sort(names.begin(), names.end(), naturalLess);
    const std::vector<std::string> expected{"a.E42",
                                            "B.E42",
                                            "EXO1.E42",
                                            "EXO1C.E42",
                                            "EXO02.E42",
                                            "exo2.E42",
                                            "EXO10.E42",
                                            "EXO11.E42",
                                            "EXO99999999999999999999.E42",
                                            "EXO100000000000000000000.E42"};
    EXPECT_EQ(names, expected);
}

TEST(NaturalOrderTest, IsAStrictOrder)
{
    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"EXO2", "EXO02"}, {"exo", "EXO"}, {"EXO", "EXO1"}, {"", "a"}}) {
        EXPECT_NE(naturalLess(a, b), naturalLess(b, a)) << a << " / " << b;
        EXPECT_FALSE(naturalLess(a, a)) << a;
    }
}
