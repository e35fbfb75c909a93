#pragma once
// The species and solids of the mixture engine, and the one table of their
// constants at 25 °C. A species is an index into fixed arrays, so a point's
// concentrations live in a std::array and a solve never allocates.

#include <array>
#include <cstdint>

namespace titrage {

// The free ions and molecules. The catalogue's couples follow the fixed ones,
// acid form then base form, in the order of kCouples below.
enum MixSpecies : std::uint8_t {
    SpH3O,
    SpHO,
    SpNa,
    SpK,
    SpCl,
    SpNO3,
    SpAg,
    SpBa,
    SpSO4,
    SpHSO4,
    SpH3PO4,
    SpH2PO4,
    SpHPO4,
    SpPO4,
    SpFirstCouple, // acid form of couple 0; base form of couple k is SpFirstCouple + 2k + 1
};

// The weak couples of the catalogue, one per couple whatever side of the
// catalogue names it, plus the two user-defined entries: "autre acide" is
// HA/A-, "autre base" is BH+/B, both without a conducting ion, as the bench
// models them.
enum MixCouple : std::uint8_t {
    CpAcetylsalicylic,
    CpBenzoic,
    CpChloroethanoic,
    CpEthanoic,
    CpHydrofluoric,
    CpHypochlorous,
    CpMethanoic,
    CpNitrous,
    CpAmmonium,
    CpAnilinium,
    CpMethylammonium,
    CpHydrocyanic,
    CpPhenol,
    CpOtherAcid,
    CpOtherBase,
    kCoupleCount,
};

inline constexpr int kMixSpecies = SpFirstCouple + 2 * kCoupleCount;

constexpr int coupleAcid(int couple)
{
    return SpFirstCouple + 2 * couple;
}
constexpr int coupleBase(int couple)
{
    return SpFirstCouple + 2 * couple + 1;
}

enum MixSolid : std::uint8_t { SolidAgCl, SolidBaSO4, kMixSolids };

// The constants the engine uses. λ in mS·m²·mol⁻¹ per mole of the ion (so a
// doubly charged ion's λ is its whole molar conductivity, not per charge);
// the bench's own ions (H3O+, HO-, Na+, Cl- and the couples' ions) are not
// here: they are read from the conductivity model, so that a single couple
// computed by either model conducts alike.
struct MixConstants {
    double lambdaAg = 6.192;
    double lambdaNO3 = 7.142;
    double lambdaK = 7.348;
    double lambdaBa = 12.72;
    double lambdaSO4 = 16.0;
    double lambdaHSO4 = 5.2;
    double lambdaH2PO4 = 3.6;
    double lambdaHPO4 = 11.4;
    double lambdaPO4 = 27.84;
    double pKaHSO4 = 1.9; // the first acidity of sulfuric acid is strong
    std::array<double, 3> pKaPhosphoric{2.1, 7.2, 12.4};
    double pKsAgCl = 9.75;
    double pKsBaSO4 = 9.97;
    // Solids the engine does not treat: a point where their ion product
    // reaches the solubility product is refused rather than computed wrongly.
    // Ks 1,20e-5 and 8,89e-17 at 25 °C, from the table of solubility product
    // constants of the CRC Handbook of Chemistry and Physics.
    double pKsAg2SO4 = 4.92;
    double pKsAg3PO4 = 16.05;
};
inline constexpr MixConstants kMixConstants{};

struct SpeciesInfo {
    const char* formula; // ASCII, as the table's headers show it: "SO4^2-", "NH4+"
    int charge;
};

// Formula and charge of species s (0 <= s < kMixSpecies).
const SpeciesInfo& speciesInfo(int s);

// "AgCl", "BaSO4".
const char* solidFormula(int solid);

} // namespace titrage
