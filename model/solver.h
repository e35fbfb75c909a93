#pragma once
// The acid-base equilibrium of the beaker: one scalar equation in the
// principal-ion concentration x ([H3O+] for an acid beaker, [OH-] for a base
// beaker), solved by bisection with the midpoint rounded to 32 bits. The
// rounding bounds the number of halvings: the bracket stops moving once the
// rounded midpoint equals one of its ends.

#include "model/model.h"

#include <optional>

namespace titrage {

// The beaker solution alone. Writes xprinc and veq (not phcalc); turns a
// constant of exactly 1 into 1e35 first (the strong rows of the catalogue).
void solvinit(Model& model);

// The mixture after vverse mL of titrant. Writes xprinc and phcalc (pH, or
// 14 - pOH for a base beaker). Uses kcouple as it stands: for the strong rows
// it is 1, not 1e35, unless solvinit or a curve walk replaced it since the
// last model loading. A stored situation solves with its own nature.
void solvmelange(Model& model, bool acide);

// The titrant volume (mL) at which the principal ion equals x, in closed form:
// the charge balance cb.V/(V0+V) + x = c.V0/(V0+V) . K/(K+x) + Ke/x solved
// for V. Nothing when the denominator vanishes.
std::optional<double> volumeForIon(const Model& model, double x);

// pH of the mixture from the solved principal ion, as the refresh takes it.
double phFromXprinc(float xprinc, bool acide);

// The same under the model's conditions: with real solutions the pH of the
// activity gamma.[H3O+], and pKe(T) - pOH for a base beaker. phFromXprinc
// itself in the ideal at 25 °C.
double phOfModel(const Model& model, bool acide);

// Outside the ideal at 25 °C (model/realsolution.h), the volume at which the
// principal ion's concentration is x and the activity coefficient there: the
// closed form with conditional constants, the ionic strength it gives taken
// round again until it settles. volumeForIon returns its volume then.
struct IonVolume {
    double v = 0;
    double gamma = 1;
};
std::optional<IonVolume> realVolumeForIon(const Model& model, double x);

} // namespace titrage
