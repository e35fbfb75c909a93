#include "model/conductivity.h"
#include "model/situations.h"
#include "testmodel.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

TEST(Conductivity, HydrochloricAcidAtStartAndAtEquivalence)
{
    Model m = freshModel();
    const BenchEntries e = bench(true, kHydrochloric);
    loadModel(m, e);
    calcsigma(m, e.sigmaInputs(), 2.0, 0.0);
    EXPECT_FLOAT_EQ(m.concion[1], 0.01f);
    EXPECT_FLOAT_EQ(m.concion[2], 1e-12f);
    EXPECT_FLOAT_EQ(m.concion[4], 0.01f);
    EXPECT_EQ(m.concion[3], 0.0f);
    EXPECT_NEAR(m.sigma, 0.426, 0.0005);

    // Equivalence: Na+ and Cl- are each 0.005 mol/L, the minimum of the V.
    calcsigma(m, e.sigmaInputs(), 7.0, 20.0);
    EXPECT_FLOAT_EQ(m.concion[3], 0.005f);
    EXPECT_FLOAT_EQ(m.concion[4], 0.005f);
    EXPECT_NEAR(m.sigma, 0.0632, 0.00005);
}

TEST(Conductivity, StrongBaseAndOtherSolutesWriteNoCoupleSlot)
{
    Model m = freshModel();
    BenchEntries e = bench(false, kSodiumHydroxide);
    loadModel(m, e);
    calcsigma(m, e.sigmaInputs(), 12.0, 10.0);
    EXPECT_FLOAT_EQ(m.concion[3], static_cast<float>(0.01 * 20 / 30)); // Na+ diluted
    EXPECT_FLOAT_EQ(m.concion[2], 0.01f);                              // OH- from the pH
    EXPECT_FLOAT_EQ(m.concion[4], static_cast<float>(0.01 * 10 / 30)); // Cl- of the titrant
    for (int slot = 5; slot < kIonSlots; ++slot)
        EXPECT_EQ(m.concion[slot], 0.0f) << slot;

    e = bench(true, kOtherPosition);
    loadModel(m, e);
    calcsigma(m, e.sigmaInputs(), 4.0, 10.0);
    const double expected = 1e-4 * 34.97 + 1e-10 * 19.8 + (0.01 * 10 / 30) * 5.008;
    EXPECT_NEAR(m.sigma, expected, 1e-6);
}

TEST(Conductivity, EachCoupleConductsThroughItsChargedForm)
{
    // Slot and lambda of the ion each solute contributes, by list position.
    struct Case {
        bool acide;
        int position;
        int slot;
        float lambda;
        bool acidForm;
    };
    const Case cases[] = {
        {true, 7, 11, 5.46f, false}, // methanoate
        {false, 10, 11, 5.46f, false},
        {true, 13, 19, 3.0f, false}, // phenol conducts through phenolate
        {false, 13, 19, 3.0f, false},
        {true, 9, 13, 7.35f, true}, // ammonium chloride
        {false, kAmmonia, 13, 7.35f, true},
        {false, 4, 7, 3.97f, false}, // chloroethanoate
        {false, 5, 16, 7.8f, false}, // cyanide
    };
    for (const Case& c : cases) {
        Model m = freshModel();
        const BenchEntries e = bench(c.acide, c.position);
        loadModel(m, e);
        const double ph = 8.0;
        calcsigma(m, e.sigmaInputs(), ph, 5.0);
        const double ct = 0.01 * 20 / 25;
        const double h = std::pow(10.0, -ph);
        const double ka = c.acide ? m.kcouple : 1e-14 / m.kcouple;
        const double acidForm = h * ct / (ka + h);
        EXPECT_FLOAT_EQ(m.lambdaion[c.slot], c.lambda) << c.position;
        EXPECT_NEAR(m.concion[c.slot], c.acidForm ? acidForm : ct - acidForm, 1e-9)
            << (c.acide ? "acid " : "base ") << c.position;
    }
}

TEST(Conductivity, StoredSituationGivesTheBenchFigure)
{
    for (int position : {4, 5}) { // chloroéthanoate, cyanure de sodium
        Model bench1 = freshModel();
        const BenchEntries e = bench(false, position, 0.005f, 0.008f, 30.0f, 10.0f);
        loadModel(bench1, e);
        calcsigma(bench1, e.sigmaInputs(), 9.0, 7.5);

        Situation s;
        s.optsit[1] = false;
        s.listesit[1] = static_cast<std::int16_t>(position);
        s.textesit = {"7,0", "0,008", "7,5", "0,005", "30,0", "10,0", "0"};
        Model stored = freshModel();
        loadModelFromSituation(stored, s);
        calcsigmasit(stored, s, 9.0, 7.5);
        EXPECT_FLOAT_EQ(stored.sigma, bench1.sigma) << position;
        EXPECT_EQ(stored.concion, bench1.concion);
    }
}

TEST(Conductivity, UnreadableStoredVolumeSkipsOnlyTheTitrantIon)
{
    Model m = freshModel();
    Situation s;
    s.textesit[5] = "?";
    loadModelFromSituation(m, s);
    calcsigmasit(m, s, 3.0, 5.0);
    EXPECT_EQ(m.concion[3], 0.0f); // Vtot unknown: no Na+ from the titrant
    EXPECT_GT(m.sigma, 0.0f);
    EXPECT_TRUE(std::isfinite(m.sigma));
}
