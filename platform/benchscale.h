#pragma once
// Dialogs, menus and message boxes opened from the bench are laid out at the
// sizes of an 800 × 600 bench. When the bench is shown larger (maximised on a
// projector), they come up as much larger as the bench itself, so that the
// class reads them from the back of the room: their fonts, their fixed sizes,
// their icons and the style's margins and spacings grow alike. At the design
// size nothing changes, and they never shrink below it: a bench squeezed on a
// netbook still opens readable dialogs.

class QIcon;
class QPixmap;
class QWidget;

namespace titrage {

// How much larger than its design the bench that `w` belongs to is shown (a
// control, a window, or a dialog opened from one): 1 at the design size and
// for a smaller bench. A dialog scaled by scaleWithBench counts as the bench
// for the dialogs it opens in turn.
double benchScale(const QWidget* w);

// Scales `window` (a dialog, a message box or a pop-up menu, before it is
// shown) by the bench scale of `from`, by default the window's parent. Call it
// once the window is built; calling it again follows a bench that changed its
// size since. A window with a LayoutScaler of its own lays itself out and is
// left alone.
void scaleWithBench(QWidget* window, const QWidget* from = nullptr);

// Shows every tooltip as large as the bench (or the window) it pops up over,
// never smaller than its design: the values the graph gives under the pointer
// read from the back of the room too. Installs itself once for the program.
void scaleToolTipsWithBench();

// The picture of `icon` for a label of `side` × `side` design pixels, `scale`
// times larger: as the icon gives it at that size, or its design picture
// enlarged where the icon has none so large (a picture never fills less of
// its dialog than at the design size).
QPixmap iconPicture(const QIcon& icon, int side, double scale);

} // namespace titrage
