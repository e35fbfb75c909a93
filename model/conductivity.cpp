#include "model/conductivity.h"

#include "model/measurement.h"
#include "model/realsolution.h"
#include "model/situations.h"
#include "platform/core/numberformat.h"

#include <cmath>

namespace titrage {

namespace {

enum Slot {
    H3O = 1,
    OH = 2,
    Na = 3,
    Cl = 4,
    Acetylsalicylate = 5,
    Benzoate = 6,
    Chloroethanoate = 7,
    Ethanoate = 8,
    Fluoride = 9,
    Hypochlorite = 10,
    Methanoate = 11,
    Nitrite = 12,
    Ammonium = 13,
    Anilinium = 14,
    Methylammonium = 15,
    Cyanide = 16,
    Phenolate = 19,
};

constexpr float kLambda[kIonSlots] = {
    0,         // no species
    34.97f,    // H3O+
    19.8f,     // OH-
    5.008f,    // Na+
    7.631f,    // Cl-
    3.6f,      // acetylsalicylate
    3.24f,     // benzoate
    3.97f,     // chloroethanoate
    4.09f,     // ethanoate
    5.54f,     // fluoride
    5.0f,      // hypochlorite
    5.46f,     // methanoate
    7.18f,     // nitrite
    7.35f,     // ammonium
    3.0f,      // anilinium
    5.83f,     // methylammonium
    7.8f,      // cyanide
    0,      0, // never filled
    3.0f,      // phenolate
};

// Which form of the couple carries the charge, by list position.
enum class Form { None, Acid, Base, Total };

struct Contribution {
    bool sodium = false;   // Na+ = Ct (a sodium salt in a base beaker)
    bool chloride = false; // Cl- = Ct (an ammonium chloride or HCl in an acid beaker)
    int slot = 0;
    Form form = Form::None;
};

// The ion that each couple contributes. The phenol couple conducts through
// phenolate, its base form, in both natures.
constexpr Contribution kAcidSide[kListEntries] = {
    {false, false, Acetylsalicylate, Form::Base},
    {false, false, Benzoate, Form::Base},
    {false, true, 0, Form::None},
    {false, false, Chloroethanoate, Form::Base},
    {false, false, Ethanoate, Form::Base},
    {false, false, Fluoride, Form::Base},
    {false, false, Hypochlorite, Form::Base},
    {false, false, Methanoate, Form::Base},
    {false, false, Nitrite, Form::Base},
    {false, true, Ammonium, Form::Acid},
    {false, true, Anilinium, Form::Acid},
    {false, true, Methylammonium, Form::Acid},
    {false, false, Cyanide, Form::Base},
    {false, false, Phenolate, Form::Base},
    {false, false, 0, Form::None},
};

constexpr Contribution kBaseSide[kListEntries] = {
    {true, false, Acetylsalicylate, Form::Base},
    {false, false, Ammonium, Form::Acid},
    {false, false, Anilinium, Form::Acid},
    {true, false, Benzoate, Form::Base},
    {true, false, Chloroethanoate, Form::Base},
    {true, false, Cyanide, Form::Base},
    {true, false, Ethanoate, Form::Base},
    {true, false, Fluoride, Form::Base},
    {true, false, 0, Form::None},
    {true, false, Hypochlorite, Form::Base},
    {true, false, Methanoate, Form::Base},
    {false, false, Methylammonium, Form::Acid},
    {true, false, Nitrite, Form::Base},
    {true, false, Phenolate, Form::Base},
    {false, false, 0, Form::None},
};

// Outside the ideal at 25 °C: the ions at a pH read as the activity of H3O+.
// The activity coefficient and the ionic strength settle together (the same
// rounds as the solver's), then each ion's lambda follows the temperature and,
// with real solutions, the ionic strength.
void computeSigmaReal(Model& model, const SigmaInputs& in, double ph, double v)
{
    const Medium medium = mediumOf(model.conditions);
    const float amount = model.cdilue * model.vinitial;
    std::optional<double> ct;
    if (v + model.vinitial != 0.0) ct = static_cast<double>(amount) / (v + model.vinitial);
    std::optional<double> vtot;
    if (in.veau && in.vsol) vtot = static_cast<double>(*in.veau) + (v + *in.vsol);
    std::optional<double> counter; // the titrant's Na+ or Cl-
    if (in.cburette && vtot && *vtot != 0.0) counter = *in.cburette * v / *vtot;

    const Contribution* c = in.position >= 0 && in.position < kListEntries
                                ? &(in.acide ? kAcidSide : kBaseSide)[in.position]
                                : nullptr;
    const double ka =
        in.acide ? static_cast<double>(model.kcouple) : 1e-14 / static_cast<double>(model.kcouple);
    const double activity = std::pow(10.0, -ph);

    double gamma = 1;
    double ionic = 0;
    std::array<double, kIonSlots> conc{};
    for (int round = 0; round < 60; ++round) {
        conc.fill(0.0);
        const double h = activity / gamma;
        conc[H3O] = h;
        conc[OH] = medium.ke / (gamma * gamma * h);
        if (counter) conc[in.acide ? Na : Cl] = *counter;
        if (c && ct) {
            if (c->sodium) conc[Na] = *ct;
            if (c->chloride) conc[Cl] = *ct;
            const double kap = ka / (gamma * gamma);
            if (c->slot != 0 && std::isfinite(kap) && kap + h != 0.0) {
                const double acidForm = h * *ct / (kap + h);
                conc[c->slot] = c->form == Form::Acid ? acidForm : *ct - acidForm;
            }
        }
        const double x = in.acide ? conc[H3O] : conc[OH];
        const double y = in.acide ? conc[OH] : conc[H3O];
        ionic = beakerIonicStrength(isSaltCouple(in.acide, in.position), x, y, counter.value_or(0),
                                    ct.value_or(0));
        const double next = activityCoefficient(medium, ionic);
        if (std::fabs(next - gamma) <= 1e-12) break;
        gamma = next;
    }
    model.gamma = gamma;

    model.lambdaion[H3O] = kLambda[H3O];
    model.lambdaion[OH] = kLambda[OH];
    model.lambdaion[Na] = kLambda[Na];
    model.lambdaion[Cl] = kLambda[Cl];
    if (c && c->slot != 0) model.lambdaion[c->slot] = kLambda[c->slot];
    float sigma = 0;
    for (int i = 1; i < kIonSlots; ++i) {
        model.concion[i] = static_cast<float>(conc[i]);
        if (conc[i] == 0.0 || kLambda[i] == 0.0f) continue;
        const double lambda0 = lambdaAtTemperature(medium, kLambda[i], temperatureCoefficient(i));
        model.lambdaion[i] = static_cast<float>(realLambda(medium, lambda0, ionic));
        if (model.concion[i] != 0.0f)
            sigma = static_cast<float>(static_cast<double>(sigma) +
                                       static_cast<double>(model.concion[i]) * model.lambdaion[i]);
    }
    model.sigma = sigma;
}

} // namespace

bool isSaltCouple(bool acide, int position)
{
    if (position < 0 || position >= kListEntries) return false;
    const Contribution& c = (acide ? kAcidSide : kBaseSide)[position];
    return acide ? c.chloride && c.slot != 0 : c.sodium;
}

void computeSigma(Model& model, const SigmaInputs& in, double ph, double v)
{
    if (!model.conditions.ideal25()) {
        computeSigmaReal(model, in, ph, v);
        return;
    }
    // Total solute of the couple after mixing; cdilue.vinitial is a 32-bit product.
    const float amount = model.cdilue * model.vinitial;
    std::optional<double> ct;
    if (v + model.vinitial != 0.0) ct = static_cast<double>(amount) / (v + model.vinitial);

    const double h = std::pow(10.0, -ph);
    std::optional<double> acidForm;
    std::optional<double> baseForm;
    if (ct) {
        const double ka = in.acide ? static_cast<double>(model.kcouple)
                                   : 1e-14 / static_cast<double>(model.kcouple);
        if (std::isfinite(ka) && ka + h != 0.0) {
            acidForm = h * *ct / (ka + h);
            baseForm = *ct - *acidForm;
        }
    }

    model.concion.fill(0.0f);
    model.lambdaion[H3O] = kLambda[H3O];
    model.lambdaion[OH] = kLambda[OH];
    model.lambdaion[Na] = kLambda[Na];
    model.lambdaion[Cl] = kLambda[Cl];

    std::optional<double> vtot;
    if (in.veau && in.vsol) vtot = static_cast<double>(*in.veau) + (v + *in.vsol);

    model.concion[H3O] = static_cast<float>(std::pow(10.0, -ph));
    model.concion[OH] = static_cast<float>(std::pow(10.0, ph - 14.0));

    // The titrant's counter-ion: Na+ from sodium hydroxide, Cl- from hydrochloric acid.
    if (in.cburette && vtot && *vtot != 0.0)
        model.concion[in.acide ? Na : Cl] = static_cast<float>(*in.cburette * v / *vtot);

    if (in.position >= 0 && in.position < kListEntries) {
        const Contribution& c = (in.acide ? kAcidSide : kBaseSide)[in.position];
        if (ct) {
            if (c.sodium) model.concion[Na] = static_cast<float>(*ct);
            if (c.chloride) model.concion[Cl] = static_cast<float>(*ct);
        }
        if (c.slot != 0) {
            model.lambdaion[c.slot] = kLambda[c.slot];
            const auto& form = c.form == Form::Acid ? acidForm : baseForm;
            if (form) model.concion[c.slot] = static_cast<float>(*form);
        }
    }

    float sigma = 0;
    for (int i = 1; i < kIonSlots; ++i)
        if (model.concion[i] != 0.0f)
            sigma = static_cast<float>(static_cast<double>(sigma) +
                                       static_cast<double>(model.concion[i]) * model.lambdaion[i]);
    model.sigma = sigma;
}

SigmaInputs sigmaInputsOf(const Situation& s)
{
    return benchEntriesOf(s).sigmaInputs();
}

void calcsigmasit(Model& model, const Situation& situation, double ph, double v)
{
    computeSigma(model, sigmaInputsOf(situation), ph, v);
}

} // namespace titrage
