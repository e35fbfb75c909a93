#include "model/curve.h"
#include "testmodel.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

namespace {
std::vector<CurveVertex> benchCurve(Model& m, const BenchEntries& e, float maxaxe)
{
    loadModel(m, e);
    std::vector<CurveVertex> out;
    walkCurve(m, e.sigmaInputs(), maxaxe, out);
    return out;
}
} // namespace

TEST(Curve, EthanoicAcidRunsFromZeroToTheBurettesEnd)
{
    Model m = freshModel();
    const auto v = benchCurve(m, bench(true, kEthanoic), 0.1f);
    ASSERT_GT(v.size(), 50u);
    EXPECT_DOUBLE_EQ(v.front().x, 40.0);
    EXPECT_DOUBLE_EQ(v.back().x, 365.0);
    EXPECT_FLOAT_EQ(v.back().v, 25.0f);
    // The walk reaches 25 mL before p passes 11.1; the model is left at 25 mL.
    EXPECT_LT(m.phcalc, 11.1f);
    EXPECT_FLOAT_EQ(m.vverse, 25.0f);
    for (size_t i = 1; i + 1 < v.size(); ++i) {
        EXPECT_GE(v[i].v, 0.0f);
        EXPECT_LE(v[i].v, 25.0f);
        EXPECT_GE(v[i].v, v[i - 1].v) << i; // volumes grow with p
        EXPECT_DOUBLE_EQ(v[i].y, 250.0 - 220.0 * v[i].sigma / 0.1f);
    }
    // The points crowd around the equivalence (20 mL), where p moves fastest.
    const auto near =
        std::count_if(v.begin(), v.end(), [](auto& p) { return p.v > 19.5f && p.v < 20.5f; });
    const auto far =
        std::count_if(v.begin(), v.end(), [](auto& p) { return p.v > 9.5f && p.v < 10.5f; });
    EXPECT_GT(near, 3 * far);
}

TEST(Curve, StrongAcidFollowsTheFullyDissociatedAcid)
{
    Model m = freshModel();
    const auto v = benchCurve(m, bench(true, kHydrochloric), 0.5f);
    // With K = 1e35 the volume at [H3O+] = x is that of a fully dissociated acid.
    for (const auto& p : v) {
        if (p.v <= 0.0f || p.v >= 19.0f) continue;
        const double vtot = 20.0 + p.v;
        const double h = (0.01 * 20 - 0.01 * p.v) / vtot;
        const double sigma = h * 34.97 + 0.01 * 20 / vtot * 7.631 + 0.01 * p.v / vtot * 5.008;
        EXPECT_NEAR(p.sigma, sigma, 2e-3 * sigma) << p.v;
    }
    // The V-shaped curve's minimum sits at the equivalence.
    const auto lowest =
        std::min_element(v.begin(), v.end(), [](auto& a, auto& b) { return a.sigma < b.sigma; });
    EXPECT_NEAR(lowest->v, 20.0f, 0.3f);
    EXPECT_NEAR(lowest->sigma, 0.0632f, 0.001f);
}

TEST(Curve, BaseBeakerWalksThePoh)
{
    Model m = freshModel();
    const BenchEntries e = bench(false, kAmmonia);
    const auto v = benchCurve(m, e, 0.1f);
    // sigma at 0 mL is the refresh's sigma at 0 mL.
    Model ref = freshModel();
    measure(ref, e);
    EXPECT_FLOAT_EQ(v.front().sigma, ref.sigma);
    EXPECT_FLOAT_EQ(v.back().v, 25.0f);
    // After equivalence, hydrochloric acid accumulates: sigma rises.
    EXPECT_GT(v.back().sigma, v[v.size() / 2].sigma);
}

TEST(Curve, StoredSituationDrawsTheSameCurveAsTheBench)
{
    Model a = freshModel();
    const auto fromBench = benchCurve(a, bench(true, kEthanoic, 0.005f, 0.01f, 20.0f, 10.0f), 0.1f);
    Situation s;
    s.listesit[1] = kEthanoic;
    s.textesit = {"7,0", "0,01", "25", "0,005", "20,0", "10,0", "0,1"};
    Model b = freshModel();
    loadModelFromSituation(b, s);
    std::vector<CurveVertex> fromStore;
    walkCurve(b, sigmaInputsOf(s), 0.1f, fromStore);
    ASSERT_EQ(fromStore.size(), fromBench.size());
    for (size_t i = 0; i < fromStore.size(); ++i) {
        EXPECT_FLOAT_EQ(fromStore[i].v, fromBench[i].v);
        EXPECT_FLOAT_EQ(fromStore[i].sigma, fromBench[i].sigma);
    }
}

TEST(Distribution, FormsCrossAtHalfEquivalence)
{
    Model m = freshModel();
    loadModel(m, bench(true, kEthanoic));
    std::vector<DistributionVertex> d;
    walkDistribution(m, true, d);
    ASSERT_GT(d.size(), 10u);
    int crossings = 0;
    EXPECT_DOUBLE_EQ(d.front().x, 40.0);
    EXPECT_DOUBLE_EQ(d.back().x, 365.0);
    for (size_t i = 1; i < d.size(); ++i) {
        if (d[i - 1].acidFraction >= 0.5 && d[i].acidFraction < 0.5) {
            const auto& a = d[i - 1];
            const auto& b = d[i];
            const double crossing =
                a.v + (0.5 - a.acidFraction) * (b.v - a.v) / (b.acidFraction - a.acidFraction);
            EXPECT_NEAR(crossing, 10.0, 0.3);
            ++crossings;
        }
        EXPECT_NEAR(d[i].acidFraction + d[i].baseFraction, 1.0, 1e-12);
    }
    EXPECT_EQ(crossings, 1);
    EXPECT_GT(d.front().acidFraction, 0.9); // acid beaker: the base form grows
    EXPECT_LT(d.back().acidFraction, 0.01);

    // A base beaker: the acid form grows as the acid is poured.
    loadModel(m, bench(false, kAmmonia));
    walkDistribution(m, false, d);
    EXPECT_LT(d.front().acidFraction, 0.1);
    EXPECT_GT(d.back().acidFraction, 0.99);
    EXPECT_DOUBLE_EQ(d.back().x, 365.0);
}
