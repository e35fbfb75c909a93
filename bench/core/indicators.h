#pragma once
// The ten coloured indicators and the colour each gives the liquid at a pH.

#include <array>
#include <string>

namespace titrage {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr int kIndicators = 10;

// List entries, index = indicator number.
const std::array<std::string, kIndicators>& indicatorNames();

// Base colour of the liquid for indicator `index` at pH `ph`: constant zones
// and linear transitions, each zone closed at its lower end; a transition's
// components are rounded to the nearest integer, halves to even. An unknown
// index gives the colourless liquid.
Rgb indicatorColour(int index, double ph);

} // namespace titrage
