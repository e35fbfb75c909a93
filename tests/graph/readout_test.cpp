#include "graph/core/readout.h"
#include "graph/core/curvereadout.h"

#include <optional>

#include <gtest/gtest.h>

using namespace titrage;

struct ReadoutCase {
    double x, y;
    bool titration;
    bool inside;
    const char* tooltip;
};

class Readout : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(Readout, VolumeAndPercentUnderThePointer)
{
    const ReadoutCase& c = GetParam();
    const GraphReadout r = graphReadout(c.x, c.y, c.titration);
    EXPECT_EQ(r.inside, c.inside);
    EXPECT_EQ(r.tooltip, c.tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, Readout,
    ::testing::Values(ReadoutCase{39, 100, true, false, ""}, ReadoutCase{100, 29, true, false, ""},
                      ReadoutCase{366, 100, true, false, ""},
                      ReadoutCase{100, 251, false, false, ""},
                      ReadoutCase{365, 250, true, true, "V = 25,0 mL"},
                      ReadoutCase{202.5, 100, true, true, "V = 12,5 mL"},
                      ReadoutCase{202.5, 140, false, true, "V = 12,5 mL ; p = 50,0 %"},
                      ReadoutCase{40, 30, false, true, "V = 0,0 mL ; p = 100,0 %"},
                      ReadoutCase{40, 29.5, false, true, ""})); // above 100 %

// Over the pH views the read-out adds each shown curve's pH, read on the
// broken line the view draws.
TEST(Readout, PhOfTheCurveUnderThePointer)
{
    const std::vector<CurveVertex> curve = {
        {0, 0.04f, 0, 0, 3.4f}, {10, 0.03f, 0, 0, 4.8f}, {20, 0.05f, 0, 0, 8.2f}};
    const struct {
        double v;
        std::optional<double> ph;
    } cases[] = {{0, 3.4}, {5, 4.1}, {15, 6.5}, {20, 8.2}, {20.1, std::nullopt}, {-1, std::nullopt}};
    for (const auto& c : cases) {
        const auto ph = curvePhAt(curve, c.v);
        ASSERT_EQ(ph.has_value(), c.ph.has_value()) << c.v;
        if (ph) EXPECT_NEAR(*ph, *c.ph, 1e-6) << c.v;
    }
    EXPECT_EQ(phReadout(sigmaReadout("V = 10,0 mL", 0.0371), 4.756),
              "V = 10,0 mL ; σ = 0,0371 S·m⁻¹ ; pH = 4,76");
    EXPECT_EQ(phReadout("V = 0,0 mL", 11.0), "V = 0,0 mL ; pH = 11,00");
}
