// The uncertainty of the lines' Véq, the realistic series and Monte-Carlo.
#include "model/linefit.h"
#include "model/montecarlo.h"
#include "model/scatter.h"
#include "platform/core/numberformat.h"
#include "testmodel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titrage;
using namespace titrage::test;

namespace {

// The rows of a titration, exact or read as the realistic series `seed`.
std::vector<FitPoint> seriesPoints(const BenchEntries& e, int stepTenths,
                                   std::optional<std::uint64_t> seed = std::nullopt)
{
    Model m = freshModel();
    std::vector<TableRow> rows = tabulate(m, e, stepTenths);
    if (seed) scatterRows(m, e.sigmaInputs(), rows, ScatterSeries(*seed));
    std::vector<FitPoint> pts;
    for (const TableRow& r : rows)
        pts.push_back({r.v, r.sigma});
    return pts;
}

TwoLineOptions optionsFor(const BenchEntries& e)
{
    TwoLineOptions o;
    o.v0 = *e.vsol + *e.veau;
    return o;
}

} // namespace

TEST(VeqUncertainty, StudentFactorFollowsTheDegreesOfFreedom)
{
    const struct {
        double dof, k;
    } cases[] = {{1, 12.706},  {2, 4.303},   {2.9, 4.303},  {10, 2.228}, {30, 2.042},
                 {31, 2.0395}, {60, 2.0003}, {120, 1.9799}, {0, 1.96},   {-3, 1.96}};
    for (const auto& c : cases)
        EXPECT_NEAR(studentFactor95(c.dof), c.k, 2e-4) << c.dof;
}

TEST(VeqUncertainty, CombinesTheFitsAndTheBuretteWithWelchSatterthwaite)
{
    // Two lines of four points each, alternately off by +-d: their fits'
    // standard errors at V and their two degrees of freedom each are known.
    const double d = 0.001;
    std::vector<FitPoint> pts;
    for (int i = 0; i < 4; ++i) {
        const double off = i % 2 ? d : -d;
        pts.push_back({3.0 * i, 0.1 - 0.002 * 3 * i + off});
        pts.push_back({18.0 + 2 * i, -0.08 + 0.01 * (18 + 2 * i) + off});
    }
    TwoLineOptions o;
    o.correctDilution = false;
    o.ranges = FitRanges{{0, 9}, {18, 24}};
    const TwoLines t = fitTwoLines(pts, o);
    ASSERT_TRUE(t.found());
    const double turn = t.after.slope - t.before.slope;
    const double c1 = t.before.errorAt(t.veq) / turn, c2 = t.after.errorAt(t.veq) / turn;

    const VeqUncertainty none = veqUncertainty(t, 0);
    EXPECT_NEAR(none.fit, t.uVeq, 1e-15);
    EXPECT_NEAR(none.u, t.uVeq, 1e-15);
    const double dof = std::pow(none.u, 4) / (std::pow(c1, 4) / 2 + std::pow(c2, 4) / 2);
    EXPECT_EQ(none.dof, std::floor(dof));
    EXPECT_NEAR(none.U95, studentFactor95(dof) * none.u, 1e-12);

    // The burette's part has no degrees of freedom to lose: a large one
    // brings the factor towards 1,96.
    const VeqUncertainty large = veqUncertainty(t, 10 * t.uVeq);
    EXPECT_NEAR(large.u, std::hypot(t.uVeq, 10 * t.uVeq), 1e-12);
    EXPECT_GT(large.dof, 1000);
    EXPECT_LT(large.k, 1.962);

    // Exact points: only the burette, and the normal factor.
    std::vector<FitPoint> exact;
    for (int v = 0; v <= 25; ++v)
        exact.push_back({double(v), v < 12 ? 0.1 - 0.002 * v : -0.044 + 0.01 * v});
    TwoLineOptions raw;
    raw.correctDilution = false;
    const TwoLines e = fitTwoLines(exact, raw);
    ASSERT_TRUE(e.found());
    EXPECT_NEAR(e.veq, 12.0, 1e-9);
    const VeqUncertainty b = veqUncertainty(e, 0.04);
    EXPECT_NEAR(b.fit, 0.0, 1e-9);
    EXPECT_NEAR(b.u, 0.04, 1e-9);
    EXPECT_EQ(b.dof, 0);
    EXPECT_NEAR(b.U95, 1.959964 * 0.04, 1e-6);
}

