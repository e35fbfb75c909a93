// The mixture engine checked against a computation of its own written apart:
// plain bisection in long double on the charge balance written as a list of
// (charge, concentration) terms, each precipitate tried as "no solid" and,
// failing that, as "solid" with the free ion found by a second bisection.
#include "model/mixture.h"

#include "testmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace titrage;

namespace {

using K = MixSoluteKind;
using T = MixTitrant;

Mixture mixture(std::vector<MixSolute> solutes, T titrant, double cb, double vsol = 20,
                double veau = 0)
{
    Mixture m;
    for (const MixSolute& s : solutes)
        m.solutes[m.soluteCount++] = s;
    m.titrant = titrant;
    m.ctitrant = cb;
    m.vsol = vsol;
    m.veau = veau;
    return m;
}

MixSolute solute(K kind, double c, int position = 0)
{
    return {kind, position, 7, c};
}

// --- The independent computation --------------------------------------------

using LD = long double;

// What the reference knows of each solute, per mol/L of solute.
struct Brings {
    LD na = 0, k = 0, cl = 0, sulfate = 0, phosphate = 0;
    LD weakAcid = 0;   // HA/A- of pKa `pka`
    LD weakCation = 0; // BH+/B of pKa `pka`
    LD pka = 0;
};

Brings brings(const MixSolute& s)
{
    Brings b;
    switch (s.kind) {
    case K::SodiumChloride:
        b.na = b.cl = 1;
        break;
    case K::PotassiumChloride:
        b.k = b.cl = 1;
        break;
    case K::SodiumSulfate:
        b.na = 2;
        b.sulfate = 1;
        break;
    case K::SulfuricAcid:
        b.sulfate = 1;
        break;
    case K::PhosphoricAcid:
        b.phosphate = 1;
        break;
    case K::CatalogueAcid:
        if (s.position == test::kHydrochloric) b.cl = 1;
        if (s.position == test::kEthanoic) {
            b.weakAcid = 1;
            b.pka = 4.75L;
        }
        if (s.position == 9) { // NH4Cl
            b.weakCation = 1;
            b.cl = 1;
            b.pka = 9.2L;
        }
        break;
    case K::CatalogueBase:
        if (s.position == test::kSodiumHydroxide) b.na = 1;
        if (s.position == 6) { // CH3COONa
            b.weakAcid = 1;
            b.na = 1;
            b.pka = 4.75L;
        }
        if (s.position == test::kAmmonia) {
            b.weakCation = 1;
            b.pka = 9.2L;
        }
        break;
    }
    return b;
}

struct Reference {
    LD ph = 0, sigma = 0, agcl = 0, baso4 = 0; // solids in mol
};

// x in (0, hi] with x.(x + offset) = ks, by bisection.
LD freeIon(LD hi, LD offset, LD ks)
{
    LD lo = 0;
    for (int i = 0; i < 300; ++i) {
        const LD mid = (lo + hi) / 2;
        (mid * (mid + offset) > ks ? hi : lo) = mid;
    }
    return (lo + hi) / 2;
}

Reference reference(const Mixture& m, double v)
{
    const LD vt = LD(m.vsol) + m.veau + v;
    const LD fb = m.vsol / vt, ft = v / vt;
    LD na = 0, kp = 0, cl = 0, no3 = 0, ag = 0, ba = 0, so4t = 0, po4t = 0;
    struct Weak {
        LD c, ka;
        int acidCharge;
    };
    std::vector<Weak> weak;
    for (int i = 0; i < m.soluteCount; ++i) {
        const Brings b = brings(m.solutes[i]);
        const LD c = m.solutes[i].c * fb;
        na += b.na * c;
        kp += b.k * c;
        cl += b.cl * c;
        so4t += b.sulfate * c;
        po4t += b.phosphate * c;
        if (b.weakAcid > 0) weak.push_back({c, std::pow(10.0L, -b.pka), 0});
        if (b.weakCation > 0) weak.push_back({c, std::pow(10.0L, -b.pka), 1});
    }
    const LD cb = m.ctitrant * ft;
    switch (m.titrant) {
    case T::SodiumHydroxide:
        na += cb;
        break;
    case T::HydrochloricAcid:
        cl += cb;
        break;
    case T::SilverNitrate:
        ag += cb;
        no3 += cb;
        break;
    case T::BariumChloride:
        ba += cb;
        cl += 2 * cb;
        break;
    case T::BariumHydroxide:
        ba += cb;
        break;
    }
    const LD ksAgCl = std::pow(10.0L, -9.75L), ksBaSO4 = std::pow(10.0L, -9.97L);
    const LD kaS = std::pow(10.0L, -1.9L);
    const LD k1 = std::pow(10.0L, -2.1L), k2 = std::pow(10.0L, -7.2L), k3 = std::pow(10.0L, -12.4L);

    // AgCl: no solid when the product stays below Ks, else free Ag+ by bisection.
    LD agF = ag, clF = cl;
    if (ag * cl >= ksAgCl) {
        agF = freeIon(ag, cl - ag, ksAgCl);
        clF = cl - ag + agF;
    }

    struct Terms {
        LD z[16];
        LD c[16];
        LD lambda[16];
        int n = 0;
        LD bsolid = 0;
    };
    auto terms = [&](LD h) {
        Terms t;
        auto add = [&](LD z, LD c, LD lambda) {
            t.z[t.n] = z;
            t.c[t.n] = c;
            t.lambda[t.n++] = lambda;
        };
        add(1, h, 34.97f);
        add(-1, 1e-14L / h, 19.8f);
        add(1, na, 5.008f);
        add(1, kp, 7.348L);
        add(-1, clF, 7.631f);
        add(-1, no3, 7.142L);
        add(1, agF, 6.192L);
        // Sulfate: SO4 2- over HSO4- is kaS/h.
        const LD so4Share = 1 / (1 + h / kaS);
        LD baF = ba, sd = so4t;
        if (ba * so4t * so4Share >= ksBaSO4) {
            baF = freeIon(ba, so4t - ba, ksBaSO4 / so4Share);
            sd = so4t - ba + baF;
        }
        t.bsolid = so4t - sd;
        add(2, baF, 12.72L);
        add(-2, sd * so4Share, 16.0L);
        add(-1, sd * (1 - so4Share), 5.2L);
        // Phosphates by successive ratios to H3PO4.
        const LD r1 = k1 / h, r2 = r1 * k2 / h, r3 = r2 * k3 / h;
        const LD h3 = po4t / (1 + r1 + r2 + r3);
        add(-1, h3 * r1, 3.6L);
        add(-2, h3 * r2, 11.4L);
        add(-3, h3 * r3, 27.84L);
        for (const Weak& w : weak) {
            const LD acid = w.c / (1 + w.ka / h);
            // Ethanoate and ammonium: the charged form only conducts. The bench's
            // ions conduct with its 32-bit λ.
            if (w.acidCharge == 0)
                add(-1, w.c - acid, 4.09f);
            else
                add(1, acid, 7.35f);
        }
        return t;
    };
    auto charge = [&](LD h) {
        const Terms t = terms(h);
        LD q = 0;
        for (int i = 0; i < t.n; ++i)
            q += t.z[i] * t.c[i];
        return q;
    };
    LD lo = -16, hi = 1;
    for (int i = 0; i < 200; ++i) {
        const LD mid = (lo + hi) / 2;
        (charge(std::pow(10.0L, mid)) > 0 ? hi : lo) = mid;
    }
    const LD h = std::pow(10.0L, (lo + hi) / 2);
    const Terms t = terms(h);
    Reference r;
    r.ph = -std::log10(h);
    for (int i = 0; i < t.n; ++i)
        r.sigma += t.lambda[i] * t.c[i];
    r.agcl = (ag - agF) * vt / 1000;
    r.baso4 = t.bsolid * vt / 1000;
    return r;
}

// ---------------------------------------------------------------------------

MixPoint solved(const Mixture& m, double v)
{
    const Model catalogue = test::freshModel();
    const MixtureEngine engine(m, catalogue);
    MixPoint p;
    EXPECT_EQ(engine.solve(v, p), MixStatus::Ok) << v;
    return p;
}

const MixSolute kEthanoicAcid = solute(K::CatalogueAcid, 0.01, test::kEthanoic);

} // namespace

