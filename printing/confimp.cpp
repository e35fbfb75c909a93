#include "printing/confimp.h"

#include "platform/messages.h"
#include "printing/printsource.h"
#include "printing/updown.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace titrage {

namespace {

QString printerName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
    return printer.printerName();
}

// The set-up chosen in the dialog holds from one printing to the next.
QPrinter& sharedPrinter()
{
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine([] { delete &sharedPrinter(); });
        return p;
    }();
    return *printer;
}

} // namespace

confimp::confimp(PrintSource& source, QWidget* parent)
    : QDialog(parent), m_source(source),
      m_ownPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_printer(m_ownPrinter.get())
{
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    createControls();
    Form_Load();
}

confimp::~confimp() = default;

void confimp::createControls()
{
    defaut = new QLineEdit(this);
    defaut->setObjectName(QStringLiteral("defaut"));
    defaut->setReadOnly(true);

    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    const std::array<std::pair<int, const char*>, 3> boxes{
        {{0, "L'illustration"}, {1, "Le graphe"}, {3, "Le tableau de valeurs"}}};
    auto* options = new QVBoxLayout(Frame1);
    for (const auto& [index, caption] : boxes) {
        Chec[index] = new QCheckBox(QString::fromUtf8(caption), Frame1);
        Chec[index]->setObjectName(QStringLiteral("Chec(%1)").arg(index));
        options->addWidget(Chec[index]);
    }

    Label5 = new QLabel(QStringLiteral("Titre de la page :"), Frame1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Text1 = new QLineEdit(QStringLiteral("Pelkora - Dosage conductimétrique"), Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    options->addWidget(Label5);
    options->addWidget(Text1);

    auto* copiesRow = new QHBoxLayout;
    Label3 = new QLabel(QStringLiteral("Nombre d'exemplaires :"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(QStringLiteral("1"), Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFrameShape(QFrame::Panel);
    Label4->setFrameShadow(QFrame::Sunken);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setMinimumWidth(30);
    UpDown1 = new UpDown(kMinCopies, kMaxCopies, Frame1);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    copiesRow->addWidget(Label3);
    copiesRow->addWidget(Label4);
    copiesRow->addWidget(UpDown1);
    copiesRow->addStretch();
    options->addLayout(copiesRow);

    Command1 = new QPushButton(QStringLiteral("&Imprimer"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Imprimantes"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("&Annuler"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Label1 = new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), Frame2);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* waiting = new QVBoxLayout(Frame2);
    waiting->addWidget(Label1, 0, Qt::AlignCenter);
    Frame2->hide();

    auto* main = new QVBoxLayout(this);
    main->addWidget(defaut);
    main->addWidget(Frame1);
    main->addWidget(Frame2);
    main->addLayout(buttons);

    connect(UpDown1, &UpDown::valueChanged, this, &confimp::UpDown1_Change);
    connect(Command1, &QPushButton::clicked, this, &confimp::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &confimp::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &confimp::Command3_Click);
}

void confimp::usePrinter(QPrinter& printer)
{
    m_printer = &printer;
    Form_Load();
}

void confimp::Form_Load()
{
    defaut->setText(printerName(*m_printer));
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
        m.history = historyEntries(m_source.situations(), m_source.catalogue());
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
        Messages::inform(this, QStringLiteral("Erreur sélection"),
                         QStringLiteral("Il faut choisir au moins une illustration à imprimer"),
                         MessageIcon::Critical);
        return;
    }
    showPrinting(true);
    const PrintMaterial material = gatherMaterial();
    const int pages = printCopies(*m_printer, material, copies());
    if (pages == 0) {
        // Nothing reached the printer: say so and leave the choice as it was.
        showPrinting(false);
        Messages::inform(this, QStringLiteral("Imprimer"),
                         QStringLiteral("L'impression n'a pas pu commencer sur l'imprimante "
                                        "choisie."),
                         MessageIcon::Critical);
        return;
    }
    showPrinting(false);
    accept();
}

void confimp::Command2_Click()
{
    QPrintDialog dialog(m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimantes"));
    if (Messages::execDialog(dialog) == QDialog::Accepted) {
        // Copies are printed one after the other by the dialog itself: a
        // count chosen in the set-up becomes the dialog's own.
        if (m_printer->copyCount() > 1) {
            UpDown1->setValue(m_printer->copyCount());
            m_printer->setCopyCount(1);
        }
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
    dialog.usePrinter(sharedPrinter());
    Messages::execDialog(dialog);
}

} // namespace titrage
