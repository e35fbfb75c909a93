#pragma once
// Ten situations that differ in every stored field.

#include "config/core/configfile.h"
#include "config/core/configvalues.h"

#include <string>

namespace titrage::testing {

inline ConfigData tenSituations()
{
    ConfigData d;
    d.masquer = true;
    d.check1 = false;
    d.check2 = true;
    for (int k = 0; k < kSituations; ++k) {
        Situation& s = d.sit[static_cast<std::size_t>(k)];
        const std::string n = std::to_string(k);
        s.courbefinie = k % 2 == 0;
        s.textesit = {"4," + n,       "0,0" + n, n + ",5",    "1E-0" + n,
                      "2" + n + ",0", "é" + n,   "not stored"};
        s.listesit = {static_cast<std::int16_t>(k == 3 ? -1 : 0), static_cast<std::int16_t>(k * 3),
                      static_cast<std::int16_t>(k == 9   ? 32767
                                                : k == 8 ? -32768
                                                         : k)};
        s.optsit = {k == 5, k % 3 == 0, k % 2 == 1, k != 4, k > 6};
    }
    return d;
}

// The same situations with the texts the entry rules correct already
// corrected, as loading leaves them: they load and save back byte for byte.
inline ConfigData asLoaded(ConfigData d)
{
    for (Situation& s : d.sit)
        correctSituation(s);
    return d;
}

} // namespace titrage::testing
