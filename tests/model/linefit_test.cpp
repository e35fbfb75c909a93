#include "model/contributions.h"
#include "model/curve.h"
#include "model/linebreaks.h"
#include "model/linefit.h"
#include "model/mixturebench.h"
#include "platform/core/numberformat.h"
#include "testmodel.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

namespace {

// The table of values of a whole titration, as fit points.
std::vector<FitPoint> tablePoints(const BenchEntries& e, int stepTenths)
{
    Model m = freshModel();
    std::vector<FitPoint> pts;
    for (const TableRow& r : tabulate(m, e, stepTenths))
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

TEST(LineFit, ExactLinesGiveTheirIntersectionWithoutUncertainty)
{
    // y = -0.01 V + 0.4 before, y = 0.012 V - 0.04 after: they cross at 20 mL.
    // Given as raw sigma of a 100 mL beaker, so that only the dilution
    // correction makes them straight.
    std::vector<FitPoint> pts;
    for (int t = 0; t <= 250; t += 5) {
        const double v = t / 10.0;
        const double y = v < 20 ? -0.01 * v + 0.4 : 0.012 * v - 0.04;
        pts.push_back({v, y * 100 / (100 + v)});
    }
    TwoLineOptions o;
    o.v0 = 100;
    const TwoLines t = fitTwoLines(pts, o);
    ASSERT_TRUE(t.found());
    EXPECT_NEAR(t.veq, 20.0, 1e-9);
    EXPECT_NEAR(t.uVeq, 0.0, 1e-9);
    EXPECT_NEAR(t.before.slope, -0.01, 1e-12);
    EXPECT_NEAR(t.after.intercept, -0.04, 1e-10);
    EXPECT_LE(t.ranges.before.to, 20.0);
    EXPECT_GE(t.ranges.after.from, 20.0);

    // Without the correction the same points are curved: another answer.
    o.correctDilution = false;
    EXPECT_GT(std::fabs(fitTwoLines(pts, o).veq - 20.0), 0.05);
}

TEST(LineFit, UncertaintyCarriesTheResidualsToTheIntersection)
{
    // Before: y = 2x + 1 plus residuals (+d, -2d, +d), which leave the line
    // unchanged and give s^2 = 6 d^2; after: y = 31 - x exactly. They cross at
    // 10, and u = s.sqrt(1/3 + (10 - 1)^2 / 2) / |2 - (-1)|.
    const double d = 0.01;
    const std::vector<FitPoint> pts = {{0, 1 + d}, {1, 3 - 2 * d}, {2, 5 + d},
                                       {12, 19},   {13, 18},       {14, 17}};
    TwoLineOptions o;
    o.correctDilution = false;
    o.ranges = FitRanges{{0, 2}, {12, 14}};
    const TwoLines t = fitTwoLines(pts, o);
    ASSERT_TRUE(t.found());
    EXPECT_NEAR(t.veq, 10.0, 1e-12);
    EXPECT_NEAR(t.uVeq, std::sqrt(6.0) * d * std::sqrt(1.0 / 3 + 81.0 / 2) / 3, 1e-12);
    EXPECT_EQ(veqText(t.veq, t.uVeq), "Véq = 10,0 ± 0,1 mL");
}

TEST(LineFit, BenchTitrationsFindTheirEquivalence)
{
    struct Case {
        const char* name;
        BenchEntries e;
        int step;
        double veq, tolerance;
    };
    const Case cases[] = {
        {"ethanoic 10 + 90", bench(true, kEthanoic, 0.01f, 0.01f, 10, 90), 5, 10, 0.2},
        {"hydrochloric", bench(true, kHydrochloric), 5, 20, 0.05},
        {"hydrochloric 1 mL", bench(true, kHydrochloric), 10, 20, 0.05},
        {"ammonia", bench(false, kAmmonia), 5, 20, 0.2},
    };
    for (const Case& c : cases) {
        const TwoLines t = fitTwoLines(tablePoints(c.e, c.step), optionsFor(c.e));
        ASSERT_TRUE(t.found()) << c.name;
        EXPECT_NEAR(t.veq, c.veq, c.tolerance) << c.name;
        EXPECT_GT(t.uVeq, 0.0) << c.name;
        EXPECT_LT(t.uVeq, c.tolerance) << c.name;
    }
}

TEST(LineFit, MeasuredPointsEveryMillilitreAsTheConductimeterReadsThem)
{
    // By hand every 1 mL, sigma read with its three digits.
    const BenchEntries e = bench(true, kEthanoic);
    Model m = freshModel();
    std::vector<FitPoint> pts;
    for (int v = 0; v <= 25; ++v) {
        BenchEntries at = e;
        at.vverse = static_cast<float>(v);
        measure(m, at);
        pts.push_back({static_cast<double>(v), roundSignificant(m.sigma, 3)});
    }
    const TwoLines t = fitTwoLines(pts, optionsFor(e));
    ASSERT_TRUE(t.found());
    EXPECT_NEAR(t.veq, 20.0, 0.2);
}

TEST(LineFit, NoBreakCases)
{
    struct Case {
        const char* name;
        std::vector<FitPoint> points;
        TwoLineOptions options;
        BreakFailure failure;
    };
    const BenchEntries phenol = bench(true, 13);
    const BenchEntries early = bench(true, kHydrochloric, 0.00075f); // Véq 1.5 mL
    std::vector<FitPoint> few = tablePoints(bench(true, kHydrochloric), 50);
    std::vector<FitPoint> parallel;
    for (int v = 0; v <= 25; ++v)
        parallel.push_back({double(v), 0.01 * v + 0.1});
    TwoLineOptions raw;
    raw.correctDilution = false;
    const Case cases[] = {
        {"phenol", tablePoints(phenol, 5), optionsFor(phenol), BreakFailure::NoBreak},
        {"veq 1.5 mL", tablePoints(early, 5), optionsFor(early), BreakFailure::OffBurette},
        {"five points", few, optionsFor(phenol), BreakFailure::TooFewPoints},
        {"one straight line", parallel, raw, BreakFailure::NoBreak},
    };
    for (const Case& c : cases) {
        const TwoLines t = fitTwoLines(c.points, c.options);
        EXPECT_FALSE(t.found()) << c.name;
        EXPECT_EQ(t.failure, c.failure) << c.name;
    }
}

TEST(LineFit, PlainBreaksAcceptedWithAndWithoutCorrectionOthersRefusedWithTheirCause)
{
    // veq 0: refused for `failure`. Without the correction the raw lines
    // carry the dilution's bend, hence the wider tolerances there.
    struct Case {
        const char* name;
        BenchEntries e;
        int step;
        bool corrected;
        double veq, tolerance;
        BreakFailure failure = BreakFailure::None;
    };
    using F = BreakFailure;
    const BenchEntries hcl = bench(true, kHydrochloric);
    const BenchEntries ammonium = bench(true, 9, 0.01f, 0.01f, 10, 90);
    const BenchEntries hypochlorous = bench(true, 6, 0.01f, 0.01f, 10, 90);
    const BenchEntries early = bench(true, kHydrochloric, 0.01f, 0.04f, 10, 0); // Véq 2.5 mL
    const BenchEntries phenol = bench(true, 13), methylammonium = bench(true, 11);
    const Case cases[] = {
        {"hydrochloric", hcl, 5, true, 20, 0.05},
        {"hydrochloric raw", hcl, 5, false, 20, 0.2},
        {"hydrochloric Véq 2.5, 1 mL steps", early, 10, true, 2.5, 0.05},
        {"ethanoic", bench(true, kEthanoic), 5, true, 20, 0.1},
        {"ethanoic raw", bench(true, kEthanoic), 5, false, 20, 0.1},
        {"ammonia", bench(false, kAmmonia), 5, true, 20, 0.1},
        {"ammonia raw", bench(false, kAmmonia), 5, false, 20, 0.1},
        {"ammonium 10 + 90", ammonium, 5, true, 10, 0.1},
        {"ammonium 10 + 90 raw", ammonium, 5, false, 10, 0.6},
        {"hypochlorous 10 + 90 raw", hypochlorous, 5, false, 10, 0.1},
        {"phenol", phenol, 5, true, 0, 0, F::NoBreak},
        {"phenol raw", phenol, 5, false, 0, 0, F::NoBreak},
        {"methylammonium", methylammonium, 5, true, 0, 0, F::NoBreak},
        {"methylammonium raw", methylammonium, 5, false, 0, 0, F::NoBreak},
        // A weak acid's start is curved: read every millilitre before a
        // break at 2.5 mL, no three points of it lie in a line.
        {"weak acid Véq 2.5, 1 mL steps", bench(true, 0, 0.01f, 0.04f, 10, 0), 10, true, 0, 0,
         F::TooFewPoints},
        {"Véq 1.5 mL", bench(true, kHydrochloric, 0.00075f), 5, true, 0, 0, F::OffBurette},
    };
    for (const Case& c : cases) {
        TwoLineOptions o = optionsFor(c.e);
        o.correctDilution = c.corrected;
        const TwoLines t = fitTwoLines(tablePoints(c.e, c.step), o);
        EXPECT_EQ(t.failure, c.failure) << c.name;
        if (c.failure != F::None) continue;
        EXPECT_NEAR(t.veq, c.veq, c.tolerance) << c.name;
        // Véq stands between the ranges, never inside one.
        EXPECT_LE(t.ranges.before.to, t.veq) << c.name;
        EXPECT_GE(t.ranges.after.from, t.veq) << c.name;
    }
}

TEST(LineFit, RangesKeepAStrongAcidsStraightStartAndLeaveOutAWeakOnesCurvedOne)
{
    const BenchEntries hcl = bench(true, kHydrochloric), ethanoic = bench(true, kEthanoic);
    EXPECT_LE(fitTwoLines(tablePoints(hcl, 5), optionsFor(hcl)).ranges.before.from, 0.5);
    EXPECT_GE(fitTwoLines(tablePoints(ethanoic, 5), optionsFor(ethanoic)).ranges.before.from, 1.5);
}

TEST(LineFit, RangesStraddlingTheBreakAreRefusedAsSuch)
{
    // The student's before range reaches past the break: the lines cross inside it.
    const BenchEntries hcl = bench(true, kHydrochloric);
    TwoLineOptions o = optionsFor(hcl);
    o.ranges = FitRanges{{10, 22}, {22.5, 25}};
    EXPECT_EQ(fitTwoLines(tablePoints(hcl, 5), o).failure, BreakFailure::InsideRange);
    EXPECT_STRNE(breakFailureMessage(BreakFailure::InsideRange),
                 breakFailureMessage(BreakFailure::NoBreak));
}

TEST(LineFit, VeqTextRoundsTheUncertaintyUp)
{
    EXPECT_EQ(veqText(20.0, 0.06), "Véq = 20,0 ± 0,1 mL");
    EXPECT_EQ(veqText(19.96, 0.12), "Véq = 20,0 ± 0,2 mL");
    EXPECT_EQ(veqText(9.9214, 0.0163), "Véq = 9,92 ± 0,02 mL");
    EXPECT_EQ(veqText(20.0, 0.0), "Véq = 20,00 ± 0,01 mL");
}

TEST(Contributions, StackedSharesAddUpToSigmaAtEveryVertex)
{
    struct Case {
        BenchEntries e;
        std::vector<std::string> ions;
    };
    const Case cases[] = {
        {bench(true, kEthanoic), {"H₃O⁺", "HO⁻", "Na⁺", "CH₃COO⁻"}},
        {bench(true, kHydrochloric), {"H₃O⁺", "HO⁻", "Na⁺", "Cl⁻"}},
        {bench(false, kAmmonia), {"H₃O⁺", "HO⁻", "Cl⁻", "NH₄⁺"}},
        {bench(true, 9), {"H₃O⁺", "HO⁻", "Na⁺", "Cl⁻", "NH₄⁺"}},
    };
    for (const Case& c : cases) {
        Model m = freshModel();
        loadModel(m, c.e);
        StackedCurve s;
        walkContributions(m, c.e.sigmaInputs(), 0.5f, s);
        std::vector<std::string> names;
        for (int slot : s.ions)
            names.push_back(ionName(slot));
        EXPECT_EQ(names, c.ions);

        Model plain = freshModel();
        loadModel(plain, c.e);
        std::vector<CurveVertex> curve;
        walkCurve(plain, c.e.sigmaInputs(), 0.5f, curve);
        ASSERT_EQ(s.vertices.size(), curve.size());
        ASSERT_EQ(s.top.size(), curve.size());
        for (size_t j = 0; j < curve.size(); ++j) {
            EXPECT_EQ(s.vertices[j].sigma, curve[j].sigma) << j;
            EXPECT_EQ(s.top[j].back(), curve[j].sigma) << j;
            EXPECT_TRUE(std::is_sorted(s.top[j].begin(), s.top[j].end())) << j;
        }
    }
}

TEST(Contributions, SharesOfOneMeasurementAreItsTerms)
{
    Model m = freshModel();
    const BenchEntries e = bench(true, kHydrochloric);
    loadModel(m, e);
    calcsigma(m, e.sigmaInputs(), 2.0, 0.0);
    const auto shares = ionShares(m);
    ASSERT_EQ(shares.size(), 3u); // H3O+, HO-, Cl-
    EXPECT_NEAR(shares[0].sigma, 0.3497, 1e-6);
    EXPECT_EQ(shares[2].slot, 4);
    EXPECT_NEAR(shares[2].sigma, 0.07631, 1e-6);
    EXPECT_EQ(ionLegend(3, 5.008f), "Na⁺ : λ = 5,008 mS·m²·mol⁻¹");
}

namespace {

// Continuous lines through (0, y0) turning at each of `breaks` to the next
// slope, given as the raw sigma of a 100 mL beaker every half millilitre.
std::vector<FitPoint> brokenPoints(double y0, const std::vector<double>& breaks,
                                   const std::vector<double>& slopes)
{
    std::vector<FitPoint> pts;
    for (int t = 0; t <= 50; ++t) {
        const double v = t / 2.0;
        double y = y0, at = 0;
        for (size_t i = 0; i < slopes.size(); ++i) {
            const double end = i < breaks.size() ? std::min(v, breaks[i]) : v;
            if (end > at) y += slopes[i] * (end - at);
            at = std::max(at, end);
        }
        pts.push_back({v, y * 100 / (100 + v)});
    }
    return pts;
}

BrokenLineOptions brokenOptions(double v0, bool corrected = true)
{
    BrokenLineOptions o;
    o.v0 = v0;
    o.correctDilution = corrected;
    return o;
}

} // namespace

TEST(BrokenLines, NoiseFreePiecewiseLinesGiveEachBreakExactly)
{
    struct Case {
        const char* name;
        std::vector<double> breaks, slopes;
        std::vector<FitRange> ranges; // the student's, or none
    };
    const Case cases[] = {
        {"one break", {12}, {-0.01, 0.015}, {}},
        {"two breaks", {8, 17}, {-0.02, 0.005, 0.02}, {}},
        {"three breaks", {6, 12, 19}, {-0.02, 0.004, 0.018, 0.006}, {}},
        {"three breaks, the student's ranges",
         {6, 12, 19},
         {-0.02, 0.004, 0.018, 0.006},
         {{0, 5}, {7, 11}, {13, 18}, {20, 25}}},
    };
    for (const Case& c : cases) {
        const std::vector<FitPoint> pts = brokenPoints(0.3, c.breaks, c.slopes);
        BrokenLineOptions o = brokenOptions(100);
        o.ranges = c.ranges;
        const BrokenLines b = fitBrokenLines(pts, o);
        ASSERT_TRUE(b.found()) << c.name;
        ASSERT_EQ(b.count(), c.breaks.size()) << c.name;
        ASSERT_EQ(b.lines().size(), c.slopes.size()) << c.name;
        for (size_t i = 0; i < c.breaks.size(); ++i) {
            const TwoLines& t = b.breaks[i];
            EXPECT_NEAR(t.veq, c.breaks[i], 1e-9) << c.name << " " << i;
            EXPECT_NEAR(t.uVeq, 0.0, 1e-9) << c.name << " " << i;
            EXPECT_NEAR(t.before.slope, c.slopes[i], 1e-10) << c.name << " " << i;
            EXPECT_LE(t.ranges.before.to, t.veq) << c.name << " " << i;
            EXPECT_GE(t.ranges.after.from, t.veq) << c.name << " " << i;
            // Neighbouring breaks share their middle line.
            if (i > 0) EXPECT_EQ(b.breaks[i - 1].after.slope, t.before.slope) << c.name;
        }
        if (c.breaks.size() == 1) {
            const TwoLines alone = fitTwoLines(pts, {true, 100, std::nullopt});
            EXPECT_EQ(b.breaks[0].veq, alone.veq);
        }
    }
    // The student's ranges straddling a break: refused as such.
    BrokenLineOptions o = brokenOptions(100);
    o.ranges = {{0, 5}, {7, 14}, {15, 18}, {20, 25}};
    EXPECT_EQ(
        fitBrokenLines(brokenPoints(0.3, {6, 12, 19}, {-0.02, 0.004, 0.018, 0.006}), o).failure,
        BreakFailure::InsideRange);
}

TEST(BrokenLines, ASingleCoupleBreaksOnceWithTheTwoLinesFiguresOrNotAtAll)
{
    // No bend of a weak couple's curve is taken for a second break, and the
    // single break is the two lines' own, to the last bit.
    for (const bool acide : {true, false})
        for (int position = 0; position < 14; ++position)
            for (const int step : {5, 10})
                for (const bool corrected : {true, false})
                    for (const bool diluted : {false, true}) {
                        const BenchEntries e = diluted
                                                   ? bench(acide, position, 0.01f, 0.01f, 10, 90)
                                                   : bench(acide, position);
                        const std::vector<FitPoint> pts = tablePoints(e, step);
                        TwoLineOptions two = optionsFor(e);
                        two.correctDilution = corrected;
                        const TwoLines alone = fitTwoLines(pts, two);
                        const BrokenLines b = fitBrokenLines(pts, brokenOptions(two.v0, corrected));
                        const std::string name = (acide ? "acide " : "base ") +
                                                 std::to_string(position) + " pas " +
                                                 std::to_string(step) + (corrected ? "" : " brut") +
                                                 (diluted ? " 10 + 90" : "");
                        ASSERT_EQ(b.count(), 1u) << name;
                        EXPECT_EQ(b.failure, alone.failure) << name;
                        EXPECT_EQ(b.breaks[0].veq, alone.veq) << name;
                    }
}

namespace {

// The least-squares line of the corrected points within [from, to], by its
// sums, and where two such lines cross.
std::pair<double, double> plainLine(const std::vector<FitPoint>& pts, double v0, double from,
                                    double to)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const FitPoint& p : pts)
        if (p.v >= from && p.v <= to) {
            const double y = p.sigma * (v0 + p.v) / v0;
            n += 1;
            sx += p.v;
            sy += y;
            sxx += p.v * p.v;
            sxy += p.v * y;
        }
    const double a = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return {a, (sy - a * sx) / n};
}

double plainCrossing(std::pair<double, double> l, std::pair<double, double> m)
{
    return (m.second - l.second) / (l.first - m.first);
}

} // namespace

