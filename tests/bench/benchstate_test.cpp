// The bench's state without a window: the boxes' mapping onto a situation,
// the measured points kept or forgotten, the curves forgotten by a change, the
// situations of a file.
#include "app/core/tablecommand.h"
#include "bench/core/benchstate.h"

#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace titrage;

namespace {

BenchEntries defaultEntries()
{
    return benchEntriesOf(Situation{});
}

// The state with situation 1 current, its scale measured, as the bench starts.
BenchState startedState()
{
    BenchState s;
    initcatalogue(s.model());
    s.resetSituations();
    s.setCurrent(0);
    s.valimax(defaultEntries(), false);
    return s;
}

// A point poured to v mL, as the burette plots it.
void pour(BenchState& s, float v)
{
    BenchEntries e = defaultEntries();
    e.vverse = v;
    measure(s.model(), e);
    const auto row = s.measurePoint(e.sigmaInputs(), v);
    ASSERT_TRUE(row);
    s.recordPoint(*row);
}

} // namespace

TEST(BenchState, EntryBoxesMapOntoTheSituationsTexts)
{
    Situation s;
    s.textesit = {"4,2", "0,02", "12,5", "0,005", "50,0", "10,0", "0,3"};
    const EntryTexts boxes = entriesOf(s, "9,9");
    EXPECT_EQ(boxes[BoxPka], "4,2");
    EXPECT_EQ(boxes[BoxBurette], "0,02");
    EXPECT_EQ(boxes[BoxPoured], "12,5");
    EXPECT_EQ(boxes[BoxConcentration], "0,005");
    EXPECT_EQ(boxes[BoxVsol], "50,0");
    EXPECT_EQ(boxes[BoxWater], "10,0");
    EXPECT_EQ(boxes[BoxSpare], "9,9"); // stored nowhere
    Situation back;
    storeEntries(back, boxes);
    EXPECT_EQ(back.textesit,
              (std::array<std::string, 7>{"4,2", "0,02", "12,5", "0,005", "50,0", "10,0", "0,0"}));
    EXPECT_FALSE(situationTextOf(BoxSpare));
}

TEST(BenchState, StoringFinishesACurveOnlyWhenPouredAndMeasured)
{
    BenchState s = startedState();
    BenchControls c;
    c.texts = entriesOf(Situation{});
    c.solute = 3;
    c.conductimetre = false;
    s.storeSituation(0, c, 25.0f);
    EXPECT_FALSE(s.store().sit[0].courbefinie);
    EXPECT_EQ(s.store().sit[0].listesit[1], 3);
    EXPECT_EQ(s.store().sit[0].textesit[TextSigmamax], generalFormat(s.sigmamax()));
    c.conductimetre = true;
    s.storeSituation(0, c, 24.9f);
    EXPECT_FALSE(s.store().sit[0].courbefinie);
    s.storeSituation(0, c, 25.0f);
    EXPECT_TRUE(s.store().sit[0].courbefinie);
}

TEST(BenchState, MeasuredPointsAreKeptWhileSwitchingAndForgottenOnRestart)
{
    BenchState s = startedState();
    for (float v : {0.0f, 1.0f, 2.0f})
        pour(s, v);
    ASSERT_EQ(s.measuredPoints(0).size(), 3u);
    EXPECT_FLOAT_EQ(static_cast<float>(s.measuredPoints(0)[2].volume), 2.0f);

    // A switch keeps them: neither the restart nor the replotted points count.
    s.setKeepPoints(true);
    s.restartPoints();
    pour(s, 0.0f);
    EXPECT_EQ(s.measuredPoints(0).size(), 3u);
    s.setKeepPoints(false);

    // A point at 0 mL starts the list again; a real restart empties it.
    pour(s, 0.0f);
    EXPECT_EQ(s.measuredPoints(0).size(), 1u);
    s.restartPoints();
    EXPECT_TRUE(s.measuredPoints(0).empty());
    EXPECT_TRUE(s.measuredPoints(-1).empty());
    EXPECT_TRUE(s.measuredPoints(kSituations).empty());
}

TEST(BenchState, ImportedMeasurementsStandBesidePouredOnesUntilReplaced)
{
    BenchState s = startedState();
    for (float v : {0.0f, 1.0f})
        pour(s, v);
    s.importPoints(0, {{0, 0.04}, {1, 0.038}, {2, 0.036}});
    // The tools see the class's points; the student's stay for the bench.
    ASSERT_EQ(s.measuredPoints(0).size(), 3u);
    EXPECT_TRUE(s.measuredPoints(0)[2].imported);
    EXPECT_FLOAT_EQ(s.measuredPoints(0)[2].row.sigma, 0.036f);
    EXPECT_EQ(s.pouredPoints(0).size(), 2u);
    // A restart and a new pouring leave them; they belong to their slot.
    s.restartPoints();
    pour(s, 0.0f);
    EXPECT_EQ(s.importedPoints(0).size(), 3u);
    EXPECT_EQ(s.pouredPoints(0).size(), 1u);
    EXPECT_TRUE(s.importedPoints(1).empty());
    EXPECT_EQ(s.measuredPoints(1).size(), 0u);
    // Another import replaces them; a file of situations forgets them.
    s.importPoints(0, {{5, 0.02}});
    ASSERT_EQ(s.measuredPoints(0).size(), 1u);
    s.replaceSituations({});
    EXPECT_TRUE(s.importedPoints(0).empty());
}

