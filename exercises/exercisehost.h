#pragma once
// What the exercise menu needs from the main window.

#include "config/configbench.h"

#include <QString>

class QTextEdit;
class QWidget;

namespace titrage {

class ExerciseHost {
public:
    virtual ~ExerciseHost() = default;
    virtual QWidget* exerciseWindow() = 0;  // parent of the dialogs and messages (the main window)
    virtual QTextEdit& exerciseText() = 0;  // `supertext`
    virtual ConfigBench& configBench() = 0; // for lireconfig (setNomfichier then lireconfig)
    virtual QString programFolder() const = 0;
};

} // namespace titrage