TEST(BrokenLines, MixturesBreakAtEachEquivalenceOfTheirStoichiometry)
{
    // HCl then CH3COOH, 0,1 mmol each in 20 mL, by NaOH 0,01: 10 and 20 mL.
    // H3PO4 0,2 mmol by NaOH 0,02: its first two acidities at 10 and 20 mL.
    // The straight stretches are taken by hand, well away from the corners.
    using K = MixSoluteKind;
    struct Case {
        const char* name;
        std::vector<MixSolute> solutes;
        double cb;
        int step;
        std::vector<FitRange> byHand;
    };
    const std::vector<MixSolute> acids = {{K::CatalogueAcid, kHydrochloric, 7, 0.005},
                                          {K::CatalogueAcid, kEthanoic, 7, 0.005}};
    const std::vector<FitRange> acidsByHand = {{1, 7}, {14, 19}, {21, 25}};
    const Case cases[] = {
        {"HCl + CH3COOH, 0,5 mL", acids, 0.01, 5, acidsByHand},
        {"HCl + CH3COOH, 1 mL", acids, 0.01, 10, acidsByHand},
        {"H3PO4, 0,5 mL", {{K::PhosphoricAcid, 0, 7, 0.01}}, 0.02, 5, {{6, 9}, {12, 19}, {21, 25}}},
    };
    const Model catalogue = freshModel();
    for (const Case& c : cases) {
        Mixture m;
        for (const MixSolute& s : c.solutes)
            m.solutes[m.soluteCount++] = s;
        m.ctitrant = c.cb;
        std::vector<FitPoint> pts;
        for (const TableRow& r : tabulateMixture(m, catalogue, c.step))
            pts.push_back({r.v, r.sigma});
        const BrokenLines b = fitBrokenLines(pts, brokenOptions(20));
        ASSERT_TRUE(b.found()) << c.name;
        ASSERT_EQ(b.count(), 2u) << c.name;
        const double stoichiometric[2] = {10, 20};
        for (size_t i = 0; i < 2; ++i) {
            const double byHand =
                plainCrossing(plainLine(pts, 20, c.byHand[i].from, c.byHand[i].to),
                              plainLine(pts, 20, c.byHand[i + 1].from, c.byHand[i + 1].to));
            EXPECT_NEAR(b.breaks[i].veq, byHand, 0.05) << c.name << " " << i;
            EXPECT_NEAR(b.breaks[i].veq, stoichiometric[i], 0.1) << c.name << " " << i;
        }
    }
}

