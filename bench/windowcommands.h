#pragma once
// The window's eight buttons down the right-hand column: close, help, the
// calculator, print, copy, save, open and the exercises. The help viewer and
// the calculator they open live as long as the bench.

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace titrage {

class BenchCopies;
class ConfigBench;
class EntryBoxes;
class Fichexo;
class HelpViewer;
class HoverTexts;
class Machine;
class PrintSource;

// The parts of the bench the buttons act on.
struct CommandTargets {
    EntryBoxes* entries = nullptr; // a value being typed is validated first
    ConfigBench* config = nullptr;
    PrintSource* print = nullptr;
    BenchCopies* copies = nullptr;
    Fichexo* exercises = nullptr;
    QString programFolder; // holds the help page
};

class WindowCommands : public QObject {
    Q_OBJECT

public:
    // Creates the buttons on `bench`; they act once `connectTargets` is called.
    explicit WindowCommands(QWidget& bench);

    QPushButton* Command1 = nullptr;  // "&Fermer"
    QPushButton* Command7 = nullptr;  // "&Aide"
    QPushButton* Command8 = nullptr;  // "&Calculatrice"
    QPushButton* Command10 = nullptr; // "&Imprimer"
    QPushButton* Command4 = nullptr;  // "Co&pier"
    QPushButton* Command11 = nullptr; // "&Enregistrer"
    QPushButton* Command2 = nullptr;  // "&Ouvrir"
    QPushButton* btexo = nullptr;

    // Top to bottom, as the column shows them and Tab reaches them.
    std::array<QPushButton*, 8> buttons() const;
    void connectTargets(const CommandTargets& targets);
    // The column from `top`, in the window's design units.
    void layout(int left, int top, int width);
    // Their status-line texts; the copy confirmation on `status` stays in
    // place over "Copier".
    void installHoverTexts(HoverTexts& hover, const QLabel& status);
    // The calculator goes with the bench.
    void closeCalculator();

    void Command4_Click();
    void Command7_Click();
    void Command8_Click();
    void Command10_Click();
    void Command11_Click();
    void Command2_Click();

private:
    void validatePendingEntries();

    QWidget& m_bench;
    CommandTargets m_targets;
    Machine* m_machine = nullptr;
    HelpViewer* m_help = nullptr;
};

} // namespace titrage
