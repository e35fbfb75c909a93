#pragma once
// Conductivity of the mixture by Kohlrausch's law: sigma = sum of lambda_i.[X_i].
// With concentrations in mol/L and lambda in mS.m2/mol the products are
// already in S/m (the factors 1e-3 of mS and 1e3 L/m3 cancel).

#include "model/model.h"

#include <optional>
#include <string_view>

namespace titrage {

struct Situation;

// What the conductivity needs besides the model variables. The bench fills it
// from its entry boxes, a stored situation from its texts; a value that did
// not parse is absent and the step that needs it is skipped.
struct SigmaInputs {
    bool acide = true;
    int position = 0; // list position 0..14 on the chosen side
    std::optional<float> vsol;
    std::optional<float> veau;
    std::optional<float> cburette;
};

// The one computation behind calcsigma and calcsigmasit. Writes concion,
// lambdaion and sigma. Outside the ideal at 25 °C (model.conditions) the pH
// is that of the activity of H3O+, each lambda follows the temperature and
// the ionic strength, and gamma is written too.
void computeSigma(Model& model, const SigmaInputs& in, double ph, double v);

// Whether list position `position` of a side brings its couple as a salt
// whose other ion stays a spectator (ammonium chloride, a sodium salt,
// sodium hydroxide): the ionic strength then counts that ion.
bool isSaltCouple(bool acide, int position);

// The inputs a stored situation gives: nature, solute, Vsol, Veau, burette.
SigmaInputs sigmaInputsOf(const Situation& situation);

// Kept under the names the rest of the program knows them by.
inline void calcsigma(Model& model, const SigmaInputs& bench, double ph, double v)
{
    computeSigma(model, bench, ph, v);
}
void calcsigmasit(Model& model, const Situation& situation, double ph, double v);

} // namespace titrage
