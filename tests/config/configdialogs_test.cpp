#include "config/configdialogs.h"
#include "config/configfile.h"
#include "config/enregistrer.h"
#include "config/lireconfig.h"
#include "config/ouvrir.h"

#include "fakebench.h"
#include "platform/messages.h"
#include "platform/recordfile.h"
#include "sampleconfig.h"
#include "tempfolder.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace titrage;
using namespace titrage::testing;

namespace {

const QString kExists = QStringLiteral("Ecraser le fichier existant?");
const QString kNoName = QStringLiteral("Il faut donner un nom au fichier!");
const QString kCannotWrite = QStringLiteral("Ecriture impossible sur disque");
const QString kBadName = QStringLiteral("Nom de fichier incorrect ou chemin non valide");

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

QStringList texts(const MessageRecorder& recorder)
{
    QStringList out;
    for (const MessageRequest& r : recorder.requests()) out << r.text;
    return out;
}

void doubleClick(QListWidget* list, QListWidgetItem* item)
{
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void click(QListWidget* list, QListWidgetItem* item)
{
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QStringList names(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// Each test starts in a fresh folder made the current directory, with a bench
// holding ten different situations.
class ConfigDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCurrent = QDir::currentPath();
        QDir::setCurrent(q(folder.path()));
        const ConfigData data = tenSituations();
        bench.store.sit = data.sit;
        bench.store.numsit = 4;
        bench.bench = bench.store.sit[4];
        bench.checks = {Qt::Checked, Qt::Unchecked, Qt::Checked};
    }
    void TearDown() override { QDir::setCurrent(m_savedCurrent); }

    // What the fake bench would write.
    std::string expectedImage() const
    {
        ConfigData d;
        d.masquer = bench.isTicked(ConfigCheck::Masquer);
        d.check1 = bench.isTicked(ConfigCheck::Check1);
        d.check2 = bench.isTicked(ConfigCheck::Check2);
        d.sit = bench.store.sit;
        return configImage(d).value();
    }

    TempFolder folder;
    FakeBench bench;
    MessageRecorder messages{MessageAnswer::Yes};

private:
    QString m_savedCurrent;
};

} // namespace

TEST_F(ConfigDialogs, SaveDialogLayout)
{
    enregistrer dialog(bench);
    EXPECT_EQ(dialog.objectName(), "enregistrer");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enregistrer les paramètres."));
    EXPECT_EQ(dialog.Command1->text(), "ENREGISTRER");
    EXPECT_EQ(dialog.Command2->text(), "ANNULER");
    EXPECT_EQ(dialog.repertoireLabel->text(), QStringLiteral("Répertoire:"));
    EXPECT_EQ(dialog.fichiersLabel->text(), QStringLiteral("Fichiers enregistrés"));
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().topLeft(), bench.benchWindow()->frameGeometry().topLeft() + QPoint(20, 20));
    EXPECT_EQ(dialog.Dir1->path(), q(folder.path()));
    EXPECT_EQ(dialog.File1->path(), q(folder.path()));
    EXPECT_EQ(dialog.Text1->text(), "") << "nothing saved or opened yet";

    ouvrir open(bench);
    EXPECT_EQ(open.windowTitle(), "Ouvrir une configuration");
    EXPECT_EQ(open.Command1->text(), "OUVRIR");
    EXPECT_EQ(open.repertoireLabel->text(), QStringLiteral("Répertoire"));
    EXPECT_EQ(open.fichiersLabel->text(), QStringLiteral("Fichiers"));
    EXPECT_FALSE(open.Frame1->isVisibleTo(&open));
    EXPECT_EQ(open.pos(), dialog.pos());
}

