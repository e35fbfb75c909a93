#include "model/scatter.h"

#include "model/solver.h"
#include "platform/core/numberformat.h"

#include <cmath>
#include <numbers>

namespace titrage {

double readingUncertainty(const ScatterModel& m)
{
    return m.readingHalfWidth / std::sqrt(3.0);
}

double buretteUncertainty(const ScatterModel& m, double v)
{
    const double tol = m.capacity > 0 ? m.tolerance * v / m.capacity : 0.0;
    return std::sqrt((m.readingHalfWidth * m.readingHalfWidth + tol * tol) / 3.0);
}

double sigmaUncertainty(const ScatterModel& m, double sigma)
{
    const double s = std::fabs(sigma);
    double digit = 0;
    if (s > 0 && m.displayDigits > 0)
        digit = std::pow(10.0, std::floor(std::log10(s)) - (m.displayDigits - 1));
    const double rel = m.relative * s;
    return std::sqrt(rel * rel + digit * digit / 12.0);
}

double Draws::uniform()
{
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

double Draws::normal()
{
    if (m_hasSpare) {
        m_hasSpare = false;
        return m_spare;
    }
    // u1 in (0, 1] so that its logarithm is finite.
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    const double r = std::sqrt(-2.0 * std::log(u1));
    const double a = 2.0 * std::numbers::pi * u2;
    m_spare = r * std::sin(a);
    m_hasSpare = true;
    return r * std::cos(a);
}

std::uint64_t mixSeed(std::uint64_t seed, std::uint64_t k)
{
    std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL * (k + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

namespace {

// The stream of a point read at v mL: its hundredths of a millilitre.
Draws pointDraws(std::uint64_t seed, double read)
{
    const auto k = static_cast<std::uint64_t>(std::llround(std::fabs(read) * 100));
    return Draws(mixSeed(seed, k + 1));
}

} // namespace

ScatterSeries::ScatterSeries(std::uint64_t seed, ScatterModel model) : m_seed(seed), m_model(model)
{
    Draws d(mixSeed(seed, 0));
    m_zero = m_model.readingHalfWidth * d.symmetric();
    m_calibration = m_model.tolerance * d.symmetric();
}

double ScatterSeries::deliveredVolume(double read) const
{
    if (read <= 0) return read;
    Draws d = pointDraws(m_seed, read);
    d.normal(); // the conductimeter's draw comes first
    const double readingError = m_model.readingHalfWidth * d.symmetric();
    const double calibration = m_model.capacity > 0 ? m_calibration * read / m_model.capacity : 0;
    return std::max(0.0, read + readingError - m_zero + calibration);
}

double ScatterSeries::mostDelivered(double read, const ScatterModel& model)
{
    const double calibration = model.capacity > 0 ? model.tolerance * read / model.capacity : 0;
    return read + 2 * model.readingHalfWidth + calibration;
}

double ScatterSeries::reading(double sigma, double read) const
{
    Draws d = pointDraws(m_seed, read);
    const double shown = sigma * (1 + m_model.relative * d.normal());
    return m_model.displayDigits > 0 ? roundSignificant(shown, m_model.displayDigits) : shown;
}

double sigmaDelivered(Model model, const SigmaInputs& inputs, double v)
{
    model.vverse = static_cast<float>(v);
    if (model.vverse == 0.0f)
        solvinit(model);
    else
        solvmelange(model, inputs.acide);
    const double ph = phOfModel(model, inputs.acide);
    computeSigma(model, inputs, ph, v);
    return model.sigma;
}

double realisticSigma(const Model& loaded, const SigmaInputs& inputs, double read,
                      const ScatterSeries& series)
{
    const double delivered = series.deliveredVolume(read);
    return series.reading(sigmaDelivered(loaded, inputs, delivered), read);
}

void scatterRow(Model& model, const SigmaInputs& inputs, TableRow& row, const ScatterSeries& series)
{
    const auto sigma = static_cast<float>(realisticSigma(model, inputs, row.v, series));
    if (!std::isfinite(sigma)) return;
    row.sigma = sigma;
    model.sigma = sigma;
}

void scatterRows(const Model& loaded, const SigmaInputs& inputs, std::vector<TableRow>& rows,
                 const ScatterSeries& series)
{
    for (TableRow& row : rows)
        row.sigma = static_cast<float>(realisticSigma(loaded, inputs, row.v, series));
}

} // namespace titrage
