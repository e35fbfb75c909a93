// The typed entry boxes: whatever is typed (after the key filter), the
// corrected value lies in the box's range, is finite, and its text reads back
// as a number the rules keep; the volumes respect each other. The same rules
// applied to a configuration's six texts reach a fixed point.
#include "model/entryvalidation.h"
#include "config/core/configvalues.h"
#include "platform/core/numberformat.h"

#include "fuzz/fuzzsupport.h"

#include <cmath>
#include <cstdint>

using namespace titrage;

namespace {

// What the box holds once the keys went through the filter.
std::string typed(std::string_view keys)
{
    std::string text;
    for (const char key : keys) {
        const std::optional<char> kept = filterEntryKey(key);
        if (!kept) continue;
        if (*kept == '\b') {
            if (!text.empty()) text.pop_back();
        } else {
            text += *kept;
        }
    }
    return text;
}

void checkRange(int box, double x, double other)
{
    CHECK(std::isfinite(x));
    switch (box) {
    case BoxConcentration:
    case BoxBurette:
        CHECK(x >= 1e-8 && x <= 0.01);
        break;
    case BoxPka:
        CHECK(x >= 0 && x <= 14);
        break;
    case BoxSpare:
        CHECK(x >= 0.5 && x <= 10);
        break;
    case BoxVsol:
        CHECK(x >= 1);
        if (other >= 0 && other <= 180) CHECK(x + other >= 20 - 1e-9 && x + other <= 200 + 1e-9);
        break;
    case BoxWater:
        CHECK(x >= 0);
        if (other >= 1 && other <= 200) CHECK(x + other >= 20 - 1e-9 || x == 0);
        break;
    case BoxPoured:
        CHECK(x >= 0 && x <= 25);
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Three texts separated by newlines: the box's, then the two volumes'.
    std::string_view parts[3];
    std::size_t at = 0;
    for (int i = 0; i < 3 && at <= bytes.size(); ++i) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        parts[i] = bytes.substr(at, end - at);
        at = end + 1;
    }
    for (int box = BoxConcentration; box <= BoxWater; ++box) {
        // Raw texts (a file may hold anything) and typed ones.
        for (const std::string& text : {std::string(parts[0]), typed(parts[0])}) {
            const std::string vsol(parts[1]);
            const std::string veau(parts[2]);
            const ValidatedEntry v = validateEntry(box, text, vsol, veau);
            const double other = parseNumber(box == BoxVsol ? veau : vsol).value_or(0.0);
            checkRange(box, v.value, other);
            const std::optional<double> back = parseNumber(v.text);
            CHECK(back && std::isfinite(*back));
            CHECK(v.text.find("nan") == std::string::npos &&
                  v.text.find("inf") == std::string::npos);
            // The corrected text is taken as it is when validated again.
            const ValidatedEntry again = validateEntry(box, v.text, vsol, veau);
            CHECK(again.text == v.text);
        }
    }

    // A configuration's texts: corrected once, nothing left to correct.
    Situation s;
    for (std::size_t j = 0; j < 6; ++j)
        s.textesit[j] = std::string(parts[j % 3]) + (j >= 3 ? "0" : "");
    correctSituation(s);
    for (std::size_t j = 0; j < 6; ++j) {
        const std::optional<double> x = parseNumber(s.textesit[j]);
        CHECK(x && std::isfinite(*x));
    }
    // A second pass may repeat a volume notice (a rounded text can fall just
    // short again, as in the box) but changes no text.
    Situation twice = s;
    correctSituation(twice);
    CHECK(twice.textesit == s.textesit);
    return 0;
}
