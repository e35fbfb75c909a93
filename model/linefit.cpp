#include "model/linefit.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

struct Sample {
    double x = 0;
    double y = 0;
};

// Running sums over a prefix of the samples, so that the least-squares line
// of any contiguous run costs O(1).
struct Sums {
    std::vector<double> n, x, y, xx, xy, yy;

    explicit Sums(const std::vector<Sample>& s)
        : n(s.size() + 1), x(s.size() + 1), y(s.size() + 1), xx(s.size() + 1), xy(s.size() + 1),
          yy(s.size() + 1)
    {
        for (size_t i = 0; i < s.size(); ++i) {
            n[i + 1] = n[i] + 1;
            x[i + 1] = x[i] + s[i].x;
            y[i + 1] = y[i] + s[i].y;
            xx[i + 1] = xx[i] + s[i].x * s[i].x;
            xy[i + 1] = xy[i] + s[i].x * s[i].y;
            yy[i + 1] = yy[i] + s[i].y * s[i].y;
        }
    }

    // Residual sum of squares of the line fitted on samples [i, j).
    double sse(size_t i, size_t j) const
    {
        const double m = n[j] - n[i];
        const double sx = x[j] - x[i], sy = y[j] - y[i];
        const double sxx = (xx[j] - xx[i]) - sx * sx / m;
        const double sxy = (xy[j] - xy[i]) - sx * sy / m;
        const double syy = (yy[j] - yy[i]) - sy * sy / m;
        if (sxx <= 0) return std::max(0.0, syy);
        return std::max(0.0, syy - sxy * sxy / sxx);
    }
};

std::optional<LineFit> fitSamples(const std::vector<Sample>& s, const FitRange& range)
{
    std::vector<double> x, y;
    for (const Sample& p : s)
        if (range.contains(p.x)) {
            x.push_back(p.x);
            y.push_back(p.y);
        }
    if (static_cast<int>(x.size()) < kMinPointsPerLine) return std::nullopt;
    return fitLine(x, y);
}

// Widens a range towards the break until it holds the minimum number of
// points of its side, if the side has that many.
FitRange withEnoughPoints(FitRange r, const std::vector<Sample>& s, double vb, bool before)
{
    std::vector<double> side;
    for (const Sample& p : s)
        if (before ? p.x < vb : p.x > vb) side.push_back(p.x);
    const auto inside =
        std::count_if(side.begin(), side.end(), [&](double v) { return r.contains(v); });
    if (inside >= kMinPointsPerLine || static_cast<int>(side.size()) < kMinPointsPerLine) return r;
    // The points of the side nearest the break, then outwards.
    if (before) {
        std::sort(side.begin(), side.end(), std::greater<>());
        r.to = side.front();
        r.from = std::min(r.from, side[kMinPointsPerLine - 1]);
    } else {
        std::sort(side.begin(), side.end());
        r.from = side.front();
        r.to = std::max(r.to, side[kMinPointsPerLine - 1]);
    }
    return r;
}

// Where two lines cross; nothing for (nearly) parallel lines.
std::optional<double> crossing(const LineFit& a, const LineFit& b)
{
    const double da = a.slope - b.slope;
    const double scale = std::max(std::fabs(a.slope), std::fabs(b.slope));
    if (!(std::fabs(da) > 1e-9 * scale) || da == 0.0) return std::nullopt;
    const double v = (b.intercept - a.intercept) / da;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

// First estimate of the break: the split of the sorted samples into two runs
// of at least three that the two least-squares lines fit best.
std::optional<double> roughBreak(const std::vector<Sample>& s)
{
    const size_t n = s.size();
    const Sums sums(s);
    double best = INFINITY;
    size_t split = 0;
    for (size_t k = kMinPointsPerLine; k + kMinPointsPerLine <= n; ++k) {
        if (s[k].x == s[k - 1].x) continue;
        const double e = sums.sse(0, k) + sums.sse(k, n);
        if (e < best) {
            best = e;
            split = k;
        }
    }
    if (split == 0) return std::nullopt;
    const auto a = fitSamples(s, {s.front().x, s[split - 1].x});
    const auto b = fitSamples(s, {s[split].x, s.back().x});
    if (a && b)
        if (const auto v = crossing(*a, *b); v && *v > s.front().x && *v < s.back().x) return *v;
    return (s[split - 1].x + s[split].x) / 2;
}

constexpr double kMaxInterpolationGap = 2.0; // mL

// The samples' broken line at x; nothing outside them or across a wide gap.
std::optional<double> interpolate(const std::vector<Sample>& s, double x)
{
    const auto hi =
        std::lower_bound(s.begin(), s.end(), x, [](const Sample& p, double v) { return p.x < v; });
    if (hi == s.end()) return std::nullopt;
    if (hi->x == x || hi == s.begin()) return hi->x == x ? std::optional(hi->y) : std::nullopt;
    const auto lo = hi - 1;
    if (hi->x - lo->x > kMaxInterpolationGap) return std::nullopt;
    return lo->y + (hi->y - lo->y) * (x - lo->x) / (hi->x - lo->x);
}

} // namespace

double dilutionCorrected(double sigma, double v, double v0)
{
    return v0 > 0 ? sigma * (v0 + v) / v0 : sigma;
}

double LineFit::errorAt(double x) const
{
    if (n <= 0 || sxx <= 0) return 0;
    return residual * std::sqrt(1.0 / n + (x - meanX) * (x - meanX) / sxx);
}

double LineFit::slopeError() const
{
    return sxx > 0 ? residual / std::sqrt(sxx) : 0;
}

