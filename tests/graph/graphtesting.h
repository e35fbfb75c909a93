#pragma once
// Bench set-ups and pixel counts shared by the graph tests.

#include "model/measurement.h"

namespace titrage::test {

inline BenchEntries benchOf(bool acide, int position, float c, float cb)
{
    BenchEntries e;
    e.acide = acide;
    e.position = position;
    e.c = c;
    e.cburette = cb;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    e.vverse = 0.0f;
    return e;
}

// The model as the bench's refresh loads it; `pka` is typed for "autre acide/base".
inline Model loadedModel(bool acide, int position, float c, float cb, const char* pka = nullptr)
{
    Model m;
    initcatalogue(m);
    if (pka) chpk(m, acide, position, pka);
    loadModel(m, benchOf(acide, position, c, cb));
    return m;
}

constexpr int kEthanoic = 4, kHydrochloric = 2, kOther = 14, kAmmonia = 1, kSodiumHydroxide = 8;

} // namespace titrage::test

#ifdef QT_GUI_LIB
#include "platform/canvas.h"

#include <cmath>

namespace titrage::test {

// Pixels of `r` (logical units) that satisfy `match`.
template <typename Match> int countPixels(const Canvas& c, QRect r, Match match)
{
    int n = 0;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            n += match(c.pixel(x, y)) ? 1 : 0;
    return n;
}

inline int countColour(const Canvas& c, QRect r, QColor colour)
{
    return countPixels(c, r, [&](QColor p) { return p == colour; });
}

inline QRect around(double x, double y, int radius)
{
    return QRect(static_cast<int>(std::lround(x)) - radius,
                 static_cast<int>(std::lround(y)) - radius, 2 * radius + 1, 2 * radius + 1);
}

} // namespace titrage::test
#endif
