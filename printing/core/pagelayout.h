#pragma once
// Where each printed item goes on the pages of one copy. Positions are in
// twips (1/1440 inch) from the top-left corner of the printable area; the
// renderer turns them into the printer's own units.
//
// The page carries the title at its top; the first item starts H/20 lower.
// The illustration and the graph are centred one under the other with H/20
// between them, the history of the curves under the graph from the graph's
// left edge. The graph and its history stay one view: they move together to
// a page of their own rather than part, and a history too long for the page
// goes on at the top of the next one, on a page of its own. The table goes on
// a page of its own when anything else is printed, titled with the page
// number.

#include <string>
#include <vector>

namespace titrage {

struct PrintChoice {
    bool illustration = false; // "L'illustration"
    bool graph = false;        // "Le graphe" with the history of the curves
    bool table = false;        // "Le tableau de valeurs"
    bool any() const { return illustration || graph || table; }
};

struct PrintSize {
    double width = 0;
    double height = 0;
};

struct LayoutInput {
    PrintSize page; // printable area
    PrintChoice choice;
    PrintSize illustration;
    PrintSize graph;
    PrintSize table;                    // the whole grid
    double tableHeader = 0;             // height of the header row
    double tableRow = 0;                // height of a data row
    double historyLead = 0;             // the empty line the history starts with
    std::vector<double> historyEntries; // height of each finished curve's entry
};

enum class LayoutKind { Title, Illustration, Graph, History, Table, TableBorder };

struct LayoutItem {
    LayoutKind kind = LayoutKind::Title;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    // History: the entries [first, first + count), with the leading empty line
    // when `lead`. Table: the data rows [first, first + count) under the header.
    int first = 0;
    int count = 0;
    bool lead = false;
};

struct LayoutPage {
    int number = 1; // within the copy; the title of a page after the first says so
    std::vector<LayoutItem> items;
};

// Rows of 26 measurements (0 to 25 mL by 1 mL): the table's left border is
// drawn that long under the header.
inline constexpr int kBorderRows = 26;

// The pages of one copy; none when nothing is chosen.
std::vector<LayoutPage> layoutCopy(const LayoutInput& in);

// The title printed on page `number` of a copy: " (page n)" added after the first.
std::string pageTitle(const std::string& title, int number);

// Data rows of a grid picture of `height` under its header.
int tableRowCount(double height, double header, double row);

} // namespace titrage
