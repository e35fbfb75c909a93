#pragma once
// "Incertitude par Monte-Carlo": the points of a fit drawn again and again
// within their uncertainties (the instruments' of model/scatter.h), the two
// lines fitted on each draw over the same ranges, and the spread of the Véq
// they give. Its standard deviation is what u(Véq) estimates by formula.

#include "model/linefit.h"
#include "model/scatter.h"

#include <cstdint>
#include <vector>

namespace titrage {

struct MonteCarloOptions {
    int draws = 1000;
    std::uint64_t seed = 1;
    ScatterModel model;
    bool correctDilution = true;
    double v0 = 20; // mL in the beaker before pouring
    int bins = 20;
};

struct MonteCarloResult {
    int draws = 0;  // asked
    int failed = 0; // draws whose lines did not cross
    double mean = 0;
    double sd = 0; // standard deviation of the draws (n - 1)
    // The histogram of the Véq found, `bins` bins from lo to hi.
    double lo = 0, hi = 0;
    std::vector<int> histogram;
    int found() const { return draws - failed; }
};

// Each draw moves every point of the two ranges: its conductivity by its
// reading's uncertainty (normal), its volume by a reading (uniform), the
// whole series by the zero's reading and the tolerance, as a series of
// realistic measurements varies. Nothing when no range holds three points.
MonteCarloResult monteCarloVeq(const std::vector<FitPoint>& points, const FitRanges& ranges,
                               const MonteCarloOptions& options);

// "Monte-Carlo, 1000 tirages : Véq moyen = 19,93 mL, écart-type 0,05 mL".
std::string monteCarloText(const MonteCarloResult& r);

} // namespace titrage
