#include "printing/confimp.h"

#include "platform/benchscale.h"
#include "platform/coretext.h"
#include "platform/messages.h"
#include "printing/pathfield.h"
#include "printing/pdfoutput.h"
#include "printing/printersetup.h"
#include "printing/printsource.h"
#include "printing/updown.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace titrage {

namespace {

// The set-up of the last printing or of the last accepted "&Imprimantes".
std::optional<PrinterSetup>& rememberedSetup()
{
    static std::optional<PrinterSetup> setup;
    return setup;
}

// The box of the number of copies: two digits at the design size.
constexpr int kCopiesWidth = 30;

} // namespace

confimp::confimp(PrintSource& source, QWidget* parent)
    : QDialog(parent), m_source(source),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(tr("Imprimer"));
    if (const auto& setup = rememberedSetup()) {
        PrinterSetup s = *setup;
        // A PDF file is written only when named for this printing.
        if (s.format == QPrinter::PdfFormat) m_previousPdf = std::exchange(s.fileName, QString());
        s.applyTo(*m_printer);
    }
    createControls();
    nameAccessibly();
    scaleWithBench();
    Form_Load();
}

confimp::~confimp() = default;

void confimp::createControls()
{
    Labeldefaut = new QLabel(this);
    Labeldefaut->setObjectName(QStringLiteral("Labeldefaut"));
    defaut = new PathField(this);
    defaut->setObjectName(QStringLiteral("defaut"));
    Labeldefaut->setBuddy(defaut);

    Frame1 = new QGroupBox(tr("Options"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    const std::array<std::pair<int, const char*>, 3> boxes{
        {{0, QT_TRANSLATE_NOOP("titrage::confimp", "L'illustration")},
         {1, QT_TRANSLATE_NOOP("titrage::confimp", "Le graphe")},
         {3, QT_TRANSLATE_NOOP("titrage::confimp", "Le tableau de valeurs")}}};
    auto* options = new QVBoxLayout(Frame1);
    for (const auto& [index, caption] : boxes) {
        Chec[index] = new QCheckBox(tr(caption), Frame1);
        Chec[index]->setObjectName(QStringLiteral("Chec(%1)").arg(index));
        options->addWidget(Chec[index]);
    }

    Label5 = new QLabel(tr("Titre de la page :"), Frame1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Text1 = new QLineEdit(tr("Pelkora - Dosage conductimétrique"), Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    options->addWidget(Label5);
    options->addWidget(Text1);

    auto* copiesRow = new QHBoxLayout;
    Label3 = new QLabel(tr("Nombre d'exemplaires :"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(QStringLiteral("1"), Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFrameShape(QFrame::Panel);
    Label4->setFrameShadow(QFrame::Sunken);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setMinimumWidth(kCopiesWidth);
    UpDown1 = new UpDown(kMinCopies, kMaxCopies, Frame1);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    copiesRow->addWidget(Label3);
    copiesRow->addWidget(Label4);
    copiesRow->addWidget(UpDown1);
    copiesRow->addStretch();
    options->addLayout(copiesRow);

    Command1 = new QPushButton(tr("Im&primer"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(tr("&Imprimantes"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(tr("&Annuler"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Label1 = new QLabel(tr("Veuillez patienter quelques instants..."), Frame2);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* waiting = new QVBoxLayout(Frame2);
    waiting->addWidget(Label1, 0, Qt::AlignCenter);
    Frame2->hide();

    auto* target = new QHBoxLayout;
    target->addWidget(Labeldefaut);
    target->addWidget(defaut, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(target);
    main->addWidget(Frame1);
    main->addWidget(Frame2);
    main->addLayout(buttons);

    connect(UpDown1, &UpDown::valueChanged, this, &confimp::UpDown1_Change);
    connect(Command1, &QPushButton::clicked, this, &confimp::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &confimp::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &confimp::Command3_Click);
    // The PDF file proposed follows the page title.
    connect(Text1, &QLineEdit::textChanged, this, &confimp::Form_Load);
}

void confimp::nameAccessibly()
{
    Labeldefaut->setAccessibleName(tr("Destination de l'impression"));
    defaut->setAccessibleName(tr("Imprimante ou fichier PDF"));
    defaut->setAccessibleDescription(
        tr("Où les pages seront imprimées ; à changer avec Imprimantes"));
    Text1->setAccessibleName(Label5->text());
    Text1->setAccessibleDescription(tr("Imprimé en haut de chaque page"));
    Label4->setAccessibleName(Label3->text());
    UpDown1->setAccessibleName(Label3->text());
    UpDown1->setAccessibleDescription(
        tr("Flèches pour augmenter ou diminuer le nombre d'exemplaires"));
    Command1->setAccessibleDescription(tr("Imprimer les éléments cochés"));
    Command2->setAccessibleDescription(tr("Choisir l'imprimante et la page"));
    Command3->setAccessibleDescription(tr("Fermer sans imprimer"));
    Frame2->setAccessibleName(Label1->text());
}

void confimp::scaleWithBench()
{
    // The dialog grows with the bench shown larger (on a projector), as every
    // dialog opened from it: its font, its fixed sizes (the up-down's arrows
    // too) and the style's margins. A smaller bench (a netbook) leaves it at
    // its design size.
    titrage::scaleWithBench(this);
}

qreal confimp::scale() const
{
    return benchScale(this);
}

QString confimp::suggestedPdfFile() const
{
    if (!m_printer->outputFileName().isEmpty()) return m_printer->outputFileName();
    if (!m_previousPdf.isEmpty()) return m_previousPdf;
    return pdfFileFor(Text1 ? Text1->text() : QString());
}

void confimp::Form_Load()
{
    if (!defaut) return;
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        Labeldefaut->setText(tr("Fichier PDF :"));
        defaut->setPath(suggestedPdfFile());
    } else {
        Labeldefaut->setText(tr("Imprimante :"));
        defaut->setPath(m_printer->printerName());
    }
}

void confimp::remember()
{
    rememberedSetup() = PrinterSetup::of(*m_printer);
}

PrintChoice confimp::choice() const
{
    return {Chec[0]->isChecked(), Chec[1]->isChecked(), Chec[3]->isChecked()};
}

int confimp::copies() const
{
    return UpDown1->value();
}

void confimp::UpDown1_Change()
{
    Label4->setText(QString::number(UpDown1->value()));
}

void confimp::showPrinting(bool printing)
{
    for (QWidget* w : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Frame1)})
        w->setVisible(!printing);
    Frame2->setVisible(printing);
    if (printing) Frame2->repaint();
}

PrintMaterial confimp::gatherMaterial()
{
    PrintMaterial m;
    m.title = Text1->text();
    m.choice = choice();
    if (m.choice.illustration) {
        // The texts laid over the picture are written into it for the page,
        // then the screen is redrawn without them.
        m.illustration = m_source.illustrationForPrint().copy();
        m_source.restoreIllustration();
    }
    if (m.choice.graph) {
        m.graph = m_source.graphPicture().copy();
        m.history = historyEntries(m_source.situations(), m_source.catalogue(), translateCoreText);
        for (const HistoryEntry& e : m.history)
            m.historyColours.push_back(m_source.situationColour(e.situation));
    }
    if (m.choice.table) {
        m.table = m_source.tablePicture().copy();
        m.tableHeaderPixels = m_source.tableHeaderHeight();
        m.tableRowPixels = m_source.tableRowHeight();
    }
    return m;
}

void confimp::Command1_Click()
{
    if (!choice().any()) {
        Messages::inform(this, tr("Erreur sélection"),
                         tr("Il faut choisir au moins une illustration à imprimer"),
                         MessageIcon::Critical);
        return;
    }
    // No printer, or a PDF file that could not be written: the student names
    // the file (the dialog stays open when cancelled).
    if (m_printer->outputFormat() == QPrinter::PdfFormat &&
        (m_askPdfAgain || m_printer->outputFileName().isEmpty())) {
        const std::optional<QString> file = askPdfFile(this, suggestedPdfFile());
        if (!file) return;
        m_printer->setOutputFileName(*file);
        m_askPdfAgain = false;
        Form_Load();
    }
    showPrinting(true);
    const PrintMaterial material = gatherMaterial();
    // A printer of its own for this printing: one whose start failed stays
    // unusable, the set-up does not.
    const std::unique_ptr<QPrinter> printer = freshPrinter(*m_printer);
    printer->setDocName(material.title);
    if (printsToFile(*printer)) {
        // A file is written like a save: checked whole before it replaces
        // the older one, which a failure leaves as it was (and says so).
        const bool printed = printToFile(this, *printer, [&](QPrinter& device) {
            return printCopies(device, material, copies()) > 0;
        });
        showPrinting(false);
        if (!printed) {
            m_askPdfAgain = true;
            return;
        }
        remember();
        accept();
        return;
    }
    const int pages = printCopies(*printer, material, copies());
    showPrinting(false);
    if (pages == 0) {
        // Nothing reached the printer: say so and leave the choice as it was.
        Messages::inform(this, tr("Imprimer"),
                         tr("L'impression n'a pas pu commencer sur "
                            "l'imprimante choisie."),
                         MessageIcon::Critical);
        return;
    }
    remember();
    accept();
}

void confimp::Command2_Click()
{
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(tr("Imprimantes"));
    titrage::scaleWithBench(&dialog);
    if (Messages::execDialog(dialog) == QDialog::Accepted) {
        m_askPdfAgain = false;
        // Copies are printed one after the other by the dialog itself: a
        // count chosen in the set-up becomes the dialog's own.
        if (m_printer->copyCount() > 1) {
            UpDown1->setValue(m_printer->copyCount());
            m_printer->setCopyCount(1);
        }
        remember();
    }
    Form_Load();
}

void confimp::Command3_Click()
{
    reject();
}

void showPrintDialog(PrintSource& source)
{
    confimp dialog(source, source.printWindow());
    Messages::execDialog(dialog);
}

} // namespace titrage
