#include "graph/core/readout.h"

#include "platform/core/numberformat.h"

namespace titrage {

GraphReadout graphReadout(double x, double y, bool titration)
{
    GraphReadout r;
    if (!(y > 29 && y < 251 && x > 39 && x < 366)) return r;
    r.inside = true;
    const std::string volume = "V = " + formatNumber((x - 40) / 13, "#0.0") + " mL";
    if (titration) {
        r.tooltip = volume;
    } else if (y >= 30) {
        const double p = (250 - y) / 22 * 10;
        r.tooltip = volume + " ; p = " + formatNumber(p, "##0.0") + " %";
    }
    return r;
}

} // namespace titrage
