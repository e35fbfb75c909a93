#include "printing/core/historylines.h"

namespace titrage {

std::vector<HistoryEntry> historyEntries(const SituationStore& store, const Model& catalogue)
{
    std::vector<HistoryEntry> entries;
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = store.sit[k];
        if (!s.courbefinie) continue;
        const auto& t = s.textesit;
        HistoryEntry e;
        e.situation = k;
        e.title = "Courbe n°" + std::to_string(k + 1);

        e.beaker.label = "Solution dans le bécher : ";
        e.beaker.body =
            t[4] + " mL " + soluteName(catalogue, s) + " de concentration " + t[3] + " mol · L";
        e.beaker.exponent = "-1";
        if (hasAddedWater(s)) e.beaker.tail = " avec " + t[5] + " mL d'eau";
        e.beaker.tail += ".";

        e.burette.label = "Solution dans la burette : ";
        e.burette.body = std::string(s.optsit[1] ? "hydroxyde de sodium" : "acide chlorhydrique") +
                         " de concentration " + t[1] + " mol · L";
        e.burette.exponent = "-1";
        e.burette.tail = ".";
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace titrage
