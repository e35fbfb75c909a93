#include "model/mixture.h"

#include "model/conductivity.h"
#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

struct CoupleRow {
    const char* acid;
    const char* base;
    int acidCharge; // 0 for HA/A-, +1 for BH+/B
    int benchSlot;  // the conductivity model's slot of the charged form; 0: it does not conduct
};

constexpr CoupleRow kCouples[kCoupleCount] = {
    {"C9H8O4", "C9H7O4-", 0, 5},
    {"C6H5COOH", "C6H5COO-", 0, 6},
    {"ClCH2COOH", "ClCH2COO-", 0, 7},
    {"CH3COOH", "CH3COO-", 0, 8},
    {"HF", "F-", 0, 9},
    {"HClO", "ClO-", 0, 10},
    {"HCOOH", "HCOO-", 0, 11},
    {"HNO2", "NO2-", 0, 12},
    {"NH4+", "NH3", 1, 13},
    {"C6H5NH3+", "C6H5NH2", 1, 14},
    {"CH3NH3+", "CH3NH2", 1, 15},
    {"HCN", "CN-", 0, 16},
    {"C6H5OH", "C6H5O-", 0, 19},
    {"HA", "A-", 0, 0},
    {"BH+", "B", 1, 0},
};

// What each catalogue position brings: its couple (-1 for the strong
// electrolyte of the side) and whether a counter-ion comes with it (Cl- on
// the acid side, for the ammonium-type chlorides and HCl; Na+ on the base
// side, for the sodium salts and the hydroxide).
struct CatalogueRow {
    int couple;
    bool counterIon;
};

constexpr CatalogueRow kAcidSide[kListEntries] = {
    {CpAcetylsalicylic, false}, {CpBenzoic, false},   {-1, true},
    {CpChloroethanoic, false},  {CpEthanoic, false},  {CpHydrofluoric, false},
    {CpHypochlorous, false},    {CpMethanoic, false}, {CpNitrous, false},
    {CpAmmonium, true},         {CpAnilinium, true},  {CpMethylammonium, true},
    {CpHydrocyanic, false},     {CpPhenol, false},    {CpOtherAcid, false},
};

constexpr CatalogueRow kBaseSide[kListEntries] = {
    {CpAcetylsalicylic, true}, {CpAmmonium, false},      {CpAnilinium, false},
    {CpBenzoic, true},         {CpChloroethanoic, true}, {CpHydrocyanic, true},
    {CpEthanoic, true},        {CpHydrofluoric, true},   {-1, true},
    {CpHypochlorous, true},    {CpMethanoic, true},      {CpMethylammonium, false},
    {CpNitrous, true},         {CpPhenol, true},         {CpOtherBase, false},
};

constexpr SpeciesInfo kFixedSpecies[SpFirstCouple] = {
    {"H3O+", 1},  {"HO-", -1},    {"Na+", 1},      {"K+", 1},      {"Cl-", -1},
    {"NO3-", -1}, {"Ag+", 1},     {"Ba^2+", 2},    {"SO4^2-", -2}, {"HSO4-", -1},
    {"H3PO4", 0}, {"H2PO4-", -1}, {"HPO4^2-", -2}, {"PO4^3-", -3},
};

std::array<SpeciesInfo, kMixSpecies> makeSpeciesTable()
{
    std::array<SpeciesInfo, kMixSpecies> t{};
    for (int s = 0; s < SpFirstCouple; ++s)
        t[s] = kFixedSpecies[s];
    for (int k = 0; k < kCoupleCount; ++k) {
        t[coupleAcid(k)] = {kCouples[k].acid, kCouples[k].acidCharge};
        t[coupleBase(k)] = {kCouples[k].base, kCouples[k].acidCharge - 1};
    }
    return t;
}

const std::array<SpeciesInfo, kMixSpecies> kSpecies = makeSpeciesTable();

