#include "model/conductivity.h"
#include "model/curve.h"
#include "model/realsolution.h"
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

// --- Real solutions and temperature (model/realsolution.h) ---
// The expected figures below are worked out here from the published data,
// apart from the code: measured conductivities, Onsager's constants, the
// 18 and 25 °C columns of the limiting conductivities, Davies' A at 25 °C.

namespace {

Model modelAt(bool real, double t)
{
    Model m = freshModel();
    m.conditions.real = real;
    m.conditions.temperature = t;
    return m;
}

// Davies' gamma of a singly charged ion, A = 0,5116 at 25 °C.
double daviesAt25(double i)
{
    const double r = std::sqrt(i);
    return std::pow(10.0, -0.5116 * (r / (1 + r) - 0.3 * i));
}

} // namespace

TEST(RealSolutions, ConductivitiesFallAsMeasuredAt25)
{
    // Onsager's extended law for a 1:1 electrolyte, in S.cm2/mol:
    // Lambda = Lambda° - (0,2289 Lambda° + 60,32) sqrt(c) / (1 + sqrt(c)).
    auto extended = [](double lambda0, double c) {
        const double r = std::sqrt(c);
        return lambda0 - (0.2289 * lambda0 + 60.32) * r / (1 + r);
    };
    const Medium real = mediumOf({true, 25});
    // KCl 0,01 mol/L: 1,413 mS/cm measured (the conductimeters' standard),
    // 1,498 by the ideal law. K+ is not a bench ion: its lambda° given here.
    const double kcl =
        0.01 * (realLambda(real, 7.348, 0.01) + realLambda(real, 7.631, 0.01)) * 10; // mS/cm
    EXPECT_NEAR(kcl, extended(73.48 + 76.31, 0.01) * 0.01 / 1000 * 1000, 1e-4);
    EXPECT_NEAR(kcl, 1.413, 0.005);
    EXPECT_NEAR(0.01 * (7.348 + 7.631) * 10, 1.498, 0.001); // the ideal figure it replaces

    // HCl 0,01 mol/L through the bench's model: 412,0 S.cm2/mol measured.
    Model m = modelAt(true, 25);
    const BenchEntries e = bench(true, kHydrochloric);
    measure(m, e);
    EXPECT_NEAR(m.sigma, extended(349.7 + 76.31, 0.01) * 0.01 / 10, 2e-4);
    EXPECT_NEAR(m.sigma, 0.4120, 0.002);
    EXPECT_LT(m.gamma, 0.91); // Davies at I = 0,01: 0,903
    EXPECT_GT(m.gamma, 0.89);
}

TEST(RealSolutions, TemperatureMovesLambdaAndKe)
{
    // Ideal solutions at t °C: HCl 0,01 mol/L conducts by each ion's
    // coefficient from the 18 and 25 °C columns; NaOH 0,01 mol/L reads
    // pH = pKe(t) - 2 with pKe 14,17 at 20 °C and 13,83 at 30 °C.
    const double alphaH = (350.1 - 315.8) / (7 * 350.1);
    const double alphaCl = (76.35 - 66.0) / (7 * 76.35);
    struct Case {
        double t;
        double pke;
    };
    for (const Case c : {Case{20, 14.17}, Case{30, 13.83}, Case{15, 14.35}}) {
        Model m = modelAt(false, c.t);
        const BenchEntries acid = bench(true, kHydrochloric);
        measure(m, acid);
        const double dt = c.t - 25;
        const double expected = 0.01 * (34.97 * (1 + alphaH * dt) + 7.631 * (1 + alphaCl * dt));
        EXPECT_NEAR(m.sigma, expected, 1e-5) << c.t;
        EXPECT_NEAR(m.sigma / 0.42601, 1 + 0.015 * dt, 0.001) << c.t; // about 1,5 %/K

        const double ph = measure(m, bench(false, kSodiumHydroxide));
        EXPECT_NEAR(ph, c.pke - 2, 0.012) << c.t;
    }
}

TEST(RealSolutions, EthanoicAcidWithDaviesMatchesAnIndependentIteration)
{
    // Ethanoic acid 0,01 mol/L, 20 mL, NaOH 0,01 mol/L: the charge balance
    // Na + h = A + OH with Ka/gamma^2 and Ke/gamma^2, I = h + Na, solved here
    // by bisection on log h inside a loop on gamma.
    const double ka = std::pow(10.0, -4.75);
    for (const double v : {0.0, 10.0, 15.0}) {
        const double na = 0.01 * v / (20 + v);
        const double ct = 0.01 * 20 / (20 + v);
        double gamma = 1;
        double h = 0;
        for (int round = 0; round < 50; ++round) {
            const double kap = ka / (gamma * gamma);
            const double kep = 1e-14 / (gamma * gamma);
            double lo = -14;
            double hi = 0;
            for (int i = 0; i < 200; ++i) {
                const double mid = (lo + hi) / 2;
                const double hm = std::pow(10.0, mid);
                const double excess = na + hm - ct * kap / (kap + hm) - kep / hm;
                (excess > 0 ? hi : lo) = mid;
            }
            h = std::pow(10.0, lo);
            gamma = daviesAt25(h + na);
        }
        Model m = modelAt(true, 25);
        BenchEntries e = bench(true, kEthanoic);
        const double ph = benchPh(m, e, static_cast<float>(v));
        EXPECT_NEAR(ph, -std::log10(gamma * h), 2e-3) << v;
        e.vverse = static_cast<float>(v);
        measure(m, e);
        const TableRow row = makeRow(m, e.sigmaInputs(), v);
        EXPECT_NEAR(row.h3o / h, 1, 5e-3) << v; // the table's column is a concentration

        Model ideal = freshModel();
        const double idealPh = benchPh(ideal, e, static_cast<float>(v));
        if (v == 10.0) EXPECT_GT(idealPh - ph, 0.02); // half-way: pH = pKa + log gamma
    }
}

