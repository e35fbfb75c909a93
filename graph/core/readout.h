#pragma once
// What the graph tells about the point under the mouse.

#include "platform/core/trnoop.h"

#include <string>

namespace titrage {

struct GraphReadout {
    bool inside = false; // over the frame: a cross pointer
    std::string tooltip; // empty: no tooltip
};

// Pointer at (x, y) in graph units. Over the frame (39 < x < 366, 29 < y < 251)
// the tooltip gives V = (x - 40) / 13 ("V = 12,5 mL"), and over the
// distribution diagram (titration false) the percentage too
// ("V = 12,5 mL ; p = 50,0 %"), except above the 100 % line.
GraphReadout graphReadout(double x, double y, bool titration);

// The status-line text while the mouse moves over the graph.
inline constexpr const char* kGraphReadoutInfo =
    QT_TRANSLATE_NOOP("GraphReadout", "Déplacer la souris pour lire les coordonnées d'un point.");

} // namespace titrage
