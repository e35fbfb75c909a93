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

// Ordinate of a measurement cross, graphY(sigma, maxaxe) rounded to the
// nearest unit. Nothing when maxaxe is 0 or the result is not a usable
// coordinate (a cross cannot be placed, so none is drawn).
std::optional<int> crossY(double sigma, float maxaxe);

} // namespace titrage