TEST(VeqUncertainty, TextsGiveNoPlusMinusOnTheModel)
{
    EXPECT_EQ(veqConstructionText(19.8632), "Véq = 19,86 mL par les droites, courbe théorique");
    VeqUncertainty u;
    const struct {
        double veq, u, U;
        const char* text;
    } cases[] = {
        {19.9349, 0.0523, 0.118, "Véq = 19,93 mL ; u(Véq) = 0,052 mL ; U(Véq) (95 %) = 0,12 mL"},
        {19.9349, 0.0123, 0.0281, "Véq = 19,935 mL ; u(Véq) = 0,012 mL ; U(Véq) (95 %) = 0,028 mL"},
        {12.04, 0.61, 1.34, "Véq = 12,04 mL ; u(Véq) = 0,61 mL ; U(Véq) (95 %) = 1,30 mL"},
    };
    for (const auto& c : cases) {
        u.u = c.u;
        u.U95 = c.U;
        EXPECT_EQ(veqMeasuredText(c.veq, u), c.text);
    }
}

TEST(Scatter, ASeedGivesOneSeriesWhateverTheStep)
{
    const BenchEntries e = bench(true, kHydrochloric);
    const auto fine = seriesPoints(e, 5, 2024), coarse = seriesPoints(e, 10, 2024);
    const auto other = seriesPoints(e, 10, 2025), exact = seriesPoints(e, 10);
    ASSERT_EQ(coarse.size(), 26u);
    int differ = 0, moved = 0;
    for (size_t i = 0; i < coarse.size(); ++i) {
        EXPECT_EQ(coarse[i].sigma, fine[2 * i].sigma) << coarse[i].v;
        EXPECT_EQ(coarse[i].v, exact[i].v); // the volumes are those read
        differ += coarse[i].sigma != other[i].sigma;
        moved += coarse[i].sigma != exact[i].sigma;
    }
    EXPECT_GT(differ, 20);
    EXPECT_GT(moved, 20);
}

TEST(Scatter, ReadingsScatterByTheStatedModel)
{
    // The conductimeter's 1 %: over many readings of one conductivity at
    // different volumes, a mean of 1 and a standard deviation of 1 %; the
    // display keeps three significant digits.
    const ScatterSeries s(77);
    const double sigma = 0.0426;
    double sum = 0, ss = 0;
    const int n = 20000;
    for (int i = 1; i <= n; ++i) {
        const double r = s.reading(sigma, i / 100.0) / sigma - 1;
        sum += r;
        ss += r * r;
        const double shown = s.reading(sigma, i / 100.0);
        EXPECT_EQ(shown, roundSignificant(shown, 3));
    }
    EXPECT_NEAR(sum / n, 0.0, 3e-4);
    EXPECT_NEAR(std::sqrt(ss / n), std::hypot(0.01, 1e-4 / sigma / std::sqrt(12.0)), 3e-4);

    // The burette: nothing poured is exact; each reading within its half
    // graduation, the zero's and the glass's errors added.
    EXPECT_EQ(s.deliveredVolume(0), 0);
    double worst = 0;
    for (int i = 1; i <= 2500; ++i)
        worst = std::max(worst, std::fabs(s.deliveredVolume(i / 100.0) - i / 100.0));
    EXPECT_LE(worst, 0.05 + 0.05 + 0.05);
    EXPECT_GT(worst, 0.03);
    EXPECT_NEAR(buretteUncertainty(ScatterModel{}, 25), std::sqrt(2 * 0.05 * 0.05 / 3), 1e-12);
}

