#pragma once
// One measurement of the bench: the model loaded from the entry boxes, the
// mixture solved, the conductivity computed; and the row of the table of
// values that a measurement adds.

#include "model/conductivity.h"
#include "model/model.h"
#include "model/situations.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace titrage {

// The bench's entry boxes as numbers. A text that is not a number is absent,
// and the loading step that needs it is skipped (the variable keeps its value).
struct BenchEntries {
    bool acide = true;
    int position = 0;              // solute list position 0..14
    std::optional<float> c;        // box 0, beaker concentration
    std::optional<float> cburette; // box 1
    std::optional<float> vsol;     // box 4
    std::optional<float> vverse;   // box 5
    std::optional<float> veau;     // box 6

    SigmaInputs sigmaInputs() const { return {acide, position, vsol, veau, cburette}; }
};

// Loads cdilue, ctitrant, vinitial, vverse and kcouple from the entries.
void loadModel(Model& model, const BenchEntries& entries);

// The entries a stored situation puts on the bench.
BenchEntries benchEntriesOf(const Situation& situation);

// Loads the model from a stored situation's texts, solute and nature.
void loadModelFromSituation(Model& model, const Situation& situation);

// kcouple of catalogue position p: Ka = 10^-pKa for an acid, Kb = 10^(pKa-14) for a base.
float couplingConstant(const Model& model, bool acide, int position);

// The first three steps of the refresh: load, solve (solvinit with nothing
// poured, solvmelange otherwise), and return the pH taken from xprinc.
double solveMeasurement(Model& model, const BenchEntries& entries);

// The whole refresh without its drawing: solveMeasurement then calcsigma at
// that pH and vverse. Returns the pH.
double measure(Model& model, const BenchEntries& entries);

// sigma as the conductimeter shows it: three significant digits, general format.
std::string conductimeterText(float sigma);

// A row of the table of values.
struct TableRow {
    float v = 0;
    float sigma = 0;
    double h3o = 0;
    double ho = 0;
    std::optional<double> acide; // absent for the strong electrolytes
    std::optional<double> base;
    double ph = 0;    // pH of the row
    float xprinc = 0; // solved principal ion
};

// Number of columns of the table: 4 for the strong acid and the strong base, else 6.
int tableColumns(bool acide, int position);

// Records a row for the current model state. With nothing poured, phcalc is
// first taken from xprinc. sigma is recomputed at phcalc and `volumeForSigma`
// (the poured-volume box for a plotted point, vverse for a tabulated row).
TableRow makeRow(Model& model, const SigmaInputs& inputs, double volumeForSigma);

// A row for the state the refresh left, without recomputing sigma: what the
// conductimeter shows at that volume, with the refresh's pH.
TableRow rowFromState(const Model& model, const SigmaInputs& inputs, double ph);

// The cells of a row as the table shows them (decimal comma).
std::vector<std::string> formatRow(const TableRow& row, int columns);
// The same cells followed, with the pH-meter in, by the row's pH ("#0.00").
std::vector<std::string> formatRow(const TableRow& row, int columns, bool phColumn);

// The table that the bench holds after a whole titration: rows from 0 to
// 25 mL by `stepTenths` tenths of a millilitre, each measured at the volume as
// the poured-volume box shows it ("####0.0").
std::vector<TableRow> tabulate(Model& model, BenchEntries entries, int stepTenths);

// The sigma scale of the graph: the larger of sigma at 0 and at 25 mL, each
// rounded to two significant digits; raised by the stored maxima of the other
// finished situations when curves are superposed. Leaves the model at 25 mL.
struct SigmaScale {
    float sigmamax = 0;
    float maxaxe = 0;
};
SigmaScale valimax(Model& model, BenchEntries entries, const SituationStore* store, bool superpose);

} // namespace titrage
