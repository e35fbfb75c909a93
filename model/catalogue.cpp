#include "model/model.h"

#include "platform/core/numberformat.h"
#include "platform/core/trnoop.h"

namespace titrage {

namespace {

struct Row {
    const char* name;
    double pka;
};

// Each side in its list order (alphabetical, the "other" entry last).
constexpr Row kAcids[kListEntries] = {
    {QT_TRANSLATE_NOOP("Catalogue", "acide acétylsalicylique"), 3.6},
    {QT_TRANSLATE_NOOP("Catalogue", "acide benzoïque"), 4.2},
    {QT_TRANSLATE_NOOP("Catalogue", "acide chlorhydrique"), 0},
    // pKa 2.86 is chloroethanoic acid, whose base is listed as
    // "chloroéthanoate de sodium" on the other side.
    {QT_TRANSLATE_NOOP("Catalogue", "acide chloroéthanoïque"), 2.86},
    {QT_TRANSLATE_NOOP("Catalogue", "acide éthanoïque"), 4.75},
    {QT_TRANSLATE_NOOP("Catalogue", "acide fluorhydrique"), 3.17},
    {QT_TRANSLATE_NOOP("Catalogue", "acide hypochloreux"), 7.3},
    {QT_TRANSLATE_NOOP("Catalogue", "acide méthanoïque"), 3.75},
    {QT_TRANSLATE_NOOP("Catalogue", "acide nitreux"), 3.3},
    {QT_TRANSLATE_NOOP("Catalogue", "chlorure d'ammonium"), 9.2},
    {QT_TRANSLATE_NOOP("Catalogue", "chlorure d'anilinium"), 4.62},
    {QT_TRANSLATE_NOOP("Catalogue", "chlorure de méthylammonium"), 10.7},
    {QT_TRANSLATE_NOOP("Catalogue", "cyanure d'hydrogène"), 9.21},
    {QT_TRANSLATE_NOOP("Catalogue", "phénol"), 10},
    {QT_TRANSLATE_NOOP("Catalogue", "autre acide"), 7},
};

constexpr Row kBases[kListEntries] = {
    {QT_TRANSLATE_NOOP("Catalogue", "acétylsalicylate de sodium"), 3.6},
    {QT_TRANSLATE_NOOP("Catalogue", "ammoniac"), 9.2},
    {QT_TRANSLATE_NOOP("Catalogue", "aniline"), 4.62},
    {QT_TRANSLATE_NOOP("Catalogue", "benzoate de sodium"), 4.2},
    {QT_TRANSLATE_NOOP("Catalogue", "chloroéthanoate de sodium"), 2.86},
    {QT_TRANSLATE_NOOP("Catalogue", "cyanure de sodium"), 9.21},
    {QT_TRANSLATE_NOOP("Catalogue", "éthanoate de sodium"), 4.75},
    {QT_TRANSLATE_NOOP("Catalogue", "fluorure de sodium"), 3.17},
    {QT_TRANSLATE_NOOP("Catalogue", "hydroxyde de sodium"), 14},
    {QT_TRANSLATE_NOOP("Catalogue", "hypochlorite de sodium"), 7.3},
    {QT_TRANSLATE_NOOP("Catalogue", "méthanoate de sodium"), 3.75},
    {QT_TRANSLATE_NOOP("Catalogue", "méthylamine"), 10.7},
    {QT_TRANSLATE_NOOP("Catalogue", "nitrite de sodium"), 3.3},
    {QT_TRANSLATE_NOOP("Catalogue", "phénate de sodium"), 10},
    {QT_TRANSLATE_NOOP("Catalogue", "autre base"), 7},
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
