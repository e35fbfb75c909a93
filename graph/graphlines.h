#pragma once
// What the method of the two lines, the ions' shares and the legends draw on
// the graph's canvas, in the graph's logical units (V mL at x = 40 + 13 V,
// sigma at y = 250 - 220 sigma / maxaxe). Drawn on the canvas itself, they
// are part of the graph's copies and prints.

#include "model/contributions.h"
#include "model/linefit.h"

#include <QColor>
#include <QString>

#include <vector>

namespace titrage {

class Canvas;

struct LegendEntry {
    QColor colour;
    QString text;
    bool area = false; // a filled swatch (an area) rather than a stroke (a curve)
};

// A white box with a grey border holding one line per entry, its top-right
// corner at (right, top). Arial 7.
void drawLegend(Canvas& canvas, const std::vector<LegendEntry>& entries, double right, double top);

// Both fitted lines across the frame, E, and "Véq = ... ± ... mL" beside it.
// Lines fitted on the dilution-corrected sigma are drawn back on the measured
// sigma scale, sigma = (a V + b) V0 / (V0 + V), so that they run along the
// points they were fitted on.
void drawTwoLines(Canvas& canvas, const TwoLines& lines, const TwoLineOptions& options,
                  float maxaxe, int penWidth);

// The four limits of the ranges as dashed verticals with a handle under the
// frame, the student's grips to move them.
void drawRangeMarkers(Canvas& canvas, const FitRanges& ranges);
// x of each of the four markers, in the order before.from, before.to,
// after.from, after.to.
std::vector<double> markerXs(const FitRanges& ranges);

// The colour of an ion's area.
QColor ionColour(int slot);

// sigma(V) as stacked areas, one per ion, and their legend (ion and lambda).
void drawContributions(Canvas& canvas, const StackedCurve& stack, float maxaxe);

} // namespace titrage
