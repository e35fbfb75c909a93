#include "model/contributions.h"

#include "model/curve.h"
#include "platform/core/numberformat.h"

#include <algorithm>
#include <array>

namespace titrage {

namespace {

constexpr std::array<const char*, kIonSlots> kIonNames = {
    "",          // no species
    "H₃O⁺",      // 1
    "HO⁻",       // 2
    "Na⁺",       // 3
    "Cl⁻",       // 4
    "C₉H₇O₄⁻",   // 5 acetylsalicylate
    "C₆H₅COO⁻",  // 6 benzoate
    "ClCH₂COO⁻", // 7 chloroethanoate
    "CH₃COO⁻",   // 8 ethanoate
    "F⁻",        // 9
    "ClO⁻",      // 10
    "HCOO⁻",     // 11 methanoate
    "NO₂⁻",      // 12
    "NH₄⁺",      // 13
    "C₆H₅NH₃⁺",  // 14 anilinium
    "CH₃NH₃⁺",   // 15 methylammonium
    "CN⁻",       // 16
    "",          "",
    "C₆H₅O⁻", // 19 phenolate
};

} // namespace

const char* ionName(int slot)
{
    return slot > 0 && slot < kIonSlots ? kIonNames[slot] : "";
}

std::vector<IonShare> ionShares(const Model& model)
{
    std::vector<IonShare> shares;
    for (int i = 1; i < kIonSlots; ++i)
        if (model.concion[i] != 0.0f)
            shares.push_back({i, model.lambdaion[i], model.concion[i],
                              static_cast<double>(model.concion[i]) * model.lambdaion[i]});
    return shares;
}

void walkContributions(Model& model, const SigmaInputs& inputs, float maxaxe, StackedCurve& out)
{
    out.ions.clear();
    out.lambdas.clear();
    out.top.clear();
    // The terms of every vertex, slot by slot; the ions present are known at the end.
    std::vector<std::array<float, kIonSlots>> terms;
    std::array<bool, kIonSlots> present{};
    std::array<float, kIonSlots> lambda{};
    walkCurve(model, inputs, maxaxe, out.vertices, [&](const Model& m) {
        std::array<float, kIonSlots> t{};
        for (int i = 1; i < kIonSlots; ++i)
            if (m.concion[i] != 0.0f) {
                t[i] = m.concion[i];
                present[i] = true;
                lambda[i] = m.lambdaion[i];
            }
        terms.push_back(t);
    });
    for (int i = 1; i < kIonSlots; ++i)
        if (present[i]) {
            out.ions.push_back(i);
            out.lambdas.push_back(lambda[i]);
        }
    out.top.reserve(terms.size());
    for (const auto& t : terms) {
        std::vector<float> tops(out.ions.size());
        float sum = 0;
        for (size_t k = 0; k < out.ions.size(); ++k) {
            const int i = out.ions[k];
            // The same 32-bit running sum as the conductivity model's.
            if (t[i] != 0.0f)
                sum = static_cast<float>(static_cast<double>(sum) +
                                         static_cast<double>(t[i]) * lambda[i]);
            tops[k] = sum;
        }
        out.top.push_back(std::move(tops));
    }
}

std::string ionLegend(int slot, float lambda)
{
    return std::string(ionName(slot)) + " : λ = " + generalFormat(lambda) + " mS·m²·mol⁻¹";
}

} // namespace titrage
