#include "printing/historylines.h"

#include "platform/numberformat.h"

namespace titrage {

namespace {

std::string soluteName(const Model& catalogue, const Situation& s)
{
    const int row = s.listesit[1] + 1;
    if (row < 1 || row >= kCatalogueRows) return {};
    return s.optsit[1] ? catalogue.nomacide[row] : catalogue.nombase[row];
}

// The water phrase is left out when the stored volume reads as 0; a text that
// is not a number reads as 0, as the water box's own reading does.
bool hasWater(const std::string& text)
{
    const auto v = parseNumber(text);
    return v && *v != 0.0;
}

} // namespace

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
        if (hasWater(t[5])) e.beaker.tail = " avec " + t[5] + " mL d'eau";
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
