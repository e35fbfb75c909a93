#include "model/linebreaks.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace titrage {

std::vector<FitRange> BrokenLines::ranges() const
{
    std::vector<FitRange> r;
    for (const TwoLines& b : breaks) {
        if (r.empty()) r.push_back(b.ranges.before);
        r.push_back(b.ranges.after);
    }
    return r;
}

std::vector<LineFit> BrokenLines::lines() const
{
    std::vector<LineFit> l;
    for (const TwoLines& b : breaks) {
        if (l.empty()) l.push_back(b.before);
        l.push_back(b.after);
    }
    return l;
}

std::string breakName(size_t i, size_t count)
{
    static const char* const kSubscripts[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
    if (count <= 1) return "E";
    std::string digits;
    for (size_t n = i + 1; n > 0; n /= 10)
        digits.insert(0, kSubscripts[n % 10]);
    return "E" + digits;
}

namespace {

// A point in order of volume: its measured sigma, the sigma its lines are
// fitted on, and the one its breaks are sought on (corrected for dilution
// whenever the beaker's volume is known, since only then are the stretches
// straight).
struct Pt {
    double v = 0;
    double raw = 0;
    double fit = 0;
    double judge = 0;
};

// Prefix sums of one of the sigmas over the points, for O(1) line fits on runs.
class RunSums {
public:
    RunSums(const std::vector<Pt>& s, double Pt::*y) : m_n(s.size() + 1)
    {
        for (size_t i = 0; i < s.size(); ++i) {
            const double x = s[i].v, v = s[i].*y;
            m_x[i + 1] = m_x[i] + x;
            m_y[i + 1] = m_y[i] + v;
            m_xx[i + 1] = m_xx[i] + x * x;
            m_xy[i + 1] = m_xy[i] + x * v;
            m_yy[i + 1] = m_yy[i] + v * v;
        }
    }

    // The residual sum of squares and the slope of the line on points [i, j).
    double sse(size_t i, size_t j) const
    {
        const auto [sxx, sxy, syy] = moments(i, j);
        if (sxx <= 0) return std::max(0.0, syy);
        return std::max(0.0, syy - sxy * sxy / sxx);
    }
    double slope(size_t i, size_t j) const
    {
        const auto [sxx, sxy, syy] = moments(i, j);
        return sxx > 0 ? sxy / sxx : 0.0;
    }
    // The spread of the volumes of points [i, j), which a slope's standard
    // error is the noise over the square root of.
    double sxx(size_t i, size_t j) const { return std::get<0>(moments(i, j)); }

private:
    std::tuple<double, double, double> moments(size_t i, size_t j) const
    {
        const double m = static_cast<double>(j - i);
        const double sx = m_x[j] - m_x[i], sy = m_y[j] - m_y[i];
        return {(m_xx[j] - m_xx[i]) - sx * sx / m, (m_xy[j] - m_xy[i]) - sx * sy / m,
                (m_yy[j] - m_yy[i]) - sy * sy / m};
    }

    struct Column : std::vector<double> {
        explicit Column(size_t n) : std::vector<double>(n, 0.0) {}
    };
    size_t m_n;
    Column m_x{m_n}, m_y{m_n}, m_xx{m_n}, m_xy{m_n}, m_yy{m_n};
};

// The cuts (index of each piece's first point, the first piece's excepted)
// of the best fit of the points by `pieces` lines of at least three points
// each, by dynamic programming over the possible cuts. Beyond a few hundred
// points the cuts are tried on a stride, so that a long series stays quick.
std::vector<size_t> bestCuts(const std::vector<Pt>& s, const RunSums& sums, int pieces)
{
    const size_t n = s.size();
    const size_t stride = std::max<size_t>(1, n / 300);
    std::vector<size_t> grid{0};
    for (size_t k = kMinPointsPerLine; k + kMinPointsPerLine <= n; k += stride)
        if (s[k].v != s[k - 1].v) grid.push_back(k);
    grid.push_back(n);
    const size_t g = grid.size();
    std::vector<std::vector<double>> cost(pieces + 1, std::vector<double>(g, INFINITY));
    std::vector<std::vector<size_t>> from(pieces + 1, std::vector<size_t>(g, 0));
    for (size_t j = 1; j < g; ++j)
        if (grid[j] >= kMinPointsPerLine) cost[1][j] = sums.sse(0, grid[j]);
    for (int m = 2; m <= pieces; ++m)
        for (size_t j = 1; j < g; ++j)
            for (size_t i = 1; i < j; ++i) {
                if (grid[j] - grid[i] < kMinPointsPerLine || !std::isfinite(cost[m - 1][i]))
                    continue;
                const double c = cost[m - 1][i] + sums.sse(grid[i], grid[j]);
                if (c < cost[m][j]) {
                    cost[m][j] = c;
                    from[m][j] = i;
                }
            }
    // The most pieces that fit at all.
    int m = pieces;
    while (m > 1 && !std::isfinite(cost[m][g - 1]))
        --m;
    std::vector<size_t> cuts;
    for (size_t j = g - 1; m > 1; --m) {
        j = from[m][j];
        cuts.insert(cuts.begin(), grid[j]);
    }
    return cuts;
}

// How much the slope turns at a cut, as a share of the steeper side.
double slopeChange(double a, double b)
{
    const double steeper = std::max(std::fabs(a), std::fabs(b));
    return steeper > 0 ? std::fabs(a - b) / steeper : 0.0;
}

// The standard deviation of the points' scatter about a smooth curve, from
// how far each point lies off the chord of its two neighbours (the median of
// those, robust to the few points at a break). A measured series scatters by
// its instruments; the model's points give next to nothing, their chords
// missing the curve only by its bending over one step.
double scatterOf(const std::vector<Pt>& s)
{
    std::vector<double> off;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        const double h = s[i + 1].v - s[i - 1].v;
        if (!(h > 0)) continue;
        const double w = (s[i].v - s[i - 1].v) / h; // the next point's weight on the chord
        const double chord = (1 - w) * s[i - 1].judge + w * s[i + 1].judge;
        // The gap's spread for independent draws of one deviation each.
        off.push_back(std::fabs(s[i].judge - chord) / std::sqrt(1 + w * w + (1 - w) * (1 - w)));
    }
    if (off.empty()) return 0;
    std::nth_element(off.begin(), off.begin() + off.size() / 2, off.end());
    return off[off.size() / 2] / 0.6745; // a normal's median absolute deviation
}

// How sharply the curve breaks between two ranges, on the sigma breaks are
// judged on: the turn of the slope from one range's line to the other's, over
// how much each range turns within itself (the slope of its second half less
// that of its first). A true break turns at one place between straight
// stretches; a curve that bends all along, cut into short pieces, turns as
// much within each piece as between them. On measured points each slope
// carries the scatter's error: every turn counts only beyond twice its
// standard error, so that the scatter neither bends a straight stretch nor
// breaks it.
double sharpness(const std::vector<Pt>& s, const RunSums& judged, const FitRanges& r,
                 double scatter)
{
    auto indexOf = [&](double v) {
        return static_cast<size_t>(
            std::lower_bound(s.begin(), s.end(), v, [](const Pt& p, double x) { return p.v < x; }) -
            s.begin());
    };
    auto span = [&](const FitRange& f) {
        return std::pair(indexOf(f.from), indexOf(std::nextafter(f.to, INFINITY)));
    };
    const auto [a0, a1] = span(r.before);
    const auto [b0, b1] = span(r.after);
    if (a1 < a0 + kMinPointsPerLine || b1 < b0 + kMinPointsPerLine) return 0;
    auto beyondScatter = [&](double turn, double sxx1, double sxx2) {
        if (!(sxx1 > 0) || !(sxx2 > 0)) return turn;
        return std::max(0.0, turn - 2 * scatter * std::sqrt(1 / sxx1 + 1 / sxx2));
    };
    // A range's own turn is known only to its standard error: a short range
    // of scattered points may bend unseen, and counts as bending half as much.
    auto within = [&](size_t i, size_t j) {
        const size_t h = (j - i) / 2;
        const double a = judged.sxx(i + h, j), b = judged.sxx(i, i + h + 1);
        const double error = a > 0 && b > 0 ? scatter * std::sqrt(1 / a + 1 / b) : 0.0;
        return beyondScatter(std::fabs(judged.slope(i + h, j) - judged.slope(i, i + h + 1)), a, b) +
               error / 2;
    };
    const double turn = beyondScatter(std::fabs(judged.slope(a0, a1) - judged.slope(b0, b1)),
                                      judged.sxx(a0, a1), judged.sxx(b0, b1));
    if (!(turn > 0)) return 0;
    const double own = within(a0, a1) + within(b0, b1);
    return own > 0 ? turn / own : INFINITY;
}

// A stretch of points off both lines longer than this share of Véq is not a
// corner (see leavesPointsOff).
constexpr double kLongestStray = 0.25;

// Whether measured points leave their two lines over a long stretch: a run of
// at least kMinPointsPerLine of them, from the first line's range on, each
// further from the line of its side than three times the scatter, and longer
// than a quarter of Véq. Two lines drawn across a curve that breaks twice
// (the scatter hid one break) leave the stretch between the breaks so, and so
// do the two lines of a curve that rounds off instead of breaking; a break's
// corner, which the lines accept rounded over a tenth of Véq at most, and the
// scatter itself do not.
bool leavesPointsOff(const std::vector<Pt>& s, const TwoLines& t, double scatter)
{
    int run = 0;
    double from = 0;
    for (const Pt& p : s) {
        if (p.v < t.ranges.before.from) continue;
        const LineFit& line = p.v < t.veq ? t.before : t.after;
        // The scatter is the judged sigma's: on the fitted one, in proportion.
        const double spread = p.judge != 0 ? scatter * std::fabs(p.fit / p.judge) : scatter;
        if (!(std::fabs(p.fit - line.at(p.v)) > 3 * spread)) {
            run = 0;
            continue;
        }
        if (run++ == 0) from = p.v;
        if (run >= kMinPointsPerLine && p.v - from >= kLongestStray * t.veq) return true;
    }
    return false;
}

// Above this share of the largest sigma, a series' scatter is a measurement's.
constexpr double kScatteredShare = 1e-3;

// The two ranges of a break stretched away from it, to `from` and `to`.
FitRanges awayFromBreak(FitRanges r, double from, double to)
{
    r.before.from = std::min(r.before.from, from);
    r.after.to = std::max(r.after.to, to);
    return r;
}

std::vector<FitPoint> rawPoints(const std::vector<Pt>& s, size_t lo, size_t hi)
{
    std::vector<FitPoint> p;
    for (size_t i = lo; i < hi; ++i)
        p.push_back({s[i].v, s[i].raw});
    return p;
}

std::optional<LineFit> fitRange(const std::vector<Pt>& s, const FitRange& r)
{
    std::vector<double> x, y;
    for (const Pt& p : s)
        if (r.contains(p.v)) {
            x.push_back(p.v);
            y.push_back(p.fit);
        }
    if (static_cast<int>(x.size()) < kMinPointsPerLine) return std::nullopt;
    return fitLine(x, y);
}

// The pair of lines of one break, fitted on their ranges, with Véq and its
// uncertainty as the two lines give them.
BreakFailure pairUp(TwoLines& t, const LineFit& a, const LineFit& b)
{
    t.before = a;
    t.after = b;
    const double turn = a.slope - b.slope;
    const double scale = std::max(std::fabs(a.slope), std::fabs(b.slope));
    if (!(std::fabs(turn) > 1e-9 * scale) || turn == 0.0) return BreakFailure::NoBreak;
    t.veq = (b.intercept - a.intercept) / turn;
    if (!std::isfinite(t.veq)) return BreakFailure::NoBreak;
    t.yE = a.at(t.veq);
    const double ea = a.errorAt(t.veq), eb = b.errorAt(t.veq);
    t.uVeq = std::sqrt(ea * ea + eb * eb) / std::fabs(turn);
    if (t.veq < kLowestBreak || t.veq > kHighestBreak) return BreakFailure::OffBurette;
    if (t.ranges.before.to > t.veq || t.ranges.after.from < t.veq) return BreakFailure::InsideRange;
    return BreakFailure::None;
}

// The lines on ranges in force, k + 1 of them: every failure of a break is
// the whole fit's, the first one found.
BrokenLines linesOn(const std::vector<Pt>& s, const std::vector<FitRange>& ranges)
{
    BrokenLines result;
    std::vector<LineFit> lines;
    for (const FitRange& r : ranges) {
        const auto f = fitRange(s, r);
        if (!f) {
            result.failure = BreakFailure::TooFewPoints;
            return result;
        }
        lines.push_back(*f);
    }
    result.failure = BreakFailure::None;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        TwoLines t;
        t.ranges = {ranges[i], ranges[i + 1]};
        t.failure = pairUp(t, lines[i], lines[i + 1]);
        if (t.failure != BreakFailure::None && result.failure == BreakFailure::None)
            result.failure = t.failure;
        result.breaks.push_back(t);
    }
    return result;
}