// The λ of every species. The bench's ions take the values its conductivity
// model uses: the model fills lambdaion for the ions of the solute it is
// given, so one pass over both sides of the catalogue reads them all, and a
// change there reaches the engine too.
std::array<double, kMixSpecies> makeLambdaTable()
{
    Model m;
    initcatalogue(m);
    m.cdilue = 0.01f;
    m.vinitial = 20.0f;
    m.kcouple = 1e-5f;
    SigmaInputs in;
    in.vsol = 20.0f;
    in.veau = 0.0f;
    in.cburette = 0.01f;
    std::array<float, kIonSlots> bench{};
    for (const bool acide : {true, false})
        for (int p = 0; p < kListEntries; ++p) {
            in.acide = acide;
            in.position = p;
            computeSigma(m, in, 7.0, 1.0);
            for (int i = 0; i < kIonSlots; ++i)
                bench[i] = std::max(bench[i], m.lambdaion[i]);
        }

    const MixConstants& k = kMixConstants;
    std::array<double, kMixSpecies> l{};
    l[SpH3O] = bench[1];
    l[SpHO] = bench[2];
    l[SpNa] = bench[3];
    l[SpCl] = bench[4];
    l[SpK] = k.lambdaK;
    l[SpNO3] = k.lambdaNO3;
    l[SpAg] = k.lambdaAg;
    l[SpBa] = k.lambdaBa;
    l[SpSO4] = k.lambdaSO4;
    l[SpHSO4] = k.lambdaHSO4;
    l[SpH2PO4] = k.lambdaH2PO4;
    l[SpHPO4] = k.lambdaHPO4;
    l[SpPO4] = k.lambdaPO4;
    for (int c = 0; c < kCoupleCount; ++c) {
        if (kCouples[c].benchSlot == 0) continue;
        const int charged = kCouples[c].acidCharge == 1 ? coupleAcid(c) : coupleBase(c);
        l[charged] = bench[kCouples[c].benchSlot];
    }
    return l;
}

const std::array<double, kMixSpecies>& lambdaTable()
{
    static const std::array<double, kMixSpecies> table = makeLambdaTable();
    return table;
}

bool validConcentration(double c)
{
    return std::isfinite(c) && c >= 0;
}

// The closed-form split of a sparingly soluble 1:1 salt between solution and
// solid: totals a and b (mol/L) of its two ions, conditional product ks.
// Returns the free a and b and the precipitated amount. The free ions are
// taken from the root that does not cancel: the larger one from the
// quadratic, the smaller one as ks divided by it.
struct Split {
    double a, b, solid;
};
Split precipitate(double a, double b, double ks)
{
    if (!(a * b > ks)) return {a, b, 0.0};
    const double d = a - b;
    const double r = std::sqrt(d * d + 4 * ks);
    Split s{};
    if (d >= 0) {
        s.a = (d + r) / 2;
        s.b = ks / s.a;
        s.solid = std::max(0.0, a - s.a);
    } else {
        s.b = (r - d) / 2;
        s.a = ks / s.b;
        s.solid = std::max(0.0, b - s.b);
    }
    return s;
}

constexpr const char* kSilverBase =
    "Mélange refusé : les ions argent Ag⁺ rencontreraient une solution basique, où l'oxyde "
    "d'argent Ag₂O précipite (et où l'ammoniac et les amines forment des complexes avec "
    "l'argent) ; ce calcul ne traite pas ces équilibres.";
constexpr const char* kBariumPhosphate =
    "Mélange refusé : les ions baryum Ba²⁺ précipiteraient avec les ions phosphate ; ce calcul "
    "ne traite pas les phosphates de baryum.";

} // namespace

const SpeciesInfo& speciesInfo(int s)
{
    return kSpecies[static_cast<size_t>(s)];
}

const char* solidFormula(int solid)
{
    return solid == SolidAgCl ? "AgCl" : "BaSO4";
}

double MixtureEngine::lambda(int s)
{
    return lambdaTable()[static_cast<size_t>(s)];
}

std::string mixStatusMessage(MixStatus status, double v)
{
    const std::string at = "Point refusé à V = " + formatNumber(v, "#0.0#") + " mL : ";
    switch (status) {
    case MixStatus::Ok:
        return {};
    case MixStatus::SilverSulfate:
        return at + "le sulfate d'argent Ag₂SO₄ précipiterait ; ce calcul ne traite pas ce solide.";
    case MixStatus::SilverPhosphate:
        return at +
               "le phosphate d'argent Ag₃PO₄ précipiterait ; ce calcul ne traite pas ce solide.";
    case MixStatus::BadVolume:
        break;
    }
    return "Point refusé : le volume versé doit être un nombre positif.";
}

