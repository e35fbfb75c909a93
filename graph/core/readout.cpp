#include "graph/core/readout.h"

#include "model/graphframe.h"
#include "platform/core/numberformat.h"

namespace titrage {

GraphReadout graphReadout(double x, double y, bool titration)
{
    GraphReadout r;
    // The frame and one unit around it, so that its edges read too.
    if (!(y > kGraphTop - 1 && y < kGraphBottom + 1 && x > kGraphLeft - 1 &&
          x < kGraphRight + 1))
        return r;
    r.inside = true;
    const std::string volume = "V = " + formatNumber(volumeAtX(x), "#0.0") + " mL";
    if (titration) {
        r.tooltip = volume;
    } else if (y >= kGraphTop) {
        // Ten graduations from 0 to 100 %.
        const double p = graduationsAtY(y) * 10;
        r.tooltip = volume + " ; p = " + formatNumber(p, "##0.0") + " %";
    }
    return r;
}

} // namespace titrage
