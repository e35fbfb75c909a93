#pragma once
// The program's icon, drawn by the same code for the window, the menus and the
// PNG sizes installed beside the scalable data/titrage.svg, so that no image
// plug-in is needed at run time: a burette dripping into a beaker, and the
// rising line of a conductimetric curve.

#include <QIcon>
#include <QImage>

namespace titrage {

// The icon drawn on a transparent square of `size` pixels.
QImage titrageIconImage(int size);

// The icon at the usual sizes of title bars, task bars and menus.
QIcon titrageIcon();

} // namespace titrage
