#pragma once
// What the method of the two lines, the ions' shares and the legends draw on
// the graph's canvas, in the graph's logical units (V mL at x = 40 + 13 V,
// sigma at y = 250 - 220 sigma / maxaxe). Drawn on the canvas itself, they
// are part of the graph's copies and prints.

#include "model/contributions.h"
#include "model/linebreaks.h"
#include "model/linefit.h"
#include "model/montecarlo.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <utility>
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
// The size of that box: its longest text with its swatch and margins.
QSizeF legendSize(const Canvas& canvas, const std::vector<LegendEntry>& entries);
// The legend inside the frame where it hides nothing drawn so far (see
// freeSpotInFrame); the box it took.
QRectF drawLegendInFrame(Canvas& canvas, const std::vector<LegendEntry>& entries);

// Both fitted lines across the frame, straight on the scale they were fitted
// on (maxaxe: the graph's for the measured sigma, correctedScale's for the
// corrected one), E with its drop to the volume axis, and "droites : Véq =
// ... ± ... mL" beside it, where it hides no curve (the canvas is looked at).
// `label`: the lines of the text beside E, "droites : " before the first;
// empty, the fit's own "Véq = ... ± ... mL".
void drawTwoLines(Canvas& canvas, const TwoLines& lines, float maxaxe, int penWidth,
                  const std::vector<QString>& label = {});

// The k + 1 lines of several breaks, each over its stretch and a little
// beyond, each E named (E₁, E₂ …) with its drop to the volume axis, and
// beside each its label (`labels[i]`, the break's lines of text; empty: its
// "Véq = … ± … mL") where it hides no curve. A single break: drawTwoLines.
void drawBrokenLines(Canvas& canvas, const BrokenLines& lines, float maxaxe, int penWidth,
                     const std::vector<std::vector<QString>>& labels = {});

// The Monte-Carlo histogram of Véq in a white box where it hides least of
// the graph: its bars, its ends in mL, the mean and the standard deviation.
void drawVeqHistogram(Canvas& canvas, const MonteCarloResult& result);

// The top of a frame for the dilution-corrected sigma of the points: their
// largest rounded up to two significant digits; 0 when none is positive.
float correctedScale(const std::vector<FitPoint>& points, double v0);
// The points' corrected sigma as crosses on that scale, and the sigma axis's
// title made "σ corrigée (S·m⁻¹)".
void drawCorrectedPoints(Canvas& canvas, const std::vector<FitPoint>& points, double v0,
                         float maxaxe, QColor colour);

// The lines of `texts` in a white box beside `point` (left of it and above
// first), where no curve, line or cross crosses them, else the nearest spot
// of the frame that hides nothing, else the one that hides least; the box.
// The canvas's current font.
QRectF drawLabelBeside(Canvas& canvas, const std::vector<QString>& texts, QPointF point);

// Where a box of `size` hides least of what is drawn (curves, crosses, lines;
// not the white ground nor the grey grid): the first of `candidates`
// (top-left corners) that hides nothing, else the one that hides least.
QPointF leastHidingSpot(const Canvas& canvas, QSizeF size, const std::vector<QPointF>& candidates);
// The top-left corner of a box of `size` inside the frame, `margin` clear
// all round, where it hides nothing drawn: a corner of the frame when one is
// free (the upper ones first), else the first free spot from the top, else
// the spot that hides least.
QPointF freeSpotInFrame(const Canvas& canvas, QSizeF size, double margin = 2);

// The four limits of the ranges as dashed verticals with a handle under the
// frame, the student's grips to move them; the one the arrow keys move
// (`selected`, 0..3) has a larger, darker grip.
void drawRangeMarkers(Canvas& canvas, const FitRanges& ranges, int selected = -1);
// x of each of the four markers, in the order before.from, before.to,
// after.from, after.to.
std::vector<double> markerXs(const FitRanges& ranges);
// The same for k + 1 ranges: 2 (k + 1) markers, each range's from and to.
void drawRangeMarkers(Canvas& canvas, const std::vector<FitRange>& ranges, int selected = -1);
std::vector<double> markerXs(const std::vector<FitRange>& ranges);

// The colour of an ion's area.
QColor ionColour(int slot);

// The areas between successive running sums: area k lies between top[j][k-1]
// (the axis for k = 0) and top[j][k] at each vertex j, filled in colours[k].
std::vector<std::pair<QPolygonF, QColor>> stackedAreas(const std::vector<CurveVertex>& vertices,
                                                       const std::vector<std::vector<float>>& top,
                                                       const std::vector<QColor>& colours,
                                                       float maxaxe);

// sigma(V) as stacked areas, one per ion, and their legend (ion and lambda)
// where it hides no curve; the legend's box.
QRectF drawContributions(Canvas& canvas, const StackedCurve& stack, float maxaxe);

} // namespace titrage
