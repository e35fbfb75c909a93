#pragma once
// The state-dependent rules of the apparatus drawing, in the units of the
// apparatus picture (y grows downwards).

#include "bench/core/indicators.h"

namespace titrage {

// Liquid surface in the beaker: 455 - 0.3 (Vsol + Veau + V), to the nearest
// integer (halves to even); 20 mL alone stands at 449.
int niveauBecher(double vsol, double veau, double vpoured);

// Liquid surface in the burette: 10 units per mL from y = 27 at 0 mL.
double buretteSurface(double vpoured);

inline constexpr int kLiquidLeft = 52;
inline constexpr int kLiquidRight = 100;

// Colour of the liquid column at x (52..100): brightest at the left edge,
// darkened by (52 / x)^0.4 to the right.
Rgb liquidColumnColour(Rgb base, int x);

// Colour of the immersed cell: the liquid darkened to 0.6.
Rgb cellColour(Rgb base);

// The pH-meter's glass electrode, between the burette's stream (x = 62..63)
// and the conductivity cell (x = 86..92), clear of the stirring bar: its head
// from y = 338, the stem from 352 down to the bulb centred at 440, all moved
// down by decalage.
inline constexpr int kPhProbeLeft = 73;
inline constexpr int kPhProbeRight = 79;
inline constexpr int kPhProbeHeadTop = 338;
inline constexpr int kPhProbeTop = 352;
inline constexpr int kPhProbeBulb = 440;

} // namespace titrage