// The combinations refused before any point, decided from the solutes alone
// so that a titration is refused whole, never halfway:
// - silver meeting a base. Silver comes only from the silver nitrate
//   titrant (no beaker solute brings it, so a basic titrant never meets
//   silver). The beaker counts as basic when it holds any solute of the
//   catalogue's base side: sodium hydroxide, ammonia and the amines (which
//   also bind Ag+ in complexes), and the sodium salts of weak acids, whose
//   solutions are basic; Ag2O would precipitate or complexes would form, and
//   neither is modelled. An acidic or neutral beaker keeps a pH where Ag2O
//   does not form while silver nitrate is poured.
// - barium (either barium titrant) with phosphoric acid: barium phosphates
//   precipitate, and are not modelled.
// The other silver salts (Ag2SO4, Ag3PO4) are only refused at a point where
// they would really form: see MixStatus.
std::optional<std::string> mixtureRefusal(const Mixture& m)
{
    if (m.soluteCount < 0 || m.soluteCount > kMaxMixSolutes)
        return std::string("Mélange refusé : le bécher contient au plus trois solutés.");
    bool base = false;
    bool phosphate = false;
    for (int i = 0; i < m.soluteCount; ++i) {
        const MixSolute& s = m.solutes[i];
        if (!validConcentration(s.c))
            return std::string("Mélange refusé : une concentration n'est pas un nombre positif.");
        if ((s.kind == MixSoluteKind::CatalogueAcid || s.kind == MixSoluteKind::CatalogueBase) &&
            (s.position < 0 || s.position >= kListEntries))
            return std::string("Mélange refusé : position du catalogue inconnue.");
        base = base || s.kind == MixSoluteKind::CatalogueBase;
        phosphate = phosphate || s.kind == MixSoluteKind::PhosphoricAcid;
    }
    if (!validConcentration(m.ctitrant) || !std::isfinite(m.vsol) || !(m.vsol > 0) ||
        !std::isfinite(m.veau) || m.veau < 0)
        return std::string("Mélange refusé : la burette ou les volumes ne sont pas valables.");
    if (m.titrant == MixTitrant::SilverNitrate && base) return std::string(kSilverBase);
    const bool barium =
        m.titrant == MixTitrant::BariumChloride || m.titrant == MixTitrant::BariumHydroxide;
    if (barium && phosphate) return std::string(kBariumPhosphate);
    return std::nullopt;
}

MixtureEngine::MixtureEngine(const Mixture& mixture, const Model& catalogue) : m_mixture(mixture)
{
    const MixConstants& k = kMixConstants;
    m_kaHSO4 = std::pow(10.0, -k.pKaHSO4);
    for (int i = 0; i < 3; ++i)
        m_kaPhosphoric[i] = std::pow(10.0, -k.pKaPhosphoric[i]);
    m_ksAgCl = std::pow(10.0, -k.pKsAgCl);
    m_ksBaSO4 = std::pow(10.0, -k.pKsBaSO4);
    m_ksAg2SO4 = std::pow(10.0, -k.pKsAg2SO4);
    m_ksAg3PO4 = std::pow(10.0, -k.pKsAg3PO4);

    auto addFamily = [&](int couple, double ka, double c) {
        for (int f = 0; f < m_familyCount; ++f)
            if (m_families[f].couple == couple && m_families[f].ka == ka) {
                m_families[f].amount += c;
                return;
            }
        m_families[m_familyCount++] = {couple, ka, c, kCouples[couple].acidCharge};
    };

    for (int i = 0; i < std::clamp(mixture.soluteCount, 0, kMaxMixSolutes); ++i) {
        const MixSolute& s = mixture.solutes[i];
        const double c = s.c;
        switch (s.kind) {
        case MixSoluteKind::CatalogueAcid:
        case MixSoluteKind::CatalogueBase: {
            const bool acide = s.kind == MixSoluteKind::CatalogueAcid;
            const int p = std::clamp(s.position, 0, kListEntries - 1);
            const CatalogueRow row = (acide ? kAcidSide : kBaseSide)[p];
            if (row.counterIon) (acide ? m_beaker.cl : m_beaker.na) += c;
            if (row.couple >= 0) {
                const double pka = p == kOtherPosition
                                       ? s.pka
                                       : (acide ? catalogue.pkacide : catalogue.pkbase)[p + 1];
                addFamily(row.couple, std::pow(10.0, -pka), c);
            }
            break;
        }
        case MixSoluteKind::SodiumChloride:
            m_beaker.na += c;
            m_beaker.cl += c;
            break;
        case MixSoluteKind::PotassiumChloride:
            m_beaker.k += c;
            m_beaker.cl += c;
            break;
        case MixSoluteKind::SodiumSulfate:
            m_beaker.na += 2 * c;
            m_beaker.sulfate += c;
            break;
        case MixSoluteKind::SulfuricAcid:
            m_beaker.sulfate += c;
            break;
        case MixSoluteKind::PhosphoricAcid:
            m_beaker.phosphate += c;
            break;
        }
    }

    const double cb = mixture.ctitrant;
    switch (mixture.titrant) {
    case MixTitrant::SodiumHydroxide:
        m_titrant.na = cb;
        break;
    case MixTitrant::HydrochloricAcid:
        m_titrant.cl = cb;
        break;
    case MixTitrant::SilverNitrate:
        m_titrant.ag = cb;
        m_titrant.no3 = cb;
        break;
    case MixTitrant::BariumChloride:
        m_titrant.ba = cb;
        m_titrant.cl = 2 * cb;
        break;
    case MixTitrant::BariumHydroxide:
        m_titrant.ba = cb;
        break;
    }

    auto any = [&](double Totals::*t) { return m_beaker.*t > 0 || m_titrant.*t > 0; };
    m_present[SpH3O] = m_present[SpHO] = true;
    m_present[SpNa] = any(&Totals::na);
    m_present[SpK] = any(&Totals::k);
    m_present[SpCl] = any(&Totals::cl);
    m_present[SpNO3] = any(&Totals::no3);
    m_present[SpAg] = any(&Totals::ag);
    m_present[SpBa] = any(&Totals::ba);
    m_present[SpSO4] = m_present[SpHSO4] = any(&Totals::sulfate);
    for (int s = SpH3PO4; s <= SpPO4; ++s)
        m_present[s] = any(&Totals::phosphate);
    for (int f = 0; f < m_familyCount; ++f)
        m_present[coupleAcid(m_families[f].couple)] = m_present[coupleBase(m_families[f].couple)] =
            true;
    m_solidPossible[SolidAgCl] = m_present[SpAg] && m_present[SpCl];
    m_solidPossible[SolidBaSO4] = m_present[SpBa] && m_present[SpSO4];
}

