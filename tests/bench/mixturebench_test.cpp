// The bench with a mixture in the beaker: what it measures, stores, walks
// and refuses, without a window.
#include "app/core/tablecommand.h"
#include "bench/core/benchstate.h"
#include "model/mixturebench.h"

#include <sstream>

#include <gtest/gtest.h>

using namespace titrage;

namespace {

Mixture mixtureOf(std::initializer_list<MixSolute> solutes, MixTitrant titrant)
{
    Mixture m;
    for (const MixSolute& s : solutes)
        m.solutes[m.soluteCount++] = s;
    m.titrant = titrant;
    return m;
}

MixSolute salt(MixSoluteKind kind, double c)
{
    return {kind, 0, 7, c};
}

// A chloride of 0,01 mol/L under silver nitrate, the bench's default volumes.
Mixture chlorideBySilver()
{
    return mixtureOf({salt(MixSoluteKind::SodiumChloride, 0.01)}, MixTitrant::SilverNitrate);
}

BenchEntries entriesAt(float v, float cburette = 0.01f)
{
    BenchEntries e = benchEntriesOf(Situation{});
    e.vverse = v;
    e.cburette = cburette;
    return e;
}

BenchState mixtureState(const Mixture& m)
{
    BenchState s;
    initcatalogue(s.model());
    s.resetSituations();
    s.setCurrent(0);
    s.setMixture(m);
    s.valimax(entriesAt(0), false);
    return s;
}

} // namespace

TEST(MixtureBench, PouredPointsMeasureWhatTheEngineSays)
{
    struct Case {
        Mixture m;
        float cburette;
        float v;
    };
    const MixSolute acetic{MixSoluteKind::CatalogueAcid, 4, 7, 0.01};
    const Case cases[] = {
        {chlorideBySilver(), 0.01f, 0.0f},
        {chlorideBySilver(), 0.01f, 12.3f}, // before the break at 20 mL
        {chlorideBySilver(), 0.02f, 25.0f}, // past it: the burette's box counts
        {mixtureOf({salt(MixSoluteKind::SulfuricAcid, 0.005)}, MixTitrant::BariumHydroxide), 0.01f,
         10.0f},
        {mixtureOf({{MixSoluteKind::CatalogueAcid, 2, 7, 0.005}, acetic},
                   MixTitrant::SodiumHydroxide),
         0.01f, 17.5f},
    };
    for (const Case& c : cases) {
        BenchState s = mixtureState(c.m);
        const BenchEntries e = entriesAt(c.v, c.cburette);
        loadModel(s.model(), e);
        const auto row = s.measurePoint(e.sigmaInputs(), c.v);
        ASSERT_TRUE(row);
        Mixture expected = c.m;
        expected.ctitrant = c.cburette;
        MixPoint p;
        ASSERT_EQ(MixtureEngine(expected, s.model()).solve(c.v, p), MixStatus::Ok);
        EXPECT_EQ(row->sigma, static_cast<float>(p.sigma)) << c.v;
        EXPECT_EQ(s.model().sigma, static_cast<float>(p.sigma));
        EXPECT_DOUBLE_EQ(row->ph, p.ph);
        EXPECT_DOUBLE_EQ(row->h3o, p.c[SpH3O]);
        EXPECT_FLOAT_EQ(s.model().phcalc, static_cast<float>(p.ph));
        EXPECT_EQ(s.lastMixPoint().v, c.v);
    }
}

TEST(MixtureBench, TheCurveAndTheTableFollowTheEngineAndBreakAtEquivalence)
{
    BenchState s = mixtureState(chlorideBySilver());
    const auto& vertices = s.walkCurrent(entriesAt(0));
    ASSERT_EQ(vertices.size(), 251u);
    // sigma falls while AgCl forms (NO3- replaces Cl-), rises past 20 mL.
    auto at = [&](double v) { return vertices[static_cast<size_t>(v * 10 + 0.5)].sigma; };
    EXPECT_LT(at(19.0), at(10.0));
    EXPECT_GT(at(25.0), at(21.0));
    EXPECT_EQ(s.maxaxe(), std::max(s.sigmamax(), 0.0f));
    EXPECT_GE(s.maxaxe(), std::max(at(0), at(25)));

    const auto rows = s.tabulateMixture(entriesAt(0), 5);
    ASSERT_EQ(rows.size(), 51u);
    EXPECT_FLOAT_EQ(rows[40].v, 20.0f);
    EXPECT_EQ(rows[40].sigma, at(20.0));

    MixtureStack stack;
    walkMixtureShares(mixtureWith(chlorideBySilver(), entriesAt(0).sigmaInputs()), s.model(),
                      s.maxaxe(), stack);
    ASSERT_EQ(stack.solids, std::vector<int>{SolidAgCl});
    // The stacked shares sum to the curve, and 2e-4 mol of AgCl form by 20 mL.
    EXPECT_NEAR(stack.top[100].back(), vertices[100].sigma, 1e-6);
    EXPECT_NEAR(stack.solidAmount[0][250], 2e-4, 1e-7);
    EXPECT_EQ(stack.solidAmount[0][0], 0.0);
}

