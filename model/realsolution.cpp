#include "model/realsolution.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kReference = 25; // °C

// log10 Ke by Harned and Robinson, T in K.
double harnedRobinson(double t)
{
    return -4470.99 / t + 6.0875 - 0.01706 * t;
}

// Relative permittivity of water, Malmberg and Maryott (1956), t in °C.
double permittivity(double t)
{
    return 87.740 - 0.40008 * t + 9.398e-4 * t * t - 1.410e-6 * t * t * t;
}

// Viscosity of water in mPa.s (a Vogel equation), t in °C.
double viscosity(double t)
{
    return 0.02939 * std::exp(507.88 / (t + kKelvin - 149.3));
}

// epsilon.T, the product the Debye-Hückel constants depend on.
double epsilonT(double t)
{
    return permittivity(t) * (t + kKelvin);
}

// A coefficient per kelvin from two values of lambda° (S.cm2/mol) at 18 and 25 °C.
constexpr double fromColumns(double at18, double at25)
{
    return (at25 - at18) / (7 * at25);
}

constexpr double kWalden = 0.020; // the ions the table gives at 25 °C only

} // namespace

double pkeAt(double t)
{
    return 14.0 - (harnedRobinson(t + kKelvin) - harnedRobinson(kReference + kKelvin));
}

Medium mediumOf(const SolutionConditions& c)
{
    Medium m;
    m.real = c.real;
    m.temperature = c.temperature;
    m.pke = pkeAt(c.temperature);
    m.ke = c.temperature == kReference ? kKe : std::pow(10.0, -m.pke);
    const double ratio = epsilonT(kReference) / epsilonT(c.temperature);
    m.davies = 1.8248e6 * std::pow(epsilonT(c.temperature), -1.5);
    m.relaxation = 0.2289 * std::pow(ratio, 1.5);
    // 60,32 S.cm2/mol is 6,032 mS.m2/mol, half of it for each ion of a pair.
    m.electrophoresis =
        6.032 / 2 * (viscosity(kReference) / viscosity(c.temperature)) * std::sqrt(ratio);
    return m;
}

double temperatureCoefficient(int slot)
{
    switch (slot) {
    case 1:
        return fromColumns(315.8, 350.1); // H3O+
    case 2:
        return fromColumns(174, 198); // OH-
    case 3:
        return fromColumns(43.5, 50.11); // Na+
    case 4:
        return fromColumns(66.0, 76.35); // Cl-
    case 13:
        return fromColumns(64, 73.5); // NH4+
    default:
        return kWalden;
    }
}

double lambdaAtTemperature(const Medium& m, double lambda25, double alpha)
{
    return lambda25 * (1 + alpha * (m.temperature - kReference));
}

double realLambda(const Medium& m, double lambda0, double ionicStrength)
{
    if (!m.real || !(ionicStrength > 0)) return lambda0;
    const double r = std::sqrt(ionicStrength);
    const double lambda = lambda0 - (m.relaxation * lambda0 + m.electrophoresis) * r / (1 + r);
    return std::max(lambda, 0.0);
}

double activityCoefficient(const Medium& m, double ionicStrength)
{
    if (!m.real || !(ionicStrength > 0)) return 1;
    const double r = std::sqrt(ionicStrength);
    return std::pow(10.0, -m.davies * (r / (1 + r) - 0.3 * ionicStrength));
}

double beakerIonicStrength(bool saltCouple, double x, double y, double s, double ct)
{
    const double i = saltCouple ? y + ct : x + s;
    return std::isfinite(i) && i > 0 ? i : 0;
}

TemperatureEntry readTemperature(std::string_view text, double previous)
{
    TemperatureEntry e;
    const auto n = parseNumber(std::string(text));
    if (!n || !std::isfinite(*n)) {
        e.value = previous;
        e.message = "« " + std::string(text) +
                    " » n'est pas une température : tapez un "
                    "nombre de 15 à 30 °C.";
    } else if (*n < kMinTemperature || *n > kMaxTemperature) {
        e.value = std::clamp(*n, kMinTemperature, kMaxTemperature);
        e.message = std::string("La température doit être comprise entre 15 et 30 °C : elle "
                                "est ramenée à ") +
                    formatNumber(e.value, "#0.0") + " °C.";
    } else {
        e.value = *n;
    }
    // The box's value is what it shows, to the tenth of a degree: 25,04
    // shows 25,0 and is the ideal 25 °C.
    e.text = formatNumber(e.value, "#0.0");
    e.value = parseNumber(e.text).value_or(e.value);
    return e;
}

} // namespace titrage
