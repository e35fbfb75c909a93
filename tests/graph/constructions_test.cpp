#include "graph/constructions.h"

#include "model/measurement.h"
#include "model/solver.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titrage;

namespace {

struct Bench {
    const char* name;
    bool acide;
    int position;
    float c;
    float cb;
    float vsol = 20.0f;
    const char* pka = nullptr; // "autre acide" / "autre base"
};

Model loaded(const Bench& b) {
    Model m;
    initcatalogue(m);
    if (b.pka) chpk(m, b.acide, b.position, b.pka);
    BenchEntries e;
    e.acide = b.acide;
    e.position = b.position;
    e.c = b.c;
    e.cburette = b.cb;
    e.vsol = b.vsol;
    e.veau = 0.0f;
    e.vverse = 0.0f;
    loadModel(m, e);
    return m;
}

bool finite(PlotPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool finite(const PlotSegment& s) {
    return finite(s.a) && finite(s.b);
}

constexpr int kEthanoic = 4, kHydrochloric = 2, kOther = 14, kAmmonia = 1, kSodiumHydroxide = 8;

} // namespace

TEST(Tangents, EthanoicAcidGivesEAtTheEquivalence) {
    Model m = loaded({"ethanoic", true, kEthanoic, 0.01f, 0.01f});
    const TangentConstruction t = tangente(m, true);
    ASSERT_EQ(t.outcome, TangentOutcome::Complete);
    EXPECT_FLOAT_EQ(t.veq, 20.0f);
    const ConstructionFrame f;
    EXPECT_DOUBLE_EQ(t.e.x, f.x(20.0));
    EXPECT_GT(t.phE, 7.0); // a weak acid's equivalence is basic
    EXPECT_LT(t.phE, 9.5);
    // Span cut at 25 mL: round(20 - 5) = 15 to min(25, 25).
    EXPECT_DOUBLE_EQ(t.t1.a.x, f.x(15));
    EXPECT_DOUBLE_EQ(t.t1.b.x, f.x(25));
    EXPECT_GT(t.delta, 20.0); // T1 below T2 on screen, by far
    EXPECT_EQ(t.equalMarks.size(), 2u);
    EXPECT_EQ(t.label.x, t.e.x - 10);
}

TEST(Tangents, NormalIsPerpendicularAndEndsOnTheSecondTangent) {
    for (const Bench& b : {Bench{"ethanoic", true, kEthanoic, 0.01f, 0.01f, 10.0f},
                           Bench{"ammonia", false, kAmmonia, 0.1f, 0.1f, 10.0f}}) {
        Model m = loaded(b);
        const TangentConstruction t = tangente(m, b.acide);
        ASSERT_EQ(t.outcome, TangentOutcome::Complete) << b.name;
        const ConstructionFrame f;
        const double s = t.slope * f.kpH / f.kV; // screen slope, upwards
        const double nx = t.normal.b.x - t.normal.a.x;
        const double ny = t.normal.b.y - t.normal.a.y;
        const double length = std::hypot(nx, ny);
        ASSERT_GT(length, 5.0) << b.name;
        // Perpendicular to the screen direction (1, -s), within the rounding to whole units.
        EXPECT_LT(std::fabs(nx - s * ny) / std::hypot(1.0, s) / length, 0.1) << b.name;
        // The foot lies on T2 (within a unit).
        const double t2y =
            t.t2.a.y + (t.t2.b.y - t.t2.a.y) * (t.normal.b.x - t.t2.a.x) / (t.t2.b.x - t.t2.a.x);
        EXPECT_NEAR(t.normal.b.y, t2y, 1.5) << b.name;
        // The right-angle mark turns towards T2, as the normal does.
        EXPECT_GT((t.mark1.b.x - t.mark1.a.x) * nx + (t.mark1.b.y - t.mark1.a.y) * ny, 0.0)
            << b.name;
    }
}

struct EdgeCase {
    const char* name;
    Bench bench;
    TangentOutcome outcome;
};

class TangentEdges : public ::testing::TestWithParam<EdgeCase> {};

// Every curve ends in nothing, the message, or a complete construction, with
// finite coordinates throughout.
TEST_P(TangentEdges, EndInTheStatedOutcomeWithFiniteGeometry) {
    const EdgeCase& c = GetParam();
    Model m = loaded(c.bench);
    const TangentConstruction t = tangente(m, c.bench.acide);
    EXPECT_EQ(t.outcome, c.outcome);
    if (t.outcome != TangentOutcome::OutOfRange) {
        EXPECT_TRUE(finite(t.t1) && finite(t.t2));
        EXPECT_TRUE(std::isfinite(t.delta));
    }
    if (t.outcome == TangentOutcome::Complete) {
        EXPECT_TRUE(finite(t.parallel) && finite(t.normal) && finite(t.mark1) && finite(t.mark2));
        for (const PlotPoint& p : t.equalMarks)
            EXPECT_TRUE(finite(p));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Curves, TangentEdges,
    ::testing::Values(
        EdgeCase{
            "StrongAcid", {"hcl", true, kHydrochloric, 0.01f, 0.01f}, TangentOutcome::Complete},
        EdgeCase{"StrongBase",
                 {"naoh", false, kSodiumHydroxide, 0.01f, 0.01f},
                 TangentOutcome::Complete},
        // veq = 20 x 0.01 / 0.1 = 2 mL, a hair below in 32 bits: no room for
        // the point at veq - 1.01 mL.
        EdgeCase{
            "TitrantTenTimes", {"x10", true, kEthanoic, 0.01f, 0.1f}, TangentOutcome::OutOfRange},
        EdgeCase{
            "TitrantEightTimes", {"x8", true, kEthanoic, 0.01f, 0.08f}, TangentOutcome::Complete},
        EdgeCase{
            "VeqBelowTwo", {"1.5", true, kEthanoic, 0.0075f, 0.1f}, TangentOutcome::OutOfRange},
        EdgeCase{"VeqAboveTwentyThree",
                 {"23.5", true, kEthanoic, 0.01175f, 0.01f},
                 TangentOutcome::OutOfRange},
        EdgeCase{"VeqBeyondTheBurette",
                 {"40", true, kEthanoic, 0.02f, 0.01f},
                 TangentOutcome::OutOfRange},
        // An acid so weak that the pH barely jumps: the tangents coincide.
        EdgeCase{"OtherAcidPka139",
                 {"pKa 13.9", true, kOther, 0.01f, 0.01f, 20.0f, "13,9"},
                 TangentOutcome::NoJump},
        EdgeCase{"OtherAcidPka01",
                 {"pKa 0.1", true, kOther, 0.01f, 0.01f, 20.0f, "0,1"},
                 TangentOutcome::Complete},
        EdgeCase{"OtherBasePka01",
                 {"base pKa 0.1", false, kOther, 0.01f, 0.01f, 20.0f, "0,1"},
                 TangentOutcome::NoJump},
        EdgeCase{"NoTitrant", {"cb 0", true, kEthanoic, 0.01f, 0.0f}, TangentOutcome::OutOfRange}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Tangents, SpanIsCutAtTheEndsOfTheBurette) {
    Model m = loaded({"veq 3", true, kEthanoic, 0.0015f, 0.01f}); // veq = 3 mL
    const TangentConstruction t = tangente(m, true);
    ASSERT_NE(t.outcome, TangentOutcome::OutOfRange);
    EXPECT_NEAR(t.veq, 3.0, 1e-5);
    EXPECT_DOUBLE_EQ(t.t1.a.x, 40.0); // V_lo = 0
    EXPECT_DOUBLE_EQ(t.t1.b.x, ConstructionFrame{}.x(8));
}

TEST(Derivative, PeaksAtTheEquivalenceAndStaysInItsBand) {
    for (const Bench& b : {Bench{"ethanoic", true, kEthanoic, 0.01f, 0.01f},
                           Bench{"hcl", true, kHydrochloric, 0.01f, 0.01f},
                           Bench{"ammonia", false, kAmmonia, 0.01f, 0.01f}}) {
        Model m = loaded(b);
        const auto points = btderive(m);
        ASSERT_GT(points.size(), 10u) << b.name;
        const PlotPoint* top = &points.front();
        for (const PlotPoint& p : points) {
            EXPECT_TRUE(finite(p));
            EXPECT_GE(p.y, 10.0);
            EXPECT_LE(p.y, 250.0);
            EXPECT_GE(p.x, 40.0);
            EXPECT_LE(p.x, 365.0);
            if (p.y < top->y) top = &p;
        }
        EXPECT_NEAR(top->x, ConstructionFrame{}.x(20.0), 13.0) << b.name; // within 1 mL
    }
}

TEST(Derivative, ExtremeCurvesGiveFinitePointsOrNone) {
    for (const Bench& b : {Bench{"pKa 0.1", true, kOther, 0.01f, 0.01f, 20.0f, "0,1"},
                           Bench{"pKa 13.9", true, kOther, 0.01f, 0.01f, 20.0f, "13,9"},
                           Bench{"x10", true, kEthanoic, 0.01f, 0.1f},
                           Bench{"naoh", false, kSodiumHydroxide, 0.01f, 0.01f},
                           Bench{"cb 0", true, kEthanoic, 0.01f, 0.0f}}) {
        Model m = loaded(b);
        for (const PlotPoint& p : btderive(m)) {
            EXPECT_TRUE(finite(p)) << b.name;
            EXPECT_GE(p.y, 10.0) << b.name;
            EXPECT_LE(p.y, 250.0) << b.name;
        }
    }
}

TEST(PhCurve, RunsFromTheBeakerToTwentyFiveMillilitres) {
    Model m = loaded({"ethanoic", true, kEthanoic, 0.01f, 0.01f});
    const auto points = phCurve(m, true);
    ASSERT_GT(points.size(), 20u);
    const ConstructionFrame f;
    EXPECT_DOUBLE_EQ(points.front().x, 40.0);
    EXPECT_NEAR(points.front().y, f.y(3.39), 1.0); // pH 3.39 at 0 mL
    EXPECT_DOUBLE_EQ(points.back().x, 365.0);
    for (size_t i = 1; i < points.size(); ++i)
        EXPECT_LE(points[i].y, points[i - 1].y + 1e-9);
}
