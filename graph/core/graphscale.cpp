#include "graph/core/graphscale.h"

#include "platform/core/numberformat.h"

#include <cmath>

namespace titrage {

std::string graduationLabel(float maxaxe, int j)
{
    // The product is formed in 32 bits and divided in 64, as the value the
    // label was taken from.
    const double value = static_cast<double>(maxaxe * static_cast<float>(j)) / 10.0;
    return generalFormat(roundSignificant(value, 3));
}

std::string phGraduationLabel(int ph)
{
    return ph >= 0 && ph <= kPhAxisTop && ph % 2 == 0 ? std::to_string(ph) : std::string();
}

std::optional<int> phCrossY(double ph)
{
    const double y = phY(ph);
    if (!std::isfinite(y) || std::fabs(y) > 1e6) return std::nullopt;
    return static_cast<int>(std::lround(y));
}

std::optional<int> crossY(double sigma, float maxaxe)
{
    if (maxaxe == 0.0f) return std::nullopt;
    const double y = graphY(sigma, static_cast<double>(maxaxe));
    // Far outside the picture a cross is invisible anyway; the bound keeps the
    // rounding inside an int.
    if (!std::isfinite(y) || std::fabs(y) > 1e6) return std::nullopt;
    return static_cast<int>(std::lround(y));
}

} // namespace titrage
