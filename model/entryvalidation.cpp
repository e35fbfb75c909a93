#include "model/entryvalidation.h"

#include "platform/core/numberformat.h"

namespace titrage {

std::string concentrationText(double value)
{
    return trimmed(formatNumber(roundSignificant(value, 3), "###0.0## ### ### ###"));
}

std::optional<char> filterEntryKey(char key)
{
    if ((key >= '0' && key <= '9') || key == ',' || key == '-' || key == '\b') return key;
    if (key == '.') return ',';
    return std::nullopt;
}

ValidatedEntry validateEntry(int box, std::string_view text, std::string_view vsolText,
                             std::string_view veauText)
{
    ValidatedEntry r;
    double x = parseNumber(text).value_or(0.0);

    if (box == BoxPka) {
        // A negative pKa becomes 0,1 (not 0: pKa 0 is the strong acid's marker).
        if (x < 0) x = 0.1;
        if (x > 14) x = 13.9;
    } else if (x < 0) {
        x = 0;
    }

    switch (box) {
    case BoxConcentration:
    case BoxBurette:
        if (x < 1e-8) x = 1e-8;
        if (x > 0.01) x = 0.01;
        break;
    case BoxSpare:
        if (x < 0.5) x = 0.5;
        if (x > 10) x = 10;
        break;
    case BoxVsol:
    case BoxWater: {
        const double other = parseNumber(box == BoxVsol ? veauText : vsolText).value_or(0.0);
        const double total = x + other;
        if (total < 20) {
            x = 20 - other;
            r.notice = Notice{kVolumeCorrected, kMinimumVolume};
        } else if (total > 200) {
            x = 200 - other;
            r.notice = Notice{kVolumeCorrected, kMaximumVolume};
        }
        if (box == BoxVsol && x < 1) x = 1;
        if (box == BoxWater && x < 0) x = 0;
        break;
    }
    case BoxPoured:
        if (x > 25) {
            x = 25;
            r.notice = Notice{kVolumeCorrected, kBuretteVolume};
        }
        break;
    default:
        break;
    }

    r.value = x;
    if (box >= BoxVsol && box <= BoxWater)
        r.text = trimmed(formatNumber(x, "###0.0#"));
    else
        r.text = concentrationText(x);
    return r;
}

} // namespace titrage
