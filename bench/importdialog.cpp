#include "bench/importdialog.h"

#include "platform/benchscale.h"
#include "platform/frenchtranslations.h"
#include "platform/messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

#include <algorithm>

namespace titrage {

namespace {

constexpr SigmaUnit kUnits[] = {
    SigmaUnit::FromHeader, SigmaUnit::SiemensPerMetre, SigmaUnit::MilliSiemensPerMetre,
    SigmaUnit::MilliSiemensPerCentimetre, SigmaUnit::MicroSiemensPerCentimetre};

} // namespace

ImportDialog::ImportDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("importmesures"));
    setWindowTitle(tr("Importer des mesures"));
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(
        tr("Collez le tableau des mesures de la classe (depuis un tableur), ou ouvrez un fichier "
           "CSV ou texte : sur chaque ligne, le volume versé en mL puis σ, séparés par « ; », une "
           "tabulation ou des espaces. Les mesures s'ajoutent à la situation en cours, à côté des "
           "points versés."),
        this);
    help->setWordWrap(true);
    layout->addWidget(help);
    collage = new QPlainTextEdit(this);
    collage->setObjectName(QStringLiteral("collage"));
    collage->setPlaceholderText(tr("V (mL);σ (mS/cm)\n0;1,41\n1;1,34\n…"));
    layout->addWidget(collage, 1);

    auto* row = new QHBoxLayout;
    ouvrirfichier = new QPushButton(tr("Ouvrir un &fichier…"), this);
    ouvrirfichier->setObjectName(QStringLiteral("ouvrirfichier"));
    row->addWidget(ouvrirfichier);
    row->addStretch(1);
    auto* unitLabel = new QLabel(tr("&Unité de σ :"), this);
    row->addWidget(unitLabel);
    unitesigma = new QComboBox(this);
    unitesigma->setObjectName(QStringLiteral("unitesigma"));
    unitesigma->addItem(tr("d'après l'en-tête"));
    for (size_t i = 1; i < std::size(kUnits); ++i)
        unitesigma->addItem(QString::fromUtf8(sigmaUnitName(kUnits[i])));
    unitLabel->setBuddy(unitesigma);
    row->addWidget(unitesigma);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("&Importer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImportDialog::reject);
    connect(ouvrirfichier, &QPushButton::clicked, this, &ImportDialog::chooseFile);
    resize(460, 360);
    scaleWithBench(this);
}

SigmaUnit ImportDialog::chosenUnit() const
{
    const int i = unitesigma->currentIndex();
    return i >= 0 && i < static_cast<int>(std::size(kUnits)) ? kUnits[i] : SigmaUnit::FromHeader;
}

void ImportDialog::accept()
{
    const QString text = m_fileText.isEmpty() ? collage->toPlainText() : m_fileText;
    MeasurementImport read = importMeasurements(text.toStdString(), chosenUnit());
    if (!read.ok()) {
        Messages::inform(this, tr("Importer des mesures"), QString::fromStdString(read.error),
                         MessageIcon::Exclamation);
        return;
    }
    m_import = std::move(read);
    QDialog::accept();
}

void ImportDialog::chooseFile()
{
    QFileDialog dialog(this, tr("Ouvrir les mesures"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({tr("Mesures (*.csv *.txt *.tsv *.dat)"), tr("Tous les fichiers (*)")});
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    if (Messages::execDialog(dialog) != QDialog::Accepted) return;
    const QString path = dialog.selectedFiles().value(0);
    if (!path.isEmpty()) loadFile(path);
}

bool ImportDialog::loadFile(const QString& path)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(static_cast<qint64>(kMaxImportBytes) + 1);
    QString problem;
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        problem = tr("Le fichier « %1 » ne peut pas être lu.").arg(path);
    else if (bytes.size() > static_cast<qsizetype>(kMaxImportBytes))
        problem = tr("Le fichier dépasse 4 Mo : ce n'est pas un tableau de mesures.");
    if (!problem.isEmpty()) {
        Messages::inform(this, tr("Importer des mesures"), problem, MessageIcon::Exclamation);
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder ansi("windows-1252");
        text = ansi.isValid() ? QString(ansi(bytes)) : QString::fromLatin1(bytes);
    }
    // A plain text editor lays out a line of megabytes for seconds.
    constexpr qsizetype kShownChars = 256 * 1024;
    constexpr qsizetype kShownLine = 1000;
    qsizetype longest = 0;
    for (qsizetype start = 0; start < text.size() && longest <= kShownLine;) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    if (text.size() <= kShownChars && longest <= kShownLine) {
        m_fileText.clear();
        collage->setReadOnly(false);
        collage->setPlainText(text);
    } else {
        m_fileText = text;
        collage->setPlainText(
            tr("Le fichier « %1 » est trop long pour être affiché ici ; il sera lu tel quel.")
                .arg(QFileInfo(path).fileName()));
        collage->setReadOnly(true);
    }
    return true;
}

} // namespace titrage
