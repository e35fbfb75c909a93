#include "graph/core/graphscale.h"
#include "graph/core/constructions.h"

#include <gtest/gtest.h>

#include <cmath>
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

// The pH axis of the pH views is the tangents' own scale: a pH must land
// where the construction draws it, and come back from its ordinate.
TEST(GraphScale, PhAxisIsTheConstructionsScaleLabelledEveryTwoUnits)
{
    const ConstructionFrame f;
    for (double ph : {0.0, 3.38, 7.0, 14.0}) {
        EXPECT_DOUBLE_EQ(phY(ph), f.y(ph)) << ph;
        EXPECT_NEAR(phAtY(phY(ph)), ph, 1e-12) << ph;
    }
    EXPECT_EQ(phY(0), kGraphBottom);
    EXPECT_EQ(phY(kPhAxisTop), 26);

    const struct {
        int ph;
        const char* label;
    } labels[] = {{0, "0"}, {1, ""}, {2, "2"}, {8, "8"}, {13, ""}, {14, "14"}, {15, ""}, {-2, ""}};
    for (const auto& l : labels)
        EXPECT_EQ(phGraduationLabel(l.ph), l.label) << l.ph;

    EXPECT_EQ(phCrossY(7.0), 138);
    EXPECT_EQ(phCrossY(3.38), 196); // 195.92
    EXPECT_FALSE(phCrossY(std::nan("")));
}
