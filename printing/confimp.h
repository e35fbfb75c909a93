#pragma once
// "Imprimer": the choice of what to print (the illustration, the graph with
// the history of the curves, the table of values), the page title and the
// number of copies, the printer set-up, and the printing itself.

#include "printing/pageprinter.h"
#include "printing/pathfield.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace titrage {

class PrintSource;
class UpDown;

class confimp : public QDialog {
    Q_OBJECT

public:
    explicit confimp(PrintSource& source, QWidget* parent = nullptr);
    ~confimp() override;

    // The set-up the pages go to. It is never painted on: each printing
    // paints on a fresh printer set up like it, so that a printing that
    // failed to start leaves the next one possible. The set-up accepted in
    // "&Imprimantes" or used for a printing holds for the next dialog.
    QPrinter& printer() { return *m_printer; }

    // What the ticked boxes choose and the number of copies set.
    PrintChoice choice() const;
    int copies() const;
    // The items gathered from the bench for `choice()` (runs prepaima and
    // restores the screen when the illustration is chosen).
    PrintMaterial gatherMaterial();

    // --- Controls ---
    QGroupBox* Frame1 = nullptr;      // "Options"
    QLineEdit* Text1 = nullptr;       // page title
    std::array<QCheckBox*, 4> Chec{}; // 0, 1 and 3; 2 is not used
    QLabel* Label3 = nullptr;         // "Nombre d'exemplaires :"
    QLabel* Label4 = nullptr;         // the number of copies
    UpDown* UpDown1 = nullptr;
    QLabel* Label5 = nullptr;        // "Titre de la page :"
    QPushButton* Command1 = nullptr; // prints
    QPushButton* Command2 = nullptr; // "&Imprimantes"
    QPushButton* Command3 = nullptr; // "&Annuler"
    QFrame* Frame2 = nullptr;        // shown while printing
    QLabel* Label1 = nullptr;        // "Veuillez patienter quelques instants..."
    QLabel* Labeldefaut = nullptr;   // "Imprimante :" or "Fichier PDF :"
    PathField* defaut = nullptr;     // name of the current printer or of the PDF file

    // --- Event handlers ---
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void UpDown1_Change();

    // How much larger than its design size the dialog is shown: the bench's
    // scale (its window maximised on a projector), never below 1.
    qreal scale() const;

    // Copies the up-down allows.
    static constexpr int kMinCopies = 1;
    static constexpr int kMaxCopies = 99;

private:
    void createControls();
    void showPrinting(bool printing);
    void nameAccessibly();
    void scaleWithBench();
    void remember();
    QString suggestedPdfFile() const;

    PrintSource& m_source;
    std::unique_ptr<QPrinter> m_printer;
    // The PDF file named by the last set-up: proposed, never reused unasked.
    QString m_previousPdf;
    // The PDF file chosen could not be written: ask again next time.
    bool m_askPdfAgain = false;
};

// "&Imprimer" of the bench: creates the dialog, caption "Imprimer", runs it.
void showPrintDialog(PrintSource& source);

} // namespace titrage
