#include "platform/core/numberformat.h"
#include "testmodel.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

TEST(Measurement, ConductimeterShowsThreeSignificantDigits)
{
    Model m = freshModel();
    measure(m, bench(true, kHydrochloric));
    EXPECT_EQ(conductimeterText(m.sigma), "0,426");
    EXPECT_EQ(conductimeterText(0.063249f), "0,0632");
    EXPECT_EQ(conductimeterText(5.4e-6f), "5,4E-06");
}

TEST(Measurement, TableHasSixColumnsExceptForTheStrongElectrolytes)
{
    EXPECT_EQ(tableColumns(true, kHydrochloric), 4);
    EXPECT_EQ(tableColumns(false, kSodiumHydroxide), 4);
    EXPECT_EQ(tableColumns(true, kEthanoic), 6);
    EXPECT_EQ(tableColumns(false, kAmmonia), 6);
    EXPECT_EQ(tableColumns(false, kHydrochloric), 6); // position 2 on the base side is aniline
}

TEST(Measurement, TabulatedTitrationOfEthanoicAcid)
{
    Model m = freshModel();
    const BenchEntries e = bench(true, kEthanoic);
    const auto rows = tabulate(m, e, 5);
    ASSERT_EQ(rows.size(), 51u); // 0, 0.5 ... 25
    EXPECT_FLOAT_EQ(rows.front().v, 0.0f);
    EXPECT_FLOAT_EQ(rows.back().v, 25.0f);
    EXPECT_DOUBLE_EQ(round2(rows.front().ph), 3.38);
    EXPECT_DOUBLE_EQ(round2(rows[40].ph), 8.23); // 20 mL
    ASSERT_TRUE(rows[20].acide && rows[20].base);
    // Half equivalence: the two forms are equal.
    EXPECT_NEAR(*rows[20].acide / *rows[20].base, 1.0, 0.02);
    const auto cells = formatRow(rows[25], 6);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0], "12,5");
    EXPECT_EQ(formatRow(rows[6], 6)[0], "3,0");

    // A step of 0.3 mL stops at 24.9: the next step would pass the burette.
    const auto thirds = tabulate(m, e, 3);
    EXPECT_FLOAT_EQ(thirds.back().v, 24.9f);
    // A zero step would never end; it gives nothing.
    EXPECT_TRUE(tabulate(m, e, 0).empty());
}

TEST(Measurement, FirstRowIsTheBeakerAloneForABase)
{
    Model m = freshModel();
    m.vverse = 12.0f; // whatever a previous refresh left
    const auto rows = tabulate(m, bench(false, kAmmonia), 10);
    ASSERT_FALSE(rows.empty());
    EXPECT_FLOAT_EQ(rows[0].v, 0.0f);
    EXPECT_DOUBLE_EQ(round2(rows[0].ph), 10.59); // 14 - pOH
    EXPECT_NEAR(rows[0].ho, 3.90e-4, 0.01e-4);
    EXPECT_EQ(rows.size(), 26u);
}

TEST(Measurement, ScaleTakesTheLargerEndRoundedToTwoDigits)
{
    Model m = freshModel();
    const BenchEntries e = bench(true, kHydrochloric);
    const SigmaScale s = valimax(m, e, nullptr, false);
    EXPECT_FLOAT_EQ(s.sigmamax, 0.43f); // sigma(0) = 0.426
    EXPECT_FLOAT_EQ(s.maxaxe, 0.43f);
    EXPECT_FLOAT_EQ(m.vverse, 25.0f); // left at 25 mL

    // Superposed curves: another finished situation's larger maximum raises the axis,
    // the current situation's own stored value is ignored.
    SituationStore store;
    store.numsit = 0;
    store.sit[0].courbefinie = true;
    store.sit[0].textesit[6] = "9";
    store.sit[3].courbefinie = true;
    store.sit[3].textesit[6] = "0,9";
    store.sit[5].textesit[6] = "5"; // not finished
    EXPECT_FLOAT_EQ(valimax(m, e, &store, true).maxaxe, 0.9f);
    EXPECT_FLOAT_EQ(valimax(m, e, &store, false).maxaxe, 0.43f);
}

TEST(Measurement, StoredOtherSoluteKeepsItsOwnPka)
{
    Model model = freshModel();
    for (const auto& [text, ka] : {std::pair{"3,0", 1e-3}, std::pair{"9,0", 1e-9}}) {
        Situation s;
        s.listesit[1] = kOtherPosition;
        s.textesit[0] = text;
        loadModelFromSituation(model, s);
        EXPECT_NEAR(model.kcouple / ka, 1.0, 1e-6) << text;
    }
}
