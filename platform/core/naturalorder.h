#pragma once
// Names in the order a reader expects: a run of digits compares by its value,
// so "EXO2" comes before "EXO10"; letters compare without regard to case.

#include <string_view>

namespace titrage {

// True when `a` comes before `b`. Ties of value ("EXO02", "EXO2") and of case
// fall back on the plain byte order, so the order is total and stable.
bool naturalLess(std::string_view a, std::string_view b);

} // namespace titrage
