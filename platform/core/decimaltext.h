#pragma once
// Decimal numbers in the "." syntax, read and written without the C library's
// locale. QApplication sets LC_NUMERIC from the environment, and under a
// French or German locale strtod stops at the "." and printf writes a ",":
// every conversion between text and double goes through here instead, so the
// program reads "0,005" as 0,005 on any machine.

#include <cstddef>
#include <optional>
#include <string_view>

namespace titrage {

enum class DecimalRange {
    InRange,
    Underflow, // smaller than the smallest normal double: 0 or a subnormal value
    Overflow,  // beyond the largest double: the value is ±infinity
};

struct DecimalValue {
    double value = 0.0;
    DecimalRange range = DecimalRange::InRange;
    std::size_t length = 0; // characters read from the start of the text
};

// Reads the longest prefix of `text` of the form
//   [+|-] digits [. [digits]] | [+|-] . digits, then optionally (e|E) [+|-] digits
// the way strtod does under the C locale (no leading blanks, no "inf", "nan"
// or hexadecimal). Nothing when the text does not begin with such a number.
std::optional<DecimalValue> readDecimal(std::string_view text);

// The text of x as printf's "%.*e" with `decimals` digits after the point
// ("1.500000e-05"), or "%.*g" with `significant` digits ("0.3", "1e+20").
// `out` must hold 64 characters; the length written is returned.
std::size_t writeScientific(double x, int decimals, char* out);
std::size_t writeGeneral(double x, int significant, char* out);

} // namespace titrage