TEST(RealSolutions, CurveAgreesWithPouringAndIdealStaysBitForBit)
{
    // The curve walks p of a concentration and reads pH of an activity; a
    // point poured at a vertex's volume must show the vertex's sigma. (Not
    // the strong rows: poured, they solve with K = 1 as the bench always has.)
    struct Case {
        bool acide;
        int position;
        bool real;
        double t;
    };
    const Case cases[] = {{true, kEthanoic, true, 20},
                          {true, 9, true, 30}, // ammonium chloride, a salt
                          {false, kAmmonia, true, 25},
                          {false, 6, false, 18}, // sodium ethanoate, ideal at 18 °C
                          {true, 11, true, 15}}; // methylammonium chloride
    for (const Case& c : cases) {
        Model m = modelAt(c.real, c.t);
        BenchEntries e = bench(c.acide, c.position);
        loadModel(m, e);
        std::vector<CurveVertex> vertices;
        walkCurve(m, e.sigmaInputs(), 0.5f, vertices);
        ASSERT_GT(vertices.size(), 10u);
        for (size_t i = 1; i < vertices.size(); i += vertices.size() / 7) {
            Model poured = modelAt(c.real, c.t);
            e.vverse = vertices[i].v;
            measure(poured, e);
            EXPECT_NEAR(poured.sigma / vertices[i].sigma, 1, 2e-4)
                << c.position << " at " << vertices[i].v << " mL";
        }
    }

    // Ticked then unticked at 25 °C: every vertex as a fresh ideal model gives.
    Model fresh = freshModel();
    Model back = modelAt(true, 20);
    const BenchEntries e = bench(true, kEthanoic);
    loadModel(back, e);
    std::vector<CurveVertex> before;
    walkCurve(back, e.sigmaInputs(), 0.5f, before);
    back.conditions = {};
    std::vector<CurveVertex> ideal;
    std::vector<CurveVertex> again;
    loadModel(fresh, e);
    walkCurve(fresh, e.sigmaInputs(), 0.5f, ideal);
    loadModel(back, e);
    walkCurve(back, e.sigmaInputs(), 0.5f, again);
    ASSERT_EQ(ideal.size(), again.size());
    for (size_t i = 0; i < ideal.size(); ++i) {
        EXPECT_EQ(ideal[i].v, again[i].v);
        EXPECT_EQ(ideal[i].sigma, again[i].sigma);
    }
    std::vector<DistributionVertex> d1;
    std::vector<DistributionVertex> d2;
    walkDistribution(fresh, true, d1);
    walkDistribution(back, true, d2);
    ASSERT_EQ(d1.size(), d2.size());
    for (size_t i = 0; i < d1.size(); ++i)
        EXPECT_EQ(d1[i].acidFraction, d2[i].acidFraction);
}

TEST(RealSolutions, TemperatureBoxCorrectsWhatIsOutOfRange)
{
    const std::string nbsp = "\u00a0";
    struct Case {
        const char* typed;
        double value;
        const char* shown;
        const char* message; // a part of it, or nothing expected
    };
    const Case cases[] = {
        {"20", 20, "20,0", nullptr},
        {"22.5", 22.5, "22,5", nullptr},
        {"25,04", 25, "25,0", nullptr}, // what the box shows: the ideal 25 °C
        {"35", 30, "30,0", "ramenée à 30,0"},
        {"14,9", 15, "15,0", "entre 15 et 30"},
        {"-1e308", 15, "15,0", "ramenée à 15,0"},
        {"chaud", 22, "22,0", "« chaud » n'est pas une température"},
        {"", 22, "22,0", "n'est pas une température"},
        {"nan", 22, "22,0", "n'est pas une température"},
    };
    for (const Case& c : cases) {
        const TemperatureEntry e = readTemperature(c.typed, 22);
        EXPECT_EQ(e.value, c.value) << c.typed;
        EXPECT_EQ(e.text, c.shown) << c.typed;
        EXPECT_EQ(e.message.has_value(), c.message != nullptr) << c.typed;
        if (c.message && e.message) {
            EXPECT_NE(e.message->find(c.message), std::string::npos) << *e.message;
            EXPECT_NE(e.message->find(nbsp + "°C"), std::string::npos) << *e.message;
        }
    }
}
