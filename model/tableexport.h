#pragma once
// The table of values written for a spreadsheet: a CSV file that a French
// spreadsheet opens as numbers (";" between cells, the decimal comma, UTF-8
// with a byte-order mark), the situation's parameters on lines of their own,
// then a header row naming each column with its unit.

#include <string>
#include <utility>
#include <vector>

namespace titrage {

// The names of the table's 4 or 6 columns, with their units.
// With the pH-meter in, "pH" follows them.
std::vector<std::string> columnNames(int columns, bool phColumn = false);

// What the export says of the titration above the table.
struct ExportSituation {
    int number = 0; // situation 1..10; 0: none named
    bool acide = true;
    std::string solute;
    std::string concentration; // as typed, decimal comma
    bool masked = false;       // the beaker's concentration is hidden from the student
    std::string vsol;
    std::string veau;
    std::string cburette;
};

using ParameterLine = std::pair<std::string, std::string>;
std::vector<ParameterLine> exportParameters(const ExportSituation& situation);

// The whole file: byte-order mark, parameter lines, an empty line, the
// header, the rows (cells already in the table's decimal-comma form), with
// CR LF line ends. Cells holding ";", a quote or a line end are quoted.
std::string csvTable(const std::vector<ParameterLine>& parameters,
                     const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows);

// The same table for Python (numpy.loadtxt(f, skiprows=1)) and Regressi:
// one header line of ASCII names with their units, the parameters on comment
// lines "# name : value" (numpy skips them as comments), then the rows
// separated by tabs with the decimal point, CR LF line ends, UTF-8 without a
// byte-order mark. An empty cell (a measurement that has no concentration)
// is written "nan", which numpy reads as a number and keeps every row as wide
// as the header.
std::vector<std::string> pythonColumnNames(int columns, bool phColumn = false);
std::string pythonTable(const std::vector<ParameterLine>& parameters,
                        const std::vector<std::string>& header,
                        const std::vector<std::vector<std::string>>& rows);

} // namespace titrage
