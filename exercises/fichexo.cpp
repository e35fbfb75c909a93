#include "exercises/fichexo.h"

#include "config/lireconfig.h"
#include "exercises/answerdialog.h"
#include "exercises/core/exercisefile.h"
#include "exercises/core/exercisetext.h"
#include "exercises/exercisechooser.h"
#include "exercises/exercisecreator.h"
#include "exercises/exercisemessages.h"
#include "exercises/introduction.h"
#include "exercises/richtextdocument.h"
#include "exercises/textarea.h"
#include "platform/benchscale.h"
#include "platform/frenchtranslations.h"
#include "platform/messages.h"
#include "platform/savefolders.h"
#include "platform/terminationsignals.h"
#include "printing/pdfoutput.h"
#include "printing/printersetup.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextEdit>

namespace titrage {

namespace {

const char* const kRtfFilter =
    QT_TRANSLATE_NOOP("titrage::Fichexo", "Texte au format RTF (*.RTF *.rtf)");
const QString kPriseEnMain = QStringLiteral("duvrak.PEM");

QString withSeparator(const QString& folder)
{
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

std::string fileName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void readIoError(QWidget* parent, const QString& title)
{
    Messages::inform(parent, title,
                     QCoreApplication::translate(
                         "titrage::Fichexo", "Vérifier l'état du lecteur et le nom du fichier."),
                     MessageIcon::Critical);
}

} // namespace

Fichexo::Fichexo(ExerciseHost& host, QObject* parent)
    : QObject(parent), m_host(host), m_ownFolder(userExercisesFolder())
{
    setObjectName(QStringLiteral("Fichexo"));
    m_fich = new QLineEdit(host.exerciseWindow());
    m_fich->setObjectName(QStringLiteral("fich"));
    m_fich->setReadOnly(true);

    m_optionexo = new QMenu(host.exerciseWindow());
    m_optionexo->setObjectName(QStringLiteral("optionexo"));
    auto add = [this](const char* name, const QString& text, void (Fichexo::*slot)()) {
        QAction* action = m_optionexo->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("PRISENMAIN", tr("Prise en main"), &Fichexo::prisEnMain);
    m_optionexo->addSeparator();
    add("openexo", tr("Ouvrir un exercice (énoncé + configuration)"), &Fichexo::openexo);
    m_opencor = add("opencor", tr("Voir la correction"), &Fichexo::opencor);
    m_mareponse = add("mareponse", tr("Ma réponse…"), &Fichexo::mareponse);
    add("creerexo", tr("Créer un exercice…"), &Fichexo::creerexo);
    m_optionexo->addSeparator();
    add("savetexte", tr("Enregistrer le contenu de la fenêtre exercice"), &Fichexo::savetexte);
    add("opentexte", tr("Retrouver un texte"), &Fichexo::opentexte);
    add("imprimetexte", tr("Imprimer le contenu de la fenêtre exercice"), &Fichexo::imprimetexte);
    m_optionexo->addSeparator();
    m_closexo = add("Closexo", tr("Fermer l'exercice"), &Fichexo::closexo);
    connect(m_optionexo, &QMenu::aboutToShow, this, [this] {
        m_opencor->setEnabled(m_corrige);
        m_mareponse->setEnabled(m_host.hiddenConcentration().has_value());
    });

    connect(&host.exerciseText(), &QTextEdit::textChanged, this, &Fichexo::textEdited);
}

Fichexo::~Fichexo() = default;

void Fichexo::textEdited()
{
    if (!m_fich->text().isEmpty()) m_textemodifie = true;
}

void Fichexo::btexo_Click(QWidget* btexo)
{
    m_opencor->setEnabled(m_corrige);
    m_closexo->setEnabled(!m_fich->text().isEmpty());
    // As large as the bench it drops from, on the projector too.
    scaleWithBench(m_optionexo, btexo);
    m_optionexo->popup(btexo->mapToGlobal(QPoint(0, btexo->height())));
}

bool Fichexo::mayDiscardText()
{
    if (m_textemodifie) {
        const MessageAnswer answer = Messages::ask(
            m_host.exerciseWindow(),
            {tr("Abandon des données?"), tr("Attention: perte des modifications du texte."),
             MessageIcon::Question, MessageButtons::OkCancel});
        if (answer != MessageAnswer::Ok) return false;
    }
    m_textemodifie = false;
    return true;
}

namespace {

// Each finished curve of the store, as one string of what draws it.
std::vector<std::string> finishedCurves(const SituationStore& store)
{
    std::vector<std::string> out;
    for (std::size_t k = 0; k < store.sit.size(); ++k) {
        const Situation& s = store.sit[k];
        if (!s.courbefinie) continue;
        std::string curve = std::to_string(k);
        for (const std::string& t : s.textesit)
            curve += '|' + t;
        for (const std::int16_t n : s.listesit)
            curve += '|' + std::to_string(n);
        for (const bool b : s.optsit)
            curve += b ? "|1" : "|0";
        curve += s.mixture ? "|mixture" : "";
        out.push_back(std::move(curve));
    }
    return out;
}

} // namespace

bool Fichexo::mayDiscardCurves()
{
    const std::vector<std::string> curves = finishedCurves(m_host.configBench().situationStore());
    if (curves.empty() || curves == m_loadedCurves) return true;
    const MessageAnswer answer = Messages::ask(
        m_host.exerciseWindow(),
        {tr("Abandon des données?"),
         tr("Attention: perte des courbes terminées des situations, qui seront remplacées par "
            "celles de l'exercice."),
         MessageIcon::Question, MessageButtons::OkCancel});
    return answer == MessageAnswer::Ok;
}

void Fichexo::setFich(const QString& text)
{
    m_fich->setText(text);
    m_fich->setCursorPosition(static_cast<int>(text.size()));
    m_fich->setToolTip(text);
}

QString Fichexo::exercisePath(const QString& name) const
{
    // Only names inside the exercise's folder are read.
    const std::optional<std::string> inside =
        pathInside(fileName(QDir::fromNativeSeparators(m_repexo)), fileName(name));
    if (!inside) return {};
    const QString exact =
        QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(*inside)));
    if (QFileInfo::exists(exact)) return exact;
    // Exercises written where names ignore case may say "exo1.rtf" for
    // EXO1.RTF: each part of the name is looked up whatever its case.
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QDir dir(m_repexo);
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString found;
        if (parts[i] == QStringLiteral(".") || parts[i] == QStringLiteral("..")) {
            found = parts[i];
        } else {
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries)
                if (entry.compare(parts[i], Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
        }
        if (found.isEmpty()) break;
        if (i + 1 == parts.size()) {
            // The name as found must still lie inside the folder.
            const std::optional<std::string> real =
                pathInside(fileName(QDir::fromNativeSeparators(m_repexo)),
                           fileName(QDir(m_repexo).relativeFilePath(dir.filePath(found))));
            if (real)
                return QDir::toNativeSeparators(
                    QFile::decodeName(QByteArray::fromStdString(*real)));
            break;
        }
        if (!dir.cd(found)) break;
    }
    return exact;
}

bool Fichexo::loadExerciseText(const QString& name)
{
    const QString path = exercisePath(name);
    const TextLoad loaded =
        path.isEmpty() ? TextLoad::Unreadable : loadTextArea(m_host.exerciseText(), path);
    // The program is ending (a termination signal): the exercise is given up
    // without a message, its configuration not loaded.
    if (terminationRequested()) return false;
    if (loaded == TextLoad::Ok) return true;
    if (loaded == TextLoad::TooLarge)
        warnTextTooLarge(m_host.exerciseWindow(), m_repexo + name);
    else if (loaded == TextLoad::Pictures)
        warnTextPictures(m_host.exerciseWindow(), m_repexo + name);
    else
        warnTextMissing(m_host.exerciseWindow(), m_repexo + name);
    return false;
}

void Fichexo::loadConfiguration(const QString& name)
{
    if (!moreThanBlanks(name.toStdString())) return;
    // A configuration outside the exercise's folder is not read.
    const QString path = exercisePath(name);
    if (path.isEmpty()) {
        warnTextMissing(m_host.exerciseWindow(), m_repexo + name);
        return;
    }
    ConfigBench& bench = m_host.configBench();
    bench.setNomfichier(path);
    lireconfig(bench);
    m_loadedCurves = finishedCurves(bench.situationStore());
}

void Fichexo::prisEnMain()
{
    const QString repexo = withSeparator(m_host.programFolder());
    const QString path = repexo + kPriseEnMain;
    if (!QFileInfo(path).isFile()) return;
    // Like the other entries of the menu, it replaces the text: typed
    // answers are not lost without a question.
    if (!mayDiscardWork()) return;
    // The activity is part of the program: whatever fails once it is found
    // means a damaged installation.
    const std::optional<ExerciseFile> file = readExercise(fileName(path));
    m_repexo = repexo;
    const bool loaded =
        file && loadRichText(m_host.exerciseText(),
                             exercisePath(QString::fromStdString(file->statement())));
    if (terminationRequested()) return;
    if (!loaded) {
        Messages::inform(m_host.exerciseWindow(), tr("Erreur lors du chargement"),
                         tr("Fichier introuvable. Revoir l'installation du logiciel."),
                         MessageIcon::Critical);
        return;
    }
    setFich(path);
    m_corrige = false;
    loadConfiguration(QString::fromStdString(file->statementConfig()));
    m_host.exerciseText().setReadOnly(false);
    m_textemodifie = false;
}

void Fichexo::ouvreur(ExerciseChooser& chooser)
{
    const QString path = chooser.fichierexo->text();
    if (!moreThanBlanks(path.toStdString())) return;
    chooser.attente->show();
    chooser.attente->repaint();
    const std::optional<ExerciseFile> file = readExercise(fileName(path));
    if (!file) {
        chooser.attente->hide();
        warnExerciseUnreadable(&chooser);
        return;
    }
    m_repexo = chooser.repexo();
    if (!loadExerciseText(QString::fromStdString(file->statement()))) {
        chooser.attente->hide();
        return;
    }
    setFich(path);
    m_corrige = chooser.corrected();
    loadConfiguration(QString::fromStdString(file->statementConfig()));
    chooser.attente->hide();
    m_host.exerciseText().setReadOnly(false);
    m_textemodifie = false;
    chooser.accept();
}

void Fichexo::openexo()
{
    if (!mayDiscardWork()) return;
    ExerciseChooser chooser(m_host.exerciseWindow());
    connect(&chooser, &ExerciseChooser::ouvreurRequested, this,
            [this, &chooser] { ouvreur(chooser); });
    // The shipped exercises lie in the "exercices" folder beside the program.
    const QDir shipped(QDir(m_host.programFolder()).filePath(QStringLiteral("exercices")));
    const QString shippedFolder = shipped.exists() ? shipped.path() : m_host.programFolder();
    chooser.setPlaces(shippedFolder, m_ownFolder);
    chooser.start(shippedFolder);
    Messages::execDialog(chooser);
}

void Fichexo::mareponse()
{
    const std::optional<double> hidden = m_host.hiddenConcentration();
    if (!hidden || *hidden <= 0) {
        Messages::inform(m_host.exerciseWindow(), tr("Ma réponse"),
                         tr("Aucune concentration n'est masquée sur le banc."));
        return;
    }
    AnswerDialog dialog(m_host.exerciseWindow(), *hidden);
    Messages::execDialog(dialog);
}

void Fichexo::creerexo()
{
    ExerciseCreator creator(m_host, m_ownFolder);
    // The chooser's "Mes exercices" then goes where the teacher wrote.
    if (Messages::execDialog(creator) == QDialog::Accepted)
        m_ownFolder = QDir::fromNativeSeparators(creator.dossier->text().trimmed());
}

void Fichexo::openRequested(const QString& exerciseName)
{
    const QString name = exerciseName.trimmed();
    if (name.isEmpty()) return;
    // The launcher's request replaces the text: the student's changes are asked about first.
    if (!mayDiscardWork()) return;
    const QString path =
        QFileInfo(name).isAbsolute() ? name : withSeparator(m_host.programFolder()) + name;
    ExerciseChooser chooser(m_host.exerciseWindow());
    if (chooser.choose(path)) ouvreur(chooser);
}

void Fichexo::opencor()
{
    if (!mayDiscardWork()) return;
    const std::optional<ExerciseFile> file = readExercise(fileName(m_fich->text()));
    if (!file) {
        warnExerciseUnreadable(m_host.exerciseWindow());
        return;
    }
    const QString correction = QString::fromStdString(file->correction());
    if (moreThanBlanks(file->correction()) && !loadExerciseText(correction)) return;
    loadConfiguration(QString::fromStdString(file->correctionConfig()));
    m_host.exerciseText().setReadOnly(false);
    m_textemodifie = false;
}

void Fichexo::savetexte()
{
    // After a shipped exercise the current folder is the program's own.
    QFileDialog dialog(m_host.exerciseWindow(), QString(),
                       saveFolderFor(QDir::currentPath(), m_host.programFolder()), tr(kRtfFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("RTF"));
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    if (Messages::execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".RTF");
    if (QFileInfo::exists(path)) {
        const MessageAnswer answer = Messages::ask(
            m_host.exerciseWindow(), {tr("Ecraser le fichier?"),
                                      tr("Le fichier %1 existe déjà.\nEcraser l'ancien?").arg(path),
                                      MessageIcon::Exclamation, MessageButtons::OkCancel});
        if (answer != MessageAnswer::Ok) return;
    }
    // A text that did not reach the disk is still unsaved: the warning
    // before the next exercise must still protect it.
    if (!saveTextArea(m_host.exerciseText(), path)) {
        readIoError(m_host.exerciseWindow(), tr("Erreur d'écriture."));
        return;
    }
    m_textemodifie = false;
}

void Fichexo::opentexte()
{
    if (!mayDiscardText()) return;
    QFileDialog dialog(m_host.exerciseWindow(), QString(), QString(), tr(kRtfFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectFile(QStringLiteral("*.rtf"));
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    if (Messages::execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    // A text that could not be read leaves the area, fich and the flags as
    // they were rather than naming a file that is not shown.
    const TextLoad loaded = loadTextArea(m_host.exerciseText(), path);
    if (terminationRequested()) return;
    if (loaded != TextLoad::Ok) {
        if (loaded == TextLoad::TooLarge)
            warnTextTooLarge(m_host.exerciseWindow(), path);
        else if (loaded == TextLoad::Pictures)
            warnTextPictures(m_host.exerciseWindow(), path);
        else
            readIoError(m_host.exerciseWindow(), tr("Erreur de lecture."));
        return;
    }
    m_corrige = false;
    m_host.exerciseText().setReadOnly(false);
    setFich(tr("Texte: %1").arg(path));
    m_textemodifie = false;
}

void Fichexo::imprimetexte()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_host.exerciseWindow());
    QTextEdit& text = m_host.exerciseText();
    // With a selection the dialog offers it and starts on it: only the
    // selected part is printed unless the student asks for the whole text.
    if (text.textCursor().hasSelection()) {
        dialog.setOption(QAbstractPrintDialog::PrintSelection);
        printer.setPrintRange(QPrinter::Selection);
    }
    if (Messages::execDialog(dialog) != QDialog::Accepted) return;
    // No printer installed: the pages go to a PDF file the student names.
    if (needsPdfFile(printer)) {
        const std::optional<QString> file = askPdfFile(
            m_host.exerciseWindow(), pdfFileFor(QFileInfo(m_fich->text()).completeBaseName()));
        if (!file) return;
        printer.setOutputFileName(*file);
    }
    if (!printsToFile(printer)) {
        text.print(&printer);
        return;
    }
    // A file is written like a save: checked whole before it replaces the
    // older one, which a failure leaves as it was (and says so).
    printToFile(m_host.exerciseWindow(), printer, [&text](QPrinter& device) {
        text.print(&device);
        return true; // the printer's state and the file itself tell the rest
    });
}

void Fichexo::closexo()
{
    if (!mayDiscardText()) return;
    setFich(QString());
    QTextEdit& text = m_host.exerciseText();
    paintIntroduction(text);
    text.setReadOnly(true);
    m_corrige = false;
    m_textemodifie = false;
}

} // namespace titrage
