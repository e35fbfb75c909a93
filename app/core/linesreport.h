#pragma once
// What `titrage-table --droites` prints of the method of the two lines, and
// its option `--bruit GRAINE` (the points read as a realistic series).

#include "model/linebreaks.h"
#include "model/linefit.h"

#include <cstdint>
#include <optional>
#include <string>

namespace titrage {

// GRAINE: a whole number from 0 to 2^64 - 1, in decimal.
std::optional<std::uint64_t> parseSeed(const std::string& text);

struct LinesReportOptions {
    bool raw = false;      // --raw
    bool brut = false;     // --brut: on the measured sigma
    bool measured = false; // the points were measured (scattered), not the model's
};

// The report of a fit found. On the model's points the intersection is a
// construction: the text says so and gives no "±", and --raw's u_veq is 0.
// On measured points the text gives u(Véq) and U(Véq) (95 %), and --raw adds
// the column U95.
std::string linesReport(const TwoLines& t, const LinesReportOptions& o);
// The report of several breaks: each Véq as above after its name (E₁, E₂ …),
// then the k + 1 lines; with --raw one row per break, in order, of the lines
// before and after it. A single break is reported as above.
std::string linesReport(const BrokenLines& b, const LinesReportOptions& o);

} // namespace titrage
