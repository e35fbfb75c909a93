#include "printing/core/historylines.h"

#include "model/mixturebench.h"

namespace titrage {

std::vector<HistoryEntry> historyEntries(const SituationStore& store, const Model& catalogue,
                                         CoreTranslator translator)
{
    const auto say = [translator](const char* text) {
        return translated(translator, "HistoryLines", text);
    };
    std::vector<HistoryEntry> entries;
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = store.sit[k];
        if (!s.courbefinie) continue;
        const auto& t = s.textesit;
        HistoryEntry e;
        e.situation = k;
        e.title = withArgs(say(QT_TRANSLATE_NOOP("HistoryLines", "Courbe n°%1")),
                           {std::to_string(k + 1)});

        e.beaker.label = say(QT_TRANSLATE_NOOP("HistoryLines", "Solution dans le bécher : "));
        if (s.mixture) {
            // A mixture names each solute with its concentration, and its titrant.
            e.beaker.body = t[4] + " mL de " + mixtureBeakerText(catalogue, *s.mixture);
            if (hasAddedWater(s))
                e.beaker.tail =
                    withArgs(say(QT_TRANSLATE_NOOP("HistoryLines", " avec %1 mL d'eau")), {t[5]});
            e.beaker.tail += ".";
            e.burette.label =
                say(QT_TRANSLATE_NOOP("HistoryLines", "Solution dans la burette : "));
            e.burette.body = std::string(mixTitrantName(s.mixture->titrant)) +
                             " de concentration " + t[1] + " mol · L";
            e.burette.exponent = "-1";
            e.burette.tail = ".";
            entries.push_back(std::move(e));
            continue;
        }
        const std::string solute = soluteName(catalogue, s);
        e.beaker.body =
            withArgs(say(QT_TRANSLATE_NOOP("HistoryLines", "%1 mL %2 de concentration %3 mol · L")),
                     {t[4], translated(translator, "Catalogue", solute.c_str()), t[3]});
        e.beaker.exponent = "-1";
        if (hasAddedWater(s))
            e.beaker.tail =
                withArgs(say(QT_TRANSLATE_NOOP("HistoryLines", " avec %1 mL d'eau")), {t[5]});
        e.beaker.tail += ".";

        e.burette.label = say(QT_TRANSLATE_NOOP("HistoryLines", "Solution dans la burette : "));
        e.burette.body = withArgs(
            say(s.optsit[1] ? QT_TRANSLATE_NOOP("HistoryLines",
                                                "hydroxyde de sodium de concentration %1 mol · L")
                            : QT_TRANSLATE_NOOP("HistoryLines",
                                                "acide chlorhydrique de concentration %1 mol · L")),
            {t[1]});
        e.burette.exponent = "-1";
        e.burette.tail = ".";
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace titrage
