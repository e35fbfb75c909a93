#pragma once
// French typography for the texts the program ships and the ones a teacher
// writes in the exercise markup: the spaces that must not break a line
// (before ":", ";", "?", "!", "»", after "«", between a number and its unit,
// around the "·" and "×" of units and powers of ten, inside a number's digit
// groups) become non-breaking, and the minus of an exponent ("^{-2}") the
// minus sign. Only ordinary spaces are changed: a text already typed with
// non-breaking ones is left as it is.

#include <string>
#include <string_view>

namespace titrage {

std::string frenchTypography(std::string_view line);

} // namespace titrage
