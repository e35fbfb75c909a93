#pragma once
// Numbers as the calculator reads and writes them: "." is the only decimal
// point, intermediate results travel as text between the steps of the
// evaluator, and the display shows either the plain form or a scientific one.

#include <optional>
#include <string>
#include <string_view>

namespace titrage {

// Reads the number at the start of `text`: leading blanks are skipped, blanks
// inside the number are ignored, and the longest prefix made of an optional
// sign, digits with an optional ".", and an optional exponent ("E" or "D",
// optional sign, digits) is read. A text without such a prefix reads as 0.
// Returns nothing when the number does not fit a double (1E999).
std::optional<double> readNumber(std::string_view text);

// The plain form: "." as decimal point, no blank, no 0 before the point of a
// magnitude below 1 (".5", "-.25"), at most 15 significant digits, and an
// exponent ("1E+15", "1.5E-12") outside 1E-04 ... 1E+15. `x` must be finite.
std::string writeNumber(double x);

// The result as the calculator's display shows it in "Standard": the plain
// form with a leading blank for zero and positive values (" 1", "-2").
std::string standardText(double x);

// The result in "Scientifique": one digit before the point, at most seven
// after it without trailing zeros, "E", a sign and at least two exponent
// digits ("1.234E+03"). A mantissa without decimals drops its point ("1E+03").
std::string scientificText(double x);

// What the display shows of a text that uses "." as its decimal point: the
// same text with the decimal comma, as the student reads numbers everywhere
// else. An expression keeps its shape ("1,5E-3 * ,5"); a result also gets a 0
// before a comma that starts its number (" 0,5", "-0,25").
std::string commaExpression(std::string_view text);
std::string commaResult(std::string_view text);

// The display's text read back: the decimal comma is the point again.
std::optional<double> readDisplayedNumber(std::string_view text);

} // namespace titrage
