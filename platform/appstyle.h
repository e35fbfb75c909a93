#pragma once
// The application's style: the desktop's own, with two changes for a class
// that watches a projector or drives the bench from the keyboard.
//  - Sizes taken from the style (check marks, radio buttons, scroll bars,
//    frames, margins) grow with the window a widget is shown in, as much as
//    its layout is scaled (layoutScale).
//  - The control with the keyboard focus stands out on any background: a
//    frame two pixels wide (grown with the window) in dark blue, drawn by the
//    style itself, so that no style sheet is needed and the fonts the scaling
//    sets are kept.

#include <QColor>
#include <QtGlobal>

class QWidget;

namespace titrage {

inline const QColor kFocusColour(0, 0, 180);

// The focus frame's width for a control: 2 pixels, grown with its window.
qreal focusPenWidth(const QWidget* widget);

// Installs the style on the application once (a later call does nothing).
void useAppStyle();

} // namespace titrage
