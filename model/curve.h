#pragma once
// The complete theoretical curve sigma(V) and the distribution of the couple's
// two forms, computed by inversion: the p-value of the principal ion (pH for
// an acid beaker, pOH for a base beaker) is walked upwards in fixed steps and
// the titrant volume that gives it is computed in closed form. The points
// crowd where p changes fastest with V, around the equivalence.

#include "model/conductivity.h"
#include "model/graphframe.h"
#include "model/model.h"

#include <functional>
#include <vector>

namespace titrage {

struct CurveVertex {
    float v = 0;     // mL
    float sigma = 0; // S/m
    double x = 0;
    double y = 0;
    // The mixture's pH at the vertex, for the pH-meter's view of the same
    // titration (the graph's pH axis places it).
    float ph = 7;
};

// The vertices of the curve in drawing order: the first is a point at 0 mL,
// every later one a line from the previous vertex; the last is at 25 mL.
// The model must be loaded for the titration (from the bench or from a stored
// situation); `inputs` carries the nature and what the conductivity reads.
// Leaves the model at the 25 mL end point. `out` is cleared and reused.
// `vertexDone`, when given, sees the model right after each vertex's sigma
// (concion and lambdaion hold that vertex's ions).
void walkCurve(Model& model, const SigmaInputs& inputs, float maxaxe, std::vector<CurveVertex>& out,
               const std::function<void(const Model&)>& vertexDone = {});

struct DistributionVertex {
    float v = 0;
    double acidFraction = 0; // 0..1
    double baseFraction = 0;
    double x = 0;
    double yAcid = 0; // fractionY(f)
    double yBase = 0;
};

// The proportions of the acid and base forms from 0 to 25 mL, p in steps of 0.2.
void walkDistribution(Model& model, bool acide, std::vector<DistributionVertex>& out);

} // namespace titrage
