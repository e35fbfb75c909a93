#pragma once
// titrage-table --mesures FICHIER: a class's measurements read as the bench
// imports them, printed beside the model's sigma at the same volumes, or
// handed to the method of the lines (--droites).

#include "model/linefit.h"
#include "model/measurement.h"
#include "model/measurementimport.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace titrage {

// The unit named by --unite: "S/m", "mS/m", "mS/cm", "µS/cm" (or "uS/cm").
std::optional<SigmaUnit> sigmaUnitNamed(const std::string& name);

// The file's points, or nothing after its message on `err`.
std::optional<std::vector<FitPoint>> readMeasures(const std::string& path, SigmaUnit unit,
                                                  std::ostream& err);

// One row per measurement: V, the measured sigma and the model's sigma at V
// (S/m), French or raw as the table is.
void printMeasures(const std::vector<FitPoint>& points, Model& model, BenchEntries entries,
                   bool raw, std::ostream& out);

} // namespace titrage
