#include "config/core/configvalues.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

// textesit(j) and the entry box whose rules it follows.
struct StoredEntry {
    std::size_t text;
    int box;
};
// The beaker volume before the water, each checked against the other, and the
// beaker volume once more: a file may hold two volumes that are both wrong
// ("20" and "-210"), which the boxes never do, and the water corrected to 0
// can leave the beaker volume above 200 mL.
constexpr StoredEntry kEntries[] = {
    {3, BoxConcentration}, {1, BoxBurette}, {0, BoxPka},    {4, BoxVsol},
    {5, BoxWater},         {4, BoxVsol},    {2, BoxPoured},
};
constexpr std::size_t kVsolText = 4;
constexpr std::size_t kWaterText = 5;

} // namespace

std::vector<Notice> correctSituation(Situation& situation)
{
    std::vector<Notice> notices;
    for (const StoredEntry& entry : kEntries) {
        std::string& text = situation.textesit[entry.text];
        const ValidatedEntry valid = validateEntry(entry.box, text, situation.textesit[kVsolText],
                                                   situation.textesit[kWaterText]);
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
