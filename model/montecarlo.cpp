#include "model/montecarlo.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

// The least-squares line through the drawn points, without allocating.
struct Accumulator {
    double n = 0, x = 0, y = 0, xx = 0, xy = 0;
    void add(double px, double py)
    {
        n += 1;
        x += px;
        y += py;
        xx += px * px;
        xy += px * py;
    }
    // slope and intercept; false for points all at one volume.
    bool line(double& a, double& b) const
    {
        const double sxx = xx - x * x / n;
        if (!(n >= 2) || !(sxx > 0)) return false;
        a = (xy - x * y / n) / sxx;
        b = (y - a * x) / n;
        return std::isfinite(a) && std::isfinite(b);
    }
};

} // namespace

MonteCarloResult monteCarloVeq(const std::vector<FitPoint>& points, const FitRanges& ranges,
                               const MonteCarloOptions& o)
{
    MonteCarloResult r;
    std::vector<FitPoint> before, after;
    for (const FitPoint& p : points) {
        if (!std::isfinite(p.v) || !std::isfinite(p.sigma)) continue;
        if (ranges.before.contains(p.v)) before.push_back(p);
        if (ranges.after.contains(p.v)) after.push_back(p);
    }
    if (static_cast<int>(before.size()) < kMinPointsPerLine ||
        static_cast<int>(after.size()) < kMinPointsPerLine || o.draws <= 0)
        return r;
    // Each point's uncertainty once, from its measured value.
    auto uncertainties = [&](const std::vector<FitPoint>& side) {
        std::vector<double> u;
        for (const FitPoint& p : side)
            u.push_back(sigmaUncertainty(o.model, p.sigma));
        return u;
    };
    const std::vector<double> uBefore = uncertainties(before), uAfter = uncertainties(after);

    r.draws = o.draws;
    std::vector<double> veqs;
    veqs.reserve(static_cast<size_t>(o.draws));
    Draws d(o.seed);
    const double h = o.model.readingHalfWidth;
    for (int k = 0; k < o.draws; ++k) {
        const double zero = h * d.symmetric();
        const double calibration = o.model.tolerance * d.symmetric();
        auto drawn = [&](const std::vector<FitPoint>& side, const std::vector<double>& u) {
            Accumulator acc;
            for (size_t i = 0; i < side.size(); ++i) {
                const double sigma = side[i].sigma + u[i] * d.normal();
                double v = side[i].v;
                // Nothing poured is known exactly; every other volume is read.
                if (v > 0) v += h * d.symmetric() - zero + calibration * v / o.model.capacity;
                acc.add(v, o.correctDilution ? dilutionCorrected(sigma, v, o.v0) : sigma);
            }
            return acc;
        };
        const Accumulator a = drawn(before, uBefore);
        const Accumulator b = drawn(after, uAfter);
        double a1 = 0, b1 = 0, a2 = 0, b2 = 0;
        const bool ok = a.line(a1, b1) && b.line(a2, b2) && a1 != a2;
        const double v = ok ? (b2 - b1) / (a1 - a2) : NAN;
        if (!std::isfinite(v)) {
            ++r.failed;
            continue;
        }
        veqs.push_back(v);
    }
    if (veqs.empty()) return r;
    double sum = 0;
    for (double v : veqs)
        sum += v;
    r.mean = sum / static_cast<double>(veqs.size());
    double ss = 0;
    for (double v : veqs)
        ss += (v - r.mean) * (v - r.mean);
    r.sd = veqs.size() > 1 ? std::sqrt(ss / static_cast<double>(veqs.size() - 1)) : 0.0;
    const auto [lo, hi] = std::minmax_element(veqs.begin(), veqs.end());
    r.lo = *lo;
    r.hi = *hi;
    const int bins = std::max(1, o.bins);
    r.histogram.assign(static_cast<size_t>(bins), 0);
    const double width = (r.hi - r.lo) / bins;
    for (double v : veqs) {
        int i = width > 0 ? static_cast<int>((v - r.lo) / width) : 0;
        r.histogram[static_cast<size_t>(std::clamp(i, 0, bins - 1))]++;
    }
    return r;
}

std::string monteCarloText(const MonteCarloResult& r)
{
    return "Monte-Carlo, " + std::to_string(r.found()) +
           " tirages : Véq moyen = " + formatNumber(r.mean, "#0.00") + " mL, écart-type " +
           formatNumber(r.sd, r.sd < 0.01 ? "#0.000" : "#0.00") + " mL";
}

} // namespace titrage
