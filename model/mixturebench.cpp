#include "model/mixturebench.h"

#include "model/graphframe.h"
#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

constexpr int kTenths = 250; // the burette's 25 mL in tenths

const char* const kExtraNames[] = {"chlorure de sodium", "chlorure de potassium",
                                   "sulfate de sodium", "acide sulfurique", "acide phosphorique"};
constexpr MixSoluteKind kExtraKinds[] = {
    MixSoluteKind::SodiumChloride, MixSoluteKind::PotassiumChloride, MixSoluteKind::SodiumSulfate,
    MixSoluteKind::SulfuricAcid, MixSoluteKind::PhosphoricAcid};

std::string concentrationText(double c)
{
    return generalFormat(c) + " mol · L⁻¹";
}

} // namespace

std::vector<MixSolute> mixSoluteChoices()
{
    std::vector<MixSolute> list;
    for (const MixSoluteKind side : {MixSoluteKind::CatalogueAcid, MixSoluteKind::CatalogueBase})
        for (int p = 0; p < kListEntries; ++p)
            if (p != kOtherPosition) list.push_back({side, p, 7, 0});
    for (const MixSoluteKind k : kExtraKinds)
        list.push_back({k, 0, 7, 0});
    return list;
}

int mixSoluteChoiceIndex(const MixSolute& s)
{
    const std::vector<MixSolute> list = mixSoluteChoices();
    for (size_t i = 0; i < list.size(); ++i) {
        const bool catalogue =
            s.kind == MixSoluteKind::CatalogueAcid || s.kind == MixSoluteKind::CatalogueBase;
        if (list[i].kind == s.kind && (!catalogue || list[i].position == s.position))
            return static_cast<int>(i);
    }
    return -1;
}

std::string mixSoluteName(const Model& catalogue, const MixSolute& s)
{
    const int row = std::clamp(s.position, 0, kListEntries - 1) + 1;
    switch (s.kind) {
    case MixSoluteKind::CatalogueAcid:
        return catalogue.nomacide[row];
    case MixSoluteKind::CatalogueBase:
        return catalogue.nombase[row];
    default:
        break;
    }
    for (size_t i = 0; i < std::size(kExtraKinds); ++i)
        if (kExtraKinds[i] == s.kind) return kExtraNames[i];
    return {};
}

const char* mixTitrantName(MixTitrant t)
{
    switch (t) {
    case MixTitrant::SodiumHydroxide:
        return "hydroxyde de sodium";
    case MixTitrant::HydrochloricAcid:
        return "acide chlorhydrique";
    case MixTitrant::SilverNitrate:
        return "nitrate d'argent";
    case MixTitrant::BariumChloride:
        return "chlorure de baryum";
    case MixTitrant::BariumHydroxide:
        return "hydroxyde de baryum";
    }
    return "";
}

