#include "bench/core/indicators.h"

#include "platform/core/trnoop.h"

#include <cmath>
#include <span>

namespace titrage {

namespace {

// A colour point on the pH axis. Between two points of different colour the
// liquid changes linearly; between two points of the same colour it holds.
struct Stop {
    double ph;
    Rgb colour;
};

constexpr Rgb kClear{230, 240, 250};

constexpr Stop kNone[] = {{0, kClear}};
constexpr Stop kTrinitrotoluene[] = {
    {11, kClear}, {12, {250, 150, 100}}, {12.5, {250, 150, 100}}, {13.5, {250, 150, 0}}};
constexpr Stop kThymolphthalein[] = {
    {8.9, kClear}, {9.9, {100, 100, 180}}, {10.1, {100, 100, 180}}, {11.1, {0, 0, 200}}};
constexpr Stop kPhenolphthalein[] = {
    {7.7, kClear}, {8.7, {180, 100, 180}}, {9.5, {180, 100, 180}}, {10.5, {230, 0, 230}}};
constexpr Stop kNeutralRed[] = {
    {6.3, {230, 0, 0}}, {7.3, {200, 100, 0}}, {7.5, {200, 100, 0}}, {8.5, {250, 150, 0}}};
constexpr Stop kBromothymolBlue[] = {
    {5.5, {250, 250, 0}}, {6.5, {100, 200, 100}}, {7.1, {100, 200, 100}}, {8.1, {0, 0, 210}}};
constexpr Stop kMethylRed[] = {
    {4.3, {230, 0, 0}}, {5.3, {250, 150, 0}}, {5.5, {250, 150, 0}}, {6.5, {250, 250, 0}}};
constexpr Stop kBromocresolGreen[] = {
    {3.5, {250, 250, 0}}, {4.5, {100, 200, 100}}, {4.9, {100, 200, 100}}, {5.9, {0, 0, 200}}};
constexpr Stop kMethylOrange[] = {
    {2.7, {230, 0, 0}}, {3.7, {200, 100, 0}}, {3.9, {200, 100, 0}}, {4.9, {230, 210, 0}}};
constexpr Stop kThymolBlue[] = {
    {0.7, {230, 0, 0}},   {1.7, {250, 150, 0}},   {2.3, {250, 150, 0}},   {3.3, {250, 250, 0}},
    {7.5, {250, 250, 0}}, {8.5, {100, 200, 100}}, {9.0, {100, 200, 100}}, {10.0, {0, 0, 200}}};

const std::span<const Stop> kStops[kIndicators] = {
    kNone,         kTrinitrotoluene, kThymolphthalein, kPhenolphthalein,
    kNeutralRed,   kBromothymolBlue, kMethylRed,       kBromocresolGreen,
    kMethylOrange, kThymolBlue,
};

int lerp(int from, int to, double t)
{
    return static_cast<int>(std::nearbyint(from + t * (to - from)));
}

} // namespace

const std::array<std::string, kIndicators>& indicatorNames()
{
    static const std::array<std::string, kIndicators> names = {
        QT_TRANSLATE_NOOP("Indicators", "aucun"),
        QT_TRANSLATE_NOOP("Indicators", "2,4,6 trinitrotoluène (11,5 - 13)"),
        QT_TRANSLATE_NOOP("Indicators", "Thymolphtaléine (9,4 - 10,6)"),
        QT_TRANSLATE_NOOP("Indicators", "Phénolphtaléine (8,2 - 10)"),
        QT_TRANSLATE_NOOP("Indicators", "Rouge neutre (6,8 - 8)"),
        QT_TRANSLATE_NOOP("Indicators", "Bleu de bromothymol (6 - 7,6)"),
        QT_TRANSLATE_NOOP("Indicators", "Rouge de méthyle (4,8 - 6)"),
        QT_TRANSLATE_NOOP("Indicators", "Vert de bromocrésol (3,8 - 5,4)"),
        QT_TRANSLATE_NOOP("Indicators", "Hélianthine (3,2 - 4,4)"),
        QT_TRANSLATE_NOOP("Indicators", "Bleu de thymol (1,2 - 2,8)"),
    };
    return names;
}

Rgb indicatorColour(int index, double ph)
{
    if (index < 0 || index >= kIndicators || !std::isfinite(ph)) return kClear;
    const auto stops = kStops[index];
    if (ph < stops.front().ph) return stops.front().colour;
    for (size_t i = 0; i + 1 < stops.size(); ++i) {
        const Stop& a = stops[i];
        const Stop& b = stops[i + 1];
        if (ph >= a.ph && ph < b.ph) {
            if (a.colour == b.colour) return a.colour;
            const double t = (ph - a.ph) / (b.ph - a.ph);
            return {lerp(a.colour.r, b.colour.r, t), lerp(a.colour.g, b.colour.g, t),
                    lerp(a.colour.b, b.colour.b, t)};
        }
    }
    return stops.back().colour;
}

} // namespace titrage