BrokenLines single(const TwoLines& t)
{
    BrokenLines r;
    r.failure = t.failure;
    r.breaks.push_back(t);
    return r;
}

} // namespace

BrokenLines fitBrokenLines(const std::vector<FitPoint>& points, const BrokenLineOptions& o)
{
    TwoLineOptions two;
    two.correctDilution = o.correctDilution;
    two.v0 = o.v0;
    if (o.ranges.size() == 2) two.ranges = FitRanges{o.ranges[0], o.ranges[1]};
    if (!o.ranges.empty() && o.ranges.size() != 2) {
        // The student's ranges, one per stretch.
        std::vector<Pt> s;
        for (const FitPoint& p : points)
            if (std::isfinite(p.v) && std::isfinite(p.sigma))
                s.push_back({p.v, p.sigma,
                             o.correctDilution ? dilutionCorrected(p.sigma, p.v, o.v0) : p.sigma});
        std::sort(s.begin(), s.end(), [](const Pt& a, const Pt& b) { return a.v < b.v; });
        if (o.ranges.size() < 2) return BrokenLines{};
        return linesOn(s, o.ranges);
    }
    const TwoLines whole = fitTwoLines(points, two);
    if (two.ranges || (o.maxBreaks < 2 && !o.measured)) return single(whole);

    std::vector<Pt> s;
    s.reserve(points.size());
    for (const FitPoint& p : points) {
        if (!std::isfinite(p.v) || !std::isfinite(p.sigma)) continue;
        const double corrected = dilutionCorrected(p.sigma, p.v, o.v0);
        s.push_back({p.v, p.sigma, o.correctDilution ? corrected : p.sigma,
                     o.v0 > 0 ? corrected : p.sigma});
    }
    std::sort(s.begin(), s.end(), [](const Pt& a, const Pt& b) { return a.v < b.v; });
    const size_t n = s.size();
    if (static_cast<int>(n) < 3 * kMinPointsPerLine) return single(whole);

    // Cut the curve into as many straight pieces as breaks are sought, then
    // judge each cut on the points between its neighbours' (a quarter of
    // each neighbouring piece left out, for the neighbours' own corners): a
    // cut inside a straight or a gently bending stretch fails as a break.
    // The weakest failing cut goes first, and the others are judged again on
    // the wider stretches left, until every cut left is a break.
    const RunSums judged(s, &Pt::judge);
    const double scatter = scatterOf(s);
    // Measured points scatter by a share of their conductivity (the model's
    // chords miss their curve by far less): on them the two lines' ranges,
    // chosen short where the points scatter, are judged stretched to the
    // neighbouring cuts, where the slopes and their turns are known best.
    double top = 0;
    for (const Pt& p : s)
        top = std::max(top, std::fabs(p.judge));
    const bool scattered = scatter > kScatteredShare * top;
    // One break kept, or none: on measured points the single two lines stand
    // only where the points follow them, and a curve that broke somewhere is
    // not called one that merely rounds off.
    bool sawBreak = false; // some cut stood as a break on its neighbours' points
    auto alone = [&]() {
        BrokenLines r = single(whole);
        if (o.measured && scattered &&
            (whole.found() ? leavesPointsOff(s, whole, scatter)
                           : whole.failure == BreakFailure::NoBreak && sawBreak))
            r.failure = BreakFailure::Unresolved;
        return r;
    };
    if (o.maxBreaks < 2) return alone();
    std::vector<size_t> cuts = bestCuts(s, judged, o.maxBreaks + 1);
    std::vector<TwoLines> fits;
    while (cuts.size() >= 2) {
        fits.assign(cuts.size(), TwoLines{});
        std::vector<bool> ok(cuts.size(), false);
        std::vector<double> change(cuts.size(), 0.0);
        for (size_t i = 0; i < cuts.size(); ++i) {
            const size_t prev = i == 0 ? 0 : cuts[i - 1];
            const size_t next = i + 1 == cuts.size() ? n : cuts[i + 1];
            change[i] = slopeChange(judged.slope(prev, cuts[i]), judged.slope(cuts[i], next));
            const size_t lo = i == 0 ? 0 : prev + (cuts[i] - prev) / 4;
            const size_t hi = i + 1 == cuts.size() ? n : next - (next - cuts[i]) / 4;
            const TwoLines t = fitTwoLines(rawPoints(s, lo, hi), two);
            fits[i] = t;
            ok[i] = t.found() && t.veq > s[lo].v && t.veq < s[hi - 1].v &&
                    slopeChange(t.before.slope, t.after.slope) >= kMinSlopeChange &&
                    sharpness(s, judged,
                              scattered ? awayFromBreak(t.ranges, s[lo].v, s[hi - 1].v) : t.ranges,
                              scatter) >= kMinSharpness;
        }
        // Two cuts that found the same break: the weaker one is not a break.
        for (size_t i = 0; i + 1 < cuts.size(); ++i)
            if (ok[i] && ok[i + 1] && fits[i].veq >= fits[i + 1].ranges.before.from)
                ok[change[i] < change[i + 1] ? i : i + 1] = false;
        sawBreak = sawBreak || std::find(ok.begin(), ok.end(), true) != ok.end();
        size_t worst = cuts.size();
        for (size_t i = 0; i < cuts.size(); ++i)
            if (!ok[i] && (worst == cuts.size() || change[i] < change[worst])) worst = i;
        if (worst == cuts.size()) break;
        cuts.erase(cuts.begin() + static_cast<std::ptrdiff_t>(worst));
    }
    if (cuts.size() < 2) return alone();

    // One range per stretch. The middle ones were chosen twice, as the
    // after-range of one break and the before-range of the next: both
    // together when they make one straight run, else what they share, else
    // the longer.
    std::vector<FitPoint> fitted;
    for (const Pt& p : s)
        fitted.push_back({p.v, p.fit});
    const double tol = straightnessTolerance(fitted);
    const RunSums fitSums(s, &Pt::fit);
    auto indexOf = [&](double v) {
        return static_cast<size_t>(
            std::lower_bound(s.begin(), s.end(), v, [](const Pt& p, double x) { return p.v < x; }) -
            s.begin());
    };
    auto count = [&](const FitRange& r) {
        return r.to >= r.from ? indexOf(std::nextafter(r.to, INFINITY)) - indexOf(r.from) : 0;
    };
    auto straight = [&](const FitRange& r) {
        const size_t i = indexOf(r.from), j = indexOf(std::nextafter(r.to, INFINITY));
        return j >= i + kMinPointsPerLine &&
               std::sqrt(fitSums.sse(i, j) / static_cast<double>(j - i)) <= tol;
    };
    // On the measured sigma of a diluted beaker (no correction) a middle
    // stretch curves, and no run of it may serve both of its breaks: the
    // choices are tried in turn until every break stands between its ranges.
    std::vector<std::vector<FitRange>> choices;
    for (size_t i = 0; i + 1 < fits.size(); ++i) {
        const FitRange a = fits[i].ranges.after, b = fits[i + 1].ranges.before;
        const FitRange hull{std::min(a.from, b.from), std::max(a.to, b.to)};
        const FitRange common{std::max(a.from, b.from), std::min(a.to, b.to)};
        std::vector<FitRange> c;
        if (straight(hull)) c.push_back(hull);
        if (static_cast<int>(count(common)) >= kMinPointsPerLine) c.push_back(common);
        c.push_back(count(a) >= count(b) ? a : b);
        c.push_back(count(a) >= count(b) ? b : a);
        choices.push_back(c);
    }
    std::vector<size_t> pick(choices.size(), 0);
    BrokenLines result;
    for (;;) {
        std::vector<FitRange> ranges{fits.front().ranges.before};
        for (size_t i = 0; i < choices.size(); ++i)
            ranges.push_back(choices[i][pick[i]]);
        ranges.push_back(fits.back().ranges.after);
        result = linesOn(s, ranges);
        if (result.found()) break;
        size_t d = 0;
        while (d < pick.size() && ++pick[d] == choices[d].size())
            pick[d++] = 0;
        if (d == pick.size()) return alone();
    }
    for (size_t i = 0; i < result.breaks.size() && i < fits.size(); ++i)
        result.breaks[i].bend = fits[i].bend;
    return result;
}

} // namespace titrage