TEST(BenchState, ChangesThatShapeTheCurveForgetIt)
{
    struct Case {
        EntryBox box;
        bool otherSolute;
        bool forgets;
    } cases[] = {
        {BoxConcentration, false, true}, {BoxBurette, false, true}, {BoxVsol, false, true},
        {BoxWater, false, true},         {BoxPka, true, true},      {BoxPka, false, false},
        {BoxPoured, false, false},       {BoxSpare, false, false},
    };
    for (const Case& c : cases) {
        BenchState s = startedState();
        s.store().sit[0].courbefinie = true;
        EXPECT_EQ(s.forgetChangedCurve(c.box, c.otherSolute), c.forgets) << c.box;
        EXPECT_EQ(s.store().sit[0].courbefinie, !c.forgets) << c.box;
        EXPECT_FALSE(s.forgetChangedCurve(c.box, c.otherSolute)) << "nothing left to forget";
    }
}

TEST(BenchState, FileSituationsReplaceMeasurementsAndDrawsAndGetTheirScale)
{
    BenchState s = startedState();
    pour(s, 0.0f);
    s.setRandomDrawn(true);
    ASSERT_TRUE(s.randomDrawn(0));

    std::array<Situation, kSituations> file{};
    file[3].courbefinie = true;
    file[3].textesit[TextSigmamax] = "0";
    file[5].textesit[TextConcentration] = "0,02"; // not finished: its text stays
    file[5].textesit[TextSigmamax] = "7";
    s.replaceSituations(file);
    EXPECT_TRUE(s.measuredPoints(0).empty());
    EXPECT_FALSE(s.randomDrawn(0));
    // The default situation's largest sigma, as the bench measures it.
    EXPECT_EQ(s.store().sit[3].textesit[TextSigmamax], generalFormat(s.sigmamax()));
    EXPECT_EQ(s.store().sit[5].textesit[TextSigmamax], "7");
}

TEST(BenchState, RandomConcentrationLiesInItsRangeToThreeDigits)
{
    EXPECT_DOUBLE_EQ(randomConcentration(0.0), 0.001);
    EXPECT_DOUBLE_EQ(randomConcentration(0.5), 0.0055);
    EXPECT_DOUBLE_EQ(randomConcentration(0.123456), 0.00211);
    EXPECT_LE(randomConcentration(0.999999), 0.01);
}

// "Mesures réalistes": the points poured are read as the seed's series, the
// same that titrage-table --bruit prints; the model's own sigma is left as
// the refresh computes it.
TEST(BenchState, RealisticPointsAreTheSeedsSeriesAsTheTablePrintsIt)
{
    BenchState s = startedState();
    s.setScatter(ScatterSeries(7));
    for (int v = 0; v <= 25; ++v)
        pour(s, static_cast<float>(v));
    std::ostringstream out, err;
    ASSERT_EQ(runTableCommand({"--raw", "--step", "1", "--bruit", "7"}, out, err), 0) << err.str();
    std::istringstream table(out.str());
    std::string line;
    std::getline(table, line); // header
    const auto& points = s.measuredPoints(0);
    ASSERT_EQ(points.size(), 26u);
    int differ = 0;
    for (const MeasuredPoint& p : points) {
        ASSERT_TRUE(std::getline(table, line));
        const double sigma = std::stod(line.substr(line.find('\t') + 1));
        EXPECT_NEAR(p.sigma, sigma, 1e-7 * sigma) << p.volume;
        EXPECT_EQ(p.row.sigma, static_cast<float>(p.sigma));
        BenchEntries e = defaultEntries();
        e.vverse = static_cast<float>(p.volume);
        Model exact = s.model();
        measure(exact, e);
        differ += std::fabs(exact.sigma - p.sigma) > 1e-4 * exact.sigma;
    }
    EXPECT_GT(differ, 20);

    // Unticked, the model's own values again.
    s.setScatter(std::nullopt);
    pour(s, 0);
    BenchEntries e = defaultEntries();
    Model exact = s.model();
    measure(exact, e);
    EXPECT_NEAR(s.measuredPoints(0).back().sigma, exact.sigma, 1e-6 * exact.sigma);
}