double LineFit::interceptError() const
{
    return errorAt(0);
}

std::optional<LineFit> fitLine(const std::vector<double>& x, const std::vector<double>& y)
{
    const size_t n = std::min(x.size(), y.size());
    if (n < 2) return std::nullopt;
    double mx = 0, my = 0;
    for (size_t i = 0; i < n; ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= n;
    my /= n;
    double sxx = 0, sxy = 0;
    for (size_t i = 0; i < n; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    if (!(sxx > 0)) return std::nullopt;
    LineFit f;
    f.n = static_cast<int>(n);
    f.meanX = mx;
    f.sxx = sxx;
    f.slope = sxy / sxx;
    f.intercept = my - f.slope * mx;
    double sse = 0;
    for (size_t i = 0; i < n; ++i) {
        const double r = y[i] - f.at(x[i]);
        sse += r * r;
    }
    f.residual = n > 2 ? std::sqrt(sse / static_cast<double>(n - 2)) : 0.0;
    if (!std::isfinite(f.slope) || !std::isfinite(f.intercept)) return std::nullopt;
    return f;
}

FitRanges rangesAround(double vb, double first, double last)
{
    // The rounded part of the curve around the break is left out, and so is
    // the start, where the couple's own ions still bend the curve of a weak
    // acid or base.
    const double margin = std::max(0.5, 0.1 * vb);
    FitRanges r;
    r.before = {std::max(first, 0.5 * vb), vb - margin};
    r.after = {vb + margin, last};
    return r;
}

TwoLines fitTwoLines(const std::vector<FitPoint>& points, const TwoLineOptions& o)
{
    TwoLines result;
    std::vector<Sample> s;
    s.reserve(points.size());
    for (const FitPoint& p : points) {
        if (!std::isfinite(p.v) || !std::isfinite(p.sigma)) continue;
        s.push_back({p.v, o.correctDilution ? dilutionCorrected(p.sigma, p.v, o.v0) : p.sigma});
    }
    std::sort(s.begin(), s.end(), [](const Sample& a, const Sample& b) { return a.x < b.x; });
    if (static_cast<int>(s.size()) < 2 * kMinPointsPerLine) return result;

    auto fitOn = [&](const FitRanges& ranges) -> bool {
        const auto a = fitSamples(s, ranges.before);
        const auto b = fitSamples(s, ranges.after);
        result.ranges = ranges;
        if (!a || !b) {
            result.failure = BreakFailure::TooFewPoints;
            return false;
        }
        result.before = *a;
        result.after = *b;
        const auto v = crossing(*a, *b);
        if (!v) {
            result.failure = BreakFailure::NoBreak;
            return false;
        }
        result.veq = *v;
        result.failure = BreakFailure::None;
        return true;
    };

    if (o.ranges) {
        if (!fitOn(*o.ranges)) return result;
    } else {
        const auto rough = roughBreak(s);
        if (!rough) return result;
        double vb = *rough;
        for (int pass = 0; pass < 2; ++pass) {
            FitRanges r = rangesAround(vb, s.front().x, s.back().x);
            r.before = withEnoughPoints(r.before, s, vb, true);
            r.after = withEnoughPoints(r.after, s, vb, false);
            if (!fitOn(r)) return result;
            if (result.veq <= s.front().x || result.veq >= s.back().x) break;
            vb = result.veq;
        }
    }

    const LineFit& a = result.before;
    const LineFit& b = result.after;
    result.yE = a.at(result.veq);
    // Uncertainty of the intersection V = (b2 - b1) / (a1 - a2) of the lines
    // y = a1 V + b1 and y = a2 V + b2, fitted independently. Carrying the
    // variances and the slope-intercept covariance of each fit to V gives
    //   u(V)^2 = [u1(V)^2 + u2(V)^2] / (a1 - a2)^2,
    // where ui(V)^2 = var(bi) + V^2 var(ai) + 2 V cov(ai, bi)
    //              = si^2 (1/ni + (V - mean_i)^2 / Sxx_i)
    // is the squared standard error of line i at V.
    const double ea = a.errorAt(result.veq);
    const double eb = b.errorAt(result.veq);
    result.uVeq = std::sqrt(ea * ea + eb * eb) / std::fabs(a.slope - b.slope);

    if (result.veq < kLowestBreak || result.veq > kHighestBreak) {
        result.failure = BreakFailure::OffBurette;
        return result;
    }
    // A curve that only bends has no break: its lines still cross, but the
    // corner E stands far from the curve. The gap between E and the curve at
    // Véq, in millilitres of the slope change, is compared with Véq.
    // Only where points stand close around Véq: across a wide gap the chord
    // says nothing of the curve. Ranges the student chose are taken as they are.
    if (const auto y = interpolate(s, result.veq); y && !o.ranges) {
        const double gap = std::fabs(result.yE - *y) / std::fabs(a.slope - b.slope);
        result.bend = gap / result.veq;
        if (result.bend > kMaxBend) result.failure = BreakFailure::NoBreak;
    }
    return result;
}

std::string veqText(double veq, double uVeq)
{
    const bool fine = uVeq <= 0.05;
    const double unit = fine ? 0.01 : 0.1;
    // Up to the next unit; a hair of floating-point noise is not a unit more.
    double u = std::ceil(uVeq / unit - 1e-9) * unit;
    if (u < unit) u = unit;
    const char* pattern = fine ? "#0.00" : "#0.0";
    return "Véq = " + formatNumber(veq, pattern) + " ± " + formatNumber(u, pattern) + " mL";
}

} // namespace titrage