std::string displayFormula(const char* caret)
{
    static const char* const sub[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
    static const char* const sup[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string out;
    bool charge = false;
    for (const char* p = caret; *p; ++p) {
        const char ch = *p;
        const bool last = p[1] == '\0';
        if (ch == '^') {
            charge = true;
        } else if (ch >= '0' && ch <= '9') {
            out += (charge ? sup : sub)[ch - '0'];
        } else if ((ch == '+' || ch == '-') && (charge || last)) {
            out += ch == '+' ? "⁺" : "⁻";
        } else {
            out += ch;
        }
    }
    return out;
}

std::string speciesDisplayName(int species)
{
    return displayFormula(speciesInfo(species).formula);
}

std::string solidDisplayName(int solid)
{
    return displayFormula(solidFormula(solid)) + "(s)";
}

std::string mixtureBeakerText(const Model& catalogue, const Mixture& m)
{
    std::string text;
    for (int i = 0; i < std::clamp(m.soluteCount, 0, kMaxMixSolutes); ++i) {
        if (i > 0) text += i + 1 == m.soluteCount ? " et " : ", ";
        text += mixSoluteName(catalogue, m.solutes[i]) + " à " + concentrationText(m.solutes[i].c);
    }
    return text;
}

Mixture mixtureWith(Mixture m, const SigmaInputs& in)
{
    if (in.vsol) m.vsol = *in.vsol;
    if (in.veau) m.veau = *in.veau;
    if (in.cburette) m.ctitrant = *in.cburette;
    return m;
}

std::optional<std::string> mixtureBenchRefusal(const Mixture& m, const Model& catalogue)
{
    if (auto why = mixtureRefusal(m)) return why;
    const MixtureEngine engine(m, catalogue);
    MixPoint p;
    double hint = 0;
    for (int t = 0; t <= kTenths; ++t) {
        const MixStatus status = engine.solve(t / 10.0, p, hint);
        if (status != MixStatus::Ok) return mixStatusMessage(status, t / 10.0);
        hint = p.h;
    }
    // A burette read at 25 mL may deliver a little more, which realistic
    // measurements pour.
    const double most = ScatterSeries::mostDelivered(kTenths / 10.0);
    if (const MixStatus status = engine.solve(most, p, hint); status != MixStatus::Ok)
        return mixStatusMessage(status, most);
    return std::nullopt;
}

std::optional<MixPoint> solveMixturePoint(const Mixture& m, const Model& catalogue, double v)
{
    if (mixtureRefusal(m)) return std::nullopt;
    MixPoint p;
    if (MixtureEngine(m, catalogue).solve(v, p) != MixStatus::Ok) return std::nullopt;
    return p;
}

TableRow mixtureRow(const MixPoint& p)
{
    TableRow row;
    row.v = static_cast<float>(p.v);
    row.sigma = static_cast<float>(p.sigma);
    row.h3o = p.c[SpH3O];
    row.ho = p.c[SpHO];
    row.ph = p.ph;
    row.xprinc = static_cast<float>(p.h);
    return row;
}

MixStatus realisticMixtureSigma(const MixtureEngine& engine, double read,
                                const ScatterSeries& series, double& sigma)
{
    MixPoint delivered;
    const MixStatus status = engine.solve(series.deliveredVolume(read), delivered);
    if (status == MixStatus::Ok) sigma = series.reading(delivered.sigma, read);
    return status;
}

void walkMixtureCurve(const Mixture& m, const Model& catalogue, float maxaxe,
                      std::vector<CurveVertex>& out, std::vector<MixPoint>* points)
{
    out.clear();
    if (points) points->clear();
    if (mixtureRefusal(m)) return;
    const MixtureEngine engine(m, catalogue);
    MixPoint p;
    double hint = 0;
    for (int t = 0; t <= kTenths; ++t) {
        const double v = t / 10.0;
        if (engine.solve(v, p, hint) != MixStatus::Ok) break;
        hint = p.h;
        const auto sigma = static_cast<float>(p.sigma);
        out.push_back({static_cast<float>(v), sigma, graphX(v), graphY(sigma, maxaxe),
                       static_cast<float>(p.ph)});
        if (points) points->push_back(p);
    }
}

std::vector<TableRow> tabulateMixture(const Mixture& m, const Model& catalogue, int stepTenths)
{
    std::vector<TableRow> rows;
    if (stepTenths < 1 || mixtureRefusal(m)) return rows;
    const MixtureEngine engine(m, catalogue);
    MixPoint p;
    for (int t = 0; t <= kTenths; t += stepTenths) {
        // Each row at the volume the poured-volume box shows, as the bench's rows.
        const double v = static_cast<float>(t / 10.0);
        if (engine.solve(v, p, p.h) != MixStatus::Ok) break;
        rows.push_back(mixtureRow(p));
    }
    return rows;
}

float mixtureSigmaMax(const Mixture& m, const Model& catalogue)
{
    float top = 0;
    for (const double v : {0.0, 25.0})
        if (const auto p = solveMixturePoint(m, catalogue, v)) {
            const auto rounded = parseNumber(formatNumber(static_cast<float>(p->sigma), "0.0E+00"));
            if (rounded && *rounded > top) top = static_cast<float>(*rounded);
        }
    return top;
}

void walkMixtureShares(const Mixture& m, const Model& catalogue, float maxaxe, MixtureStack& out)
{
    out = MixtureStack{};
    std::vector<MixPoint> points;
    walkMixtureCurve(m, catalogue, maxaxe, out.vertices, &points);
    if (points.empty()) return;
    for (int s = 0; s < kMixSpecies; ++s) {
        if (speciesInfo(s).charge == 0 || MixtureEngine::lambda(s) == 0) continue;
        const bool present = std::any_of(points.begin(), points.end(),
                                         [s](const MixPoint& p) { return p.c[s] > 0; });
        if (!present) continue;
        out.species.push_back(s);
        out.lambdas.push_back(MixtureEngine::lambda(s));
    }
    out.top.reserve(points.size());
    for (const MixPoint& p : points) {
        std::vector<float> tops(out.species.size());
        double sum = 0;
        for (size_t k = 0; k < out.species.size(); ++k) {
            sum += out.lambdas[k] * p.c[out.species[k]];
            tops[k] = static_cast<float>(sum);
        }
        out.top.push_back(std::move(tops));
    }
    for (int k = 0; k < kMixSolids; ++k) {
        if (std::none_of(points.begin(), points.end(),
                         [k](const MixPoint& p) { return p.solid[k] > 0; }))
            continue;
        out.solids.push_back(k);
        std::vector<double> amounts;
        amounts.reserve(points.size());
        for (const MixPoint& p : points)
            amounts.push_back(p.solid[k]);
        out.solidAmount.push_back(std::move(amounts));
    }
}

double cloudiness(const MixPoint& p, double totalVolumeMl)
{
    if (!(totalVolumeMl > 0)) return 0;
    double solid = 0;
    for (const double n : p.solid)
        solid += n;
    // mol/L of solid; 2 mmol/L already clouds a beaker well (a chloride at
    // 0,01 mol/L titrated by silver nitrate reaches 5 mmol/L at equivalence).
    const double c = solid * 1000 / totalVolumeMl;
    return std::isfinite(c) ? 1 - std::exp(-c / 2e-3) : 0;
}

} // namespace titrage