TEST(MixtureEngine, AgreesWithAnIndependentComputationForMixturesAndPrecipitates)
{
    struct Case {
        const char* what;
        Mixture m;
    };
    const Case cases[] = {
        {"H2SO4 par Ba(OH)2", mixture({solute(K::SulfuricAcid, 0.01)}, T::BariumHydroxide, 0.01)},
        {"NaCl + HCl par AgNO3",
         mixture({solute(K::SodiumChloride, 0.01), solute(K::CatalogueAcid, 0.01, 2)},
                 T::SilverNitrate, 0.02)},
        {"H3PO4 par NaOH", mixture({solute(K::PhosphoricAcid, 0.01)}, T::SodiumHydroxide, 0.03)},
        {"CH3COOH + HCl par NaOH",
         mixture({kEthanoicAcid, solute(K::CatalogueAcid, 0.01, 2)}, T::SodiumHydroxide, 0.02)},
        {"Na2SO4 + KCl par BaCl2",
         mixture({solute(K::SodiumSulfate, 0.01), solute(K::PotassiumChloride, 0.005)},
                 T::BariumChloride, 0.01)},
        {"NH4Cl + NH3 par HCl",
         mixture({solute(K::CatalogueAcid, 0.01, 9), solute(K::CatalogueBase, 0.01, 1)},
                 T::HydrochloricAcid, 0.01)},
        {"H2SO4 1e-6 par NaOH 1e-6",
         mixture({solute(K::SulfuricAcid, 1e-6)}, T::SodiumHydroxide, 1e-6)},
        {"NaCl 1e-6 par AgNO3 1e-6 (jamais de solide)",
         mixture({solute(K::SodiumChloride, 1e-6)}, T::SilverNitrate, 1e-6)},
        {"H3PO4 + KCl + CH3COONa à 0,1",
         mixture({solute(K::PhosphoricAcid, 0.1), solute(K::PotassiumChloride, 0.1),
                  solute(K::CatalogueBase, 0.1, 6)},
                 T::SodiumHydroxide, 0.1)},
        {"Na2SO4 0,1 par BaCl2 0,1, eau ajoutée",
         mixture({solute(K::SodiumSulfate, 0.1)}, T::BariumChloride, 0.1, 20, 30)},
        {"H2SO4 + Na2SO4 par Ba(OH)2",
         mixture({solute(K::SulfuricAcid, 0.005), solute(K::SodiumSulfate, 0.005)},
                 T::BariumHydroxide, 0.02)},
    };
    for (const Case& c : cases) {
        for (const double v : {0.0, 2.5, 7.0, 10.0, 12.5, 19.9, 20.0, 20.1, 25.0}) {
            SCOPED_TRACE(std::string(c.what) + " à " + std::to_string(v) + " mL");
            const MixPoint p = solved(c.m, v);
            const Reference r = reference(c.m, v);
            EXPECT_LT(p.residual, 1e-12);
            EXPECT_NEAR(p.ph, double(r.ph), 1e-9);
            EXPECT_NEAR(p.sigma, double(r.sigma), 1e-9 * double(r.sigma));
            EXPECT_NEAR(p.solid[SolidAgCl], double(r.agcl), 1e-9 * double(r.agcl) + 1e-15);
            EXPECT_NEAR(p.solid[SolidBaSO4], double(r.baso4), 1e-9 * double(r.baso4) + 1e-15);
        }
    }
}

