#pragma once
// "Ajuster la concentration": the beaker concentration whose model curve
// passes closest to a class's measurements, by least squares on sigma, with
// its standard uncertainty from the curvature of the sum of squares.

#include "model/measurement.h"
#include "model/measurementimport.h"
#include "model/model.h"

#include <optional>
#include <string>
#include <vector>

namespace titrage {

struct ConcentrationFit {
    double c = 0;         // mol/L
    double u = 0;         // mol/L, one standard uncertainty
    double rms = 0;       // S/m, root mean square of the residuals
    bool atLimit = false; // the best c is at an end of the searched range
};

inline constexpr double kFitCmin = 1e-6; // mol/L
inline constexpr double kFitCmax = 0.1;

// Searches c over [kFitCmin, kFitCmax] on a logarithmic scale (a coarse scan,
// then a golden-section search around the best of it), every other entry as
// `entries` gives it, on a copy of `model`. u = sqrt(s² / JᵀJ), s² the
// residual variance over n - 1 degrees of freedom and J the slopes dσ/dc at
// the points. Nothing with fewer than two points or when sigma does not
// depend on c there.
std::optional<ConcentrationFit> fitConcentration(const Model& model, const BenchEntries& entries,
                                                 const std::vector<ImportedMeasurement>& points);

// "c = 1,02·10⁻² ± 0,03·10⁻² mol/L": c and u under one power of ten, u to
// one significant digit rounded up, c to the same decimal.
std::string concentrationText(double c, double u);

} // namespace titrage
