#include "graph/core/constructions.h"
#include "graph/core/curvereadout.h"
#include "model/curve.h"

#include "graphtesting.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titrage;
using namespace titrage::test;

namespace {

struct Bench {
    const char* name;
    bool acide;
    int position;
    float c;
    float cb;
    const char* pka = nullptr; // for "autre acide" / "autre base"
    Model model() const { return loadedModel(acide, position, c, cb, pka); }
};

bool finite(PlotPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}
bool finite(const PlotSegment& s)
{
    return finite(s.a) && finite(s.b);
}

} // namespace

TEST(Tangents, NormalIsPerpendicularOnScreenAndEndsOnTheSecondTangent)
{
    const ConstructionFrame f;
    for (const Bench& b : {Bench{"ethanoic", true, kEthanoic, 0.01f, 0.01f},
                           Bench{"ammonia", false, kAmmonia, 0.01f, 0.02f}}) {
        Model m = b.model();
        const TangentConstruction t = tangente(m, b.acide);
        ASSERT_EQ(t.outcome, TangentOutcome::Complete) << b.name;
        EXPECT_DOUBLE_EQ(t.e.x, f.x(t.veq)) << b.name;
        EXPECT_GT(std::fabs(t.delta), 20.0) << b.name;
        EXPECT_EQ(t.equalMarks.size(), 2u) << b.name;

        const double s = t.slope * f.kpH / f.kV; // screen direction (1, -s)
        const double nx = t.normal.b.x - t.normal.a.x;
        const double ny = t.normal.b.y - t.normal.a.y;
        ASSERT_GT(std::hypot(nx, ny), 5.0) << b.name;
        EXPECT_LT(std::fabs(nx - s * ny) / std::hypot(1.0, s) / std::hypot(nx, ny), 0.1) << b.name;
        const double t2y =
            t.t2.a.y + (t.t2.b.y - t.t2.a.y) * (t.normal.b.x - t.t2.a.x) / (t.t2.b.x - t.t2.a.x);
        EXPECT_NEAR(t.normal.b.y, t2y, 1.5) << b.name;
        // The right-angle mark turns the way the normal goes.
        EXPECT_GT((t.mark1.b.x - t.mark1.a.x) * nx + (t.mark1.b.y - t.mark1.a.y) * ny, 0.0)
            << b.name;
    }
}

TEST(Tangents, SpanIsCutAtTheEndsOfTheBurette)
{
    const ConstructionFrame f;
    Model m = loadedModel(true, kEthanoic, 0.0015f, 0.01f); // veq = 3 mL
    TangentConstruction t = tangente(m, true);
    EXPECT_DOUBLE_EQ(t.t1.a.x, f.x(0));
    EXPECT_DOUBLE_EQ(t.t1.b.x, f.x(8));
    m = loadedModel(true, kEthanoic, 0.0112f, 0.01f); // veq = 22.4 mL
    t = tangente(m, true);
    EXPECT_DOUBLE_EQ(t.t1.a.x, f.x(17));
    EXPECT_DOUBLE_EQ(t.t1.b.x, f.x(25));
}

struct EdgeCase {
    const char* name;
    Bench bench;
    TangentOutcome outcome;
};

class TangentEdges : public ::testing::TestWithParam<EdgeCase> {};

// Every curve ends in nothing, the message or a construction, all coordinates finite.
TEST_P(TangentEdges, EndInTheStatedOutcomeWithFiniteGeometry)
{
    const EdgeCase& c = GetParam();
    Model m = c.bench.model();
    const TangentConstruction t = tangente(m, c.bench.acide);
    EXPECT_EQ(t.outcome, c.outcome);
    if (t.outcome != TangentOutcome::OutOfRange)
        EXPECT_TRUE(finite(t.t1) && finite(t.t2) && std::isfinite(t.delta));
    if (t.outcome == TangentOutcome::Complete)
        EXPECT_TRUE(finite(t.parallel) && finite(t.normal) && finite(t.mark1) && finite(t.mark2));
}

