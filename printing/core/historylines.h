#pragma once
// The printed history of the finished curves: for each situation whose curve
// is finished, its title and the two lines describing the beaker and the
// burette, in the wording of the "Historique" page but with "de
// concentration" kept on one line.

#include "model/model.h"
#include "model/situations.h"
#include "platform/core/trnoop.h"

#include <string>
#include <vector>

namespace titrage {

// One printed line: a bold label, then plain text, a raised "-1" and the end.
struct HistoryLine {
    std::string label;    // "Solution dans le bécher : "
    std::string body;     // "20,0 mL acide éthanoïque de concentration 0,01 mol · L"
    std::string exponent; // "-1"
    std::string tail;     // " avec 10,0 mL d'eau."
};

struct HistoryEntry {
    int situation = 0; // slot k, shown as k + 1
    std::string title; // "Courbe n°2"
    HistoryLine beaker;
    HistoryLine burette;
};

// The entries of the finished curves, in slot order; none when no curve is finished.
// The words go through `translator` (context "HistoryLines", the solute's name
// "Catalogue"); without one they are French.
std::vector<HistoryEntry> historyEntries(const SituationStore& store, const Model& catalogue,
                                         CoreTranslator translator = nullptr);

} // namespace titrage
