#pragma once
// Each ion's share of the conductivity: the terms lambda_i.[X_i] of the sum
// that the conductivity model forms, and the stacked shares along the
// theoretical curve, which show why sigma falls and then rises.

#include "model/conductivity.h"
#include "model/curve.h"
#include "model/model.h"

#include <string>
#include <vector>

namespace titrage {

// The ion of slot 1..19 ("H₃O⁺", "Na⁺", "CH₃COO⁻" ...); empty for a slot no
// solute fills.
const char* ionName(int slot);

struct IonShare {
    int slot = 0;
    float lambda = 0;         // mS.m2/mol
    double concentration = 0; // mol/L
    double sigma = 0;         // S/m, lambda.[X]
};

// The non-zero terms of the last conductivity the model computed, in slot
// order (the order in which sigma is summed).
std::vector<IonShare> ionShares(const Model& model);

// The shares stacked in slot order along the curve: at vertex j, top[j][k]
// is the running sum, up to and including ion k of `ions`, formed in 32 bits
// as sigma is; so the last top of a vertex is that vertex's sigma exactly.
struct StackedCurve {
    std::vector<int> ions;      // every ion present somewhere on the curve
    std::vector<float> lambdas; // their lambda
    std::vector<CurveVertex> vertices;
    std::vector<std::vector<float>> top;
};

// The model must be loaded for the titration, as for walkCurve; it is left at
// the 25 mL end point.
void walkContributions(Model& model, const SigmaInputs& inputs, float maxaxe, StackedCurve& out);

// The legend entry of an ion: "Na⁺ : λ = 5,008 mS·m²·mol⁻¹".
std::string ionLegend(int slot, float lambda);

} // namespace titrage
