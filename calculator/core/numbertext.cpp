#include "calculator/core/numbertext.h"

#include "platform/core/decimaltext.h"
#include "platform/core/numberformat.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace titrage {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSkippedBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    // Gather the characters of the number without its blanks, then let
    // readDecimal round it correctly. The grammar is checked here; readDecimal
    // only converts.
    std::string clean;
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isSkippedBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean.push_back(text[i++]);
    bool digits = false;
    bool point = false;
    for (;;) {
        skipBlanks();
        if (i >= text.size()) break;
        const char c = text[i];
        if (isDigit(c)) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        clean.push_back(c);
        ++i;
    }
    if (!digits) return 0.0;

    // The exponent counts only when at least one digit follows its letter and sign.
    skipBlanks();
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::string exponent = "e";
        ++i;
        skipBlanks();
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent.push_back(text[i++]);
        bool exponentDigits = false;
        for (;;) {
            skipBlanks();
            if (i >= text.size() || !isDigit(text[i])) break;
            exponent.push_back(text[i++]);
            exponentDigits = true;
        }
        if (exponentDigits) clean += exponent;
    }

    const auto read = readDecimal(clean);
    if (!read || read->range == DecimalRange::Overflow) return std::nullopt;
    return read->value; // an underflow reads as the nearest representable value, 0 at worst
}

std::string writeNumber(double x)
{
    // The evaluator checks every result before writing it: no "NaN" or "Inf"
    // may ever travel as an intermediate result.
    assert(std::isfinite(x));
    std::string text = generalFormat(x, '.');
    // ".5" and "-.25": no 0 before the point.
    if (text.rfind("0.", 0) == 0) {
        text.erase(0, 1);
    } else if (text.rfind("-0.", 0) == 0) {
        text.erase(1, 1);
    }
    return text;
}

std::string standardText(double x)
{
    const std::string text = writeNumber(x);
    return text[0] == '-' ? text : " " + text;
}

std::string scientificText(double x)
{
    std::string text = formatNumber(x, "0.0000000E+00", '.');
    const auto e = text.find('E');
    auto end = e;
    while (end > 0 && text[end - 1] == '0')
        --end;
    if (end > 0 && text[end - 1] == '.') --end;
    text.erase(end, e - end);
    return text;
}

std::string commaExpression(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '.') c = ',';
    return out;
}

std::string commaResult(std::string_view text)
{
    std::string out = commaExpression(text);
    const size_t start = out.find_first_not_of(" -");
    if (start != std::string::npos && out[start] == ',') out.insert(start, 1, '0');
    return out;
}

std::optional<double> readDisplayedNumber(std::string_view text)
{
    std::string point(text);
    for (char& c : point)
        if (c == ',') c = '.';
    return readNumber(point);
}

} // namespace titrage
