#pragma once
// The shared state of the chemistry model: the solute catalogue and the model
// variables that every computation reads and writes. One instance serves the
// whole program (one beaker, one burette). The variables are 32-bit floats
// because the reference figures depend on that rounding; the computations
// that feed them run in double precision.

#include <array>
#include <string>

namespace titrage {

inline constexpr double kKe = 1e-14;             // ionic product of water at 25 °C
inline constexpr float kStrongConstant = 1e35f;  // constant standing for a strong acid or base
inline constexpr float kBuretteCapacity = 25.0f; // mL
inline constexpr int kCatalogueRows = 21;        // slots 0..20; rows 1..15 are used
inline constexpr int kListEntries = 15;          // list positions 0..14
inline constexpr int kOtherPosition = 14;        // "autre acide" / "autre base"
inline constexpr int kIonSlots = 20;             // slots 0..19; slot 0 holds no species

// The water the titration runs in. The described model is the ideal solution
// at 25 °C; "Solutions réelles" and a temperature other than 25 °C switch to
// the laws of model/realsolution.h. The default leaves every figure as the
// ideal model gives it, to the bit.
struct SolutionConditions {
    bool real = false;       // conductivities and activities follow the ionic strength
    double temperature = 25; // °C, 15 to 30
    bool ideal25() const { return !real && temperature == 25.0; }
};

struct Model {
    // Catalogue: acid side and base side, indexed by catalogue row (list position + 1).
    std::array<std::string, kCatalogueRows> nomacide{};
    std::array<double, kCatalogueRows> pkacide{};
    std::array<std::string, kCatalogueRows> nombase{};
    std::array<double, kCatalogueRows> pkbase{}; // pKa of the conjugate acid

    float cdilue = 0;   // mol/L, solute after dilution by the added water
    float ctitrant = 0; // mol/L, titrant in the burette
    float vinitial = 0; // mL, Vsol + Veau
    float vverse = 0;   // mL poured
    float kcouple = 0;  // Ka of an acid beaker, Kb of a base beaker; 1e35 for a strong one
    float xprinc = 0;   // mol/L, [H3O+] for an acid beaker, [OH-] for a base beaker
    float phcalc = 0;
    float veq = 0;                            // mL
    float sigma = 0;                          // S/m
    std::array<float, kIonSlots> concion{};   // mol/L
    std::array<float, kIonSlots> lambdaion{}; // mS.m2/mol

    // Read only when the conditions are not the ideal 25 °C ones.
    SolutionConditions conditions{};
    bool acidBeaker = true;  // the nature last loaded: kcouple is Ka, else Kb
    bool saltCouple = false; // the couple came as a salt (NH4+ Cl-, A- Na+, or NaOH)
    double gamma = 1;        // activity coefficient of a singly charged ion, last solve
};

// Fills both sides of the catalogue. Run once at start-up.
void initcatalogue(Model& model);

// Names of list positions 0..14 on one side, in list order.
std::array<std::string, kListEntries> solutenames(const Model& model, bool acide);

// The pKa typed for the "other" entry: stored as a 32-bit float into row 15 of
// the chosen side when the list is at position 14; nothing otherwise or when
// the text is not a number.
void chpk(Model& model, bool acide, int position, std::string_view pkaText);

// A strong electrolyte of the catalogue: "acide chlorhydrique" or "hydroxyde de sodium".
bool isStrongSolute(bool acide, int position);

} // namespace titrage
