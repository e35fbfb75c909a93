#include "exercises/fichexo.h"

#include "../config/fakebench.h"
#include "../config/tempfolder.h"
#include "../platform/smalldisk.h"
#include "bench/importdialog.h"
#include "bench/tableexportdialog.h"
#include "config/core/configfile.h"
#include "exercises/answerdialog.h"
#include "exercises/core/exercisefile.h"
#include "exercises/exercisechooser.h"
#include "exercises/exercisecreator.h"
#include "graph/valuetable.h"
#include "platform/messages.h"
#include "printing/core/pdfcheck.h"
#include "printing/pdfoutput.h"
#include "printing/printersetup.h"
#include "tests/platform/windowlook.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

using namespace titrage;
using namespace titrage::testing;

namespace {

class FakeHost : public ExerciseHost {
public:
    explicit FakeHost(const std::string& folder)
        : m_folder(QString::fromStdString(folder)), supertext(new QTextEdit(bench.benchWindow()))
    {
    }
    QWidget* exerciseWindow() override { return bench.benchWindow(); }
    QTextEdit& exerciseText() override { return *supertext; }
    ConfigBench& configBench() override { return bench; }
    QString programFolder() const override { return m_folder; }
    std::optional<double> hiddenConcentration() const override { return hidden; }

    FakeBench bench;
    std::optional<double> hidden;

private:
    QString m_folder;

public:
    QTextEdit* supertext;
};

// Answers every modal dialog with `runner` for the life of the object.
class DialogAnswer {
public:
    explicit DialogAnswer(Messages::DialogRunner runner)
    {
        Messages::setDialogRunner(std::move(runner));
    }
    ~DialogAnswer() { Messages::setDialogRunner(nullptr); }
};

// A file dialog that chooses `path`, or is cancelled when it is empty.
Messages::DialogRunner chooseFile(const QString& path)
{
    return [path](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files || path.isEmpty()) return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
}

// An exercise in `folder`: its statement text holds `statement`; a config
// and a correction when asked.
void writeSample(const TempFolder& folder, const std::string& name, const std::string& statement,
                 bool withConfig, bool corrected, const char* difficulty)
{
    ExerciseFile file;
    file.records = {name + ".RTF",
                    withConfig ? name + ".C16" : " ",
                    corrected ? name + "C.RTF" : "",
                    "",
                    difficulty,
                    "",
                    "Acide fort",
                    "  ",
                    "Base forte",
                    "",
                    " Exercice " + name + " ",
                    "3"};
    ASSERT_TRUE(writeExercise(folder.file(name + ".E42"), file));
    writeBytes(folder.file(name + ".RTF"), "{\\rtf1\\ansi {\\b " + statement + "}\\par suite}");
    writeBytes(folder.file(name + "C.RTF"), "{\\rtf1 Correction " + name + "}");
    ConfigData config;
    config.sit[0].textesit[3] = "0,005";
    config.sit[0].listesit[1] = 4;
    ASSERT_EQ(writeConfiguration(folder.file(name + ".C16"), config), ConfigWriteStatus::Ok);
}

QString path(const TempFolder& folder, const std::string& name)
{
    return QString::fromStdString(folder.file(name));
}

TEST(FichexoTest, MenuEntriesInOrder)
{
    TempFolder folder;
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    const std::vector<std::pair<QString, QString>> expected{
        {"PRISENMAIN", "Prise en main"},
        {"", ""},
        {"openexo", "Ouvrir un exercice (énoncé + configuration)"},
        {"opencor", "Voir la correction"},
        {"mareponse", "Ma réponse…"},
        {"creerexo", "Créer un exercice…"},
        {"", ""},
        {"savetexte", "Enregistrer le contenu de la fenêtre exercice"},
        {"opentexte", "Retrouver un texte"},
        {"imprimetexte", "Imprimer le contenu de la fenêtre exercice"},
        {"", ""},
        {"Closexo", "Fermer l'exercice"}};
    const QList<QAction*> actions = fichexo.optionexo()->actions();
    ASSERT_EQ(actions.size(), qsizetype(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QAction* a = actions[qsizetype(i)];
        EXPECT_EQ(a->isSeparator(), expected[i].first.isEmpty()) << i;
        if (a->isSeparator()) continue;
        EXPECT_EQ(a->objectName(), expected[i].first);
        EXPECT_EQ(a->text(), expected[i].second);
    }
    EXPECT_EQ(fichexo.fich()->parentWidget(), host.exerciseWindow());
}

// The chooser starts on the program's folder with the first exercise
// previewed; a second one is previewed on a click and opened.
TEST(FichexoTest, ChooserPreviewsAndOpens)
{
    TempFolder folder;
    writeSample(folder, "A", "Enonce A", true, true, "2");
    writeSample(folder, "B", "Enonce B", false, false, "0");
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    host.bench.setNomfichier(QStringLiteral("/avant.C16"));
    MessageRecorder messages;

    DialogAnswer answer([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<ExerciseChooser&>(dialog);
        EXPECT_EQ(chooser.fichierexo->text(), path(folder, "A.E42"));
        EXPECT_EQ(chooser.corrigeLabel->text(), QStringLiteral("Exercice corrigé"));
        EXPECT_EQ(chooser.titre->text(), QStringLiteral("Exercice A"));
        EXPECT_EQ(chooser.notions->toPlainText(), QStringLiteral("Acide fort\nBase forte"));
        EXPECT_EQ(chooser.hourglassCount(), 3);
        const std::vector<std::pair<const char*, std::array<bool, 3>>> stars{
            {"A.E42", {true, true, false}}, {"B.E42", {false, false, false}}};
        for (const auto& [name, lit] : stars) {
            chooser.File1_Click(QString::fromLatin1(name));
            for (int i = 0; i < 3; ++i) {
                EXPECT_FALSE(chooser.etoile[std::size_t(i)]->isHidden()) << name << i;
                EXPECT_EQ(chooser.starLit(i), lit[std::size_t(i)]) << name << i;
            }
        }
        EXPECT_EQ(chooser.corrigeLabel->text(), QStringLiteral("Non corrigé"));
        EXPECT_TRUE(chooser.selectionner->isHidden());
        chooser.ouvreur->click();
        return chooser.result();
    });
    fichexo.openexo();

    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(fichexo.fich()->text(), path(folder, "B.E42"));
    EXPECT_EQ(fichexo.fich()->toolTip(), path(folder, "B.E42"));
    EXPECT_TRUE(host.supertext->toPlainText().startsWith(QStringLiteral("Enonce B\n")));
    EXPECT_FALSE(host.supertext->isReadOnly());
    EXPECT_FALSE(fichexo.textemodifie());
    // Record 2 is blank: the bench is left as it was.
    EXPECT_TRUE(host.bench.log.isEmpty());
    EXPECT_EQ(host.bench.nomfichier(), QStringLiteral("/avant.C16"));
    // No correction: the menu keeps "Voir la correction" disabled.
    QPushButton btexo(host.exerciseWindow());
    fichexo.btexo_Click(&btexo);
    EXPECT_FALSE(fichexo.optionexo()->findChild<QAction*>(QStringLiteral("opencor"))->isEnabled());
    EXPECT_TRUE(fichexo.optionexo()->findChild<QAction*>(QStringLiteral("Closexo"))->isEnabled());
    fichexo.optionexo()->close();
}

TEST(FichexoTest, ChooserListsExercisesInTheirProgression)
{
    TempFolder folder;
    for (const char* name : {"EXO10", "EXO2", "exo3", "EXO1", "EXO11"})
        writeSample(folder, name, "Enonce", false, false, "0");
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    QStringList listed;
    DialogAnswer answer([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<ExerciseChooser&>(dialog);
        for (int i = 0; i < chooser.File1->count(); ++i)
            listed << chooser.File1->item(i)->text();
        return int(QDialog::Rejected);
    });
    fichexo.openexo();
    EXPECT_EQ(listed, (QStringList{"EXO1.E42", "EXO2.E42", "exo3.E42", "EXO10.E42", "EXO11.E42"}));
}

// A teacher's exercise made from the window's text and the bench opens in
// the chooser with its statement and, for the correction, the concentration shown.
TEST(FichexoTest, TeacherCreatesAnExerciseThatOpens)
{
    TempFolder folder;
    FakeHost host(folder.path());
    host.supertext->setPlainText(QStringLiteral("Titrer le vinaigre dilué."));
    host.bench.store.numsit = 0;
    host.bench.bench.textesit[3] = "0,008";
    host.bench.bench.optsit[4] = true;
    Fichexo fichexo(host);
    MessageRecorder messages;
    const QString own = path(folder, "mes exercices");
    {
        DialogAnswer answer([&](QDialog& dialog) {
            auto& creator = dynamic_cast<ExerciseCreator&>(dialog);
            creator.titre->insert(QStringLiteral("Acidité d'un vinaigre")); // as typed
            EXPECT_EQ(creator.nom->text(), QStringLiteral("ACIDITE_D_UN_VINAIGRE"));
            creator.notion[1]->setText(QStringLiteral("Écart normalisé"));
            creator.configCorrection->setChecked(true);
            creator.dossier->setText(own);
            creator.create();
            return creator.result();
        });
        fichexo.creerexo();
    }
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_TRUE(messages.requests()[0].text.contains(QStringLiteral("ACIDITE_D_UN_VINAIGRE.E42")))
        << messages.requests()[0].text.toStdString();
    const std::string e42 = folder.file("mes exercices/ACIDITE_D_UN_VINAIGRE.E42");
    const auto correction =
        readConfiguration(folder.file("mes exercices/ACIDITE_D_UN_VINAIGREC.C16"));
    EXPECT_EQ(correction.data.sit[0].textesit[3], "0,008");
    EXPECT_FALSE(correction.data.sit[0].optsit[4]);
    const auto statement =
        readConfiguration(folder.file("mes exercices/ACIDITE_D_UN_VINAIGRE.C16"));
    EXPECT_EQ(statement.data.sit[0].textesit[3], "0,008");
    EXPECT_TRUE(statement.data.sit[0].optsit[4]);

    host.supertext->clear();
    QStringList listed;
    DialogAnswer answer([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<ExerciseChooser&>(dialog);
        EXPECT_TRUE(chooser.mesExercices->isEnabled());
        chooser.mesExercices->click();
        for (int i = 0; i < chooser.File1->count(); ++i)
            listed << chooser.File1->item(i)->text();
        EXPECT_EQ(chooser.titre->text(), QStringLiteral("Acidité d'un vinaigre"));
        chooser.ouvreur->click();
        return chooser.result();
    });
    fichexo.openexo();
    EXPECT_EQ(listed, QStringList{QStringLiteral("ACIDITE_D_UN_VINAIGRE.E42")});
    EXPECT_EQ(host.supertext->toPlainText(), QStringLiteral("Titrer le vinaigre dilué."));
    EXPECT_EQ(host.bench.store.sit[0].textesit[3], "0,008");
    EXPECT_TRUE(host.bench.store.sit[0].optsit[4]);
    EXPECT_TRUE(std::filesystem::exists(e42));
}

// "Ma réponse…" only while a concentration is hidden; the dialog tells the gap.
TEST(FichexoTest, MyAnswerComparesWithoutTellingTheHiddenValue)
{
    TempFolder folder;
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    QAction* entry = fichexo.optionexo()->findChild<QAction*>(QStringLiteral("mareponse"));
    QPushButton btexo(host.exerciseWindow());
    for (const std::optional<double> hidden :
         {std::optional<double>{}, std::optional<double>{0.00734}}) {
        host.hidden = hidden;
        fichexo.btexo_Click(&btexo);
        EXPECT_EQ(entry->isEnabled(), hidden.has_value());
        fichexo.optionexo()->close();
    }
    QString shown;
    DialogAnswer answer([&](QDialog& dialog) {
        auto& d = dynamic_cast<AnswerDialog&>(dialog);
        d.reponse->setText(QStringLiteral("7,5E-03"));
        d.incertitude->setText(QStringLiteral("0,0001"));
        d.comparer->click();
        shown = d.resultat->text();
        return int(QDialog::Rejected);
    });
    fichexo.mareponse();
    EXPECT_TRUE(shown.contains(QStringLiteral("1 ≤ z ≤ 2"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("734"))) << shown.toStdString();
}

TEST(FichexoTest, ExerciseAndCorrectionLoadTheirConfigurations)
{
    TempFolder folder;
    writeSample(folder, "A", "Enonce A", true, true, "2");
    FakeHost host("/");
    Fichexo fichexo(host);
    MessageRecorder messages;

    fichexo.openRequested(path(folder, "A.E42"));
    EXPECT_TRUE(fichexo.corrige());
    EXPECT_EQ(host.bench.nomfichier(), path(folder, "A.C16"));
    EXPECT_TRUE(host.bench.log.contains(QStringLiteral("restore 0")));
    EXPECT_EQ(host.bench.bench.textesit[3], "0,005");

    fichexo.opencor();
    EXPECT_EQ(host.supertext->toPlainText(), QStringLiteral("Correction A"));
    EXPECT_TRUE(messages.requests().empty());
}

TEST(FichexoTest, FailuresNameTheFile)
{
    TempFolder folder;
    writeSample(folder, "A", "Enonce A", false, false, "1");
    std::filesystem::remove(folder.file("A.RTF"));
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    host.supertext->setPlainText(QStringLiteral("introduction"));
    MessageRecorder messages;

    fichexo.openRequested(path(folder, "A.E42"));
    fichexo.openRequested(path(folder, "absent.E42"));
    ASSERT_EQ(messages.requests().size(), 2u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Fichier absent"));
    EXPECT_EQ(messages.requests()[0].text, QStringLiteral("Le fichier ") + path(folder, "A.RTF") +
                                               QStringLiteral(" est introuvable"));
    EXPECT_EQ(messages.requests()[1].title, QStringLiteral("Lecture impossible"));
    EXPECT_EQ(messages.requests()[1].text,
              QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."));
    for (const MessageRequest& r : messages.requests())
        EXPECT_EQ(r.icon, MessageIcon::Critical);
    EXPECT_TRUE(fichexo.fich()->text().isEmpty());
    EXPECT_EQ(host.supertext->toPlainText(), QStringLiteral("introduction"));
}

TEST(FichexoTest, UnsavedTextAsksBeforeItIsLost)
{
    TempFolder folder;
    writeSample(folder, "B", "Enonce B", false, false, "0");
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    MessageRecorder messages(MessageAnswer::Cancel);

    // Typing while no exercise is open is not an exercise text.
    host.supertext->insertPlainText(QStringLiteral("brouillon"));
    EXPECT_FALSE(fichexo.textemodifie());

    fichexo.openRequested(path(folder, "B.E42"));
    host.supertext->insertPlainText(QStringLiteral("ma réponse"));
    ASSERT_TRUE(fichexo.textemodifie());
    const QString text = host.supertext->toPlainText();
    const QStringList log = host.bench.log;

    fichexo.closexo();
    {
        DialogAnswer noDialog([](QDialog&) {
            ADD_FAILURE() << "no dialog after Cancel";
            return int(QDialog::Rejected);
        });
        fichexo.openexo();
        fichexo.opentexte();
    }
    ASSERT_EQ(messages.requests().size(), 3u);
    const MessageRequest& asked = messages.requests()[0];
    EXPECT_EQ(asked.title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(asked.text, QStringLiteral("Attention: perte des modifications du texte."));
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(host.supertext->toPlainText(), text);
    EXPECT_EQ(fichexo.fich()->text(), path(folder, "B.E42"));
    EXPECT_EQ(host.bench.log, log);
    EXPECT_TRUE(fichexo.textemodifie());

    messages.setAnswer(MessageAnswer::Ok);
    fichexo.closexo();
    EXPECT_TRUE(fichexo.fich()->text().isEmpty());
    EXPECT_TRUE(
        host.supertext->toPlainText().startsWith(QStringLiteral("Titrage conductimétrique")));
    EXPECT_TRUE(host.supertext->isReadOnly());
    EXPECT_FALSE(fichexo.textemodifie());
}

TEST(FichexoTest, FinishedCurvesAskBeforeAnExerciseReplacesThem)
{
    TempFolder folder;
    writeSample(folder, "C", "Enonce C", true, true, "1");
    ConfigData finished;
    finished.sit[0].courbefinie = true;
    ASSERT_EQ(writeConfiguration(folder.file("C.C16"), finished), ConfigWriteStatus::Ok);
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    host.bench.store.sit[3].courbefinie = true;
    MessageRecorder messages(MessageAnswer::Cancel);

    fichexo.openRequested(path(folder, "C.E42"));
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("Attention: perte des courbes")));
    EXPECT_TRUE(host.bench.store.sit[3].courbefinie) << "Cancel keeps the curves";
    EXPECT_TRUE(fichexo.fich()->text().isEmpty());

    messages.setAnswer(MessageAnswer::Ok);
    fichexo.openRequested(path(folder, "C.E42"));
    EXPECT_EQ(host.bench.nomfichier(), path(folder, "C.C16"));
    EXPECT_FALSE(host.bench.store.sit[3].courbefinie);

    // The curve the exercise loaded is not the student's to lose; one she
    // finished since is.
    messages.clear();
    fichexo.opencor();
    EXPECT_TRUE(messages.texts().isEmpty());
    host.bench.store.sit[5].courbefinie = true;
    fichexo.opencor();
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST(FichexoTest, SaveAndReopenText)
{
    TempFolder folder;
    writeSample(folder, "B", "Enonce B", false, false, "0");
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    MessageRecorder messages(MessageAnswer::Cancel);
    fichexo.openRequested(path(folder, "B.E42"));
    host.supertext->insertPlainText(QStringLiteral("réponse "));
    const QString saved = path(folder, "reponse.RTF");
    {
        DialogAnswer answer(chooseFile(path(folder, "reponse")));
        fichexo.savetexte(); // the default extension is added
    }
    EXPECT_TRUE(QFileInfo::exists(saved));
    EXPECT_FALSE(fichexo.textemodifie());

    // Overwriting asks; Cancel keeps the old file.
    host.supertext->insertPlainText(QStringLiteral("plus"));
    const std::string before = readBytes(saved.toStdString());
    {
        DialogAnswer answer(chooseFile(saved));
        fichexo.savetexte();
    }
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Ecraser le fichier?"));
    EXPECT_EQ(messages.requests()[0].text, QStringLiteral("Le fichier ") + saved +
                                               QStringLiteral(" existe déjà.\nEcraser l'ancien?"));
    EXPECT_EQ(readBytes(saved.toStdString()), before);
    EXPECT_TRUE(fichexo.textemodifie());

    // A failed save keeps the text marked as unsaved.
    messages.clear();
    {
        DialogAnswer answer(chooseFile(path(folder, "absent/texte.RTF")));
        fichexo.savetexte();
    }
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Erreur d'écriture."));
    EXPECT_EQ(messages.requests()[0].text,
              QStringLiteral("Vérifier l'état du lecteur et le nom du fichier."));
    EXPECT_TRUE(fichexo.textemodifie());

    // Reopening: the text, "Texte: " and the path; a bad file changes nothing.
    messages.clear();
    messages.setAnswer(MessageAnswer::Ok);
    writeBytes(folder.file("faux.RTF"), "pas du RTF");
    {
        DialogAnswer answer(chooseFile(path(folder, "faux.RTF")));
        fichexo.opentexte();
    }
    ASSERT_EQ(messages.requests().size(), 2u);
    EXPECT_EQ(messages.requests()[1].title, QStringLiteral("Erreur de lecture."));
    EXPECT_EQ(fichexo.fich()->text(), path(folder, "B.E42"));
    {
        DialogAnswer answer(chooseFile(saved));
        fichexo.opentexte();
    }
    EXPECT_EQ(fichexo.fich()->text(), QStringLiteral("Texte: ") + saved);
    EXPECT_EQ(host.supertext->toPlainText(), QStringLiteral("Enonce B\nsuiteréponse "));
    EXPECT_FALSE(fichexo.corrige());
    EXPECT_FALSE(fichexo.textemodifie());
}

TEST(FichexoTest, PriseEnMainLoadsTheShippedActivity)
{
    FakeHost host(TITRAGE_PROGRAM_DIR);
    Fichexo fichexo(host);
    MessageRecorder messages;
    fichexo.prisEnMain();

    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(fichexo.fich()->text().endsWith(QStringLiteral("duvrak.PEM")));
    EXPECT_TRUE(host.supertext->toPlainText().contains(QStringLiteral("acide éthanoïque")));
    EXPECT_FALSE(host.supertext->isReadOnly());
    EXPECT_FALSE(fichexo.corrige());
    EXPECT_FALSE(fichexo.textemodifie());
    EXPECT_TRUE(host.bench.nomfichier().endsWith(QStringLiteral("PRISEMAIN.C16")));
    EXPECT_EQ(host.bench.bench.listesit[1], 4); // acide éthanoïque in the acid list
    EXPECT_EQ(host.bench.bench.textesit[3], "0,01");
    EXPECT_TRUE(host.bench.bench.optsit[1]);

    // A program folder without the activity: nothing happens.
    TempFolder empty;
    FakeHost bare(empty.path());
    Fichexo other(bare);
    other.prisEnMain();
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(other.fich()->text().isEmpty());
}

// Records written where names ignore case still find the files.
TEST(FichexoTest, RecordsFindFilesWhateverTheirCase)
{
    TempFolder folder;
    writeSample(folder, "A", "Enonce A", true, true, "2");
    ExerciseFile file = *readExercise(folder.file("A.E42"));
    file.records[0] = "a.rtf";
    file.records[1] = ".\\a.c16";
    file.records[2] = "ac.Rtf";
    ASSERT_TRUE(writeExercise(folder.file("minuscules.E42"), file));
    FakeHost host("/");
    Fichexo fichexo(host);
    MessageRecorder messages;

    fichexo.openRequested(path(folder, "minuscules.E42"));
    EXPECT_TRUE(host.supertext->toPlainText().startsWith(QStringLiteral("Enonce A")));
    EXPECT_EQ(QFileInfo(host.bench.nomfichier()).fileName(), QStringLiteral("A.C16"));
    EXPECT_EQ(host.bench.bench.textesit[3], "0,005");
    fichexo.opencor();
    EXPECT_EQ(host.supertext->toPlainText(), QStringLiteral("Correction A"));
    EXPECT_TRUE(messages.requests().empty());
}

TEST(FichexoTest, PriseEnMainAsksBeforeReplacingTypedText)
{
    FakeHost host(TITRAGE_PROGRAM_DIR);
    Fichexo fichexo(host);
    MessageRecorder messages(MessageAnswer::Cancel);
    fichexo.prisEnMain();
    host.supertext->insertPlainText(QStringLiteral("ma réponse "));
    const QString typed = host.supertext->toPlainText();
    const QStringList log = host.bench.log;

    fichexo.prisEnMain();
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(host.supertext->toPlainText(), typed);
    EXPECT_EQ(host.bench.log, log);
    EXPECT_TRUE(fichexo.textemodifie());

    messages.setAnswer(MessageAnswer::Ok);
    fichexo.prisEnMain();
    EXPECT_EQ(messages.requests().size(), 2u);
    EXPECT_FALSE(host.supertext->toPlainText().contains(QStringLiteral("ma réponse")));
    EXPECT_FALSE(fichexo.textemodifie());
}

} // namespace

TEST(FichexoTest, PrintingTheTextHonoursTheSelection)
{
    TempFolder folder;
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    MessageRecorder messages;
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("Ligne %1 de la réponse").arg(i);
    host.supertext->setPlainText(lines.join(u'\n'));
    auto pages = [](const QString& file) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return -1;
        const QString pdf = QString::fromLatin1(f.readAll());
        return int(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    };
    // The print dialog accepted as it opens, its pages sent to `file`, or to
    // the PDF file asked for where no printer is installed.
    auto print = [&](const QString& file, bool inDialog) {
        DialogAnswer answer([&](QDialog& dialog) {
            if (auto* d = qobject_cast<QPrintDialog*>(&dialog)) {
                if (inDialog) d->printer()->setOutputFileName(file);
                return int(QDialog::Accepted);
            }
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) files->selectFile(file);
            return int(QDialog::Accepted);
        });
        fichexo.imprimetexte();
    };

    QTextCursor cursor = host.supertext->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
    host.supertext->setTextCursor(cursor);
    const QString selection = path(folder, "selection.pdf");
    print(selection, true);
    EXPECT_EQ(pages(selection), 1);

    host.supertext->moveCursor(QTextCursor::End);
    const QString whole = path(folder, "tout.pdf");
    print(whole, !QPrinterInfo::availablePrinters().isEmpty());
    EXPECT_GT(pages(whole), 1);
    EXPECT_TRUE(messages.requests().empty());
}

// The text printed into a PDF file is written like a save: on a full disk
// the older file stays as it was and the student is told; with room the new
// document replaces it.
TEST(FichexoTest, PrintingTheTextToAFullDiskKeepsTheOlderFile)
{
    SmallDisk disk;
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root)";
    TempFolder folder;
    FakeHost host(folder.path());
    Fichexo fichexo(host);
    host.supertext->setPlainText(QStringLiteral("Réponse : le point équivalent est à 10,2 mL."));
    const QString target = QString::fromStdString(disk.file("reponse.pdf"));
    const std::string old = "%PDF-1.4\n" + std::string(900, 'o') + "\n%%EOF\n";
    writeBytes(disk.file("reponse.pdf"), old);
    DialogAnswer answer([&](QDialog& dialog) {
        if (auto* d = qobject_cast<QPrintDialog*>(&dialog)) d->printer()->setOutputFileName(target);
        return int(QDialog::Accepted);
    });

    MessageRecorder messages;
    disk.fill();
    fichexo.imprimetexte();
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Imprimer"));
    EXPECT_EQ(messages.requests()[0].text, pdfNotWrittenText(target, true));
    EXPECT_EQ(readBytes(disk.file("reponse.pdf")), old);

    disk.empty();
    messages.clear();
    fichexo.imprimetexte();
    EXPECT_TRUE(messages.requests().empty());
    const std::string printed = readBytes(disk.file("reponse.pdf"));
    EXPECT_TRUE(isCompletePdf(printed));
    EXPECT_NE(printed, old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary left beside it";
}

// Every dialog and the menu the exercises open from the bench, and every file
// dialog of the program: on a bench shown 1,8 times larger (a projector) they
// come up 1,8 times larger; each file dialog shows the captions of the
// configuration dialogs, its buttons too.
TEST(FichexoTest, DialogsMenuAndFileDialogsGrowWithTheBenchAndShareTheirCaptions)
{
    TempFolder folder;
    writeSample(folder, "EXO1", "Titrage", true, true, "2");
    std::filesystem::create_directory(folder.file("classe"));
    using Record = std::function<void(QWidget&)>;
    using Open = std::function<void(Fichexo&, FakeHost&, QWidget & btexo, const Record&)>;
    auto clickIn = [](QWidget& dialog, const char* button) {
        auto* b = dialog.findChild<QAbstractButton*>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    };
    const QString save = QStringLiteral("ENREGISTRER");
    const QString open = QStringLiteral("OUVRIR");
    const struct {
        const char* name;
        Open open;
        QString accept; // a file dialog's button; empty for the program's own dialogs
        bool scaled = true;
    } cases[] = {
        {"optionexo",
         [](Fichexo& f, FakeHost&, QWidget& b, const Record& record) {
             f.btexo_Click(&b);
             record(*f.optionexo());
         },
         {}},
        {"chooser", [](Fichexo& f, FakeHost&, QWidget&, const Record&) { f.openexo(); }, {}},
        {"answer", [](Fichexo& f, FakeHost&, QWidget&, const Record&) { f.mareponse(); }, {}},
        {"creator", [](Fichexo& f, FakeHost&, QWidget&, const Record&) { f.creerexo(); }, {}},
        {"import",
         [](Fichexo&, FakeHost& h, QWidget&, const Record& record) {
             ImportDialog d(h.exerciseWindow());
             record(d);
         },
         {}},
        {"savetexte", [](Fichexo& f, FakeHost&, QWidget&, const Record&) { f.savetexte(); }, save},
        {"opentexte", [](Fichexo& f, FakeHost&, QWidget&, const Record&) { f.opentexte(); }, open},
        {"parcourirEnonce",
         [&](Fichexo&, FakeHost& h, QWidget&, const Record&) {
             ExerciseCreator c(h, QString::fromStdString(folder.path()));
             clickIn(c, "parcourirEnonce");
         },
         open},
        {"parcourirDossier",
         [&](Fichexo&, FakeHost& h, QWidget&, const Record&) {
             ExerciseCreator c(h, QString::fromStdString(folder.path()));
             clickIn(c, "parcourirDossier");
         },
         QStringLiteral("CHOISIR")},
        {"ouvrirfichier",
         [&](Fichexo&, FakeHost& h, QWidget&, const Record&) {
             ImportDialog d(h.exerciseWindow());
             clickIn(d, "ouvrirfichier");
         },
         open},
        {"exportTable",
         [](Fichexo&, FakeHost& h, QWidget&, const Record&) {
             ValueTable table;
             exportTable(*h.exerciseWindow(), ExportSituation{}, table);
         },
         save},
        {"askPdfFile",
         [&](Fichexo&, FakeHost& h, QWidget&, const Record&) {
             askPdfFile(h.exerciseWindow(), path(folder, "page.pdf"));
         },
         save, false},
    };
    const QStringList labels{"lookInLabel", "fileNameLabel", "fileTypeLabel"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<WindowLook> looks;
        std::vector<QStringList> captions;
        const Record record = [&](QWidget& w) {
            // The caption of a file dialog's button is set as its folder is read.
            QApplication::processEvents();
            if (auto* files = qobject_cast<QFileDialog*>(&w)) {
                QStringList shown;
                for (const QString& label : labels)
                    shown << files->findChild<QLabel*>(label)->text();
                auto* buttons = files->findChild<QDialogButtonBox*>();
                for (QAbstractButton* b : buttons->buttons())
                    shown << b->text();
                // A save dialog given a folder's name offers to open it.
                if (files->acceptMode() == QFileDialog::AcceptSave) {
                    files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                        ->setText(path(folder, "classe"));
                    shown << buttons->buttons().constFirst()->text();
                }
                captions.push_back(shown);
            }
            looks.push_back(lookOf(w));
        };
        DialogAnswer answer([&](QDialog& d) {
            record(d);
            return int(QDialog::Rejected);
        });
        for (const bool projector : {false, true}) {
            FakeHost host(folder.path());
            host.hidden = 0.01;
            QPushButton btexo(host.bench.benchWindow());
            if (projector) showBenchAt(*host.bench.benchWindow(), {1440, 1080});
            Fichexo fichexo(host);
            c.open(fichexo, host, btexo, record);
        }
        ASSERT_EQ(looks.size(), 2u);
        if (c.scaled) expectScaled(looks[0], looks[1], 1.8, c.name);
        if (c.accept.isEmpty()) {
            EXPECT_TRUE(captions.empty());
            continue;
        }
        QStringList expected{"Répertoire:", "Nom du fichier:", "Type:", c.accept,
                             "ANNULER"};
        if (c.accept == save) expected << open;
        ASSERT_EQ(captions.size(), 2u);
        EXPECT_EQ(captions[0], expected);
        EXPECT_EQ(captions[1], expected);
    }
}
