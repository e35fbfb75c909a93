#include "calculator/core/machinestate.h"

#include "calculator/core/numbertext.h"

#include <cmath>

namespace titrage {

namespace {

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string withoutSurroundingBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace

double& memoire()
{
    static double value = 0;
    return value;
}

std::string piText()
{
    return writeNumber(4 * std::atan(1.0));
}

void MachineState::show()
{
    m_display = commaExpression(m_saisie);
}

void MachineState::append(std::string_view text)
{
    m_saisie += text;
    show();
}

void MachineState::appendFactor(std::string_view text)
{
    if (!m_saisie.empty()) {
        const char last = m_saisie.back();
        if (last != '(' && last != '-' && last != ' ') m_saisie += " * ";
    }
    append(text);
}

void MachineState::square()
{
    if (isBlank(m_saisie)) ans();
    append(" ^ 2");
}

void MachineState::power()
{
    if (isBlank(m_saisie)) ans();
    append(" ^ ");
}

void MachineState::operation(char op)
{
    if (isBlank(m_display)) return;
    if (isBlank(m_saisie)) ans();
    if (op == '+' && !m_saisie.empty() && m_saisie.back() == 'E') {
        append("+");
    } else {
        append(std::string{' ', op, ' '});
    }
}

void MachineState::minus()
{
    if (m_saisie.empty()) {
        append("-");
        return;
    }
    const char last = m_saisie.back();
    if (last == '(' || last == ' ' || last == 'E') {
        append("-");
    } else if (last == '-') {
        append(" -");
    } else {
        append(" - ");
    }
}

void MachineState::ans()
{
    if (m_erreur == 0) m_saisie += withoutSurroundingBlanks(m_reponse);
    show();
}

void MachineState::efface()
{
    if (!m_saisie.empty()) {
        const size_t n = m_saisie.size();
        if (m_saisie[n - 1] != ' ') {
            m_saisie.pop_back();
        } else if (n >= 2 &&
                   std::string_view("*+/-^").find(m_saisie[n - 2]) != std::string_view::npos) {
            m_saisie.erase(n >= 3 ? n - 3 : 0);
        } else {
            // A function word and its blank: back to the blank or "(" before the word.
            const size_t keep = n >= 2 ? m_saisie.find_last_of(" (", n - 2) : std::string::npos;
            m_saisie.erase(keep == std::string::npos ? 0 : keep + 1);
        }
    }
    show();
}

void MachineState::raz()
{
    m_saisie.clear();
    show();
}

bool MachineState::exe(short angleMode, bool scientific, const DisplayIsBlank& displayIsBlank)
{
    m_erreur = 0;
    const std::string saved = m_saisie;
    std::string expression = m_saisie;
    m_display = kPatience;

    short code = EvalueOk;
    if (displayIsBlank) {
        evalue(expression, code, angleMode, displayIsBlank);
    } else {
        evalue(expression, code, angleMode, [this] { return isBlank(m_display); });
    }
    m_erreur = code;

    std::string text;
    std::string shown; // a result with its decimal comma; a message as it is
    switch (code) {
    case EvalueOk:
        // A number the evaluator left untouched may still not fit a double ("1E999").
        if (const auto value = readNumber(expression)) {
            text = scientific ? scientificText(*value) : standardText(*value);
            shown = commaResult(text);
        } else {
            text = kDepassementCapacite;
            m_erreur = kErreurDepassement;
        }
        break;
    case EvalueFailed:
        text = kCalculImpossible;
        break;
    case EvalueParentheses:
        text = kRevoirParentheses;
        break;
    default:
        text = kIncomprehensionOperateurs;
        break;
    }

    m_display = shown.empty() ? text : shown;
    m_reponse = text;
    m_saisie = m_erreur == 0 ? std::string() : saved;
    return m_erreur != 0;
}

// M+ and M- read the number at the start of the display, 0 when there is
// none (a message); a sum that would overflow leaves the memory as it was.
void MachineState::memoryAdd()
{
    const auto x = readDisplayedNumber(m_display);
    if (x && std::isfinite(memoire() + *x)) memoire() += *x;
}

void MachineState::memorySubtract()
{
    const auto x = readDisplayedNumber(m_display);
    if (x && std::isfinite(memoire() - *x)) memoire() -= *x;
}

void MachineState::memoryClear()
{
    memoire() = 0;
}

void MachineState::memoryRecall(bool scientific)
{
    append(scientific ? scientificText(memoire()) : writeNumber(memoire()));
}

void MachineState::notationChosen(bool scientific)
{
    // Only a result is redisplayed: an error message or the blank display of
    // a fresh window would otherwise turn into a 0 nobody computed.
    if (!m_saisie.empty() || m_erreur != 0 || isBlank(m_reponse)) return;
    if (const auto value = readNumber(m_reponse))
        m_display = commaResult(scientific ? scientificText(*value) : standardText(*value));
}

} // namespace titrage
