#pragma once
// The ten situations the student keeps side by side: for each, the texts of
// the entry boxes, the list positions, the switches and whether its curve is
// finished. Slot k is shown to the user as situation k + 1.

#include "model/mixture.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace titrage {

inline constexpr int kSituations = 10;

// The bench's entry boxes, by the number the window knows each by.
enum EntryBox {
    BoxConcentration = 0,
    BoxBurette = 1,
    BoxPka = 2,
    BoxSpare = 3,
    BoxVsol = 4,
    BoxPoured = 5,
    BoxWater = 6,
};
inline constexpr int kEntryBoxes = 7;

// What each of a situation's seven texts holds.
enum SituationText : std::size_t {
    TextPka = 0,
    TextBurette = 1,
    TextPoured = 2,
    TextConcentration = 3,
    TextVsol = 4,
    TextWater = 5,
    TextSigmamax = 6,
};

struct Situation {
    bool courbefinie = false;
    // Indexed by SituationText: 0 pKa of the "other" solute, 1 burette
    // concentration, 2 poured volume, 3 beaker concentration, 4 beaker volume,
    // 5 added water, 6 sigmamax.
    std::array<std::string, 7> textesit{"7,0", "0,01", "0,0", "0,01", "20,0", "0,0", "0,0"};
    // 1 solute list position, 2 indicator list position; 0 unused.
    std::array<std::int16_t, 3> listesit{0, 0, 0};
    // 1 acid in the beaker, 2 burette and stirrer shown, 3 conductimeter shown,
    // 4 beaker concentration masked; 0 unused.
    std::array<bool, 5> optsit{false, true, true, true, false};
    // A mixture or a precipitation in the beaker (the nature "Mélange ou
    // précipitation"): its solutes and titrant; the texts above still give
    // its volumes and the burette's concentration. The configuration files
    // keep it after their 154 records (config/core/mixturerecords.h).
    std::optional<Mixture> mixture;
};

struct SituationStore {
    std::int16_t numsit = -1; // current situation; -1 before the first selection
    std::array<Situation, kSituations> sit{};
};

// The texts of the seven entry boxes, indexed by EntryBox.
using EntryTexts = std::array<std::string, kEntryBoxes>;

// The one mapping between the entry boxes and a situation's texts: the text a
// box is stored in; the spare box is stored nowhere.
std::optional<SituationText> situationTextOf(EntryBox box);
// The boxes' texts a stored situation puts on the bench; the spare box, which
// no situation stores, reads `spare`.
EntryTexts entriesOf(const Situation& situation, const std::string& spare = "1,0");
// Stores the boxes' texts into a situation: the inverse of entriesOf.
void storeEntries(Situation& situation, const EntryTexts& texts);

// Colour of situation k's curve as the tag of its option button holds it.
const char* situationTag(int k);

// The tag's 0x00BBGGRR value; the tenth (0x80000012) is a system colour, for
// which `systemColour` is true and the caller substitutes the button-text colour.
struct TagColour {
    std::uint32_t value = 0;
    bool systemColour = false;
    int red() const { return static_cast<int>(value & 0xFF); }
    int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    int blue() const { return static_cast<int>((value >> 16) & 0xFF); }
};
TagColour parseColourTag(const std::string& tag);
TagColour situationColour(int k);

struct Model;

// The catalogue name of a stored situation's solute (its list position on its
// own side); empty when the stored position lies outside the list.
std::string soluteName(const Model& catalogue, const Situation& situation);

// Whether the history mentions the added water: not when the stored volume
// reads as 0, nor when it is not a number (the water box reads that as 0).
bool hasAddedWater(const Situation& situation);

} // namespace titrage
