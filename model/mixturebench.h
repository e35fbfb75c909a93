#pragma once
// The bench with a mixture or a precipitation in the beaker (the nature
// "Mélange ou précipitation"): the solutes the panel offers, the names the
// bench shows, and every figure the bench draws or tabulates for such a
// beaker, all from the exact engine of model/mixture.h. The beaker's volume,
// the added water and the burette's concentration stay the bench's boxes:
// a Mixture here holds the panel's choice, and the boxes' values are put into
// it at each computation.

#include "model/conductivity.h"
#include "model/curve.h"
#include "model/measurement.h"
#include "model/mixture.h"
#include "model/scatter.h"

#include <optional>
#include <string>
#include <vector>

namespace titrage {

// The concentrations the panel accepts, mol/L.
inline constexpr double kMixMinConcentration = 1e-6;
inline constexpr double kMixMaxConcentration = 0.1;

// The entries of the panel's solute list, in list order: the catalogue's
// acids, its bases (both without the user-defined entry, which would need a
// pKa of its own), then the five salts and acids of the mixtures.
std::vector<MixSolute> mixSoluteChoices();
// The index of `s` in mixSoluteChoices (its kind and position), -1 if none.
int mixSoluteChoiceIndex(const MixSolute& s);

// The names the bench shows (French, from the catalogue for its entries).
std::string mixSoluteName(const Model& catalogue, const MixSolute& s);
const char* mixTitrantName(MixTitrant t); // "nitrate d'argent"
inline constexpr int kMixTitrants = 5;

// "SO4^2-" as the bench writes ions: "SO₄²⁻".
std::string displayFormula(const char* caret);
std::string speciesDisplayName(int species);
std::string solidDisplayName(int solid); // "AgCl(s)"

// "chlorure de sodium à 0,01 mol · L⁻¹ et acide éthanoïque à 0,005 mol · L⁻¹".
std::string mixtureBeakerText(const Model& catalogue, const Mixture& m);

// The panel's choice with the boxes' volumes and burette, where they parsed.
Mixture mixtureWith(Mixture m, const SigmaInputs& in);

// Why the bench cannot titrate this mixture as the boxes stand: the engine's
// refusal of the combination, or the first point from 0 to 25 mL (by tenths)
// where a solid it does not treat would form. Nothing when it can.
std::optional<std::string> mixtureBenchRefusal(const Mixture& m, const Model& catalogue);

// The point at v mL; nothing when the engine refuses it.
std::optional<MixPoint> solveMixturePoint(const Mixture& m, const Model& catalogue, double v);

// A row of the table of values (V, sigma, [H3O+], [HO-]).
TableRow mixtureRow(const MixPoint& p);

// "Mesures réalistes" on a mixture, as on a single couple: the point read at
// `read` mL shows in `sigma` the conductimeter's reading of the beaker that
// received the volume the burette delivered. The engine's refusal of that
// volume (a solid it does not treat, just past the last point it accepts)
// leaves `sigma` alone.
MixStatus realisticMixtureSigma(const MixtureEngine& engine, double read,
                                const ScatterSeries& series, double& sigma);

// The curve from 0 to 25 mL by tenths of a millilitre, in the graph's units,
// ending at the first refused point. `points`, when given, receives the
// solved points of the vertices.
void walkMixtureCurve(const Mixture& m, const Model& catalogue, float maxaxe,
                      std::vector<CurveVertex>& out, std::vector<MixPoint>* points = nullptr);

// The table's rows from 0 to 25 mL by `stepTenths`, as tabulate steps.
std::vector<TableRow> tabulateMixture(const Mixture& m, const Model& catalogue, int stepTenths);

// The larger of sigma at 0 and 25 mL, rounded to two significant digits (0
// when neither is computed).
float mixtureSigmaMax(const Mixture& m, const Model& catalogue);

// The ions' shares along the curve, stacked in species order, and the
// precipitates' amounts.
struct MixtureStack {
    std::vector<int> species; // every species that conducts somewhere on the curve
    std::vector<double> lambdas;
    std::vector<CurveVertex> vertices;
    std::vector<std::vector<float>> top;          // running sums, per vertex, per species
    std::vector<int> solids;                      // the precipitates that form somewhere
    std::vector<std::vector<double>> solidAmount; // per solid, per vertex, mol
};
void walkMixtureShares(const Mixture& m, const Model& catalogue, float maxaxe, MixtureStack& out);

// The precipitate's share of the beaker, 0 (clear) to 1 (as cloudy as it
// gets): the solid's concentration over the whole volume, saturating.
double cloudiness(const MixPoint& p, double totalVolumeMl);

} // namespace titrage
