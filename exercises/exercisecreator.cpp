#include "exercises/exercisecreator.h"

#include "config/core/configfile.h"
#include "config/enregistrer.h"
#include "exercises/core/exercisebundle.h"
#include "exercises/core/exercisefile.h"
#include "exercises/core/richtext.h"
#include "exercises/core/textmarkup.h"
#include "exercises/exercisehost.h"
#include "exercises/richtextdocument.h"
#include "platform/benchscale.h"
#include "platform/frenchtranslations.h"
#include "platform/messages.h"
#include "platform/savefolders.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace titrage {

namespace {

// Bounds what a mistaken choice (a film, a disk image) makes us read.
constexpr qint64 kMaxTextBytes = 16 * 1024 * 1024;

std::optional<std::string> readTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTextBytes) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) return std::nullopt;
    return teacherTextAsRtf(bytes.toStdString());
}

// "Acidité d'un vinaigre" → "ACIDITE_D_UN_VINAIGRE": a file name from the title.
QString nameFromTitle(const QString& title)
{
    QString name;
    for (const QChar c : title.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            name += c.toUpper();
        else if ((c.isSpace() || c == u'\'' || c == u'-') && !name.endsWith(u'_') &&
                 !name.isEmpty())
            name += u'_';
    }
    while (name.endsWith(u'_'))
        name.chop(1);
    return name.left(kMaxExerciseNameLength);
}

QWidget* withBrowseButton(QWidget* parent, QLineEdit* field, const QString& objectName,
                          const std::function<void()>& browse)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    auto* button = new QPushButton(QObject::tr("Parcourir…"), row);
    button->setObjectName(objectName);
    QObject::connect(button, &QPushButton::clicked, row, browse);
    layout->addWidget(button);
    return row;
}

} // namespace

QString userExercisesFolder()
{
    return QDir(documentsFolder()).filePath(QStringLiteral("Exercices de titrage"));
}

ExerciseCreator::ExerciseCreator(ExerciseHost& host, const QString& folder)
    : QDialog(host.exerciseWindow()), m_host(host)
{
    setObjectName(QStringLiteral("ExerciseCreator"));
    setWindowTitle(tr("Créer un exercice"));
    setModal(true);

    titre = new QLineEdit(this);
    titre->setObjectName(QStringLiteral("titre"));
    difficulte = new QSpinBox(this);
    difficulte->setObjectName(QStringLiteral("difficulte"));
    difficulte->setRange(0, 3);
    difficulte->setValue(1);
    difficulte->setSuffix(tr(" étoile(s)"));
    duree = new QSpinBox(this);
    duree->setObjectName(QStringLiteral("duree"));
    duree->setRange(1, kMaxHourglasses);
    duree->setSuffix(tr(" sablier(s)"));
    auto* notions = new QWidget(this);
    auto* notionsLayout = new QVBoxLayout(notions);
    notionsLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        notion[i] = new QLineEdit(notions);
        notion[i]->setObjectName(QStringLiteral("notion%1").arg(i + 1));
        notionsLayout->addWidget(notion[i]);
    }

    enonceFenetre = new QRadioButton(tr("le texte de la fenêtre exercice"), this);
    enonceFenetre->setObjectName(QStringLiteral("enonceFenetre"));
    enonceFenetre->setChecked(true);
    enonceFichier = new QRadioButton(tr("un fichier (RTF ou texte) :"), this);
    enonceFichier->setObjectName(QStringLiteral("enonceFichier"));
    fichierEnonce = new QLineEdit(this);
    fichierEnonce->setObjectName(QStringLiteral("fichierEnonce"));
    fichierCorrection = new QLineEdit(this);
    fichierCorrection->setObjectName(QStringLiteral("fichierCorrection"));
    fichierCorrection->setPlaceholderText(tr("aucune"));
    configEnonce =
        new QCheckBox(tr("les situations actuelles du banc, chargées avec l'énoncé"), this);
    configEnonce->setObjectName(QStringLiteral("configEnonce"));
    configEnonce->setChecked(true);
    configCorrection =
        new QCheckBox(tr("les mêmes, concentration visible, chargées avec la correction"), this);
    configCorrection->setObjectName(QStringLiteral("configCorrection"));
    nom = new QLineEdit(this);
    nom->setObjectName(QStringLiteral("nom"));
    nom->setMaxLength(kMaxExerciseNameLength);
    dossier = new QLineEdit(QDir::toNativeSeparators(folder), this);
    dossier->setObjectName(QStringLiteral("dossier"));

    // The file name follows the title until the teacher types one of her own.
    connect(titre, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!nom->isModified()) nom->setText(nameFromTitle(text));
    });
    connect(fichierEnonce, &QLineEdit::textEdited, this,
            [this] { enonceFichier->setChecked(true); });

    auto* statement = new QWidget(this);
    auto* statementLayout = new QVBoxLayout(statement);
    statementLayout->setContentsMargins(0, 0, 0, 0);
    statementLayout->addWidget(enonceFenetre);
    statementLayout->addWidget(enonceFichier);
    statementLayout->addWidget(withBrowseButton(statement, fichierEnonce,
                                                QStringLiteral("parcourirEnonce"),
                                                [this] { browseFile(fichierEnonce); }));
    auto* configs = new QWidget(this);
    auto* configsLayout = new QVBoxLayout(configs);
    configsLayout->setContentsMargins(0, 0, 0, 0);
    configsLayout->addWidget(configEnonce);
    configsLayout->addWidget(configCorrection);

    auto* form = new QFormLayout;
    form->addRow(tr("Titre :"), titre);
    form->addRow(tr("Difficulté :"), difficulte);
    form->addRow(tr("Notions abordées :"), notions);
    form->addRow(tr("Durée estimée :"), duree);
    form->addRow(tr("Énoncé :"), statement);
    form->addRow(tr("Correction :"),
                 withBrowseButton(this, fichierCorrection, QStringLiteral("parcourirCorrection"),
                                  [this] { browseFile(fichierCorrection); }));
    form->addRow(tr("Configurations :"), configs);
    form->addRow(tr("Nom du fichier :"), nom);
    form->addRow(tr("Dossier :"),
                 withBrowseButton(this, dossier, QStringLiteral("parcourirDossier"),
                                  [this] { browseFolder(); }));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* createButton = buttons->addButton(tr("Créer"), QDialogButtonBox::AcceptRole);
    createButton->setObjectName(QStringLiteral("creer"));
    createButton->setDefault(true);
    buttons->addButton(tr("Annuler"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExerciseCreator::create);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    scaleWithBench(this);
}

