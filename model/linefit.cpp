#include "model/linefit.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>
#include <tuple>

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

namespace {

// How far points may stray from a line and still be called straight: a
// fraction of the curve's height, as the eye judges it on the graph, but never
// less than the points scatter of themselves.
double straightTolerance(const std::vector<Sample>& s)
{
    double lo = INFINITY, hi = -INFINITY;
    for (const Sample& p : s) {
        lo = std::min(lo, p.y);
        hi = std::max(hi, p.y);
    }
    // The points' own scatter (a conductimeter's last digit, a hand-typed
    // table): the typical jump of their second differences, about twice the
    // scatter of a point about its line; the largest fifth is left out, for
    // the break and a weak couple's start.
    std::vector<double> jumps;
    for (size_t i = 2; i < s.size(); ++i)
        jumps.push_back(std::fabs(s[i].y - 2 * s[i - 1].y + s[i - 2].y));
    std::sort(jumps.begin(), jumps.end());
    jumps.resize(jumps.size() - jumps.size() / 5);
    double scatter = 0;
    for (double j : jumps)
        scatter += j;
    if (!jumps.empty()) scatter /= static_cast<double>(jumps.size());
    return std::max(kStraightness * (hi - lo), scatter);
}

} // namespace

double straightnessTolerance(const std::vector<FitPoint>& points)
{
    std::vector<Sample> s;
    s.reserve(points.size());
    for (const FitPoint& p : points)
        s.push_back({p.v, p.sigma});
    return straightTolerance(s);
}

namespace {

// The straight part of one side, samples [lo, hi): among the runs of points
// that follow their least-squares line within `tol` (root mean square) and
// are nearly as long as the longest, the straightest, or with `nearest` the
// one nearest the break. The longest alone could lie far out on a gently
// curved side (raw conductivity: `nearOnly` keeps runs that come near the
// break), where its line, carried to the break, misses it. Nothing on a side
// without three points in a straight line (a weak acid's curved start read
// every millilitre before an early break). Beyond a few hundred points the
// run's ends are tried on a stride, so that a long list of points stays quick.
std::optional<FitRange> straightRun(const std::vector<Sample>& s, const Sums& sums, size_t lo,
                                    size_t hi, double tol, bool before, bool nearOnly, bool nearest)
{
    constexpr size_t kMin = kMinPointsPerLine;
    if (hi < lo + kMin) return std::nullopt;
    const size_t m = hi - lo;
    const size_t stride = std::max<size_t>(1, m / 400);
    // The longest passing run from each start.
    std::vector<std::pair<size_t, size_t>> runs; // (i, j)
    size_t longest = 0;
    for (size_t i = lo; i + kMin <= hi; i += stride) {
        size_t bestJ = 0;
        for (size_t j = i + kMin; j <= hi; j += stride) {
            if (s[j - 1].x == s[i].x) continue;
            if (sums.sse(i, j) <= tol * tol * static_cast<double>(j - i))
                bestJ = j;
            else if (j - i > 2 * std::max(bestJ > i ? bestJ - i : 0, kMin))
                break; // well past a bend: the run never straightens again
        }
        if (bestJ == 0) continue;
        // On the raw conductivity only runs that come near the break: a third
        // of the side's points at most lie between them and it.
        const size_t zone = std::max(kMin, m / 3);
        if (nearOnly && (before ? bestJ + zone < hi : i >= lo + zone)) continue;
        runs.push_back({i, bestJ});
        longest = std::max(longest, bestJ - i);
    }
    size_t bestI = 0, bestJ = 0;
    if (longest == 0 && nearOnly) {
        // Raw conductivity read far apart: the break was judged on the
        // corrected one, and the points nearest it give the local lines.
        const auto a = before ? hi - kMin : lo;
        return FitRange{s[a].x, s[a + kMin - 1].x};
    }
    if (longest == 0) return std::nullopt;
    const size_t enough = std::max(kMin, (longest * 4 + 4) / 5);
    bool found = false;
    double bestSpread = 0;
    for (const auto& [i, j] : runs) {
        if (j - i < enough) continue;
        // On the corrected conductivity the straightest of them: a rounded
        // corner straightens away from the break, towards its asymptote.
        // Runs straight alike (within a quarter of the tolerance) go by
        // length, then nearness: a strong acid keeps its whole straight side.
        const double spread = nearest ? 0 : std::sqrt(sums.sse(i, j) / static_cast<double>(j - i));
        const bool nearer = before ? (j > bestJ || (j == bestJ && i < bestI))
                                   : (i < bestI || (i == bestI && j > bestJ));
        const bool longer = j - i > bestJ - bestI;
        const bool alike = std::fabs(spread - bestSpread) <= tol / 4;
        const bool better =
            !found || (nearest ? nearer
                               : (!alike && spread < bestSpread) ||
                                     (alike && (longer || (j - i == bestJ - bestI && nearer))));
        if (better) {
            bestI = i;
            bestJ = j;
            bestSpread = spread;
            found = true;
        }
    }
    // A long run can hide its last few points curving into the break:
    // the end nearest the break is cut back while its point leaves the line.
    while (bestJ - bestI > kMin) {
        const size_t end = before ? bestJ - 1 : bestI;
        const auto f = fitSamples(s, {s[bestI].x, s[bestJ - 1].x});
        if (!f || std::fabs(s[end].y - f->at(s[end].x)) <= 2 * tol) break;
        if (before)
            --bestJ;
        else
            ++bestI;
    }
    return FitRange{s[bestI].x, s[bestJ - 1].x};
}

// The first sample at or above x, and the first above x.
size_t firstAtOrAbove(const std::vector<Sample>& s, double x)
{
    return static_cast<size_t>(
        std::lower_bound(s.begin(), s.end(), x, [](const Sample& p, double v) { return p.x < v; }) -
        s.begin());
}

size_t firstAbove(const std::vector<Sample>& s, double x)
{
    return static_cast<size_t>(
        std::upper_bound(s.begin(), s.end(), x, [](double v, const Sample& p) { return v < p.x; }) -
        s.begin());
}

} // namespace

