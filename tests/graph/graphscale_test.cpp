#include "graph/graphscale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace titrage;

struct LabelCase {
    float maxaxe;
    int j;
    const char* label;
};

class GraduationLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(GraduationLabel, RoundsToThreeDigitsWithTheDecimalComma) {
    const LabelCase& c = GetParam();
    EXPECT_EQ(graduationLabel(c.maxaxe, c.j), c.label);
}

INSTANTIATE_TEST_SUITE_P(Labels, GraduationLabel,
                         ::testing::Values(LabelCase{0.43f, 10, "0,43"}, LabelCase{0.43f, 0, "0"},
                                           LabelCase{0.43f, 3, "0,129"}, // 0.129000002 in 32 bits
                                           LabelCase{0.43f, 7, "0,301"},
                                           LabelCase{0.25f, 5, "0,125"},
                                           LabelCase{0.0011f, 1, "0,00011"},
                                           LabelCase{0.0f, 10, "0"}, LabelCase{12.0f, 3, "3,6"}));

struct CrossCase {
    double sigma;
    float maxaxe;
    std::optional<int> y;
};

class CrossOrdinate : public ::testing::TestWithParam<CrossCase> {};

TEST_P(CrossOrdinate, RoundsOntoThePixelGridOrGivesNothing) {
    const CrossCase& c = GetParam();
    EXPECT_EQ(crossY(c.sigma, c.maxaxe), c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Crosses, CrossOrdinate,
    ::testing::Values(CrossCase{0.0, 0.43f, 250}, CrossCase{0.43, 0.43f, 30},
                      CrossCase{0.215, 0.43f, 140}, CrossCase{0.1, 0.22f, 150}, // 250 - 100 exactly
                      CrossCase{0.101, 0.22f, 149}, // 149.0 after rounding 148.99..
                      CrossCase{0.1, 0.0f, std::nullopt},
                      CrossCase{std::numeric_limits<double>::quiet_NaN(), 0.43f, std::nullopt},
                      CrossCase{1e30, 1e-30f, std::nullopt}));
