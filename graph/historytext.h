#pragma once
// "historique": the rich text of the history "Histo", one entry per situation
// whose curve is finished, in the situation's colour, with both solutions.

#include "model/model.h"
#include "model/situations.h"

#include <QColor>

class QTextEdit;

namespace titrage {

// Colour of situation k's curve; the tenth is a system colour, so the caller
// passes the button-text colour it stands for.
QColor situationQColor(int k, QColor tenthColour);

// Rebuilds `histo` from empty. `catalogue` gives the solute names.
void historique(QTextEdit& histo, const SituationStore& store, const Model& catalogue,
                QColor tenthColour);

} // namespace titrage
