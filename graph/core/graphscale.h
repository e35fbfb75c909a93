#pragma once
// The numbers of the conductivity graph that do not depend on a drawing
// surface: the graduation labels of the sigma axis and the rounding of a
// measurement cross onto the pixel grid.

#include "model/graphframe.h"

#include <optional>
#include <string>

namespace titrage {

inline constexpr int kSigmaGraduations = kGraphGridLines; // lines j = 0..10, gridY(j)
inline constexpr int kVolumeGraduations = 25; // one line per millilitre

// Label of horizontal graduation j (0..10) when the top of the frame is maxaxe:
// maxaxe.j/10 rounded to three significant digits ("0.00E+00" read back),
// then written in the general format with the decimal comma ("0,43").
std::string graduationLabel(float maxaxe, int j);

// The pH axis, the pH-meter's: pH 0 on the volume axis (y = 250), 16 units
// per pH unit upwards, so pH 14 stands at y = 26, just above the sigma
// frame's top. The tangents' construction is drawn on this same scale.
inline constexpr double kPhUnits = 16;
inline constexpr int kPhAxisTop = 14;
constexpr double phY(double ph)
{
    return kGraphBottom - kPhUnits * ph;
}
// The pH under ordinate y.
constexpr double phAtY(double y)
{
    return (kGraphBottom - y) / kPhUnits;
}

// What the graph shows against the volume: the conductivity (the bench's own
// graph), the pH, or both on one frame with the pH axis on the right.
enum class GraphMode { Sigma, Ph, Both };
constexpr bool showsSigma(GraphMode m)
{
    return m != GraphMode::Ph;
}
constexpr bool showsPh(GraphMode m)
{
    return m != GraphMode::Sigma;
}

// Label of the pH graduation `ph` (0..14): labelled every 2 units, empty
// between.
std::string phGraduationLabel(int ph);

// Ordinate of a measurement cross, graphY(sigma, maxaxe) rounded to the
// nearest unit. Nothing when maxaxe is 0 or the result is not a usable
// coordinate (a cross cannot be placed, so none is drawn).
std::optional<int> crossY(double sigma, float maxaxe);
// Ordinate of a pH cross, phY(ph) rounded; nothing for a pH that is not a number.
std::optional<int> phCrossY(double ph);

} // namespace titrage
