#pragma once
// Validation of the bench's entry boxes: every value is corrected into its
// range rather than refused, and reformatted with the decimal comma. Volume
// corrections are reported to the student; the others are silent.
// The configuration reader puts every loaded text through the same rules, so
// they live beside the model variables they bound rather than in a window.

#include "model/situations.h"

#include "platform/core/trnoop.h"

#include <optional>
#include <string>
#include <string_view>

namespace titrage {

struct Notice {
    std::string title;
    std::string text;
};

struct ValidatedEntry {
    double value = 0;
    std::string text; // what the box shows afterwards
    std::optional<Notice> notice;
};

inline constexpr const char* kVolumeCorrected =
    QT_TRANSLATE_NOOP("EntryValidation", "Volume corrigé");
inline constexpr const char* kMinimumVolume = QT_TRANSLATE_NOOP(
    "EntryValidation", "Le volume minimum pour que la sonde soit immergée est de 20 mL.");
inline constexpr const char* kMaximumVolume =
    QT_TRANSLATE_NOOP("EntryValidation", "Le volume maximal est de 200 mL.");
inline constexpr const char* kBuretteVolume =
    QT_TRANSLATE_NOOP("EntryValidation", "La contenance de la burette est de 25 mL.");

// Corrects the text of box `box`. `vsolText` and `veauText` are the current
// texts of boxes 4 and 6: each volume is corrected against the other.
ValidatedEntry validateEntry(int box, std::string_view text, std::string_view vsolText,
                             std::string_view veauText);

// Text of a concentration, pKa or spare entry: three significant digits,
// "###0.0## ### ### ###" (1e-8 reads "0,000 000 01").
std::string concentrationText(double value);

// Keys the boxes accept: digits, comma, minus and backspace pass; a full stop
// becomes a comma; anything else is dropped. Enter validates (handled by the caller).
std::optional<char> filterEntryKey(char key);

} // namespace titrage
