#include "exercises/core/answercheck.h"

#include "platform/core/numberformat.h"

#include <cmath>

namespace titrage {

namespace {

// The gaps are told by bands, not to their digits: a gap and the typed value
// would otherwise give the hidden value back (x_ref = x / (1 ± gap)).
std::string relativeBand(double relative)
{
    if (relative < 0.01) return "moins de 1\u00a0%";
    if (relative < 0.02) return "de 1 à 2\u00a0%";
    if (relative < 0.05) return "de 2 à 5\u00a0%";
    if (relative < 0.10) return "de 5 à 10\u00a0%";
    if (relative < 0.50) return "de 10 à 50\u00a0%";
    return "plus de 50\u00a0%";
}

std::string normalizedBand(double z)
{
    if (z < 1) return "z < 1";
    if (z <= 2) return "1 ≤ z ≤ 2";
    if (z <= 3) return "2 < z ≤ 3";
    return "z > 3";
}

} // namespace

AnswerCheck checkAnswer(double hidden, std::string_view answer, std::string_view uncertainty)
{
    AnswerCheck c;
    const std::optional<double> x = parseNumber(trimmed(answer));
    if (!x || !std::isfinite(*x) || *x <= 0) {
        c.text = "Écrire un nombre positif, par exemple 0,015 ou 1,5E-02.";
        return c;
    }
    std::optional<double> u;
    if (!trimmed(uncertainty).empty()) {
        u = parseNumber(trimmed(uncertainty));
        if (!u || !std::isfinite(*u) || *u <= 0) {
            c.text = "L'incertitude doit être un nombre positif, dans la même unité que le "
                     "résultat (ou rester vide).";
            return c;
        }
    }
    c.ok = true;
    c.relative = std::abs(*x - hidden) / hidden;
    c.text = "Écart relatif avec la valeur cachée\u00a0: " + relativeBand(c.relative) + ".";
    if (u) {
        c.normalized = std::abs(*x - hidden) / *u;
        c.compatible = *c.normalized <= kNormalizedLimit;
        c.text +=
            "\nÉcart normalisé z = |x − valeur cachée| / u(x)\u00a0: " + normalizedBand(*c.normalized) +
            "\u00a0; ";
        c.text += c.compatible ? "le résultat est compatible avec la valeur cachée (z ≤ 2)."
                               : "le résultat n'est pas compatible avec la valeur cachée (z > 2)"
                                 "\u00a0; revoir la mesure, le calcul ou l'incertitude.";
    } else {
        c.compatible = c.relative <= kRelativeLimit;
        c.text += c.compatible ? "\nRésultat correct à 5\u00a0% près."
                               : "\nRésultat à revoir (plus de 5\u00a0% d'écart).";
    }
    return c;
}

} // namespace titrage
