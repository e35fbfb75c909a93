#include "model/model.h"

#include "platform/core/numberformat.h"

namespace titrage {

namespace {

struct Row {
    const char* name;
    double pka;
};

// Each side in its list order (alphabetical, the "other" entry last).
constexpr Row kAcids[kListEntries] = {
    {"acide acétylsalicylique", 3.6},
    {"acide benzoïque", 4.2},
    {"acide chlorhydrique", 0},
    // pKa 2.86 is chloroethanoic acid, whose base is listed as
    // "chloroéthanoate de sodium" on the other side.
    {"acide chloroéthanoïque", 2.86},
    {"acide éthanoïque", 4.75},
    {"acide fluorhydrique", 3.17},
    {"acide hypochloreux", 7.3},
    {"acide méthanoïque", 3.75},
    {"acide nitreux", 3.3},
    {"chlorure d'ammonium", 9.2},
    {"chlorure d'anilinium", 4.62},
    {"chlorure de méthylammonium", 10.7},
    {"cyanure d'hydrogène", 9.21},
    {"phénol", 10},
    {"autre acide", 7},
};

constexpr Row kBases[kListEntries] = {
    {"acétylsalicylate de sodium", 3.6},
    {"ammoniac", 9.2},
    {"aniline", 4.62},
    {"benzoate de sodium", 4.2},
    {"chloroéthanoate de sodium", 2.86},
    {"cyanure de sodium", 9.21},
    {"éthanoate de sodium", 4.75},
    {"fluorure de sodium", 3.17},
    {"hydroxyde de sodium", 14},
    {"hypochlorite de sodium", 7.3},
    {"méthanoate de sodium", 3.75},
    {"méthylamine", 10.7},
    {"nitrite de sodium", 3.3},
    {"phénate de sodium", 10},
    {"autre base", 7},
};

} // namespace

void initcatalogue(Model& model)
{
    for (int p = 0; p < kListEntries; ++p) {
        model.nomacide[p + 1] = kAcids[p].name;
        model.pkacide[p + 1] = kAcids[p].pka;
        model.nombase[p + 1] = kBases[p].name;
        model.pkbase[p + 1] = kBases[p].pka;
    }
}

std::array<std::string, kListEntries> solutenames(const Model& model, bool acide)
{
    std::array<std::string, kListEntries> names;
    for (int p = 0; p < kListEntries; ++p)
        names[p] = acide ? model.nomacide[p + 1] : model.nombase[p + 1];
    return names;
}

void chpk(Model& model, bool acide, int position, std::string_view pkaText)
{
    if (position != kOtherPosition) return;
    const auto pka = parseFloat(pkaText);
    if (!pka) return;
    (acide ? model.pkacide : model.pkbase)[kOtherPosition + 1] = static_cast<double>(*pka);
}

bool isStrongSolute(bool acide, int position)
{
    return acide ? position == 2 : position == 8;
}

} // namespace titrage
