#pragma once
// A bench configuration for the model tests, as a student would set it.

#include "model/measurement.h"
#include "model/model.h"
#include "model/solver.h"

#include <cmath>

namespace titrage::test {

inline BenchEntries bench(bool acide, int position, float c = 0.01f, float cb = 0.01f,
                          float vsol = 20.0f, float veau = 0.0f, float v = 0.0f)
{
    BenchEntries e;
    e.acide = acide;
    e.position = position;
    e.c = c;
    e.cburette = cb;
    e.vsol = vsol;
    e.veau = veau;
    e.vverse = v;
    return e;
}

inline Model freshModel()
{
    Model m;
    initcatalogue(m);
    return m;
}

// pH as the bench's refresh computes it at poured volume v.
inline double benchPh(Model& m, BenchEntries e, float v)
{
    e.vverse = v;
    return solveMeasurement(m, e);
}

inline double round2(double x)
{
    return std::round(x * 100.0) / 100.0;
}

// Positions used by the tests.
inline constexpr int kEthanoic = 4;
inline constexpr int kHydrochloric = 2;
inline constexpr int kAmmonia = 1;         // base side
inline constexpr int kSodiumHydroxide = 8; // base side

} // namespace titrage::test
