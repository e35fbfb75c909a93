#include "printing/core/historylines.h"

#include <gtest/gtest.h>

using namespace titrage;

namespace {

Situation finished(bool acide, int position, const char* vsol, const char* c, const char* veau,
                   const char* cb)
{
    Situation s;
    s.courbefinie = true;
    s.textesit = {"7,0", cb, "25,0", c, vsol, veau, "0,0"};
    s.listesit[1] = static_cast<std::int16_t>(position);
    s.optsit[1] = acide;
    return s;
}

std::string joined(const HistoryLine& l)
{
    return l.label + l.body + "^" + l.exponent + l.tail;
}

} // namespace

struct PrintedEntryCase {
    const char* name;
    Situation situation;
    const char* beaker;
    const char* burette;
};

class PrintedHistory : public ::testing::TestWithParam<PrintedEntryCase> {};

TEST_P(PrintedHistory, KeepsConcentrationOnTheSameLine)
{
    Model m;
    initcatalogue(m);
    SituationStore store;
    store.sit[1] = GetParam().situation;
    const auto entries = historyEntries(store, m);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].situation, 1);
    EXPECT_EQ(entries[0].title, "Courbe n°2");
    EXPECT_EQ(joined(entries[0].beaker), GetParam().beaker);
    EXPECT_EQ(joined(entries[0].burette), GetParam().burette);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PrintedHistory,
    ::testing::Values(
        PrintedEntryCase{"WithWater", finished(true, 4, "20,0", "0,01", "10,0", "0,01"),
                         "Solution dans le bécher : 20,0 mL acide éthanoïque de concentration "
                         "0,01 mol · L^-1 avec 10,0 mL d'eau.",
                         "Solution dans la burette : hydroxyde de sodium de concentration 0,01 "
                         "mol · L^-1."},
        PrintedEntryCase{"BaseBeaker", finished(false, 1, "10,0", "0,1", "5,5", "0,1"),
                         "Solution dans le bécher : 10,0 mL ammoniac de concentration 0,1 mol · "
                         "L^-1 avec 5,5 mL d'eau.",
                         "Solution dans la burette : acide chlorhydrique de concentration 0,1 "
                         "mol · L^-1."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintedHistory, OnlyFinishedCurvesInSlotOrder)
{
    Model m;
    initcatalogue(m);
    SituationStore store;
    EXPECT_TRUE(historyEntries(store, m).empty());
    store.sit[7].courbefinie = true;
    store.sit[2].courbefinie = true;
    const auto entries = historyEntries(store, m);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, "Courbe n°3");
    EXPECT_EQ(entries[1].title, "Courbe n°8");
    EXPECT_EQ(entries[1].situation, 7);
}
