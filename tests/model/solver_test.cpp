#include "testmodel.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

// pH to two decimals against the reference table, c = cb = 0.01, 20 mL.
TEST(Solver, ReferenceTable)
{
    struct Row {
        bool acide;
        int position;
        double ph[5]; // 0, 5, 10, 20, 25 mL
    };
    const Row rows[] = {
        {true, kEthanoic, {3.38, 4.29, 4.75, 8.23, 11.05}},
        {true, kHydrochloric, {2.00, 2.23, 2.48, 7.00, 11.05}},
        {false, kAmmonia, {10.59, 9.66, 9.20, 5.75, 2.95}},
    };
    const float volumes[5] = {0, 5, 10, 20, 25};
    for (const Row& r : rows) {
        Model m = freshModel();
        for (int i = 0; i < 5; ++i)
            EXPECT_DOUBLE_EQ(round2(benchPh(m, bench(r.acide, r.position), volumes[i])), r.ph[i])
                << "position " << r.position << " at " << volumes[i] << " mL";
        benchPh(m, bench(r.acide, r.position), 0);
        EXPECT_FLOAT_EQ(m.veq, 20.0f);
    }
}

TEST(Solver, MixtureSolverWritesThePhInBothNatures)
{
    Model m = freshModel();
    // The mixture solver's own pH (-ln x / ln 10 as a float) gives the same figures.
    benchPh(m, bench(true, kEthanoic), 20);
    EXPECT_DOUBLE_EQ(round2(m.phcalc), 8.23);
    benchPh(m, bench(false, kAmmonia), 20);
    EXPECT_DOUBLE_EQ(round2(m.phcalc), 5.75);
    EXPECT_GT(m.phcalc, 0.0f);
}

TEST(Solver, StrongAcidUsesItsMarkerOnlyInTheInitialSolver)
{
    Model m = freshModel();
    benchPh(m, bench(true, kHydrochloric), 0);
    EXPECT_EQ(m.kcouple, kStrongConstant);
    EXPECT_NEAR(m.xprinc, 0.01f, 1e-9f);

    // Once titrant is poured the refresh reloads K = 1: pH 2.23, not the 2.22
    // of a fully dissociated acid.
    benchPh(m, bench(true, kHydrochloric), 5);
    EXPECT_EQ(m.kcouple, 1.0f);
    EXPECT_DOUBLE_EQ(round2(-std::log10(m.xprinc)), 2.23);
}

TEST(Solver, BaseBeakerSolvesForHydroxide)
{
    Model m = freshModel();
    const double ph = benchPh(m, bench(false, kAmmonia), 0);
    EXPECT_NEAR(m.xprinc, 3.90e-4, 0.005e-4);
    EXPECT_NEAR(ph, 14.0 + std::log10(static_cast<double>(m.xprinc)), 1e-12);
}

TEST(Solver, BracketEdgesStayFinite)
{
    // The extremes a student can reach: 1e-8 mol/L on both sides, 200 mL, pKa 0.1 and 13.9.
    struct Case {
        bool acide;
        int position;
        float c, cb, vsol, veau;
        const char* pka;
    };
    const Case cases[] = {
        {true, kEthanoic, 1e-8f, 1e-8f, 20, 0, "7"},
        {true, kHydrochloric, 1e-8f, 0.01f, 200, 0, "7"},
        {false, kSodiumHydroxide, 0.01f, 1e-8f, 1, 199, "7"},
        {true, kOtherPosition, 0.01f, 0.01f, 20, 0, "0,1"},
        {false, kOtherPosition, 0.01f, 0.01f, 20, 0, "13,9"},
        {true, kOtherPosition, 0.01f, 0.01f, 20, 0, "0"},
    };
    for (const Case& c : cases) {
        Model m = freshModel();
        chpk(m, c.acide, c.position, c.pka);
        for (float v : {0.0f, 0.1f, 12.5f, 25.0f}) {
            BenchEntries e = bench(c.acide, c.position, c.c, c.cb, c.vsol, c.veau);
            const double ph = benchPh(m, e, v);
            EXPECT_TRUE(std::isfinite(ph)) << c.position << " at " << v;
            EXPECT_GT(m.xprinc, 0.0f);
            EXPECT_TRUE(std::isfinite(m.veq));
            EXPECT_GE(ph, -1.0);
            EXPECT_LE(ph, 15.0);
        }
    }
}
