#include "model/concentrationfit.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

// The model's sigma at every point's volume for a beaker concentration c.
class SigmaAtC {
public:
    SigmaAtC(const Model& model, const BenchEntries& entries,
             const std::vector<ImportedMeasurement>& points)
        : m_model(model), m_entries(entries), m_points(points)
    {
    }

    double sigma(double c, const ImportedMeasurement& p)
    {
        m_entries.c = static_cast<float>(c);
        m_entries.vverse = static_cast<float>(p.volume);
        measure(m_model, m_entries);
        return m_model.sigma;
    }

    // Sum of squares; infinite where the model gives no number.
    double sse(double c)
    {
        double sum = 0;
        for (const ImportedMeasurement& p : m_points) {
            const double r = sigma(c, p) - p.sigma;
            if (!std::isfinite(r)) return INFINITY;
            sum += r * r;
        }
        return sum;
    }

private:
    Model m_model;
    BenchEntries m_entries;
    const std::vector<ImportedMeasurement>& m_points;
};

std::string superscript(int n)
{
    static const char* const kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string digits = std::to_string(std::abs(n));
    std::string out = n < 0 ? "⁻" : "";
    for (char d : digits)
        out += kDigits[d - '0'];
    return out;
}

} // namespace

std::optional<ConcentrationFit> fitConcentration(const Model& model, const BenchEntries& entries,
                                                 const std::vector<ImportedMeasurement>& points)
{
    if (points.size() < 2) return std::nullopt;
    SigmaAtC f(model, entries, points);
    const double lo = std::log10(kFitCmin), hi = std::log10(kFitCmax);
    // A scan every tenth of a decade finds the valley; the sum of squares is
    // smooth within it.
    constexpr int kScan = 50;
    int best = 0;
    double bestSse = INFINITY;
    for (int i = 0; i <= kScan; ++i) {
        const double s = f.sse(std::pow(10, lo + (hi - lo) * i / kScan));
        if (s < bestSse) bestSse = s, best = i;
    }
    if (!std::isfinite(bestSse)) return std::nullopt;
    double a = lo + (hi - lo) * std::max(0, best - 1) / kScan;
    double b = lo + (hi - lo) * std::min(kScan, best + 1) / kScan;
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    double f1 = f.sse(std::pow(10, x1)), f2 = f.sse(std::pow(10, x2));
    // To 1e-6 of a decade, finer than the float the model keeps c in.
    while (b - a > 1e-6) {
        if (f1 <= f2) {
            b = x2, x2 = x1, f2 = f1;
            x1 = b - g * (b - a);
            f1 = f.sse(std::pow(10, x1));
        } else {
            a = x1, x1 = x2, f1 = f2;
            x2 = a + g * (b - a);
            f2 = f.sse(std::pow(10, x2));
        }
    }
    ConcentrationFit fit;
    fit.c = std::pow(10, (a + b) / 2);
    const double sse = f.sse(fit.c);
    if (!std::isfinite(sse)) return std::nullopt;
    const double n = static_cast<double>(points.size());
    fit.rms = std::sqrt(sse / n);
    fit.atLimit = fit.c < kFitCmin * 1.01 || fit.c > kFitCmax / 1.01;
    // Linearised around the best c: var(c) = s² (JᵀJ)⁻¹.
    const double h = fit.c * 1e-3;
    double jtj = 0;
    for (const ImportedMeasurement& p : points) {
        const double j = (f.sigma(fit.c + h, p) - f.sigma(fit.c - h, p)) / (2 * h);
        jtj += j * j;
    }
    if (!(jtj > 0) || !std::isfinite(jtj)) return std::nullopt;
    fit.u = std::sqrt(sse / (n - 1) / jtj);
    return fit;
}

std::string concentrationText(double c, double u)
{
    if (!(c > 0) || !std::isfinite(c) || !std::isfinite(u)) return "c = ?";
    const int e = static_cast<int>(std::floor(std::log10(c)));
    const double scale = std::pow(10.0, e);
    const double m = c / scale, um = u / scale;
    int decimals = 2;
    double ur = 0;
    if (um > 0) {
        decimals = std::clamp(-static_cast<int>(std::floor(std::log10(um))), 0, 6);
        const double step = std::pow(10.0, -decimals);
        ur = std::ceil(um / step * (1 - 1e-9)) * step;
        // 0,096 rounds up to 0,1: one decimal fewer.
        if (ur >= 10 * step * (1 - 1e-9) && decimals > 0) --decimals;
    }
    auto fixed = [decimals](double x) {
        return decimals ? formatNumber(x, "#0." + std::string(decimals, '0'))
                        : std::to_string(std::llround(x));
    };
    const std::string power = e == 0 ? "" : "·10" + superscript(e);
    return "c = " + fixed(m) + power + " ± " + fixed(ur) + power + " mol/L";
}

} // namespace titrage