TEST(MixtureBench, ASituationKeepsItsMixtureAndFilesBringThoseTheBenchMakes)
{
    BenchState s = mixtureState(chlorideBySilver());
    BenchControls c;
    c.texts = entriesOf(Situation{});
    s.storeSituation(3, c, 25.0f);
    ASSERT_TRUE(s.store().sit[3].mixture);
    EXPECT_TRUE(s.store().sit[3].courbefinie);
    s.setMixture(std::nullopt);
    const std::vector<CurveVertex> finished = s.walkFinished(3);
    ASSERT_EQ(finished.size(), 251u);
    s.setMixture(chlorideBySilver());
    EXPECT_EQ(finished.back().sigma, s.walkCurrent(entriesAt(0)).back().sigma);

    // An opened file brings its mixtures, each finished curve with its
    // largest sigma measured again; one the bench refuses (silver ions over a
    // base) leaves the slot to the single couple its fields describe.
    auto fromFile = s.store().sit;
    fromFile[3].textesit[TextSigmamax] = "0";
    fromFile[5].mixture =
        mixtureOf({{MixSoluteKind::CatalogueBase, 8, 7, 0.01}}, MixTitrant::SilverNitrate);
    s.replaceSituations(fromFile);
    ASSERT_TRUE(s.store().sit[3].mixture);
    EXPECT_EQ(s.store().sit[3].textesit[TextSigmamax],
              generalFormat(mixtureSigmaMax(chlorideBySilver(), s.model())));
    EXPECT_NE(s.store().sit[3].textesit[TextSigmamax], "0");
    EXPECT_FALSE(s.store().sit[5].mixture);
}

TEST(MixtureBench, CombinationsTheEngineCannotTreatAreRefusedWhole)
{
    Model catalogue;
    initcatalogue(catalogue);
    struct Case {
        Mixture m;
        const char* says; // empty: accepted
    };
    const MixSolute soda{MixSoluteKind::CatalogueBase, 8, 7, 0.01};
    const MixSolute ammonia{MixSoluteKind::CatalogueBase, 1, 7, 0.01};
    const Case cases[] = {
        {chlorideBySilver(), ""},
        {mixtureOf({salt(MixSoluteKind::SodiumChloride, 0.01), soda}, MixTitrant::SilverNitrate),
         "oxyde d'argent"},
        {mixtureOf({ammonia}, MixTitrant::SilverNitrate), "oxyde d'argent"},
        {mixtureOf({salt(MixSoluteKind::PhosphoricAcid, 0.01)}, MixTitrant::BariumHydroxide),
         "phosphates de baryum"},
        {mixtureOf({salt(MixSoluteKind::PhosphoricAcid, 0.01)}, MixTitrant::SodiumHydroxide), ""},
        // Accepted by the engine, but Ag2SO4 forms on the way: refused before pouring.
        {mixtureOf({salt(MixSoluteKind::SodiumSulfate, 0.1)}, MixTitrant::SilverNitrate), "Ag₂SO₄"},
    };
    for (const Case& c : cases) {
        Mixture m = c.m;
        m.ctitrant = 0.1;
        const auto why = mixtureBenchRefusal(m, catalogue);
        if (*c.says == 0) {
            EXPECT_FALSE(why) << *why;
        } else {
            ASSERT_TRUE(why) << c.says;
            EXPECT_NE(why->find(c.says), std::string::npos) << *why;
        }
    }

    // Ag2SO4 would form only past 25 mL, where a realistic burette read at
    // 25 mL may still deliver: refused too, naming that volume.
    Mixture edge =
        mixtureOf({salt(MixSoluteKind::SodiumSulfate, 0.03505)}, MixTitrant::SilverNitrate);
    edge.ctitrant = 0.05;
    const auto past = mixtureBenchRefusal(edge, catalogue);
    ASSERT_TRUE(past);
    EXPECT_NE(past->find("25,15 mL"), std::string::npos) << *past;

    // A refused point leaves the bench's measurement as it was.
    Mixture m = mixtureOf({salt(MixSoluteKind::SodiumSulfate, 0.1)}, MixTitrant::SilverNitrate);
    BenchState s = mixtureState(m);
    const float before = s.model().sigma;
    EXPECT_FALSE(s.measureMixture(entriesAt(25.0f, 0.1f).sigmaInputs(), 25.0));
    EXPECT_EQ(s.model().sigma, before);
}