TEST(MixtureEngine, ASingleCoupleAgreesWithTheBenchsModel)
{
    // Every weak couple of both sides of the catalogue (the strong rows are
    // left out: the bench solves them with K = 1 once something is poured).
    struct Case {
        bool acide;
        int position;
        float c, cb, veau;
    };
    std::vector<Case> cases;
    for (int p = 0; p < kListEntries; ++p) {
        if (!isStrongSolute(true, p)) cases.push_back({true, p, 0.01f, 0.01f, 0});
        if (!isStrongSolute(false, p)) cases.push_back({false, p, 0.01f, 0.01f, 0});
    }
    cases.push_back({true, test::kEthanoic, 1e-3f, 5e-3f, 30});
    cases.push_back({false, test::kAmmonia, 5e-3f, 1e-3f, 10});
    for (const Case& c : cases) {
        Model bench = test::freshModel();
        Mixture m =
            mixture({solute(c.acide ? K::CatalogueAcid : K::CatalogueBase, c.c, c.position)},
                    c.acide ? T::SodiumHydroxide : T::HydrochloricAcid, c.cb, 20, c.veau);
        m.solutes[0].pka = 7;
        const MixtureEngine engine(m, bench);
        for (const float v : {0.0f, 4.0f, 10.0f, 19.5f, 20.0f, 20.5f, 25.0f}) {
            SCOPED_TRACE(std::to_string(c.acide) + " position " + std::to_string(c.position) +
                         " à " + std::to_string(v) + " mL");
            auto e = test::bench(c.acide, c.position, c.c, c.cb, 20, c.veau, v);
            const double ph = measure(bench, e);
            MixPoint p;
            ASSERT_EQ(engine.solve(v, p), MixStatus::Ok);
            EXPECT_NEAR(p.ph, ph, 1e-6 * ph);
            EXPECT_NEAR(p.sigma, bench.sigma, 1e-6 * bench.sigma);
        }
    }
}

