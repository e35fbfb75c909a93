#pragma once
// Accessible names and descriptions of the controls of every window, for
// screen readers: from a table of the program's controls by object name,
// else from the control's tool tip. The conductimeter reads out its σ text as
// its value.

class QLabel;
class QWidget;

namespace titrage {

// Once for the program (the bench does it): each window's controls are named
// when the window is shown, and the conductimeter gets its own interface.
void installAccessibleNames();

// Names the controls of `window` that have no accessible name yet.
void nameControls(QWidget& window);

// The conductimeter `label` shows a new σ: assistive technologies are told.
void conductimeterChanged(QLabel& label);

} // namespace titrage