INSTANTIATE_TEST_SUITE_P(
    Curves, TangentEdges,
    ::testing::Values(
        EdgeCase{
            "StrongAcid", {"hcl", true, kHydrochloric, 0.01f, 0.01f}, TangentOutcome::Complete},
        EdgeCase{"StrongBase",
                 {"naoh", false, kSodiumHydroxide, 0.01f, 0.01f},
                 TangentOutcome::Complete},
        // veq = 20 x 0.01 / 0.1 = 2 mL, a hair below in 32 bits.
        EdgeCase{
            "TitrantTenTimes", {"x10", true, kEthanoic, 0.01f, 0.1f}, TangentOutcome::OutOfRange},
        EdgeCase{"VeqTwoAndAHalf", {"x8", true, kEthanoic, 0.01f, 0.08f}, TangentOutcome::Complete},
        EdgeCase{"VeqTwentyThreeAndAHalf",
                 {"23.5", true, kEthanoic, 0.01175f, 0.01f},
                 TangentOutcome::OutOfRange},
        EdgeCase{"NoTitrant", {"cb 0", true, kEthanoic, 0.01f, 0.0f}, TangentOutcome::OutOfRange},
        // So weak that the pH barely jumps: the tangents coincide.
        EdgeCase{"OtherAcidPka139",
                 {"13.9", true, kOther, 0.01f, 0.01f, "13,9"},
                 TangentOutcome::NoJump},
        EdgeCase{
            "OtherAcidPka01", {"0.1", true, kOther, 0.01f, 0.01f, "0,1"}, TangentOutcome::Complete},
        EdgeCase{"OtherBasePka01",
                 {"b0.1", false, kOther, 0.01f, 0.01f, "0,1"},
                 TangentOutcome::NoJump}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Derivative, PeaksAtTheEquivalenceAndStaysInItsBand)
{
    const ConstructionFrame f;
    for (const Bench& b : {Bench{"ethanoic", true, kEthanoic, 0.01f, 0.01f},
                           Bench{"ammonia", false, kAmmonia, 0.01f, 0.01f},
                           Bench{"hcl", true, kHydrochloric, 0.01f, 0.01f},
                           Bench{"0.1", true, kOther, 0.01f, 0.01f, "0,1"},
                           Bench{"13.9", true, kOther, 0.01f, 0.01f, "13,9"},
                           Bench{"x10", true, kEthanoic, 0.01f, 0.1f},
                           Bench{"cb 0", true, kEthanoic, 0.01f, 0.0f}}) {
        Model m = b.model();
        const auto points = btderive(m);
        for (const PlotPoint& p : points) {
            EXPECT_TRUE(finite(p)) << b.name;
            EXPECT_TRUE(p.y >= 10.0 && p.y <= 250.0 && p.x >= 40.0 && p.x <= 365.0) << b.name;
        }
        if (b.cb == b.c && !b.pka) { // veq = 20 mL: the peak stands within a millilitre of it
            ASSERT_GT(points.size(), 10u) << b.name;
            const auto top = std::min_element(points.begin(), points.end(),
                                              [](auto& l, auto& r) { return l.y < r.y; });
            EXPECT_NEAR(top->x, f.x(20.0), f.kV) << b.name;
        }
    }
}

TEST(PhCurve, RisesFromTheBeakerToTwentyFiveMillilitres)
{
    Model m = loadedModel(true, kEthanoic, 0.01f, 0.01f);
    const auto points = phCurve(m, true);
    ASSERT_GT(points.size(), 20u);
    EXPECT_DOUBLE_EQ(points.front().x, 40.0);
    EXPECT_NEAR(points.front().y, ConstructionFrame{}.y(3.39), 1.0); // pH 3.39 at 0 mL
    EXPECT_DOUBLE_EQ(points.back().x, 365.0);
    for (size_t i = 1; i < points.size(); ++i)
        EXPECT_LE(points[i].y, points[i - 1].y + 1e-9);
}

// The pH views draw the curve walk's own pH against phY: the tangents must
// touch that curve at veq - 1 and veq + 1, and E stand on it.
TEST(Tangents, TouchThePhCurveThePhViewsDraw)
{
    const ConstructionFrame f;
    auto along = [&](const PlotSegment& s, double v) {
        return s.a.y + (s.b.y - s.a.y) * (f.x(v) - s.a.x) / (s.b.x - s.a.x);
    };
    for (const Bench& b : {Bench{"ethanoic", true, kEthanoic, 0.01f, 0.01f},
                           Bench{"ethanoic 1e-3", true, kEthanoic, 0.001f, 0.001f},
                           Bench{"ammonia", false, kAmmonia, 0.01f, 0.02f}}) {
        Model walk = b.model();
        std::vector<CurveVertex> curve;
        walkCurve(walk, benchOf(b.acide, b.position, b.c, b.cb).sigmaInputs(), 1.0f, curve);
        Model m = b.model();
        const TangentConstruction t = tangente(m, b.acide);
        ASSERT_EQ(t.outcome, TangentOutcome::Complete) << b.name;
        const auto before = curvePhAt(curve, t.veq - 1), after = curvePhAt(curve, t.veq + 1),
                   at = curvePhAt(curve, t.veq);
        ASSERT_TRUE(before && after && at) << b.name;
        EXPECT_NEAR(along(t.t1, t.veq - 1), phY(*before), 0.5) << b.name;
        EXPECT_NEAR(along(t.t2, t.veq + 1), phY(*after), 0.5) << b.name;
        // Near E the curve is steep: its vertices lie 0.05 pH apart.
        EXPECT_NEAR(t.e.y, phY(*at), 1.0) << b.name;
    }
}
