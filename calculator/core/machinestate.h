#pragma once
// What the calculator keeps between two keys: the expression being built
// (`saisie`), the last answer (`reponse`), the outcome of the last "EXE"
// (`erreur`) and the text of the display. Each key of the window is one call
// here; the window only mirrors `display()` into its text box.

#include "calculator/core/evaluator.h"
#include "platform/core/trnoop.h"

#include <string>
#include <string_view>

namespace titrage {

// The display's messages, French; the window shows them translated.
inline constexpr const char* kPatience =
    QT_TRANSLATE_NOOP("MachineState", "    Patience... Calculs en cours.     ");
inline constexpr const char* kCalculImpossible =
    QT_TRANSLATE_NOOP("MachineState", "Calcul impossible");
inline constexpr const char* kRevoirParentheses =
    QT_TRANSLATE_NOOP("MachineState", "Erreur saisie: revoir les parenthèses");
inline constexpr const char* kIncomprehensionOperateurs =
    QT_TRANSLATE_NOOP("MachineState", "Erreur saisie: incompréhension sur opérateurs: ^ * / + -");
inline constexpr const char* kDepassementCapacite =
    QT_TRANSLATE_NOOP("MachineState", "Dépassement de capacité");

// `erreur` after "EXE": the evaluator's codes, and one of the window's own.
inline constexpr short kErreurDepassement = 4;

// The calculator memory: 0 when the program starts, kept while it runs,
// whether the window is open or not.
double& memoire();

class MachineState {
public:
    const std::string& saisie() const { return m_saisie; }
    const std::string& reponse() const { return m_reponse; }
    short erreur() const { return m_erreur; }
    const std::string& display() const { return m_display; }

    // Digits, ".", "E", the unit prefixes ("E-12" ... "E+12") and ")".
    void append(std::string_view text);
    // "(", the functions, "SQR ", "10 ^ ", "1 / ", π: a " * " goes first when
    // the expression ends with a number or ")" (2 then COS gives "2 * cos ").
    void appendFactor(std::string_view text);
    // x² and x^y: on an empty expression they apply to the last answer.
    void square();
    void power();
    // "*", "/" and "+": nothing while the display is blank; on an empty
    // expression they apply to the last answer. "+" right after "E" is the
    // exponent's sign.
    void operation(char op);
    // "-": a unary minus after "(", a blank, "E" or at the start, else " - ".
    void minus();
    // The last answer, when the last "EXE" succeeded.
    void ans();
    // Erases the last token: a character, an operator with its blanks, or a
    // function word with its blank.
    void efface();
    void raz();

    // Evaluates the expression. On success the display shows the result and
    // the expression empties; on failure it shows the message and the
    // expression stays for correction. Returns true when the calculator must
    // beep (a failure). `displayIsBlank` is the display the evaluator
    // consults; by default, this state's own.
    bool exe(short angleMode, bool scientific, const DisplayIsBlank& displayIsBlank = {});

    // M+, M- and CM: the memory changes, the display does not.
    void memoryAdd();
    void memorySubtract();
    void memoryClear();
    // RM: appends the memory in the current notation.
    void memoryRecall(bool scientific);

    // "Scientifique" or "Standard" chosen: with an empty expression, the last
    // answer is shown again in that notation.
    void notationChosen(bool scientific);

private:
    // The expression is kept with "." for the evaluator and shown with ",".
    void show();

    std::string m_saisie;
    std::string m_reponse;
    short m_erreur = 0;
    std::string m_display;
};

// The text of π that the π key appends (15 significant digits).
std::string piText();

} // namespace titrage
