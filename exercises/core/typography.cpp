#include "exercises/core/typography.h"

#include <regex>

namespace titrage {

namespace {

constexpr const char* kNbsp = "\u00a0";

// The units the texts write after a number. A unit is followed by the end of
// its word: a space, punctuation, a markup sign or a raised power.
const std::regex& numberThenUnit()
{
    static const std::regex re("([0-9}]) (mL|L|mol|mmol|g|kg|mg|S|mS|µS|cm|m|°C|°|%|K|s|min|h)"
                               "(?=$|[ ,.;:!?)*/^]|\u00a0)");
    return re;
}

} // namespace

std::string frenchTypography(std::string_view source)
{
    std::string s(source);
    auto replaceAll = [&s](const std::string& from, const std::string& to) {
        for (std::size_t at = s.find(from); at != std::string::npos;
             at = s.find(from, at + to.size()))
            s.replace(at, from.size(), to);
    };
    for (const char* mark : {":", ";", "?", "!", "»"})
        replaceAll(std::string(" ") + mark, kNbsp + std::string(mark));
    replaceAll("« ", std::string("«") + kNbsp);
    replaceAll(" · ", std::string(kNbsp) + "·" + kNbsp);
    replaceAll(" × ", std::string(kNbsp) + "×" + kNbsp);
    replaceAll("^{-", "^{\u2212");
    // Digit groups: "1 000", "0,006 1".
    static const std::regex thousands("([0-9]) ([0-9]{3})(?![0-9])");
    static const std::regex decimals("(,[0-9]{3}) ([0-9])");
    s = std::regex_replace(s, thousands, std::string("$1") + kNbsp + "$2");
    s = std::regex_replace(s, decimals, std::string("$1") + kNbsp + "$2");
    s = std::regex_replace(s, numberThenUnit(), std::string("$1") + kNbsp + "$2");
    return s;
}

} // namespace titrage