TEST_F(ConfigDialogs, SavingANameWithBlanksAndAnExtension)
{
    enregistrer dialog(bench);
    dialog.show();
    QTest::keyClicks(dialog.Text1, "  mesure.txt  ");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);

    const std::string path = folder.file("mesure.C16");
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(readBytes(path), expectedImage());
    EXPECT_EQ(bench.nomfichier(), q(path));
    EXPECT_EQ(dialog.Text1->text(), q(path));
    EXPECT_EQ(bench.title(), QStringLiteral("Titrage conductimétrique - ") + q(path));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ConfigDialogs, SaveNamesThatAreRefusedOrAsked)
{
    writeBytes(folder.file("garde.C16"), "contenu");
    struct Case {
        const char* typed;
        MessageAnswer answer;
        QStringList messages;
        bool closes;
    };
    const Case cases[] = {
        {"", MessageAnswer::Ok, {kNoName}, false},
        {"   ", MessageAnswer::Ok, {kNoName}, false},
        {".txt", MessageAnswer::Ok, {kNoName}, false},
        {"garde", MessageAnswer::No, {kExists}, false},
        {"garde.xyz", MessageAnswer::No, {kExists}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        messages.setAnswer(c.answer);
        enregistrer dialog(bench);
        dialog.show();
        dialog.Text1->setText(c.typed);
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        EXPECT_EQ(texts(messages), c.messages);
        EXPECT_EQ(dialog.isVisible(), !c.closes);
        EXPECT_EQ(bench.nomfichier(), "");
        EXPECT_EQ(bench.title(), "Titrage conductimétrique");
    }
    EXPECT_EQ(readBytes(folder.file("garde.C16")), "contenu");
    const MessageRequest& question = messages.requests().back();
    EXPECT_EQ(question.title, QStringLiteral("Ce fichier existe déjà!"));
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "nothing but the kept file";
}

TEST_F(ConfigDialogs, ReopeningOffersTheFileAndEnterOverwritesItUnchanged)
{
    // A folder with a dot in its name, as "/home/jean.dupont" would be.
    const std::string sub = folder.file("tp.2");
    std::filesystem::create_directory(sub);
    const std::string path = sub + "/essai.C16";
    writeBytes(path, configImage(tenSituations()).value());
    const std::string original = readBytes(path);

    {
        ouvrir open(bench);
        open.show();
        open.ficharge->setText(q(path));
        QTest::mouseClick(open.Command1, Qt::LeftButton);
        EXPECT_EQ(open.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(bench.nomfichier(), q(path));

    // The save button re-selects situation 1, storing the bench, then the
    // dialog offers the file; Enter saves.
    int result = -1;
    Messages::setDialogRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<enregistrer&>(d);
        dialog.show();
        EXPECT_EQ(dialog.Text1->text(), q(path));
        QTest::keyClick(dialog.Text1, Qt::Key_Return);
        result = dialog.result();
        return result;
    });
    showSaveDialog(bench);
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(texts(messages), QStringList{kExists});
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(readBytes(path), original) << "loading then saving changes no byte";
    EXPECT_EQ(bench.nomfichier(), q(path));
    EXPECT_FALSE(std::filesystem::exists(folder.file("tp.C16")));
}

TEST_F(ConfigDialogs, SaveButtonStoresTheBenchBeforeTheDialog)
{
    bench.bench.textesit[1] = "0,123";
    bench.log.clear();
    bool ran = false;
    Messages::setDialogRunner([&](QDialog& d) {
        ran = true;
        EXPECT_EQ(d.objectName(), "enregistrer");
        EXPECT_EQ(bench.log, QStringList{"select 4"});
        EXPECT_EQ(bench.store.sit[4].textesit[1], "0,123");
        return int(QDialog::Rejected);
    });
    showSaveDialog(bench);
    Messages::setDialogRunner(nullptr);
    EXPECT_TRUE(ran);
}

TEST_F(ConfigDialogs, GreyCheckBoxIsSavedAsNotTicked)
{
    bench.checks = {Qt::PartiallyChecked, Qt::Checked, Qt::PartiallyChecked};
    enregistrer dialog(bench);
    dialog.show();
    dialog.Text1->setText("gris");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    const std::string bytes = readBytes(folder.file("gris.C16"));
    EXPECT_EQ(decodeRecord(bytes, 2), "0");
    EXPECT_EQ(decodeRecord(bytes, 3), "1");
    EXPECT_EQ(decodeRecord(bytes, 4), "0");
}

TEST_F(ConfigDialogs, ListsFollowTheDirectoryAndTheNameFieldLosesItsFolder)
{
    const std::string sub = folder.file("classe");
    std::filesystem::create_directory(sub);
    std::filesystem::create_directory(folder.file("autre"));
    for (const char* f : {"b.C16", "a.c16", "notes.txt", ".cache.C16"}) writeBytes(sub + "/" + f, "x");
    std::filesystem::create_directory(sub + "/dossier.C16");
    writeBytes(folder.file("racine.C16"), "x");

    enregistrer dialog(bench);
    dialog.show();
    EXPECT_EQ(names(dialog.File1), QStringList{"racine.C16"});
    dialog.Text1->setText(q(folder.file("x/y/essai")));
    doubleClick(dialog.Dir1, dialog.Dir1->entryFor(q(sub)));
    EXPECT_EQ(dialog.Dir1->path(), q(sub));
    EXPECT_EQ(dialog.File1->path(), q(sub));
    EXPECT_EQ(names(dialog.File1), (QStringList{"a.c16", "b.C16"}));
    EXPECT_EQ(dialog.Text1->text(), "essai");

    // Enter in the directory list opens the highlighted entry.
    dialog.Dir1->setCurrentItem(dialog.Dir1->entryFor(q(folder.path())));
    QTest::keyClick(dialog.Dir1, Qt::Key_Return);
    EXPECT_EQ(dialog.Dir1->path(), q(folder.path()));
    EXPECT_EQ(names(dialog.File1), QStringList{"racine.C16"});
    EXPECT_NE(dialog.Dir1->entryFor(q(folder.file("autre"))), nullptr);

    // Double-click on a file: its name, then the save, which asks first.
    messages.setAnswer(MessageAnswer::Yes);
    doubleClick(dialog.File1, dialog.File1->entryFor("racine.C16"));
    EXPECT_EQ(texts(messages), QStringList{kExists});
    EXPECT_EQ(readBytes(folder.file("racine.C16")), expectedImage());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ConfigDialogs, WriteFailureLosesNothing)
{
    const QString previous = QStringLiteral("/classe/avant.C16");
    bench.setNomfichier(previous);
    bench.setBenchTitle(benchTitleFor(previous));
    const SituationStore store = bench.store;
    const std::string kept = folder.file("garde.C16");
    writeBytes(kept, "contenu");

    std::vector<std::pair<std::string, std::string>> cases = {
        {"folder where nothing can be created", "/proc/essai"},
        {"missing folder", folder.file("absent/essai")},
        {"a folder of that name", folder.file("dossier")},
    };
    std::filesystem::create_directory(folder.file("dossier.C16"));
    if (permissionsApply()) {
        const std::string locked = folder.file("verrou");
        std::filesystem::create_directory(locked);
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        cases.emplace_back("read-only folder", locked + "/essai");
        std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
        cases.emplace_back("read-only file", folder.file("garde"));
    }
    for (const auto& [name, typed] : cases) {
        SCOPED_TRACE(name);
        messages.clear();
        enregistrer dialog(bench);
        dialog.show();
        dialog.Text1->setText(q(typed));
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        ASSERT_FALSE(messages.requests().empty());
        const MessageRequest& last = messages.requests().back();
        EXPECT_EQ(last.text, kCannotWrite);
        EXPECT_EQ(last.title, "Enregistrement impossible");
        EXPECT_EQ(last.icon, MessageIcon::Critical);
        EXPECT_TRUE(dialog.isVisible()) << "the student can choose another place";
        EXPECT_EQ(bench.nomfichier(), previous);
        EXPECT_EQ(bench.title(), benchTitleFor(previous));
    }
    EXPECT_EQ(readBytes(kept), "contenu");

    // A text too long for its record: an existing file keeps every byte.
    bench.store.sit[7].textesit[3] = std::string(127, '7');
    messages.clear();
    enregistrer dialog(bench);
    dialog.show();
    dialog.Text1->setText("garde2");
    writeBytes(folder.file("garde2.C16"), "ancien");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(texts(messages), (QStringList{kExists, kCannotWrite}));
    EXPECT_EQ(readBytes(folder.file("garde2.C16")), "ancien");
    bench.store.sit[7].textesit[3] = store.sit[7].textesit[3];
    EXPECT_EQ(bench.store.sit[0].textesit, store.sit[0].textesit);
}

TEST_F(ConfigDialogs, CancelChangesNothing)
{
    enregistrer dialog(bench);
    dialog.show();
    dialog.Text1->setText("jamais");
    QTest::mouseClick(dialog.Command2, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(folder.file("jamais.C16")));

    ouvrir open(bench);
    open.show();
    QTest::mouseClick(open.Command2, Qt::LeftButton);
    EXPECT_EQ(open.result(), QDialog::Rejected);
    EXPECT_TRUE(bench.log.isEmpty());
}

TEST_F(ConfigDialogs, OpenDialogChoosesAndLoads)
{
    const std::string sub = folder.file("tp");
    std::filesystem::create_directory(sub);
    ConfigData data = tenSituations();
    data.sit[0].textesit[0] = "9,9";
    writeBytes(sub + "/choisi.C16", configImage(data).value());
    writeBytes(folder.file("autre.C16"), configImage(ConfigData{}).value());

    ouvrir open(bench);
    open.show();
    // OUVRIR before any choice does nothing.
    QTest::mouseClick(open.Command1, Qt::LeftButton);
    open.ficharge->setText("   ");
    QTest::mouseClick(open.Command1, Qt::LeftButton);
    EXPECT_TRUE(open.isVisible());
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(bench.log.isEmpty());

    doubleClick(open.Dir1, open.Dir1->entryFor(q(sub)));
    QDir::setCurrent("/");
    click(open.File1, open.File1->entryFor("choisi.C16"));
    EXPECT_EQ(open.ficharge->text(), q(sub + "/choisi.C16"));
    EXPECT_EQ(QDir::currentPath(), q(sub));

    // Another folder keeps the earlier choice, which OUVRIR then opens.
    open.Dir1->setPath(q(folder.path()));
    EXPECT_EQ(names(open.File1), QStringList{"autre.C16"});
    EXPECT_EQ(open.ficharge->text(), q(sub + "/choisi.C16"));
    QTest::mouseClick(open.Command1, Qt::LeftButton);
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(open.Frame1->isVisibleTo(&open));
    EXPECT_EQ(open.result(), QDialog::Accepted);
    EXPECT_EQ(bench.nomfichier(), q(sub + "/choisi.C16"));
    EXPECT_EQ(bench.store.sit[0].textesit[0], "9,9");
    EXPECT_EQ(bench.title(), benchTitleFor(q(sub + "/choisi.C16")));
}

TEST_F(ConfigDialogs, OpenDialogRefusals)
{
    // "pa" read as a length word is far over 126.
    writeBytes(folder.file("texte.C16"), "pas une configuration");
    writeBytes(folder.file("autre.C16"), encodeRecord("ZIPPO").value());
    writeBytes(folder.file(".cache.C16"), configImage(ConfigData{}).value());
    std::filesystem::create_directory(folder.file("dossier.C16"));
    struct Case {
        std::string chosen;
        QStringList messages;
        bool closes;
    };
    const Case cases[] = {
        {folder.file("absent.C16"), {kBadName}, false},
        {folder.file("dossier.C16"), {kBadName}, false},
        {folder.file(".cache.C16"), {kBadName}, false},
        {" " + folder.file("texte.C16"), {kBadName}, false},
        {folder.file("texte.C16"),
         {QStringLiteral("Lecture impossible sur disque"),
          QStringLiteral("Ce fichier ne correspond pas à cette application")},
         true},
        {folder.file("autre.C16"), {QStringLiteral("Ce fichier ne correspond pas à cette application")}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        messages.clear();
        ouvrir open(bench);
        open.show();
        open.ficharge->setText(q(c.chosen));
        QTest::mouseClick(open.Command1, Qt::LeftButton);
        EXPECT_EQ(texts(messages), c.messages);
        if (c.messages.front() == kBadName)
            EXPECT_EQ(messages.requests().front().title, "impossible d'ouvrir ce fichier");
        EXPECT_EQ(open.isVisible(), !c.closes);
        EXPECT_EQ(bench.nomfichier(), q(c.chosen));
    }
    EXPECT_EQ(bench.title(), "Titrage conductimétrique");
}

TEST_F(ConfigDialogs, FileAtTheRootGetsASingleSeparator)
{
    ouvrir open(bench);
    open.File1->setPath("/");
    open.File1_Click("essai.C16");
    EXPECT_EQ(open.ficharge->text(), "/essai.C16");
}

TEST_F(ConfigDialogs, DriveNotReadyReturnsToTheDirectorysDrive)
{
    ouvrir open(bench);
    open.show();
    const QString drive = open.Drive1->drive();
    EXPECT_EQ(drive, DriveList::driveOf(q(folder.path())));
    open.Drive1->setDrives({drive, "/lecteur-absent"});
    open.Drive1->setDrive("/lecteur-absent");
    emit open.Drive1->driveChosen("/lecteur-absent");
    EXPECT_EQ(open.Drive1->drive(), drive);
    EXPECT_EQ(open.Dir1->path(), q(folder.path()));
    EXPECT_TRUE(messages.requests().empty());

    // A drive that is ready moves the lists to its root.
    open.Drive1->setDrives({drive, q(folder.path())});
    open.Dir1->setPath("/");
    emit open.Drive1->driveChosen(q(folder.path()));
    EXPECT_EQ(open.Dir1->path(), q(folder.path()));
    EXPECT_EQ(open.File1->path(), q(folder.path()));
}

TEST_F(ConfigDialogs, Screenshots)
{
    const QByteArray out = qgetenv("TITRAGE_SHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "set TITRAGE_SHOTS to a folder to get pictures";
    writeBytes(folder.file("essai.C16"), "x");
    enregistrer save(bench);
    save.show();
    save.Text1->setText("mesure");
    save.grab().save(QString::fromUtf8(out) + "/enregistrer.png");
    ouvrir open(bench);
    open.show();
    open.Frame1->show();
    open.grab().save(QString::fromUtf8(out) + "/ouvrir.png");
}