void ExerciseCreator::browseFile(QLineEdit* field)
{
    QFileDialog dialog(this, QString(), documentsFolder(),
                       tr("Textes (*.rtf *.RTF *.txt *.TXT);;Tous les fichiers (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    if (Messages::execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    field->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
    if (field == fichierEnonce) enonceFichier->setChecked(true);
}

void ExerciseCreator::browseFolder()
{
    QFileDialog dialog(this, QString(), documentsFolder());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    if (Messages::execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    dossier->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

bool ExerciseCreator::buildDraft(ExerciseDraft& draft, QString& problem)
{
    draft.name = nom->text().trimmed().toStdString();
    draft.title = titre->text().trimmed().toStdString();
    draft.difficulty = difficulte->value();
    draft.hourglasses = duree->value();
    for (QLineEdit* line : notion)
        if (!line->text().trimmed().isEmpty())
            draft.notions.push_back(line->text().trimmed().toStdString());

    if (enonceFichier->isChecked()) {
        const auto text = readTextFile(fichierEnonce->text().trimmed());
        if (!text) {
            problem =
                tr("L'énoncé « %1 » ne peut pas être lu.").arg(fichierEnonce->text().trimmed());
            return false;
        }
        draft.statementRtf = *text;
    } else {
        draft.statementRtf = writeRtf(documentText(*m_host.exerciseText().document()));
    }
    if (!fichierCorrection->text().trimmed().isEmpty()) {
        draft.correctionRtf = readTextFile(fichierCorrection->text().trimmed());
        if (!draft.correctionRtf) {
            problem = tr("La correction « %1 » ne peut pas être lue.")
                          .arg(fichierCorrection->text().trimmed());
            return false;
        }
    }
    if (configEnonce->isChecked() || configCorrection->isChecked()) {
        // The store holds the bench as it is once the current situation is
        // selected again, as the save button does.
        ConfigBench& bench = m_host.configBench();
        const int current = bench.situationStore().numsit;
        if (current >= 0 && current < kSituations) bench.selectSituation(current);
        ConfigData data = benchConfiguration(bench);
        if (configEnonce->isChecked()) draft.statementConfig = configImage(data);
        data.masquer = false;
        for (Situation& s : data.sit)
            s.optsit[4] = false;
        if (configCorrection->isChecked()) draft.correctionConfig = configImage(data);
        if ((configEnonce->isChecked() && !draft.statementConfig) ||
            (configCorrection->isChecked() && !draft.correctionConfig)) {
            problem = tr("Une valeur du banc est trop longue pour une configuration.");
            return false;
        }
    }
    return true;
}

void ExerciseCreator::create()
{
    const QString title = tr("Créer un exercice");
    ExerciseDraft draft;
    QString problem;
    if (!buildDraft(draft, problem)) {
        Messages::inform(this, title, problem, MessageIcon::Exclamation);
        return;
    }
    if (const auto p = draftProblem(draft)) {
        Messages::inform(this, title, QString::fromStdString(*p), MessageIcon::Exclamation);
        return;
    }
    const QString folder = dossier->text().trimmed();
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        Messages::inform(this, title, tr("Le dossier « %1 » ne peut pas être créé.").arg(folder),
                         MessageIcon::Exclamation);
        return;
    }
    const std::string where = QDir::fromNativeSeparators(folder).toStdString();
    const std::vector<std::string> existing = existingBundleFiles(where, draft);
    if (!existing.empty()) {
        const MessageAnswer answer = Messages::ask(
            this, {tr("Remplacer l'exercice ?"),
                   tr("Le dossier contient déjà %1.\nRemplacer l'exercice de même nom ?")
                       .arg(QString::fromStdString(existing.front())),
                   MessageIcon::Exclamation, MessageButtons::OkCancel});
        if (answer != MessageAnswer::Ok) return;
    }
    const BundleResult result = writeExerciseBundle(where, draft);
    if (!result.ok) {
        Messages::inform(this, title, QString::fromStdString(result.message),
                         MessageIcon::Critical);
        return;
    }
    Messages::inform(this, title,
                     tr("L'exercice « %1 » est enregistré dans %2.\nIl s'ouvre par « Ouvrir un "
                        "exercice » du menu Exercices.")
                         .arg(titre->text().trimmed(),
                              QDir::toNativeSeparators(QDir(folder).filePath(
                                  QString::fromStdString(draft.name) + QStringLiteral(".E42")))));
    accept();
}

} // namespace titrage