TEST(MixtureBench, NamesAsTheBenchWritesThem)
{
    const std::pair<const char*, const char*> formulas[] = {
        {"H3O+", "H₃O⁺"},   {"Ba^2+", "Ba²⁺"},          {"PO4^3-", "PO₄³⁻"},
        {"HSO4-", "HSO₄⁻"}, {"ClCH2COO-", "ClCH₂COO⁻"}, {"C6H5NH2", "C₆H₅NH₂"},
    };
    for (const auto& [caret, shown] : formulas)
        EXPECT_EQ(displayFormula(caret), shown);
    Model catalogue;
    initcatalogue(catalogue);
    Mixture m = mixtureOf(
        {salt(MixSoluteKind::SodiumChloride, 0.01), {MixSoluteKind::CatalogueAcid, 4, 7, 0.005}},
        MixTitrant::SilverNitrate);
    EXPECT_EQ(mixtureBeakerText(catalogue, m), "chlorure de sodium à 0,01 mol · L⁻¹ et " +
                                                   catalogue.nomacide[5] + " à 0,005 mol · L⁻¹");
    // Every choice of the panel finds itself again.
    const auto choices = mixSoluteChoices();
    EXPECT_EQ(choices.size(), 33u);
    for (size_t i = 0; i < choices.size(); ++i)
        EXPECT_EQ(mixSoluteChoiceIndex(choices[i]), static_cast<int>(i));
}

TEST(MixtureBench, RealisticPointsAreTheSeedsSeriesAsTheTablePrintsIt)
{
    // Poured every millilitre on a realistic series, as titrage-table reads it.
    BenchState s = mixtureState(chlorideBySilver());
    s.setScatter(ScatterSeries(7));
    std::ostringstream out, err;
    ASSERT_EQ(runTableCommand({"--raw", "--step", "1", "--becher", "NaCl=0.01", "--burette",
                               "AgNO3=0.01", "--bruit", "7"},
                              out, err),
              0)
        << err.str();
    std::istringstream table(out.str());
    std::string line;
    std::getline(table, line); // header
    int differ = 0;
    // Drawn at once, the titration's table is the model's curve.
    const std::vector<TableRow> drawn = s.measuredTable(entriesAt(0), 10);
    std::vector<TableRow> poured;
    for (int v = 0; v <= 25; ++v) {
        const BenchEntries e = entriesAt(static_cast<float>(v));
        loadModel(s.model(), e);
        const auto row = s.measurePoint(e.sigmaInputs(), v);
        ASSERT_TRUE(row && std::getline(table, line)) << v;
        s.recordPoint(*row);
        poured.push_back(*row);
        const double printed = std::stod(line.substr(line.find('\t') + 1));
        EXPECT_NEAR(row->sigma, printed, 1e-6 * printed) << v;
        EXPECT_EQ(s.model().sigma, row->sigma) << "the conductimeter shows the reading";
        differ += std::fabs(row->sigma - s.lastMixPoint().sigma) > 1e-4 * row->sigma;
        EXPECT_NEAR(drawn[std::size_t(v)].sigma, s.lastMixPoint().sigma, 1e-6) << v;
    }
    EXPECT_GT(differ, 20) << "the exact point stays for the cloudiness and the shares";
    // The table the bench fills when the poured curve is finished reads the same series.
    const std::vector<TableRow> shown = s.measuredTable(entriesAt(0), 10);
    ASSERT_EQ(shown.size(), 26u);
    for (int v = 0; v <= 25; ++v)
        EXPECT_EQ(shown[std::size_t(v)].sigma, poured[std::size_t(v)].sigma) << v;
}
