#pragma once
// The method of the two lines: the two nearly straight parts of sigma(V)
// before and after the equivalence are fitted by least squares, and their
// intersection E gives the equivalence volume with an uncertainty carried
// from the fits' standard errors. The conductivity is usually corrected for
// dilution first, sigma.(V0 + V)/V0, which makes those parts straight.

#include "platform/core/trnoop.h"

#include <optional>
#include <string>
#include <vector>

namespace titrage {

struct FitPoint {
    double v = 0;     // mL poured
    double sigma = 0; // S/m as measured (raw)
};

// sigma.(V0 + V)/V0, V0 the beaker's total initial volume (solution + water).
// The raw sigma when V0 is not positive.
double dilutionCorrected(double sigma, double v, double v0);

// y = slope.x + intercept fitted by least squares on n points.
struct LineFit {
    double slope = 0;
    double intercept = 0;
    int n = 0;
    double meanX = 0;
    double sxx = 0;      // sum of (x - mean)^2
    double residual = 0; // s = sqrt(SSE / (n - 2)), 0 for n = 2

    double at(double x) const { return slope * x + intercept; }
    // Standard error of the fitted line at x: s.sqrt(1/n + (x - mean)^2 / Sxx).
    double errorAt(double x) const;
    double slopeError() const;
    double interceptError() const;
};

// Nothing with fewer than two points or when every x is the same.
std::optional<LineFit> fitLine(const std::vector<double>& x, const std::vector<double>& y);

// A range of poured volumes, both ends included.
struct FitRange {
    double from = 0;
    double to = 0;
    bool contains(double v) const { return v >= from && v <= to; }
};

struct FitRanges {
    FitRange before;
    FitRange after;
};

enum class BreakFailure {
    None,
    TooFewPoints, // fewer than three points on a side of the break
    NoBreak,      // the lines are parallel, or the curve bends without a break
    OffBurette,   // the intersection leaves no room for the lines (outside 2 .. 23 mL)
};

struct TwoLines {
    BreakFailure failure = BreakFailure::TooFewPoints;
    FitRanges ranges;
    LineFit before, after;
    double veq = 0;  // mL
    double uVeq = 0; // mL, one standard uncertainty
    double yE = 0;   // fitted (corrected or raw) conductivity at E
    double bend = 0; // gap between E and the curve, over the slope change times Véq
    bool found() const { return failure == BreakFailure::None; }
};

struct TwoLineOptions {
    bool correctDilution = true;
    double v0 = 20; // mL in the beaker before pouring (solution + water)
    // Ranges chosen by the student; absent: chosen away from the break.
    std::optional<FitRanges> ranges;
};

inline constexpr int kMinPointsPerLine = 3;
inline constexpr double kLowestBreak = 2.0;   // mL
inline constexpr double kHighestBreak = 23.0; // mL
// Above this bend the curve turns gradually rather than breaking (a couple
// too weak for the titration to be total, as phenol).
inline constexpr double kMaxBend = 0.045;

// The fit on the points (any order). With automatic ranges the break is first
// located by the best two-segment fit, then each line is fitted on the part of
// its side that lies away from the break; this is done twice so that the
// ranges settle around the final intersection.
TwoLines fitTwoLines(const std::vector<FitPoint>& points, const TwoLineOptions& options);

// The ranges the automatic choice takes around a break at `vb` for points
// spanning [first, last].
FitRanges rangesAround(double vb, double first, double last);

// "Véq = 20,0 ± 0,1 mL": the uncertainty rounded up to one decimal, or to two
// when it is at most 0,05 mL, and Véq given to the same decimal.
std::string veqText(double veq, double uVeq);

inline constexpr const char* kNoBreakTitle = QT_TRANSLATE_NOOP("LineFit", "Méthode des droites");
inline constexpr const char* kNoBreakMessage = QT_TRANSLATE_NOOP(
    "LineFit",
    "Cette courbe ne permet pas de déterminer le volume équivalent par la méthode des droites : "
    "il faut deux parties droites qui se coupent entre 2 et 23 mL, avec au moins trois points "
    "de part et d'autre.");

} // namespace titrage
