// Any text typed into the calculator: the evaluator must end, with one of its
// four codes, and never produce a NaN or infinite number (writeNumber asserts
// it for every intermediate result; asserts are on in this target); the
// window's state must show a finite number or one of its messages.
#include "calculator/core/evaluator.h"
#include "calculator/core/machinestate.h"
#include "calculator/core/numbertext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool isMessage(const std::string& shown)
{
    return shown == titrage::kCalculImpossible || shown == titrage::kRevoirParentheses ||
           shown == titrage::kIncomprehensionOperateurs || shown == titrage::kDepassementCapacite;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The evaluator alone in degrees, then through the window's state in radians.
    std::string text = input;
    short error = -1;
    titrage::evalue(text, error, titrage::AngleDegrees);
    if (error < 0 || error > 3) std::abort();
    if (error == titrage::EvalueOk) {
        if (text.find(' ') != std::string::npos) std::abort();
        const auto value = titrage::readNumber(text);
        if (value && !std::isfinite(*value)) std::abort();
    }

    titrage::MachineState state;
    state.append(input);
    const bool scientific = size > 0 && (data[0] & 1);
    state.exe(titrage::AngleRadians, scientific);
    const std::string& shown = state.display();
    if (state.erreur() == 0) {
        const auto value = titrage::readNumber(shown);
        if (!value || !std::isfinite(*value) || isMessage(shown)) std::abort();
        if (shown.find("nan") != std::string::npos || shown.find("inf") != std::string::npos)
            std::abort();
        if (!state.saisie().empty()) std::abort();
    } else {
        if (!isMessage(shown) || state.saisie() != input) std::abort();
    }
    return 0;
}
