#pragma once
// A class's own measurements, read from the text a spreadsheet, a data logger
// or a teacher's hand wrote: one line per measurement, the poured volume in mL
// then sigma. Cells are separated by ";", a tab, "," or spaces, numbers take
// the decimal comma or point, lines before the first measurement (a title, a
// header naming the columns) are passed over, the last of them read for the
// unit of sigma. A file that is not such a table gives one French message
// naming its first faulty line, and no point at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titrage {

// The units a conductimeter or a spreadsheet gives sigma in.
enum class SigmaUnit {
    FromHeader, // as the header names it
    SiemensPerMetre,
    MilliSiemensPerMetre,
    MilliSiemensPerCentimetre,
    MicroSiemensPerCentimetre,
};

// How many S/m one unit of `unit` is (1 for FromHeader).
double siemensPerMetre(SigmaUnit unit);
// "S/m", "mS/m", "mS/cm", "µS/cm" ("" for FromHeader).
const char* sigmaUnitName(SigmaUnit unit);
// The unit a header cell names ("σ (mS/cm)", "sigma/µS.cm-1", "S·m⁻¹"), if any.
std::optional<SigmaUnit> unitInHeader(std::string_view cell);

struct ImportedMeasurement {
    double volume = 0; // mL
    double sigma = 0;  // S/m
};

struct MeasurementImport {
    std::vector<ImportedMeasurement> points; // by increasing volume; empty on error
    SigmaUnit unit = SigmaUnit::FromHeader;  // the unit the sigma column was read in
    int firstLine = 0;                       // line of the first measurement, from 1
    std::string error;                       // French, naming the line; empty when read
    bool ok() const { return error.empty(); }
};

// Limits against a file that is not a class's table: a class measures a few
// dozen points, a data logger a few thousand.
inline constexpr std::size_t kMaxImportBytes = 4u << 20;
inline constexpr std::size_t kMaxImportPoints = 20000;
// Lines of title and header passed over before the first measurement.
inline constexpr int kMaxPreambleLines = 50;
inline constexpr double kMaxImportVolume = 1000; // mL
inline constexpr double kMaxImportSigma = 100;   // S/m: beyond any aqueous solution

// Reads the table. `unit` other than FromHeader overrides the header's unit.
// Volumes may come in any order (a series measured in two passes): the points
// are sorted by volume, equal volumes kept in the file's order.
MeasurementImport importMeasurements(std::string_view text, SigmaUnit unit = SigmaUnit::FromHeader);

// The slope dσ/dV between each two successive measurements (S/m per mL), at
// their middle volume: the derivative of a measured series, whose jump marks
// the equivalence. Equal volumes are passed over.
struct MeasuredSlope {
    double volume = 0;
    double slope = 0;
};
std::vector<MeasuredSlope> measuredSlopes(const std::vector<ImportedMeasurement>& points);

// Reads the file at `path` (at most kMaxImportBytes) and imports it; a file
// that cannot be read gives a message naming it.
MeasurementImport importMeasurementFile(const std::string& path,
                                        SigmaUnit unit = SigmaUnit::FromHeader);

} // namespace titrage
