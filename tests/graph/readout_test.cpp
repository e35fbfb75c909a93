#include "graph/core/readout.h"

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
