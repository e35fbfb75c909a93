#pragma once
// What the exercise menu needs from the main window.

#include "config/configbench.h"

#include <QString>

#include <optional>

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
    // The beaker's concentration (mol/L) while "Masquer la concentration"
    // hides it from the student; nothing when it is shown.
    virtual std::optional<double> hiddenConcentration() const { return std::nullopt; }
};

} // namespace titrage
