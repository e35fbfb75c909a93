#pragma once
// The main window's "&Enregistrer" and "&Ouvrir" buttons.

#include "config/configbench.h"

namespace titrage {

// "&Enregistrer": selects the current situation again, so that the history
// holds the bench as it is, then shows the save dialog modally.
void showSaveDialog(ConfigBench& bench);

// "&Ouvrir": shows the open dialog modally.
void showOpenDialog(ConfigBench& bench);

} // namespace titrage
