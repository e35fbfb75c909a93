#include "model/situations.h"

#include "model/model.h"
#include "platform/core/numberformat.h"

#include <cctype>

namespace titrage {

namespace {
constexpr const char* kTags[kSituations] = {
    "&H00FF0000&", "&H00008000&", "&H00C000C0&", "&H00808000&", "&H000080FF&",
    "&H00FF00FF&", "&H000000FF&", "&H00800000&", "&H000040C0&", "&H80000012&",
};
} // namespace

std::optional<SituationText> situationTextOf(EntryBox box)
{
    switch (box) {
    case BoxConcentration:
        return TextConcentration;
    case BoxBurette:
        return TextBurette;
    case BoxPka:
        return TextPka;
    case BoxVsol:
        return TextVsol;
    case BoxPoured:
        return TextPoured;
    case BoxWater:
        return TextWater;
    case BoxSpare:
        break;
    }
    return std::nullopt;
}

EntryTexts entriesOf(const Situation& situation, const std::string& spare)
{
    EntryTexts texts;
    for (int box = 0; box < kEntryBoxes; ++box) {
        const auto text = situationTextOf(static_cast<EntryBox>(box));
        texts[static_cast<std::size_t>(box)] = text ? situation.textesit[*text] : spare;
    }
    return texts;
}

void storeEntries(Situation& situation, const EntryTexts& texts)
{
    for (int box = 0; box < kEntryBoxes; ++box)
        if (const auto text = situationTextOf(static_cast<EntryBox>(box)))
            situation.textesit[*text] = texts[static_cast<std::size_t>(box)];
}

const char* situationTag(int k)
{
    return k >= 0 && k < kSituations ? kTags[k] : kTags[0];
}

TagColour parseColourTag(const std::string& tag)
{
    TagColour c;
    size_t i = 0;
    if (tag.size() >= 2 && tag[0] == '&' && (tag[1] == 'H' || tag[1] == 'h')) i = 2;
    std::uint32_t value = 0;
    for (; i < tag.size() && std::isxdigit(static_cast<unsigned char>(tag[i])); ++i) {
        const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(tag[i])));
        value = value * 16 + static_cast<std::uint32_t>(ch <= '9' ? ch - '0' : ch - 'a' + 10);
    }
    c.value = value;
    c.systemColour = (value & 0x80000000u) != 0;
    return c;
}

TagColour situationColour(int k)
{
    return parseColourTag(situationTag(k));
}

std::string soluteName(const Model& catalogue, const Situation& s)
{
    const int row = s.listesit[1] + 1;
    if (row < 1 || row >= kCatalogueRows) return {};
    return s.optsit[1] ? catalogue.nomacide[row] : catalogue.nombase[row];
}

bool hasAddedWater(const Situation& s)
{
    const auto v = parseNumber(s.textesit[5]);
    return v && *v != 0.0;
}

} // namespace titrage
