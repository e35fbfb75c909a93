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
    TooFewPoints, // fewer than three points in a straight line on a side of the break
    NoBreak,      // the curve bends without a break: the couple is too weak
    OffBurette,   // the intersection leaves no room for the lines (outside 2 .. 23 mL)
    InsideRange,  // the lines cross inside a range the student chose
    Unresolved,   // measured points leave the two lines over a long stretch
};

struct TwoLines {
    BreakFailure failure = BreakFailure::TooFewPoints;
    FitRanges ranges;
    LineFit before, after;
    double veq = 0;  // mL
    double uVeq = 0; // mL, one standard uncertainty
    double yE = 0;   // fitted (corrected or raw) conductivity at E
    // How rounded the corner is: the points' gap to their lines beside Véq, in
    // millilitres of the slope change, as a share of Véq, weighed by how
    // little the curve turns (see fitTwoLines).
    double bend = 0;
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
inline constexpr double kMaxBend = 0.1;
// Points follow a straight line when their root mean square gap to it is at
// most this share of the curve's height (about a pixel of the graph), or
// their own scatter.
inline constexpr double kStraightness = 0.002;
// Automatic lines that end further than this share of Véq from where the
// curve as a whole breaks have slid along a bend.
inline constexpr double kMaxSlide = 0.1;

// How far points, in order of volume, may stray from their least-squares
// line (root mean square) and still be called straight: a small share of the
// curve's height, or the points' own scatter.
double straightnessTolerance(const std::vector<FitPoint>& points);

// The fit on the points (any order). With automatic ranges the break is first
// located by the best two-segment fit; each line is then fitted on a straight
// run of its side, the straightest of those nearly as long as the longest (a
// weak couple's curved start and the break's rounded corner left out), and the
// ranges are taken again around the intersection until they settle. Véq is
// given only between the ranges.
// Without the dilution correction the break is judged, and first located, on
// the corrected conductivity, and the raw lines are taken near it.
TwoLines fitTwoLines(const std::vector<FitPoint>& points, const TwoLineOptions& options);

// "Véq = 20,0 ± 0,1 mL": the uncertainty rounded up to one decimal, or to two
// when it is at most 0,05 mL, and Véq given to the same decimal.
std::string veqText(double veq, double uVeq);

// The uncertainty of a Véq found on measured points. The fits give the
// standard uncertainty of the intersection (uVeq, from the points' scatter
// about their lines); the burette adds what no fit can see, since it moves
// every point alike: the zero's reading and the glass's tolerance at Véq. The
// expanded uncertainty at 95 % takes Student's factor for the effective
// degrees of freedom of the combination (Welch-Satterthwaite: each fit has
// n - 2, the burette's part, known beforehand, infinitely many).
struct VeqUncertainty {
    double fit = 0;     // mL, the fits' standard uncertainty
    double burette = 0; // mL
    double u = 0;       // mL, combined standard uncertainty u(Véq)
    double dof = 0;     // effective degrees of freedom, truncated; 0 for infinitely many
    double k = 0;       // Student's factor at 95 %
    double U95 = 0;     // mL, expanded uncertainty U(Véq) (95 %)
};
VeqUncertainty veqUncertainty(const TwoLines& lines, double uBurette);

// Student's t at 95 % (two-sided) for `dof` degrees of freedom (truncated to
// an integer, at least 1); 1,96 for 0 (infinitely many).
double studentFactor95(double dof);

// On the theoretical curve the lines' intersection is a construction, with no
// uncertainty: "Véq = 19,86 mL par les droites, courbe théorique".
std::string veqConstructionText(double veq);
// On measured points: "Véq = 19,93 mL ; u(Véq) = 0,05 mL ; U(Véq) (95 %) =
// 0,11 mL", the uncertainties to two significant digits and Véq to their last
// decimal (two decimals at least, to the hundredth the burette is read to).
std::string veqMeasuredText(double veq, const VeqUncertainty& u);
// Its two parts, for a label on two lines.
std::string veqValueText(double veq, const VeqUncertainty& u);
std::string veqUncertaintyText(const VeqUncertainty& u);

inline constexpr const char* kNoBreakTitle = QT_TRANSLATE_NOOP("LineFit", "Méthode des droites");
// One message per cause of failure, in the "LineFit" context.
inline constexpr const char* kNoBreakMessage = QT_TRANSLATE_NOOP(
    "LineFit", "La courbe s'arrondit sans se briser : le couple titré est trop faible pour que la "
               "réaction de titrage soit quasi totale, et la méthode des droites ne donne pas de "
               "volume équivalent.");
inline constexpr const char* kTooFewPointsMessage = QT_TRANSLATE_NOOP(
    "LineFit",
    "Trop peu de points pour la méthode des droites : il faut au moins trois points alignés "
    "de part et d'autre de l'équivalence. Mesurez avec un pas plus petit.");
inline constexpr const char* kOffBuretteMessage = QT_TRANSLATE_NOOP(
    "LineFit", "Les droites se coupent hors de la burette : la méthode des droites demande une "
               "équivalence entre 2 et 23 mL. Changez les concentrations ou les volumes.");
inline constexpr const char* kUnresolvedMessage = QT_TRANSLATE_NOOP(
    "LineFit",
    "Les mesures s'écartent des deux droites sur une longue portion de la courbe : elle "
    "s'arrondit au lieu de se briser, ou bien elle se brise plus d'une fois et la dispersion "
    "des mesures cache une des ruptures. La méthode des droites ne donne pas de volume "
    "équivalent sûr : mesurez avec un pas plus petit près des équivalences.");
inline constexpr const char* kInsideRangeMessage = QT_TRANSLATE_NOOP(
    "LineFit",
    "Les droites se coupent à l'intérieur d'un des domaines choisis : pour la méthode des "
    "droites, placez chaque domaine d'un seul côté de la cassure.");

// The message of a failure (its French source text, to be translated in the
// "LineFit" context); nothing for a fit found.
const char* breakFailureMessage(BreakFailure failure);

} // namespace titrage
