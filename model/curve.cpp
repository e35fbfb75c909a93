#include "model/curve.h"

#include "model/solver.h"

#include <cmath>
#include <optional>

namespace titrage {

namespace {

constexpr float kCurveStep = 0.05f;
constexpr float kDistributionStep = 0.2f;
constexpr float kLastP = 13.9f;

// Fraction of the acid form at pH `ph` for a couple of constant K (Ka for an
// acid beaker, Kb for a base beaker). Nothing when it cannot be formed.
// Outside the ideal at 25 °C the pH is an activity's: h becomes a(H3O+)/gamma
// and Ka the conditional Ka/gamma^2, gamma that of the point.
std::optional<double> acidFraction(double ph, float kcouple, bool acide, double c, double gamma = 1)
{
    const double h = std::pow(10.0, -ph) / gamma;
    const double ka =
        (acide ? static_cast<double>(kcouple) : 1e-14 / static_cast<double>(kcouple)) /
        (gamma * gamma);
    if (!std::isfinite(ka) || ka + h == 0.0) return std::nullopt;
    const double a = c * h / (ka + h);
    const double b = c - a;
    if (a + b == 0.0) return std::nullopt;
    return a / (a + b);
}

// Walks p from p0 to 13.9 in 32-bit steps, as the loop counter was a float;
// calls `visit` with the pH of each point inside the burette's range (its
// volume in vverse). p is that of the principal ion's concentration; outside
// the ideal at 25 °C the pH is that of the activity, with the point's gamma.
template <typename Visit> void walkP(Model& model, bool acide, float p0, float step, Visit visit)
{
    const bool ideal = model.conditions.ideal25();
    for (float p = p0; p <= kLastP; p = p + step) {
        model.phcalc = p;
        model.xprinc = static_cast<float>(std::pow(10.0, -static_cast<double>(p)));
        if (ideal) {
            if (const auto v = volumeForIon(model, model.xprinc); v && std::fabs(*v) <= 3.4e38)
                model.vverse = static_cast<float>(*v);
        } else if (const auto r = realVolumeForIon(model, model.xprinc);
                   r && std::fabs(r->v) <= 3.4e38) {
            model.vverse = static_cast<float>(r->v);
            model.gamma = r->gamma;
        }
        const double ph = ideal ? (acide ? static_cast<double>(model.phcalc)
                                         : 14.0 - static_cast<double>(model.phcalc))
                                : phOfModel(model, acide);
        if (model.vverse >= 0.0f && model.vverse <= kBuretteCapacity) visit(ph);
    }
}

} // namespace

void walkCurve(Model& model, const SigmaInputs& in, float maxaxe, std::vector<CurveVertex>& out,
               const std::function<void(const Model&)>& vertexDone)
{
    out.clear();
    solvinit(model);
    const double p0 = -std::log10(static_cast<double>(model.xprinc));
    if (model.kcouple == 1.0f) model.kcouple = kStrongConstant;
    const double ph0 =
        model.conditions.ideal25() ? (in.acide ? p0 : 14.0 - p0) : phOfModel(model, in.acide);

    computeSigma(model, in, ph0, 0.0);
    out.push_back({0.0f, model.sigma, graphX(0), graphY(model.sigma, maxaxe),
                   static_cast<float>(ph0)});
    if (vertexDone) vertexDone(model);
    model.vverse = 0;

    walkP(model, in.acide, static_cast<float>(p0), kCurveStep, [&](double ph) {
        computeSigma(model, in, ph, model.vverse);
        out.push_back({model.vverse, model.sigma, graphX(model.vverse),
                       graphY(model.sigma, maxaxe), static_cast<float>(ph)});
        if (vertexDone) vertexDone(model);
    });

    model.vverse = kBuretteCapacity;
    solvmelange(model, in.acide);
    const float endPh = model.phcalc;
    computeSigma(model, in, endPh, model.vverse);
    out.push_back({kBuretteCapacity, model.sigma, graphX(kBuretteCapacity),
                   graphY(model.sigma, maxaxe), endPh});
    if (vertexDone) vertexDone(model);
}

void walkDistribution(Model& model, bool acide, std::vector<DistributionVertex>& out)
{
    out.clear();
    solvinit(model);
    const double p0 = -std::log10(static_cast<double>(model.xprinc));
    if (model.kcouple == 1.0f) model.kcouple = kStrongConstant;
    const double c = model.cdilue;
    const double ph0 =
        model.conditions.ideal25() ? (acide ? p0 : 14.0 - p0) : phOfModel(model, acide);

    auto push = [&](float v, double x, double ph) {
        const auto fa = acidFraction(ph, model.kcouple, acide, c,
                                     model.conditions.ideal25() ? 1.0 : model.gamma);
        if (!fa) return;
        out.push_back({v, *fa, 1.0 - *fa, x, fractionY(*fa), fractionY(1.0 - *fa)});
    };

    push(0.0f, graphX(0), ph0);
    walkP(model, acide, static_cast<float>(p0), kDistributionStep,
          [&](double ph) { push(model.vverse, graphX(model.vverse), ph); });
    model.vverse = kBuretteCapacity;
    solvmelange(model, acide);
    push(kBuretteCapacity, graphX(kBuretteCapacity), model.phcalc);
}

} // namespace titrage
