#pragma once
// The failure messages of the exercise menu and chooser, all with the error
// icon and an OK button.

#include <QString>

class QWidget;

namespace titrage {

// The exercise file cannot be opened or read.
void warnExerciseUnreadable(QWidget* parent);
// A statement or correction text named by an exercise cannot be loaded;
// `path` is the exercise's folder followed by the name.
void warnTextMissing(QWidget* parent, const QString& path);

} // namespace titrage