TEST(MixtureEngine, APrecipitateAppearsWhereTheIonProductReachesKs)
{
    // The first volume where the product of the two totals reaches Ks, from
    // cb.v.c.vsol = Ks'.(V0 + v)^2 (smaller root); Ks' is Ks over the share of
    // sulfate left as SO4 2- at the beaker's pH, which the engine gives.
    struct Case {
        MixSolute beaker;
        T titrant;
        double cb;
        int solid;
        double ks;
        bool appears; // within the burette
    };
    const Case cases[] = {
        {solute(K::SodiumChloride, 0.01), T::SilverNitrate, 0.01, SolidAgCl, 1.778279e-10, true},
        {solute(K::SodiumChloride, 1e-4), T::SilverNitrate, 1e-4, SolidAgCl, 1.778279e-10, true},
        {solute(K::SodiumChloride, 1e-5), T::SilverNitrate, 1e-5, SolidAgCl, 1.778279e-10, false},
        {solute(K::SodiumSulfate, 0.01), T::BariumChloride, 0.01, SolidBaSO4, 1.071519e-10, true},
        {solute(K::SulfuricAcid, 1e-4), T::BariumHydroxide, 1e-4, SolidBaSO4, 1.071519e-10, true},
    };
    const Model catalogue = test::freshModel();
    for (const Case& c : cases) {
        SCOPED_TRACE(solidFormula(c.solid) + std::string(" ") + std::to_string(c.beaker.c));
        const Mixture m = mixture({c.beaker}, c.titrant, c.cb);
        const MixtureEngine engine(m, catalogue);
        MixPoint p;
        // The conditional product at a point's pH, for the first drop.
        auto firstVolume = [&](double ks) {
            const double a = ks, b = 2 * ks * 20 - c.cb * c.beaker.c * 20, cc = ks * 400;
            const double disc = b * b - 4 * a * cc;
            return disc < 0 ? -1.0 : (-b - std::sqrt(disc)) / (2 * a);
        };
        engine.solve(1e-3, p);
        const double share = c.solid == SolidBaSO4 ? p.c[SpSO4] / (p.c[SpSO4] + p.c[SpHSO4]) : 1;
        const double v1 = firstVolume(c.ks / share);
        if (!c.appears) {
            EXPECT_TRUE(v1 < 0 || v1 > 25);
            ASSERT_EQ(engine.solve(25, p), MixStatus::Ok);
            EXPECT_EQ(p.solid[c.solid], 0.0);
            continue;
        }
        ASSERT_GT(v1, 0);
        ASSERT_EQ(engine.solve(v1 * 0.99, p), MixStatus::Ok);
        EXPECT_EQ(p.solid[c.solid], 0.0);
        ASSERT_EQ(engine.solve(v1 * 1.01, p), MixStatus::Ok);
        EXPECT_GT(p.solid[c.solid], 0.0);
        // Once there, the free ions hold the product at Ks exactly.
        ASSERT_EQ(engine.solve(12.0, p), MixStatus::Ok);
        const double product =
            c.solid == SolidAgCl ? p.c[SpAg] * p.c[SpCl] : p.c[SpBa] * p.c[SpSO4];
        EXPECT_NEAR(product, c.ks, 1e-6 * c.ks);
    }
}

TEST(MixtureEngine, SulfuricAcidByBariumHydroxideFallsAlmostToZeroAtEquivalence)
{
    const Model catalogue = test::freshModel();
    const MixtureEngine engine(mixture({solute(K::SulfuricAcid, 0.01)}, T::BariumHydroxide, 0.01),
                               catalogue);
    MixPoint p;
    double lowest = 1e9, at = -1, start = 0, h = 0;
    for (int tenths = 0; tenths <= 250; ++tenths) {
        ASSERT_EQ(engine.solve(tenths / 10.0, p, h), MixStatus::Ok);
        EXPECT_LT(p.residual, 1e-12) << tenths;
        h = p.h;
        if (tenths == 0) start = p.sigma;
        if (p.sigma < lowest) lowest = p.sigma, at = tenths / 10.0;
    }
    EXPECT_DOUBLE_EQ(at, 20.0);
    EXPECT_LT(lowest, 1e-3 * start);
    // At 25 mL nearly all the sulfate is solid: Ks over the excess Ba2+ stays dissolved.
    EXPECT_NEAR(p.solid[SolidBaSO4], 0.01 * 20e-3, 1e-8);
}