// 1000 series of the strong acid (0,01 mol/L HCl, 20 mL, a point every
// 0,5 mL) read at 1 % scatter: the interval Véq +- U(Véq) (95 %) holds the
// true Véq in 90 to 99 % of them. The true Véq of a series is where the
// noise-free model's lines over the same ranges cross: it is what the method
// estimates from those points (for the strong acid it is the stoichiometric
// 20,00 mL within two hundredths, checked too).
TEST(Scatter, ExpandedUncertaintyCoversTheTrueVeq)
{
    const BenchEntries e = bench(true, kHydrochloric);
    const auto exact = seriesPoints(e, 5);
    int covered = 0, found = 0, stoichiometric = 0;
    double worstTruth = 0;
    for (std::uint64_t seed = 1; seed <= 1000; ++seed) {
        const TwoLines t = fitTwoLines(seriesPoints(e, 5, seed), optionsFor(e));
        if (!t.found()) continue;
        ++found;
        TwoLineOptions same = optionsFor(e);
        same.ranges = t.ranges;
        // The exact lines may cross just inside a range the noisy ones
        // left: their intersection is still what is sought.
        const TwoLines truth = fitTwoLines(exact, same);
        ASSERT_TRUE(truth.found() || truth.failure == BreakFailure::InsideRange) << seed;
        worstTruth = std::max(worstTruth, std::fabs(truth.veq - 20.0));
        const VeqUncertainty u = veqUncertainty(t, buretteUncertainty(ScatterModel{}, t.veq));
        covered += std::fabs(t.veq - truth.veq) <= u.U95;
        stoichiometric += std::fabs(t.veq - 20.0) <= u.U95;
    }
    EXPECT_GE(found, 990);
    const double share = double(covered) / found;
    EXPECT_GE(share, 0.90);
    EXPECT_LE(share, 0.99);
    EXPECT_LT(worstTruth, 0.02);
    std::printf("coverage of U(Veq) (95 %%): %d of %d series (%d about 20,00 mL)\n", covered, found,
                stoichiometric);
}

TEST(MonteCarlo, SpreadMatchesTheFormulaAndRepeatsForASeed)
{
    const BenchEntries e = bench(true, kHydrochloric);
    const auto points = seriesPoints(e, 5, 31);
    const TwoLines t = fitTwoLines(points, optionsFor(e));
    ASSERT_TRUE(t.found());
    MonteCarloOptions o;
    o.v0 = 20;
    o.seed = 5;
    const MonteCarloResult r = monteCarloVeq(points, t.ranges, o);
    EXPECT_EQ(r.draws, 1000);
    EXPECT_EQ(r.failed, 0);
    const VeqUncertainty u = veqUncertainty(t, buretteUncertainty(o.model, t.veq));
    EXPECT_NEAR(r.mean, t.veq, u.u / 3);
    EXPECT_NEAR(r.sd, u.u, 0.35 * u.u);
    int total = 0;
    for (int n : r.histogram)
        total += n;
    EXPECT_EQ(total, r.found());
    EXPECT_EQ(r.histogram.size(), 20u);
    EXPECT_LE(r.lo, r.mean);
    EXPECT_GE(r.hi, r.mean);

    const MonteCarloResult again = monteCarloVeq(points, t.ranges, o);
    EXPECT_EQ(again.mean, r.mean);
    EXPECT_EQ(again.histogram, r.histogram);
    o.seed = 6;
    EXPECT_NE(monteCarloVeq(points, t.ranges, o).mean, r.mean);

    // Ranges without three points each: nothing drawn.
    EXPECT_EQ(monteCarloVeq(points, {{0, 0.5}, {22, 25}}, o).draws, 0);
}