TEST(BrokenLines, ScatteredSeriesBreakAsOftenAsTheirChemistry)
{
    // Realistic series of 20 seeds, read every 0,5 mL in 20 mL: the two acids
    // break twice, at 10 and 20 mL; the chloride by silver nitrate once. Read
    // every millilitre, the acids' second break is lost in the scatter now
    // and then, and the lines then say so rather than give one Véq.
    using K = MixSoluteKind;
    const Model catalogue = freshModel();
    auto series = [&](std::vector<MixSolute> solutes, MixTitrant titrant, std::uint64_t seed,
                      int step) {
        Mixture m;
        for (const MixSolute& s : solutes)
            m.solutes[m.soluteCount++] = s;
        m.titrant = titrant;
        m.ctitrant = 0.01;
        m.vsol = 20;
        m.veau = 0;
        const MixtureEngine engine(m, catalogue);
        const ScatterSeries scatter(seed);
        std::vector<FitPoint> pts;
        for (const TableRow& r : tabulateMixture(m, catalogue, step)) {
            double sigma = r.sigma;
            EXPECT_EQ(realisticMixtureSigma(engine, r.v, scatter, sigma), MixStatus::Ok);
            pts.push_back({r.v, sigma});
        }
        BrokenLineOptions o = brokenOptions(20);
        o.measured = true;
        return fitBrokenLines(pts, o);
    };
    const std::vector<MixSolute> acids = {{K::CatalogueAcid, kHydrochloric, 7, 0.005},
                                          {K::CatalogueAcid, kEthanoic, 7, 0.005}};
    auto bothBreaks = [](const BrokenLines& b) {
        return b.found() && b.count() == 2 && std::fabs(b.breaks[0].veq - 10) < 0.5 &&
               std::fabs(b.breaks[1].veq - 20) < 0.5;
    };
    int twice = 0, lost = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        twice += bothBreaks(series(acids, MixTitrant::SodiumHydroxide, seed, 5));
        const BrokenLines chloride =
            series({{K::SodiumChloride, 0, 7, 0.005}}, MixTitrant::SilverNitrate, seed, 5);
        EXPECT_TRUE(chloride.found()) << seed;
        EXPECT_EQ(chloride.count(), 1u) << seed;

        const BrokenLines coarse = series(acids, MixTitrant::SodiumHydroxide, seed, 10);
        if (bothBreaks(coarse)) continue;
        ++lost;
        EXPECT_EQ(coarse.failure, BreakFailure::Unresolved) << seed;
    }
    EXPECT_GE(twice, 19);
    EXPECT_GE(lost, 3);
}