TEST(MixtureEngine, AWalkFromThePreviousPointGivesTheSamePointsAsAColdStart)
{
    const Model catalogue = test::freshModel();
    const Mixture mixtures[] = {
        mixture({solute(K::PhosphoricAcid, 0.1)}, T::SodiumHydroxide, 0.1, 20, 10),
        mixture({solute(K::SodiumChloride, 1e-6), kEthanoicAcid}, T::SilverNitrate, 0.1),
        mixture({solute(K::CatalogueBase, 1e-6, 1)}, T::HydrochloricAcid, 1e-6),
    };
    for (const Mixture& m : mixtures) {
        const MixtureEngine engine(m, catalogue);
        MixPoint warm, cold;
        for (int tenths = 0; tenths <= 250; ++tenths) {
            ASSERT_EQ(engine.solve(tenths / 10.0, warm, warm.h), MixStatus::Ok);
            ASSERT_EQ(engine.solve(tenths / 10.0, cold), MixStatus::Ok);
            EXPECT_LT(warm.residual, 1e-12);
            EXPECT_LT(cold.residual, 1e-12);
            EXPECT_NEAR(warm.ph, cold.ph, 1e-10) << tenths;
        }
    }
}

TEST(MixtureEngine, CombinationsItCannotTreatAreRefused)
{
    struct Case {
        Mixture m;
        const char* refusal; // a word of the message; nullptr: accepted
    };
    const Case cases[] = {
        {mixture({solute(K::CatalogueBase, 0.01, 1)}, T::SilverNitrate, 0.01), "argent"},
        {mixture({solute(K::SodiumChloride, 0.01), solute(K::CatalogueBase, 0.01, 8)},
                 T::SilverNitrate, 0.01),
         "argent"},
        {mixture({solute(K::CatalogueBase, 0.01, 6)}, T::SilverNitrate, 0.01), "Ag₂O"},
        {mixture({solute(K::PhosphoricAcid, 0.01)}, T::BariumChloride, 0.01), "phosphate"},
        {mixture({solute(K::PhosphoricAcid, 0.01)}, T::BariumHydroxide, 0.01), "baryum"},
        {mixture({solute(K::SodiumChloride, -1)}, T::SilverNitrate, 0.01), "concentration"},
        {mixture({solute(K::SodiumChloride, 0.01), kEthanoicAcid}, T::SilverNitrate, 0.01),
         nullptr},
        {mixture({solute(K::SulfuricAcid, 0.01)}, T::BariumHydroxide, 0.01), nullptr},
        {mixture({solute(K::PhosphoricAcid, 0.01)}, T::SodiumHydroxide, 0.01), nullptr},
        {mixture({solute(K::CatalogueBase, 0.01, 1)}, T::BariumChloride, 0.01), nullptr},
    };
    for (const Case& c : cases) {
        const auto refusal = mixtureRefusal(c.m);
        if (!c.refusal) {
            EXPECT_FALSE(refusal) << *refusal;
            continue;
        }
        ASSERT_TRUE(refusal) << c.refusal;
        EXPECT_NE(refusal->find(c.refusal), std::string::npos) << *refusal;
    }

    // Silver sulfate is refused only at the points where it would form.
    const Model catalogue = test::freshModel();
    const MixtureEngine engine(mixture({solute(K::SodiumSulfate, 0.1)}, T::SilverNitrate, 0.1),
                               catalogue);
    MixPoint p;
    EXPECT_EQ(engine.solve(1.0, p), MixStatus::Ok);
    EXPECT_EQ(engine.solve(25.0, p), MixStatus::SilverSulfate);
    EXPECT_NE(mixStatusMessage(MixStatus::SilverSulfate, 25).find("25,0 mL"), std::string::npos);
    EXPECT_EQ(engine.solve(-1.0, p), MixStatus::BadVolume);
    EXPECT_EQ(engine.solve(std::nan(""), p), MixStatus::BadVolume);
}
