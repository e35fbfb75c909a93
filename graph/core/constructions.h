#pragma once
// The constructions drawn over the graph once a curve is finished: the
// equivalence point by the method of parallel tangents on the pH curve, and
// the derivative of the principal ion's p-value with respect to the poured
// volume. Geometry only: the caller draws the points and segments returned.

#include "graph/core/graphscale.h"
#include "model/graphframe.h"
#include "model/model.h"

#include <vector>

namespace titrage {

// Where the constructions are drawn. The volume axis is the graph's own
// (40 + 13 V), so that E and the peak of the derivative stand straight above
// the break of the conductivity curve; the pH runs upwards from y = 250 at
// 16 units per pH unit (pH 14 at y = 26), read on a scale at the right-hand
// side of the frame. The tests on the distance between the tangents are
// vertical distances, so they depend on the pH scale only.
struct ConstructionFrame {
    double x0 = kGraphLeft;
    double kV = kGraphUnitsPerMl; // units per mL
    double y0 = kGraphBottom;
    double kpH = kPhUnits; // units per pH unit, upwards (the graph's pH axis)
    double x(double v) const { return x0 + kV * v; }
    double y(double ph) const { return y0 - kpH * ph; }
};

struct PlotPoint {
    double x = 0;
    double y = 0;
};
struct PlotSegment {
    PlotPoint a;
    PlotPoint b;
};

enum class TangentOutcome {
    OutOfRange, // veq outside 2 .. 23 mL: nothing is drawn, nothing said
    NoJump,     // the tangents are too close: they are drawn, then the message
    Complete,
};

struct TangentConstruction {
    TangentOutcome outcome = TangentOutcome::OutOfRange;
    double veq = 0;   // mL
    double slope = 0; // pH per mL
    double delta = 0; // ordinate of T1 minus that of T2 at the left end, in units
    double phE = 0;
    PlotSegment t1, t2;                // the tangents at veq - 1 and veq + 1
    PlotSegment parallel;              // through E (Complete only)
    PlotPoint e;                       // the equivalence point
    PlotPoint label;                   // top-left corner of "E"
    PlotSegment normal;                // from T1 at veq - 1, perpendicular, to T2
    std::vector<PlotPoint> equalMarks; // centres of the two "=" (when |delta| > 20)
    PlotSegment mark1, mark2;          // the right-angle mark at the foot of the normal
};

// "Méthode des tangentes". The model must hold the bench's titration; its
// vverse, phcalc, xprinc, veq and kcouple are used as working storage.
TangentConstruction tangente(Model& model, bool acide, const ConstructionFrame& frame = {});

// Distance under which the tangents cannot be told apart, and above which the
// two halves of the normal are marked equal.
inline constexpr double kMinTangentGap = 10;
inline constexpr double kEqualMarksGap = 20;

// "Courbe dérivée": the points to draw, in order; the first is a dot, each
// next one is joined to the one before. Only points with 10 <= y <= 250 are
// kept. Works on pX (pH of an acid beaker, pOH of a base beaker).
std::vector<PlotPoint> btderive(Model& model, const ConstructionFrame& frame = {});

// The pH curve of the titration from 0 to 25 mL in the construction frame,
// for the tangents to be seen touching it.
std::vector<PlotPoint> phCurve(Model& model, bool acide, const ConstructionFrame& frame = {});

} // namespace titrage