MixStatus MixtureEngine::solve(double v, MixPoint& out, double hint) const
{
    if (!std::isfinite(v) || v < 0) return MixStatus::BadVolume;
    const double total = m_mixture.vsol + m_mixture.veau + v; // mL
    if (!(total > 0) || !std::isfinite(total)) return MixStatus::BadVolume;
    const double fb = m_mixture.vsol / total;
    const double ft = v / total;
    auto mixed = [&](double Totals::*t) { return m_beaker.*t * fb + m_titrant.*t * ft; };
    const double na = mixed(&Totals::na);
    const double kp = mixed(&Totals::k);
    const double no3 = mixed(&Totals::no3);
    const double ba = mixed(&Totals::ba);
    const double sulfate = mixed(&Totals::sulfate);
    const double phosphate = mixed(&Totals::phosphate);
    // Neither Ag+ nor Cl- takes part in an acid-base equilibrium: AgCl is
    // settled once for the volume.
    const Split agcl = precipitate(mixed(&Totals::ag), mixed(&Totals::cl), m_ksAgCl);
    std::array<double, kMaxMixSolutes> famC{};
    for (int f = 0; f < m_familyCount; ++f)
        famC[f] = m_families[f].amount * fb;

    const double kw = kKe;
    const double kaS = m_kaHSO4;
    const double k1 = m_kaPhosphoric[0];
    const double k12 = k1 * m_kaPhosphoric[1];
    const double k123 = k12 * m_kaPhosphoric[2];

    // The charge balance at u = ln h, its derivative, and the sums of the
    // positive and negative charges (whose sum scales the residual).
    struct Eval {
        double f, df, pos, neg;
        double b, sd, alpha; // free Ba2+, dissolved sulfate, its SO4 2- share
    };
    auto evaluate = [&](double u) {
        const double h = std::exp(u);
        const double oh = kw / h;
        Eval e{};
        e.pos = h + na + kp + agcl.a;
        e.neg = oh + agcl.b + no3;
        e.df = h + oh;
        for (int f = 0; f < m_familyCount; ++f) {
            const double ka = m_families[f].ka;
            const double acidShare = h / (h + ka);
            const double baseShare = ka / (h + ka);
            if (m_families[f].acidCharge == 1)
                e.pos += famC[f] * acidShare;
            else
                e.neg += famC[f] * baseShare;
            e.df += famC[f] * acidShare * baseShare;
        }
        if (sulfate > 0 || ba > 0) {
            e.alpha = kaS / (kaS + h);
            const double beta = h / (kaS + h);
            const double ksCond = m_ksBaSO4 * (kaS + h) / kaS; // [Ba2+].(dissolved sulfate)
            const Split s = precipitate(ba, sulfate, ksCond);
            e.b = s.a;
            e.sd = s.b;
            if (s.solid > 0) {
                const double ds = -(m_ksBaSO4 * h / kaS) / (s.a + s.b);
                e.df += ds * (e.alpha - 1);
            }
            e.df += e.sd * e.alpha * beta;
            e.pos += 2 * e.b;
            e.neg += e.sd * (1 + e.alpha);
        }
        if (phosphate > 0) {
            const double h2 = h * h;
            const double t3 = h2 * h, t2 = k1 * h2, t1 = k12 * h, t0 = k123;
            const double d = t3 + t2 + t1 + t0;
            const double mean = (3 * t3 + 2 * t2 + t1) / d;
            const double var = std::max(0.0, (9 * t3 + 4 * t2 + t1) / d - mean * mean);
            e.neg += phosphate * (t2 + 2 * t1 + 3 * t0) / d;
            e.df += phosphate * var;
        }
        e.f = e.pos - e.neg;
        return e;
    };

    // A bracket that always holds the root: at h = 1 + every negative charge
    // the positive side wins, at h = Ke/(1 + every positive charge) the
    // negative side does.
    double negCap = agcl.b + no3 + 2 * sulfate + 3 * phosphate;
    double posCap = na + kp + agcl.a + 2 * ba;
    for (int f = 0; f < m_familyCount; ++f)
        (m_families[f].acidCharge == 1 ? posCap : negCap) += famC[f];
    double lo = std::log(kw / (1 + posCap));
    double hi = std::log(1 + negCap);
    double u = hint > 0 ? std::log(hint) : std::log(1e-7);
    if (!(u > lo && u < hi)) u = 0.5 * (lo + hi);

    Eval e{};
    int it = 0;
    double checkpoint = hi - lo; // the step size three iterations ago
    for (; it < 200; ++it) {
        e = evaluate(u);
        if (std::fabs(e.f) <= 1e-15 * (e.pos + e.neg)) break;
        (e.f > 0 ? hi : lo) = u;
        double next = u - e.f / e.df;
        // Bisect when a step would leave the bracket, and when the steps have
        // not halved in three iterations (Newton creeping along a kink of the
        // BaSO4 threshold, or far from the root). The bracket itself may stay
        // wide while Newton closes in from one side, so the steps are watched.
        bool slow = false;
        if (it % 3 == 2) {
            slow = std::fabs(next - u) > 0.5 * checkpoint;
            checkpoint = std::fabs(next - u);
        }
        if (slow || !(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (next == u || !(hi - lo > 1e-15 * std::max(1.0, std::fabs(u)))) {
            // The bracket is down to rounding: settle at its better end.
            u = next;
            e = evaluate(u);
            break;
        }
        u = next;
    }

    const double h = std::exp(u);
    out.v = v;
    out.h = h;
    out.ph = -std::log10(h);
    out.iterations = it + 1;
    out.residual = std::fabs(e.f) / (e.pos + e.neg);
    out.c.fill(0.0);
    out.solid.fill(0.0);
    out.c[SpH3O] = h;
    out.c[SpHO] = kw / h;
    out.c[SpNa] = na;
    out.c[SpK] = kp;
    out.c[SpCl] = agcl.b;
    out.c[SpNO3] = no3;
    out.c[SpAg] = agcl.a;
    out.solid[SolidAgCl] = agcl.solid * total / 1000;
    if (sulfate > 0 || ba > 0) {
        out.c[SpBa] = e.b;
        out.c[SpSO4] = e.sd * e.alpha;
        out.c[SpHSO4] = e.sd * (1 - e.alpha);
        out.solid[SolidBaSO4] = std::max(0.0, sulfate - e.sd) * total / 1000;
    }
    if (phosphate > 0) {
        const double h2 = h * h;
        const double t3 = h2 * h, t2 = k1 * h2, t1 = k12 * h, t0 = k123;
        const double d = t3 + t2 + t1 + t0;
        out.c[SpH3PO4] = phosphate * t3 / d;
        out.c[SpH2PO4] = phosphate * t2 / d;
        out.c[SpHPO4] = phosphate * t1 / d;
        out.c[SpPO4] = phosphate * t0 / d;
    }
    for (int f = 0; f < m_familyCount; ++f) {
        const double ka = m_families[f].ka;
        out.c[coupleAcid(m_families[f].couple)] += famC[f] * h / (h + ka);
        out.c[coupleBase(m_families[f].couple)] += famC[f] * ka / (h + ka);
    }
    const auto& lambdas = lambdaTable();
    double sigma = 0;
    for (int s = 0; s < kMixSpecies; ++s)
        sigma += lambdas[s] * out.c[s];
    out.sigma = sigma;

    const double ag = out.c[SpAg];
    if (ag > 0 && ag * ag * out.c[SpSO4] >= m_ksAg2SO4) return MixStatus::SilverSulfate;
    if (ag > 0 && ag * ag * ag * out.c[SpPO4] >= m_ksAg3PO4) return MixStatus::SilverPhosphate;
    return MixStatus::Ok;
}

} // namespace titrage
