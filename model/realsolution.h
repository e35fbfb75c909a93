#pragma once
// "Solutions réelles" and the temperature of the water: what the ideal model
// at 25 °C leaves out, and what a class measures. The help states the same
// laws and constants.
//
// - Temperature, 15 to 30 °C: each ion's molar conductivity at infinite
//   dilution follows lambda°(T) = lambda°(25 °C) . (1 + alpha . (T - 25)), alpha
//   the ion's coefficient from the 18 °C and 25 °C columns of the limiting
//   ionic conductivities in Lange's Handbook of Chemistry (H3O+ 315,8 and
//   350,1; OH- 174 and 198; Na+ 43,5 and 50,11; Cl- 66,0 and 76,35;
//   NH4+ 64 and 73,5 S.cm2/mol); the other ions, which the table gives at
//   25 °C only, take 2 %/K, the value Walden's rule gives through the
//   viscosity of water. The ionic product of water follows Harned and
//   Robinson (1940), log Ke = -4470,99/T + 6,0875 - 0,01706 T, moved by
//   0,005 so that pKe is exactly 14 at 25 °C as everywhere else here
//   (pKe 14,17 at 20 °C, 13,84 at 30 °C). The couples' pKa keep their 25 °C
//   values: the catalogue gives no reaction enthalpy.
// - Real solutions: a singly charged ion's molar conductivity falls with the
//   ionic strength I by the extended Debye-Hückel-Onsager law,
//   lambda = lambda° - (A . lambda° + B/2) . sqrt(I) / (1 + sqrt(I)),
//   A = 0,2289 (mol/L)^-1/2 and B = 60,32 S.cm2.mol-1.(mol/L)^-1/2 at 25 °C
//   for a 1:1 electrolyte in water, B shared equally by the two ions of a
//   pair; A scales as (epsilon.T)^-3/2 and B as 1/(eta.(epsilon.T)^1/2).
//   The activities enter the equilibria through Davies' equation,
//   log gamma = -A_D z^2 (sqrt(I)/(1 + sqrt(I)) - 0,3 I), with
//   A_D = 1,8248e6 (epsilon.T)^-3/2 (0,5116 at 25 °C). Water's permittivity
//   follows Malmberg and Maryott (1956), its viscosity a Vogel equation,
//   eta = 0,02939 mPa.s . exp(507,88 K / (T - 149,3 K)). Both laws hold up to
//   I of about 0,1 mol/L: the bench's concentrations stay below.
//
// Every ion of the single-couple titrations carries one charge, so one
// activity coefficient serves them all; the equilibria then keep their ideal
// form with conditional constants K/gamma^2 and Ke/gamma^2 (concentrations),
// and the pH is that of the activity of H3O+, as a pH-meter reads it.

#include "model/model.h"

#include <optional>
#include <string>
#include <string_view>

namespace titrage {

inline constexpr double kMinTemperature = 15; // °C
inline constexpr double kMaxTemperature = 30; // °C

// The water's constants at one temperature, and whether solutions are real.
struct Medium {
    bool real = false;
    double temperature = 25;
    double ke = kKe;            // ionic product of water
    double pke = 14;            // -log10 ke
    double davies = 0;          // Davies' A_D, log10 units, (mol/L)^-1/2
    double relaxation = 0;      // Onsager's A, (mol/L)^-1/2
    double electrophoresis = 0; // B/2 per unit charge, mS.m2/mol.(mol/L)^-1/2
};

Medium mediumOf(const SolutionConditions& conditions);

// -log10 Ke at t °C (14 at 25 °C).
double pkeAt(double t);
// Relative change of lambda° per kelvin for an ion slot of the model (1..19).
double temperatureCoefficient(int slot);
// lambda° of an ion at the medium's temperature from its 25 °C value.
double lambdaAtTemperature(const Medium& medium, double lambda25, double alpha);
// The molar conductivity of a singly charged ion at ionic strength I (mol/L):
// lambda° when solutions are ideal, never below zero.
double realLambda(const Medium& medium, double lambda0, double ionicStrength);
// Davies' activity coefficient of a singly charged ion (1 when ideal).
double activityCoefficient(const Medium& medium, double ionicStrength);

// The ionic strength of the single couple's mixture from its principal ion x
// ([H3O+] for an acid beaker, [OH-] for a base one), the other ion y, the
// titrant's counter-ion s and the couple's total ct, all in mol/L. Every ion
// carrying one charge, I is the sum of the cations (or of the anions): x + s
// when the couple came neutral (HA, B, HCl), y + ct when it came as a salt
// whose other ion stays a spectator (NH4+ Cl-, A- Na+, NaOH).
double beakerIonicStrength(bool saltCouple, double x, double y, double s, double ct);

// The "Température" box: a number of °C, with a comma or a point. A value
// outside 15 to 30 °C is brought to the nearer bound, as the bench corrects
// its other boxes; a text that is no number keeps the previous value. Either
// way `message` says so in French, and `text` is what the box then shows.
struct TemperatureEntry {
    double value = 25;
    std::string text;
    std::optional<std::string> message;
};
TemperatureEntry readTemperature(std::string_view text, double previous);

} // namespace titrage
