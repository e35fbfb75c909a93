#include "model/solver.h"

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

} // namespace

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
