#pragma once
// The conductivity read under the pointer: the current curve's sigma at the
// volume the pointer stands on.

#include "model/curve.h"

#include <optional>
#include <string>
#include <vector>

namespace titrage {

// sigma of the broken line through the vertices at volume v (the first
// segment that spans v); nothing outside the curve.
std::optional<double> curveSigmaAt(const std::vector<CurveVertex>& vertices, double v);
// The pH of the same broken line at v, as the pH view draws it.
std::optional<double> curvePhAt(const std::vector<CurveVertex>& vertices, double v);

// "V = 10,1 mL ; σ = 0,0371 S·m⁻¹": the volume read-out followed by sigma to
// three significant digits.
std::string sigmaReadout(const std::string& volumeReadout, double sigma);
// "V = 10,1 mL ; pH = 4,76": the read-out followed by the pH to two decimals.
std::string phReadout(const std::string& readout, double ph);

// "Véq = 20,0 mL ; pH = 8,23", the tangent construction's point E.
std::string tangentPointText(double veq, double ph);

} // namespace titrage
