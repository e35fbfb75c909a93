#include "config/core/configvalues.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

// The beaker volume before the water, each checked against the other, and the
// beaker volume once more: a file may hold two volumes that are both wrong
// ("20" and "-210"), which the boxes never do, and the water corrected to 0
// can leave the beaker volume above 200 mL.
constexpr EntryBox kOrder[] = {BoxConcentration, BoxBurette, BoxPka,   BoxVsol,
                               BoxWater,         BoxVsol,    BoxPoured};

} // namespace

std::vector<Notice> correctSituation(Situation& situation)
{
    std::vector<Notice> notices;
    for (const EntryBox box : kOrder) {
        std::string& text = situation.textesit[*situationTextOf(box)];
        const ValidatedEntry valid =
            validateEntry(box, text, situation.textesit[TextVsol], situation.textesit[TextWater]);
        const std::optional<double> read = parseNumber(text);
        if (read && std::isfinite(*read) && *read == valid.value) continue;
        text = valid.text;
        if (valid.notice && std::find_if(notices.begin(), notices.end(), [&](const Notice& n) {
                                return n.text == valid.notice->text;
                            }) == notices.end())
            notices.push_back(*valid.notice);
    }
    return notices;
}

} // namespace titrage
