#include "graph/core/mixturederivative.h"

#include "model/graphframe.h"

#include <cmath>

namespace titrage {

std::vector<PlotPoint> mixtureDerivative(const Mixture& m, const Model& catalogue,
                                         const ConstructionFrame& frame)
{
    std::vector<PlotPoint> out;
    std::vector<CurveVertex> vertices;
    std::vector<MixPoint> points;
    walkMixtureCurve(m, catalogue, 1.0f, vertices, &points);
    for (size_t i = 1; i < points.size(); ++i) {
        const double dv = points[i].v - points[i - 1].v;
        const double slope = std::fabs(points[i].ph - points[i - 1].ph) / dv;
        // The bench's own scale of the derivative (see btderive).
        const PlotPoint pt{frame.x((points[i].v + points[i - 1].v) / 2),
                           kGraphBottom - 16.0 * std::log(1.0 + 10.0 * slope)};
        if (std::isfinite(pt.x) && std::isfinite(pt.y) && pt.y >= 10.0 && pt.y <= kGraphBottom)
            out.push_back(pt);
    }
    return out;
}

} // namespace titrage
