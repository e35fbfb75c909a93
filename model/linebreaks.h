#pragma once
// The method of the lines on a curve with several breaks: a mixture of a
// strong and a weak acid titrated by soda breaks twice (the strong acid, then
// the weak one), phosphoric acid twice within the burette. The curve is
// fitted with k + 1 lines, one per straight stretch, and each pair of
// neighbouring lines crosses at one equivalence. A curve with a single break
// is the two lines' business (fitTwoLines), whose figures stand unchanged.

#include "model/linefit.h"

#include <vector>

namespace titrage {

// At most this many breaks are sought (five lines).
inline constexpr int kMaxBreaks = 4;
// Two neighbouring lines make a break only when their slopes differ by this
// share of the steeper one at least: a stretch that merely bends a little
// (the slow start of a weak acid's neutralisation) is not an equivalence.
inline constexpr double kMinSlopeChange = 0.25;

// And only where the slope turns this many times more between the two lines'
// ranges than within them (see fitBrokenLines): the pieces of a curve that
// bends all along turn about as much within as between them.
inline constexpr double kMinSharpness = 5;

struct BrokenLines {
    BreakFailure failure = BreakFailure::TooFewPoints;
    // One per break, in order of volume; break i's `after` line is break
    // i + 1's `before` line (with a single break, fitTwoLines's result).
    std::vector<TwoLines> breaks;
    bool found() const { return failure == BreakFailure::None && !breaks.empty(); }
    size_t count() const { return breaks.size(); }
    // The k + 1 ranges, in order: the stretches the lines were fitted on.
    std::vector<FitRange> ranges() const;
    // The k + 1 lines.
    std::vector<LineFit> lines() const;
};

struct BrokenLineOptions {
    bool correctDilution = true;
    double v0 = 20; // mL in the beaker before pouring (solution + water)
    // The student's ranges, k + 1 of them in order of volume; empty: the
    // breaks are sought and the ranges chosen away from them.
    std::vector<FitRange> ranges;
    int maxBreaks = kMaxBreaks;
    // The points are measurements (realistic readings, a class's own): a
    // single break is given only where they follow its two lines.
    bool measured = false;
};

// The breaks of the curve and their lines. The curve is first cut into
// straight pieces by the best piecewise least-squares fit; each cut is then
// judged as the two lines judge a single break, on the points between its
// neighbouring cuts, and kept only where it passes and its lines' slopes
// differ clearly. One break or none kept: the two lines on the whole curve,
// as fitTwoLines gives them. Several: one line per stretch, each Véq where
// its two neighbours cross, between their ranges.
BrokenLines fitBrokenLines(const std::vector<FitPoint>& points, const BrokenLineOptions& options);

// "E₁", "E₂" … the name of break i (from 0) of `count`; "E" when alone.
std::string breakName(size_t i, size_t count);

} // namespace titrage
