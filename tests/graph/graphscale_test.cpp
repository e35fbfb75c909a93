#include "graph/core/graphscale.h"

#include <gtest/gtest.h>

#include <limits>

using namespace titrage;

TEST(GraphScale, GraduationLabelsRoundToThreeDigitsWithTheDecimalComma)
{
    const struct {
        float maxaxe;
        int j;
        const char* label;
    } cases[] = {
        {0.43f, 10, "0,43"}, {0.43f, 0, "0"},         {0.43f, 3, "0,129"}, // 0.129000002 in 32 bits
        {0.25f, 5, "0,125"}, {0.0011f, 1, "0,00011"}, {0.0f, 10, "0"},     {12.0f, 3, "3,6"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(graduationLabel(c.maxaxe, c.j), c.label) << c.maxaxe << " j = " << c.j;
}

TEST(GraphScale, CrossOrdinateRoundsOrGivesNothing)
{
    const struct {
        double sigma;
        float maxaxe;
        std::optional<int> y;
    } cases[] = {
        {0.0, 0.43f, 250},
        {0.43, 0.43f, 30},
        {0.101, 0.22f, 149}, // 148.99..
        {0.1, 0.0f, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), 0.43f, std::nullopt},
        {1e30, 1e-30f, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(crossY(c.sigma, c.maxaxe), c.y) << c.sigma;
}

// The read-outs turn a pointer back into a volume and a sigma: each inverse
// must land on the value drawn there, at the frame's edges as in between.
TEST(GraphScale, FrameMappingsAndTheirInversesAgree)
{
    for (int tenth = 0; tenth <= 250; ++tenth) {
        const double v = tenth / 10.0;
        EXPECT_NEAR(volumeAtX(graphX(v)), v, 1e-12) << v;
    }
    EXPECT_EQ(graphX(0), kGraphLeft);
    EXPECT_EQ(graphX(25), kGraphRight);

    const struct {
        double sigma, maxaxe, y;
    } cases[] = {{0, 0.43, kGraphBottom}, {0.43, 0.43, kGraphTop}, {0.215, 0.43, 140}, {3, 12, 195}};
    for (const auto& c : cases) {
        EXPECT_NEAR(graphY(c.sigma, c.maxaxe), c.y, 1e-12) << c.sigma;
        EXPECT_NEAR(sigmaAtY(c.y, c.maxaxe), c.sigma, 1e-12) << c.sigma;
    }
    EXPECT_EQ(graphY(0.1, 0), kGraphBottom); // no scale yet: on the axis
    EXPECT_EQ(gridY(kSigmaGraduations), kGraphTop);
    EXPECT_EQ(graduationsAtY(gridY(4)), 4);
}