namespace {

// `nearest`: each side's run is the one nearest the break among those nearly
// as long as the longest, rather than the straightest of them. The raw lines
// are sought inside the corrected curve's runs found so: they must leave out
// the rounded corner, but no more, since the dilution bends them further out.
TwoLines fitLines(const std::vector<FitPoint>& points, const TwoLineOptions& o, bool nearest)
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

    // The raw conductivity of a diluted beaker curves all along: its lines
    // are straight only near the break, where they are taken.
    const bool judgedCorrected = !o.correctDilution && o.v0 > 0;
    if (o.ranges) {
        if (!fitOn(*o.ranges)) return result;
    } else {
        // Whether the couple gives a break at all is judged on the corrected
        // conductivity, whose parts are straight: on the raw one the dilution
        // bends every part, and lines taken near the break hug even a curve
        // that only bends. Its Véq is then where the raw lines are sought.
        std::optional<double> rough;
        std::optional<FitRanges> straight; // the corrected curve's straight parts
        if (judgedCorrected) {
            TwoLineOptions corrected = o;
            corrected.correctDilution = true;
            const TwoLines judged = fitLines(points, corrected, true);
            if (!judged.found() && judged.failure != BreakFailure::OffBurette) {
                result.failure = judged.failure;
                return result;
            }
            rough = judged.veq;
            if (judged.found()) straight = judged.ranges;
        } else {
            rough = roughBreak(s);
        }
        if (!rough) return result;
        const Sums sums(s);
        const double tol = straightTolerance(s);
        const bool nearOnly = judgedCorrected;
        nearest = nearest || nearOnly;
        double vb = *rough;
        // Each side's line on the straight run of its side nearest the break;
        // the ranges are taken again around each new intersection until they
        // stay; lines that keep sliding along the curve have found no break.
        bool settled = false;
        FitRanges older, old;
        auto same = [](const FitRanges& x, const FitRanges& y) {
            return x.before.from == y.before.from && x.before.to == y.before.to &&
                   x.after.from == y.after.from && x.after.to == y.after.to;
        };
        for (int pass = 0; pass < 6 && !settled; ++pass) {
            const size_t split = firstAbove(s, vb);
            // Raw lines within the corrected curve's straight parts, so that
            // they leave out the rounded corner too.
            size_t lo = 0, loEnd = split, hi = split, hiEnd = s.size();
            if (straight) {
                const size_t a0 = firstAtOrAbove(s, straight->before.from);
                const size_t a1 = std::min(split, firstAbove(s, straight->before.to));
                const size_t b0 = std::max(split, firstAtOrAbove(s, straight->after.from));
                const size_t b1 = firstAbove(s, straight->after.to);
                if (a1 >= a0 + kMinPointsPerLine) std::tie(lo, loEnd) = std::pair(a0, a1);
                if (b1 >= b0 + kMinPointsPerLine) std::tie(hi, hiEnd) = std::pair(b0, b1);
            }
            const auto a = straightRun(s, sums, lo, loEnd, tol, true, nearOnly, nearest);
            const auto b = straightRun(s, sums, hi, hiEnd, tol, false, nearOnly, nearest);
            if (!a || !b) {
                result.failure = BreakFailure::TooFewPoints;
                return result;
            }
            FitRanges r{*a, *b};
            settled = pass > 0 && same(r, old);
            if (pass > 1 && same(r, older)) {
                // The ranges swing between two choices: the points that
                // change sides sit on the corner, and belong to neither
                // when each side keeps enough without them.
                FitRanges narrow = r;
                narrow.before.to = std::min(r.before.to, old.before.to);
                narrow.after.from = std::max(r.after.from, old.after.from);
                if (fitSamples(s, narrow.before) && fitSamples(s, narrow.after)) r = narrow;
                settled = true;
            }
            older = old;
            old = r;
            if (!fitOn(r)) return result;
            if (result.veq <= s.front().x || result.veq >= s.back().x) break;
            vb = result.veq;
        }
        // Nor have lines that slid far from where the curve as a whole breaks.
        // (The raw lines are local chords of a curve already judged.)
        const bool slid =
            !nearOnly && std::fabs(result.veq - *rough) > kMaxSlide * std::fabs(result.veq);
        if ((!settled || slid) && result.veq > s.front().x && result.veq < s.back().x) {
            result.failure = BreakFailure::NoBreak;
            return result;
        }
        // E must stand between the two ranges: a range that reaches past it
        // is cut back to its side, and the lines fitted again.
        if (result.ranges.before.to > result.veq || result.ranges.after.from < result.veq) {
            FitRanges r = result.ranges;
            const double v = result.veq;
            auto lastBelow = [&](double x) {
                const size_t k = firstAtOrAbove(s, x);
                return k > 0 ? s[k - 1].x : s.front().x - 1;
            };
            auto firstOver = [&](double x) {
                const size_t k = firstAbove(s, x);
                return k < s.size() ? s[k].x : s.back().x + 1;
            };
            if (r.before.to > v) r.before.to = lastBelow(v);
            if (r.after.from < v) r.after.from = firstOver(v);
            // Outwards again, if need be, to keep three points a side.
            r.before = withEnoughPoints(r.before, s, v, true);
            r.after = withEnoughPoints(r.after, s, v, false);
            if (!fitOn(r)) return result;
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
    if (result.ranges.before.to > result.veq || result.ranges.after.from < result.veq) {
        // Automatic ranges were cut back to their side already: what still
        // reaches past E is a corner too round to stand between them.
        result.failure = o.ranges ? BreakFailure::InsideRange : BreakFailure::NoBreak;
        return result;
    }
    // A curve that only bends has no break: its lines still cross, but the
    // corner E stands far from the curve. The points on either side of Véq
    // say how far: each one's gap to its own side's line, in millilitres of
    // the slope change, is the width of the rounded corner. A sharp corner
    // between two samples gives no gap however coarse the step; only across
    // a wide gap do the points say nothing of the corner. The share of Véq
    // this width takes is how incomplete the reaction is near equivalence;
    // it is weighed by how little the curve turns (the steeper slope over the
    // change), since a corner from flat to steep (an ammonium salt) stays
    // plain when rounder than one between two rising lines (phenol). Ranges
    // the student chose are taken as they are, and raw lines were judged on
    // the corrected conductivity already.
    if (!o.ranges && !judgedCorrected) {
        const size_t k = firstAbove(s, result.veq);
        if (k > 0 && k < s.size() && s[k].x - s[k - 1].x <= kMaxInterpolationGap) {
            const double gap = std::max(std::fabs(s[k - 1].y - a.at(s[k - 1].x)),
                                        std::fabs(s[k].y - b.at(s[k].x)));
            const double turn = std::fabs(a.slope - b.slope);
            const double steeper = std::max(std::fabs(a.slope), std::fabs(b.slope));
            result.bend = gap / turn / result.veq * (steeper / turn);
            if (result.bend > kMaxBend) result.failure = BreakFailure::NoBreak;
        }
    }
    return result;
}

} // namespace

TwoLines fitTwoLines(const std::vector<FitPoint>& points, const TwoLineOptions& options)
{
    return fitLines(points, options, false);
}

const char* breakFailureMessage(BreakFailure failure)
{
    switch (failure) {
    case BreakFailure::None:
        return nullptr;
    case BreakFailure::TooFewPoints:
        return kTooFewPointsMessage;
    case BreakFailure::NoBreak:
        return kNoBreakMessage;
    case BreakFailure::OffBurette:
        return kOffBuretteMessage;
    case BreakFailure::InsideRange:
        return kInsideRangeMessage;
    case BreakFailure::Unresolved:
        return kUnresolvedMessage;
    }
    return kNoBreakMessage;
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

VeqUncertainty veqUncertainty(const TwoLines& t, double uBurette)
{
    VeqUncertainty r;
    const double turn = std::fabs(t.before.slope - t.after.slope);
    if (!(turn > 0)) return r;
    const double c1 = t.before.errorAt(t.veq) / turn;
    const double c2 = t.after.errorAt(t.veq) / turn;
    r.fit = std::sqrt(c1 * c1 + c2 * c2);
    r.burette = std::fabs(uBurette);
    r.u = std::sqrt(r.fit * r.fit + r.burette * r.burette);
    // Welch-Satterthwaite: u^4 / dof = sum of ci^4 / dofi.
    double share = 0;
    if (t.before.n > 2) share += std::pow(c1, 4) / (t.before.n - 2);
    if (t.after.n > 2) share += std::pow(c2, 4) / (t.after.n - 2);
    r.dof = share > 0 ? std::max(1.0, std::floor(std::pow(r.u, 4) / share)) : 0.0;
    // Beyond the table the factor is 1,96 to three decimals; so is it here.
    if (r.dof > 1e6) r.dof = 0;
    r.k = studentFactor95(r.dof);
    r.U95 = r.k * r.u;
    return r;
}

double studentFactor95(double dof)
{
    static constexpr double kTable[30] = {12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306,
                                          2.262,  2.228, 2.201, 2.179, 2.160, 2.145, 2.131, 2.120,
                                          2.110,  2.101, 2.093, 2.086, 2.080, 2.074, 2.069, 2.064,
                                          2.060,  2.056, 2.052, 2.048, 2.045, 2.042};
    constexpr double z = 1.959964;
    if (!(dof > 0) || !std::isfinite(dof)) return z;
    const double n = std::max(1.0, std::floor(dof));
    if (n <= 30) return kTable[static_cast<int>(n) - 1];
    // Cornish-Fisher's expansion in 1/n, within 1e-4 of the exact factor past 30.
    const double z3 = z * z * z, z5 = z3 * z * z, z7 = z5 * z * z;
    return z + (z3 + z) / (4 * n) + (5 * z5 + 16 * z3 + 3 * z) / (96 * n * n) +
           (3 * z7 + 19 * z5 + 17 * z3 - 15 * z) / (384 * n * n * n);
}

std::string veqConstructionText(double veq)
{
    return "Véq = " + formatNumber(veq, "#0.00") + " mL par les droites, courbe théorique";
}

namespace {

// Two significant digits, and the pattern of their last decimal (two at least).
std::pair<double, const char*> twoDigits(double x)
{
    if (!(x > 0)) return {0.0, "#0.00"};
    const int e = static_cast<int>(std::floor(std::log10(x)));
    if (e >= -1) return {roundSignificant(x, 2), "#0.00"};
    return {roundSignificant(x, 2), e == -2 ? "#0.000" : "#0.0000"};
}

} // namespace

std::string veqValueText(double veq, const VeqUncertainty& u)
{
    return "Véq = " + formatNumber(veq, twoDigits(u.U95).second) + " mL";
}

std::string veqUncertaintyText(const VeqUncertainty& u)
{
    const auto [small, smallPattern] = twoDigits(u.u);
    const auto [large, largePattern] = twoDigits(u.U95);
    return "u(Véq) = " + formatNumber(small, smallPattern) +
           " mL ; U(Véq) (95 %) = " + formatNumber(large, largePattern) + " mL";
}

std::string veqMeasuredText(double veq, const VeqUncertainty& u)
{
    return veqValueText(veq, u) + " ; " + veqUncertaintyText(u);
}

} // namespace titrage
