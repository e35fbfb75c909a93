#include "graph/core/constructions.h"

#include "model/solver.h"

#include <cmath>

namespace titrage {

namespace {

constexpr float kDerivativeStep = 0.02f;
constexpr float kPhCurveStep = 0.05f;
constexpr float kLastP = 13.9f;

bool finite(PlotPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// pH of the mixture after v mL, or nothing when the solver gave no usable value.
std::optional<double> phAt(Model& model, bool acide, double v)
{
    model.vverse = static_cast<float>(v);
    model.xprinc = 0;
    solvmelange(model, acide);
    if (!(model.xprinc > 0.0f) || !std::isfinite(model.phcalc)) return std::nullopt;
    return static_cast<double>(model.phcalc);
}

// Walks the principal ion's p-value from p0 to 13.9 in 32-bit steps and calls
// visit(p, v) for each poured volume inside the burette's range.
template <typename Visit> void walkVolumes(Model& model, float p0, float step, Visit visit)
{
    for (float p = p0; p <= kLastP; p = p + step) {
        const auto v = volumeForIon(model, std::pow(10.0, -static_cast<double>(p)));
        if (v && *v >= 0.0 && *v <= kBuretteCapacity) visit(static_cast<double>(p), *v);
    }
}

// The beaker alone: the initial p-value, with a strong constant put in place.
std::optional<float> initialP(Model& model)
{
    solvinit(model);
    if (model.kcouple == 1.0f) model.kcouple = kStrongConstant;
    if (!(model.xprinc > 0.0f)) return std::nullopt;
    const double p0 = -std::log10(static_cast<double>(model.xprinc));
    if (!std::isfinite(p0)) return std::nullopt;
    return static_cast<float>(p0);
}

} // namespace

TangentConstruction tangente(Model& model, bool acide, const ConstructionFrame& frame)
{
    TangentConstruction t;
    // The beaker is solved first so that veq is this titration's own; a value
    // left by another situation's curve would place the construction wrongly.
    solvinit(model);
    const double veq = model.veq;
    t.veq = veq;
    if (!(model.ctitrant > 0.0f) || !(veq >= 2.0 && veq <= 23.0)) return t;

    const auto p1 = phAt(model, acide, veq - 1.01);
    const auto p2 = phAt(model, acide, veq - 1.0);
    const auto p3 = phAt(model, acide, veq - 0.99);
    const auto p4 = phAt(model, acide, veq + 1.0);
    const auto pE = phAt(model, acide, veq);
    if (!p1 || !p2 || !p3 || !p4 || !pE) return t;

    const double a = (*p3 - *p1) / 0.02;
    const double b1 = *p2 - a * (veq - 1.0);
    const double b2 = *p4 - a * (veq + 1.0);
    const double vlo = std::max(0.0, static_cast<double>(std::lround(veq - 5.0)));
    const double vhi = std::min(25.0, static_cast<double>(std::lround(veq + 5.0)));
    auto line = [&](double b) {
        return PlotSegment{{frame.x(vlo), frame.y(a * vlo + b)},
                           {frame.x(vhi), frame.y(a * vhi + b)}};
    };
    t.slope = a;
    t.phE = *pE;
    t.t1 = line(b1);
    t.t2 = line(b2);
    t.delta = t.t1.a.y - t.t2.a.y;
    if (!std::isfinite(t.delta) || !finite(t.t1.b) || !finite(t.t2.b)) return t;
    if (std::fabs(t.delta) < kMinTangentGap) {
        t.outcome = TangentOutcome::NoJump;
        return t;
    }

    t.e = {frame.x(veq), frame.y(*pE)};
    t.parallel = line(*pE - a * veq);
    t.label = {t.e.x - 10, t.e.y};

    // The normal from P1 on T1: with s the tangents' slope on screen, moving
    // by (-d, -d/s) stays perpendicular to them, and d = delta.s / (1 + s^2)
    // (sin(theta).cos(theta).delta with theta = atan(1/s)) lands it on T2.
    // d/s is taken as delta / (1 + s^2), which also holds for level tangents.
    const double s = a * frame.kpH / frame.kV;
    const double q = 1.0 + s * s;
    const double d = std::isfinite(q) ? t.delta * s / q : 0.0;
    const double dy = std::isfinite(q) ? t.delta / q : 0.0;
    const PlotPoint p1Point{std::round(frame.x(veq - 1.0)), std::round(frame.y(*p2))};
    const PlotPoint foot{std::round(p1Point.x - d), std::round(p1Point.y - dy)};
    t.normal = {p1Point, foot};
    if (std::fabs(t.delta) > kEqualMarksGap) {
        for (double f : {0.25, 0.75})
            t.equalMarks.push_back(
                {p1Point.x + f * (foot.x - p1Point.x), p1Point.y + f * (foot.y - p1Point.y)});
    }

    // Right-angle mark at P1, along the tangent then along the normal; it
    // turns towards the side of T2 (upwards for an acid, downwards for a base).
    const double l = std::isfinite(q) ? 15.0 / std::sqrt(q) * std::fabs(s) : 0.0; // 15 cos(theta)
    const double k = acide ? -1.0 : 1.0;
    const PlotPoint pa{p1Point.x + l, p1Point.y - s * l};
    const PlotPoint pb{pa.x + s * l * k, pa.y + l * k};
    const PlotPoint pc{p1Point.x + s * l * k, p1Point.y + l * k};
    t.mark1 = {pa, pb};
    t.mark2 = {pb, pc};
    t.outcome = TangentOutcome::Complete;
    return t;
}

std::vector<PlotPoint> btderive(Model& model, const ConstructionFrame& frame)
{
    std::vector<PlotPoint> points;
    const auto p0 = initialP(model);
    if (!p0) return points;
    bool havePrevious = false;
    double pPrev = 0;
    double vPrev = 0;
    walkVolumes(model, *p0, kDerivativeStep, [&](double p, double v) {
        if (havePrevious && v != vPrev) {
            const double slope = (p - pPrev) / (v - vPrev);
            const PlotPoint pt{frame.x((v + vPrev) / 2),
                               kGraphBottom - 16.0 * std::log(1.0 + 10.0 * slope)};
            if (finite(pt) && pt.y >= 10.0 && pt.y <= kGraphBottom) points.push_back(pt);
        }
        havePrevious = true;
        pPrev = p;
        vPrev = v;
    });
    return points;
}

std::vector<PlotPoint> phCurve(Model& model, bool acide, const ConstructionFrame& frame)
{
    std::vector<PlotPoint> points;
    const auto p0 = initialP(model);
    if (!p0) return points;
    auto ph = [&](double p) { return acide ? p : 14.0 - p; };
    points.push_back({frame.x(0), frame.y(ph(*p0))});
    walkVolumes(model, *p0, kPhCurveStep, [&](double p, double v) {
        points.push_back({frame.x(v), frame.y(ph(p))});
    });
    if (const auto end = phAt(model, acide, kBuretteCapacity))
        points.push_back({frame.x(kBuretteCapacity), frame.y(*end)});
    return points;
}

} // namespace titrage
