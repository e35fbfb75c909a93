#pragma once
// The drawn pieces of the bench: tap, drop, stand, stirrer, burette glass and
// conductimeter. Each piece paints on any QPainter in the logical units of the
// apparatus picture (one unit per pixel, y downwards), so that the same
// drawing serves the screen, a copy and a print. Pictures used as icons
// (the tap, the drop) are rendered at twice their size or more for crisp
// display on high-density screens.

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

namespace titrage::artwork {

// Fixed colours of the drawing.
inline const QColor kInk(0, 0, 0);
inline const QColor kGlassEdge(170, 185, 200); // inner line of a glass wall
inline const QColor kTitrant(226, 238, 250);   // the colourless titrant, faintly tinted
inline const QColor kSteel(150, 155, 165);
inline const QColor kBench(214, 190, 150);

inline constexpr QSize kTapSize{24, 24};
inline constexpr QSize kDropSize{16, 16};

// The tap's key seen beside the burette: the lever across the stem when
// closed, along it when open. Transparent background.
QImage tapImage(bool open, qreal devicePixelRatio = 2.0);
// A falling drop of titrant, pointed end up. Transparent background.
QImage dropImage(qreal devicePixelRatio = 2.0);

// Retort stand: base plate resting on `benchTop`, rod at `rodX`, a boss and
// an arm reaching the clamp jaws around the burette between `tubeLeft` and
// `tubeRight` at height `clampY`.
void drawStand(QPainter& p, double rodX, double benchTop, double clampY, double tubeLeft,
               double tubeRight);

// Magnetic stirrer filling `body`, its top plate along the top edge.
void drawStirrer(QPainter& p, const QRectF& body);

// Magnetic bar lying on the bottom of the beaker, centred on `cx`.
void drawStirBar(QPainter& p, double cx, double bottom);

// Conductimeter case with its display window and dials.
void drawConductimeterCase(QPainter& p, const QRectF& body, const QRectF& display);

// Head of the conductivity cell between `top` and `bottom`, centred on `cx`,
// and the cable from it to the socket at `socket`.
void drawCellHead(QPainter& p, double cx, double top, double bottom, QPointF socket);

// The bench across the whole picture: worktop at `top`, cabinet down to `bottom`.
void drawBench(QPainter& p, double width, double top, double bottom);

} // namespace titrage::artwork
