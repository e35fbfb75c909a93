#pragma once
// The conductivity graph's frame, in the logical units of its picture (one
// unit a pixel at scale 1): the volume axis runs from x = 40 at 0 mL, 13 units
// per mL, to x = 365 at the burette's 25 mL; the sigma scale from y = 250 (0)
// up 220 units to y = 30 (maxaxe), in ten graduations 22 units apart.
// Every drawing, read-out and construction on the graph takes its geometry
// from here. The curve walks of model/ already give their vertices in these
// units, hence the header's place below both model/ and graph/.
//
// The functions keep the order of operations the curves were first computed
// with (40 + 13 V, 250 - 220 sigma / maxaxe): the pixels drawn and the figures
// checked depend on the last bit.

namespace titrage {

inline constexpr double kGraphLeft = 40;      // x of 0 mL, the sigma axis
inline constexpr double kGraphUnitsPerMl = 13; // along the volume axis
inline constexpr double kGraphRight = 365;     // x of 25 mL, the frame's right edge
inline constexpr double kGraphTop = 30;        // y of maxaxe, the top graduation
inline constexpr double kGraphBottom = 250;    // y of sigma = 0, the volume axis
inline constexpr double kGraphHeight = 220;    // kGraphBottom - kGraphTop
inline constexpr double kGraphGridStep = 22;   // between two sigma graduations
inline constexpr int kGraphGridLines = 10;     // graduations above the axis

// The axes reach past the frame to their arrow tips.
inline constexpr double kGraphArrowTop = 2;    // y of the sigma axis's tip
inline constexpr double kGraphArrowRight = 415; // x of the volume axis's tip

static_assert(kGraphRight == kGraphLeft + kGraphUnitsPerMl * 25);
static_assert(kGraphHeight == kGraphBottom - kGraphTop);
static_assert(kGraphHeight == kGraphGridStep * kGraphGridLines);

// Abscissa of v mL, and the volume under abscissa x.
constexpr double graphX(double v)
{
    return kGraphLeft + kGraphUnitsPerMl * v;
}
constexpr double volumeAtX(double x)
{
    return (x - kGraphLeft) / kGraphUnitsPerMl;
}

// Ordinate of sigma when the top of the frame is maxaxe; the axis when maxaxe
// is 0 (no scale yet: nothing can stand above the axis).
constexpr double graphY(double sigma, double maxaxe)
{
    return maxaxe != 0.0 ? kGraphBottom - kGraphHeight * sigma / maxaxe : kGraphBottom;
}
// The sigma at ordinate y (0 when maxaxe is 0).
constexpr double sigmaAtY(double y, double maxaxe)
{
    return (kGraphBottom - y) * maxaxe / kGraphHeight;
}

// Ordinate of a fraction 0..1 of the frame's height (the distribution
// diagram, whose top is 100 %).
constexpr double fractionY(double f)
{
    return kGraphBottom - kGraphHeight * f;
}

// Ordinate of graduation j (0 on the axis, kGraphGridLines at the top), and
// how many graduations ordinate y stands above the axis.
constexpr double gridY(int j)
{
    return kGraphBottom - kGraphGridStep * j;
}
constexpr double graduationsAtY(double y)
{
    return (kGraphBottom - y) / kGraphGridStep;
}

} // namespace titrage
