#include "bench/core/scenegeometry.h"

#include <cmath>

namespace titrage {

int niveauBecher(double vsol, double veau, double vpoured)
{
    const double y = 455.0 - 0.3 * (vsol + veau + vpoured);
    return std::isfinite(y) ? static_cast<int>(std::nearbyint(y)) : 455;
}

double buretteSurface(double vpoured)
{
    return 27.0 + 10.0 * vpoured;
}

Rgb liquidColumnColour(Rgb base, int x)
{
    const double k = std::pow(52.0 / x, 0.4);
    auto scale = [k](int c) { return static_cast<int>(std::nearbyint(c * k)); };
    return {scale(base.r), scale(base.g), scale(base.b)};
}

Rgb cellColour(Rgb base)
{
    auto scale = [](int c) { return static_cast<int>(std::nearbyint(c * 0.6)); };
    return {scale(base.r), scale(base.g), scale(base.b)};
}

} // namespace titrage
