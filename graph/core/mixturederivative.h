#pragma once
// "Courbe dérivée" of a mixture: |dpH/dV| between successive tenths of a
// millilitre, drawn as the bench draws its derivative.

#include "graph/core/constructions.h"
#include "model/mixturebench.h"

#include <vector>

namespace titrage {

std::vector<PlotPoint> mixtureDerivative(const Mixture& m, const Model& catalogue,
                                         const ConstructionFrame& frame = {});

} // namespace titrage
