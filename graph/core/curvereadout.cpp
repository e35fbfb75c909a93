#include "graph/core/curvereadout.h"

#include "platform/core/numberformat.h"

#include <algorithm>

namespace titrage {

std::optional<double> curveSigmaAt(const std::vector<CurveVertex>& vertices, double v)
{
    for (size_t i = 1; i < vertices.size(); ++i) {
        const double v0 = vertices[i - 1].v, v1 = vertices[i].v;
        if (v < std::min(v0, v1) || v > std::max(v0, v1)) continue;
        if (v1 == v0) return vertices[i].sigma;
        const double t = (v - v0) / (v1 - v0);
        return vertices[i - 1].sigma + t * (vertices[i].sigma - vertices[i - 1].sigma);
    }
    if (vertices.size() == 1 && vertices[0].v == v) return vertices[0].sigma;
    return std::nullopt;
}

std::optional<double> curvePhAt(const std::vector<CurveVertex>& vertices, double v)
{
    for (size_t i = 1; i < vertices.size(); ++i) {
        const double v0 = vertices[i - 1].v, v1 = vertices[i].v;
        if (v < std::min(v0, v1) || v > std::max(v0, v1)) continue;
        if (v1 == v0) return vertices[i].ph;
        const double t = (v - v0) / (v1 - v0);
        return vertices[i - 1].ph + t * (double(vertices[i].ph) - vertices[i - 1].ph);
    }
    if (vertices.size() == 1 && vertices[0].v == v) return vertices[0].ph;
    return std::nullopt;
}

std::string sigmaReadout(const std::string& volumeReadout, double sigma)
{
    return volumeReadout + " ; σ = " + generalFormat(roundSignificant(sigma, 3)) + " S·m⁻¹";
}

std::string phReadout(const std::string& readout, double ph)
{
    return readout + " ; pH = " + formatNumber(ph, "#0.00");
}

std::string tangentPointText(double veq, double ph)
{
    return "Véq = " + formatNumber(veq, "#0.0") + " mL ; pH = " + formatNumber(ph, "#0.00");
}

} // namespace titrage
