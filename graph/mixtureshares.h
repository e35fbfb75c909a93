#pragma once
// The ions' shares of a mixture's conductivity, stacked along the curve as
// for a single couple, with each precipitate's amount over them: a dashed
// line on a scale of its own (its largest amount at 80 % of the frame),
// named in the legend with that amount.

#include "model/mixturebench.h"

#include <QColor>
#include <QRectF>

namespace titrage {

class Canvas;

// The colour of a species' area (the bench's own ions keep their colours).
QColor mixtureSpeciesColour(int species);

// The areas, the precipitates' lines and their legend, placed where it hides
// none of them; the legend's box.
QRectF drawMixtureShares(Canvas& canvas, const MixtureStack& stack, float maxaxe);

} // namespace titrage
