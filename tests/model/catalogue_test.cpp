#include "testmodel.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

TEST(Catalogue, ListsEachSideInItsOrderWithTheOtherEntryLast)
{
    const Model m = freshModel();
    const auto bases = solutenames(m, false);
    EXPECT_EQ(bases[0], "acétylsalicylate de sodium");
    EXPECT_EQ(bases[1], "ammoniac");
    EXPECT_EQ(bases[8], "hydroxyde de sodium");
    EXPECT_EQ(bases[13], "phénate de sodium");
    EXPECT_EQ(bases[14], "autre base");
    const auto acids = solutenames(m, true);
    EXPECT_EQ(acids[0], "acide acétylsalicylique");
    EXPECT_EQ(acids[2], "acide chlorhydrique");
    EXPECT_EQ(acids[13], "phénol");
    EXPECT_EQ(acids[14], "autre acide");
    EXPECT_TRUE(m.nomacide[0].empty());
    EXPECT_TRUE(m.nomacide[16].empty());
}

TEST(Catalogue, ChloroethanoicAcidIsNamedAfterItsCouple)
{
    const Model m = freshModel();
    EXPECT_EQ(m.nomacide[4], "acide chloroéthanoïque");
    EXPECT_DOUBLE_EQ(m.pkacide[4], 2.86);
    EXPECT_EQ(m.nombase[5], "chloroéthanoate de sodium");
    EXPECT_DOUBLE_EQ(m.pkbase[5], 2.86);
}

TEST(Catalogue, ModelLoadingFromTheBench)
{
    Model m = freshModel();
    // Dilution: 20 mL at 0.1 mol/L with 80 mL of water.
    loadModel(m, bench(true, kEthanoic, 0.1f, 0.01f, 20.0f, 80.0f));
    EXPECT_FLOAT_EQ(m.cdilue, 0.02f);
    EXPECT_FLOAT_EQ(m.vinitial, 100.0f);
    EXPECT_FLOAT_EQ(m.kcouple, static_cast<float>(std::pow(10.0, -4.75)));

    // Strong electrolytes both give exactly 1; a base uses the pKa of its couple.
    loadModel(m, bench(true, kHydrochloric));
    EXPECT_EQ(m.kcouple, 1.0f);
    loadModel(m, bench(false, kSodiumHydroxide));
    EXPECT_EQ(m.kcouple, 1.0f);
    loadModel(m, bench(false, kAmmonia));
    EXPECT_NEAR(m.kcouple, 1.585e-5, 1e-8);

    // A box that holds no number leaves its variable as it was.
    BenchEntries broken = bench(true, kEthanoic, 0.005f);
    broken.vsol.reset();
    loadModel(m, broken);
    EXPECT_FLOAT_EQ(m.cdilue, 0.01f);
    EXPECT_FLOAT_EQ(m.vinitial, 20.0f);
}

TEST(Catalogue, OtherSoluteTakesTheTypedPka)
{
    Model m = freshModel();
    chpk(m, true, kOtherPosition, "5");
    loadModel(m, bench(true, kOtherPosition));
    EXPECT_FLOAT_EQ(m.kcouple, 1e-5f);
    EXPECT_DOUBLE_EQ(m.pkacide[14], 10.0); // phénol keeps its pKa

    chpk(m, true, 13, "3"); // not the "other" position: nothing changes
    EXPECT_DOUBLE_EQ(m.pkacide[14], 10.0);
    chpk(m, false, kOtherPosition, "abc"); // not a number: nothing changes
    EXPECT_DOUBLE_EQ(m.pkbase[15], 7.0);
    chpk(m, false, kOtherPosition, "8,5");
    EXPECT_DOUBLE_EQ(m.pkbase[15], 8.5);
    EXPECT_DOUBLE_EQ(m.pkacide[15], 5.0);
}
