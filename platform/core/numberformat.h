#pragma once
// Numbers as the bench reads and writes them: the decimal comma in every box,
// label and table cell, whatever the machine's locale.

#include <optional>
#include <string>
#include <string_view>

namespace titrage {

// Reads a number typed by a user or written by the program: an optional sign,
// digits, one decimal separator (comma or point), an optional exponent
// ("1,5E-05"). Blanks anywhere between the digits are ignored, because the
// concentration format writes 1e-8 as "0,000 000 01". Returns nothing for an
// empty text, any other character, or a value that does not fit a double.
std::optional<double> parseNumber(std::string_view text);

// Like parseNumber, rounded to a 32-bit float; nothing if it overflows a float.
std::optional<float> parseFloat(std::string_view text);

// Formats x with one of the display patterns the program uses:
//   fixed      "#0.0", "#0.0#", "###0.0#", "####0.0", "####0.0#", "#0.00",
//              "##0.000", "###0.0## ### ### ###" (a blank after every third decimal)
//   scientific "0.00E+00", "0.0E+00", "0.0000E+00"
// Rounding is half away from zero on the value's 15-significant-digit decimal
// form. A pattern that is none of these shapes gives generalFormat(x).
std::string formatNumber(double x, std::string_view pattern, char decimalSeparator = ',');

// The general number format: the shortest text with at most 7 significant
// digits for a 32-bit value (15 for a 64-bit one), fixed notation from 1E-04
// up to the precision's limit, otherwise mantissa and exponent as in "1,5E-05".
std::string generalFormat(float x, char decimalSeparator = ',');
std::string generalFormat(double x, char decimalSeparator = ',');

// Rounds x to n significant digits the way the program does it: formatted in
// scientific notation with n digits, then read back.
double roundSignificant(double x, int digits);

// Removes leading and trailing blanks.
std::string trimmed(std::string_view text);

} // namespace titrage
