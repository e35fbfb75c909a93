#pragma once
// An exact equilibrium engine for a beaker of up to three solutes titrated by
// one titrant, beside the bench's single-couple model: the mass balances, the
// charge balance and the solubility products of AgCl and BaSO4, solved at
// each poured volume to a relative charge-balance residual below 1e-12.
//
// Method. Given h = [H3O+], every concentration is explicit: each acid-base
// family is split by its fractions at h; AgCl does not depend on h and is
// settled once per volume by the exact root of its quadratic; BaSO4 depends
// on h through the share of sulfate left unprotonated, and is settled at each
// trial h by the same exact quadratic with the conditional product Ks/α.
// What remains is the charge balance F(h) = Σ positive − Σ negative charges,
// which increases strictly with h; it is solved in u = ln h by Newton steps
// with the analytic derivative, kept inside a bracket that always holds the
// root and falling back to bisection whenever a step would leave it.

#include "model/model.h"
#include "model/mixtureions.h"

#include <array>
#include <optional>
#include <string>

namespace titrage {

enum class MixSoluteKind : std::uint8_t {
    CatalogueAcid, // acid side of the catalogue, list position 0..14
    CatalogueBase, // base side of the catalogue, list position 0..14
    SodiumChloride,
    PotassiumChloride,
    SodiumSulfate,
    SulfuricAcid,
    PhosphoricAcid,
};

struct MixSolute {
    MixSoluteKind kind = MixSoluteKind::SodiumChloride;
    int position = 0; // catalogue entries only
    double pka = 7;   // the "autre acide" / "autre base" entry (position 14) only
    double c = 0;     // mol/L in the introduced solution, before the added water
};

enum class MixTitrant : std::uint8_t {
    SodiumHydroxide,
    HydrochloricAcid,
    SilverNitrate,
    BariumChloride,
    BariumHydroxide,
};

inline constexpr int kMaxMixSolutes = 3;

struct Mixture {
    std::array<MixSolute, kMaxMixSolutes> solutes{};
    int soluteCount = 0;
    MixTitrant titrant = MixTitrant::SodiumHydroxide;
    double ctitrant = 0.01; // mol/L
    double vsol = 20;       // mL of solution introduced, as the bench's Vsol
    double veau = 0;        // mL of water added, as the bench's Veau
};

// One point of the titration.
struct MixPoint {
    double v = 0; // mL poured
    double h = 0; // mol/L
    double ph = 0;
    double sigma = 0;                       // S/m
    std::array<double, kMixSpecies> c{};    // mol/L of each free species
    std::array<double, kMixSolids> solid{}; // mol of each precipitate in the beaker
    double residual = 0;                    // |Σ positive − Σ negative| / Σ |charge|·c
    int iterations = 0;
};

// Why a point could not be computed honestly.
enum class MixStatus : std::uint8_t {
    Ok,
    SilverSulfate,   // the ion product of Ag2SO4 reached its Ks
    SilverPhosphate, // likewise for Ag3PO4
    BadVolume,       // a negative or non-finite volume
};

// The French message of a refused point, with its volume ("V = 12,5 mL").
std::string mixStatusMessage(MixStatus status, double v);

// Why a mixture is refused, before any point: nothing when the engine treats it.
std::optional<std::string> mixtureRefusal(const Mixture& mixture);

class MixtureEngine {
public:
    // The mixture must have passed mixtureRefusal; the catalogue's pKa are
    // read from `catalogue` (initcatalogue'd).
    MixtureEngine(const Mixture& mixture, const Model& catalogue);

    // Solves the point at v mL poured into `out`. `hint`, when positive, is an
    // [H3O+] to start from (the previous point of a walk). No allocation.
    MixStatus solve(double v, MixPoint& out, double hint = 0) const;

    // Whether species s or solid k can be present in this titration at all.
    bool hasSpecies(int s) const { return m_present[s]; }
    bool hasSolid(int k) const { return m_solidPossible[k]; }

    // The molar conductivity the engine gives species s, mS·m²·mol⁻¹.
    static double lambda(int s);

private:
    struct Family {
        int couple = 0;
        double ka = 0;
        double amount = 0; // mol/L in the beaker before dilution (c.vsol/vsol)
        int acidCharge = 0;
    };
    // Totals per litre of introduced solution (beaker) and of titrant.
    struct Totals {
        double na = 0, k = 0, cl = 0, no3 = 0, ag = 0, ba = 0, sulfate = 0, phosphate = 0;
    };

    Totals m_beaker;
    Totals m_titrant;
    std::array<Family, kMaxMixSolutes> m_families{};
    int m_familyCount = 0;
    double m_kaHSO4 = 0;
    std::array<double, 3> m_kaPhosphoric{};
    double m_ksAgCl = 0;
    double m_ksBaSO4 = 0;
    double m_ksAg2SO4 = 0;
    double m_ksAg3PO4 = 0;
    std::array<bool, kMixSpecies> m_present{};
    std::array<bool, kMixSolids> m_solidPossible{};
    Mixture m_mixture;
};

} // namespace titrage
