#include "model/solver.h"

#include "model/realsolution.h"

#include <cmath>

namespace titrage {

namespace {

// The bisection stops when the rounded midpoint moves neither end of the
// bracket any more; the first iteration never stops on that test.
template <typename Sign> float bisect(double lo, double hi, Sign sign)
{
    double previousLo = std::nan("");
    double previousHi = std::nan("");
    float x = 0;
    // A bracket of doubles shrinks to adjacent floats in well under 300 halvings;
    // the bound only guards against a bracket made of non-finite ends.
    for (int guard = 0; guard < 1000; ++guard) {
        x = static_cast<float>((lo + hi) / 2);
        const int s = sign(static_cast<double>(x)); // > 0: root below x
        if (s > 0)
            hi = x;
        else if (s < 0)
            lo = x;
        else
            break;
        if (lo == previousLo && hi == previousHi) break;
        previousLo = lo;
        previousHi = hi;
        if (lo == hi) break;
    }
    return x;
}

// The fixed point of the ionic strength: gamma moves little with I, so a few
// rounds settle it; the bound guards against a float bracket that flickers by
// one unit in the last place.
constexpr int kActivityRounds = 60;
constexpr double kActivityTolerance = 1e-12;

// The equilibrium constants in concentrations for one activity coefficient:
// K/gamma^2 and Ke/gamma^2, every ion carrying one charge. A base beaker's Kb
// follows Ke(T), its conjugate acid's pKa staying the 25 °C one.
struct Conditional {
    double k = 0;
    double ke = 0;
};

Conditional conditionalConstants(const Model& model, const Medium& medium, double gamma)
{
    double k = model.kcouple;
    if (!model.acidBeaker) k *= medium.ke / kKe;
    const double g2 = gamma * gamma;
    return {k / g2, medium.ke / g2};
}

std::optional<double> closedFormVolume(const Model& model, Conditional eq, double x)
{
    const double k = eq.k;
    const double ke = eq.ke;
    const double c = model.cdilue;
    const double v0 = model.vinitial;
    const double cb = model.ctitrant;
    const double num = k * x * c * v0 - v0 * (x * x * x + k * x * x - k * ke - x * ke);
    const double den = x * x * x + k * x * x + cb * (x * x + k * x) - ke * (k + x);
    if (den == 0.0) return std::nullopt;
    const double v = num / den;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

void solvinitReal(Model& model)
{
    const Medium medium = mediumOf(model.conditions);
    const float c = model.cdilue;
    const double cb = model.ctitrant;
    double gamma = 1;
    float x = 0;
    for (int round = 0; round < kActivityRounds; ++round) {
        const Conditional eq = conditionalConstants(model, medium, gamma);
        const double lo = eq.ke / (cb + 1e-7);
        const double hi = static_cast<double>(c) + 1e-7;
        const double k = eq.k;
        const double ck = static_cast<double>(c) * eq.k;
        x = bisect(lo, hi, [&](double xi) {
            const double f = xi * xi * xi + k * xi * xi - (eq.ke + ck) * xi - k * eq.ke;
            return f > 0 ? 1 : (f < 0 ? -1 : 0);
        });
        const double i = beakerIonicStrength(model.saltCouple, x, eq.ke / x, 0, c);
        const double next = activityCoefficient(medium, i);
        if (std::fabs(next - gamma) <= kActivityTolerance) break;
        gamma = next;
    }
    model.xprinc = x;
    model.gamma = gamma;
}

std::optional<IonVolume> realVolume(const Model& model, const Medium& medium, double x)
{
    const double c = model.cdilue;
    const double v0 = model.vinitial;
    const double cb = model.ctitrant;
    IonVolume out;
    for (int round = 0; round < kActivityRounds; ++round) {
        const Conditional eq = conditionalConstants(model, medium, out.gamma);
        const auto v = closedFormVolume(model, eq, x);
        if (!v) return std::nullopt;
        out.v = *v;
        // Outside the mixtures that exist the ionic strength means nothing:
        // the caller drops such a volume anyway.
        if (!(v0 + *v > 0.0) || *v < 0.0) break;
        const double total = v0 + *v;
        const double i =
            beakerIonicStrength(model.saltCouple, x, eq.ke / x, cb * *v / total, c * v0 / total);
        const double next = activityCoefficient(medium, i);
        if (std::fabs(next - out.gamma) <= kActivityTolerance) break;
        out.gamma = next;
    }
    return out;
}

} // namespace

std::optional<IonVolume> realVolumeForIon(const Model& model, double x)
{
    return realVolume(model, mediumOf(model.conditions), x);
}

double phOfModel(const Model& model, bool acide)
{
    if (model.conditions.ideal25()) return phFromXprinc(model.xprinc, acide);
    const double p = -std::log10(model.gamma * static_cast<double>(model.xprinc));
    return acide ? p : mediumOf(model.conditions).pke - p;
}

void solvinit(Model& model)
{
    if (model.kcouple == 1.0f) model.kcouple = kStrongConstant;
    const float c = model.cdilue;
    const double cb = model.ctitrant;
    const double lo = 1e-14 / (cb + 1e-7);
    const double hi = static_cast<double>(c) + 1e-7;
    if (cb != 0.0) {
        const double veq = static_cast<double>(c) * model.vinitial / cb;
        if (std::isfinite(veq)) model.veq = static_cast<float>(veq);
    }
    if (!model.conditions.ideal25()) {
        solvinitReal(model);
        return;
    }
    const double k = model.kcouple;
    // The product C.K is formed in 32 bits, as the reference figures were.
    const double ck = static_cast<double>(c * model.kcouple);
    model.xprinc = bisect(lo, hi, [&](double x) {
        const double f = x * x * x + k * x * x - (kKe + ck) * x - k * kKe;
        return f > 0 ? 1 : (f < 0 ? -1 : 0);
    });
}

std::optional<double> volumeForIon(const Model& model, double x)
{
    if (!model.conditions.ideal25()) {
        const auto r = realVolumeForIon(model, x);
        if (!r) return std::nullopt;
        return r->v;
    }
    const double k = model.kcouple;
    const double c = model.cdilue;
    const double v0 = model.vinitial;
    const double cb = model.ctitrant;
    const double num = k * x * c * v0 - v0 * (x * x * x + k * x * x - k * kKe - x * kKe);
    const double den = x * x * x + k * x * x + cb * (x * x + k * x) - kKe * (k + x);
    if (den == 0.0) return std::nullopt;
    const double v = num / den;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

void solvmelange(Model& model, bool acide)
{
    const double cb = model.ctitrant;
    const double lo = kKe / (cb + 1e-7);
    const double hi = static_cast<double>(model.cdilue) + 1e-7;
    const double v = model.vverse;
    double g = 0; // a failed quotient keeps the previous value, as a skipped step would
    if (!model.conditions.ideal25()) {
        const Medium medium = mediumOf(model.conditions);
        double gamma = model.gamma;
        model.xprinc = bisect(medium.ke / (cb + 1e-7), hi, [&](double x) {
            if (const auto r = realVolume(model, medium, x)) {
                g = r->v - v;
                gamma = r->gamma;
            }
            return g < 0 ? 1 : (g > 0 ? -1 : 0);
        });
        if (const auto r = realVolume(model, medium, model.xprinc)) gamma = r->gamma;
        model.gamma = gamma;
        if (model.xprinc > 0) model.phcalc = static_cast<float>(phOfModel(model, acide));
        return;
    }
    model.xprinc = bisect(lo, hi, [&](double x) {
        if (const auto vx = volumeForIon(model, x)) g = *vx - v;
        return g < 0 ? 1 : (g > 0 ? -1 : 0);
    });
    if (model.xprinc > 0) {
        float ph =
            static_cast<float>(-std::log(static_cast<double>(model.xprinc)) / std::log(10.0));
        if (!acide) ph = 14.0f - ph;
        model.phcalc = ph;
    }
}

double phFromXprinc(float xprinc, bool acide)
{
    const double p = -std::log10(static_cast<double>(xprinc));
    return acide ? p : 14.0 - p;
}

} // namespace titrage
