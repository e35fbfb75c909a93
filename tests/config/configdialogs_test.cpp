#include "config/configdialogs.h"
#include "config/core/configfile.h"
#include "config/enregistrer.h"
#include "config/lireconfig.h"
#include "config/ouvrir.h"

#include "fakebench.h"
#include "platform/core/recordfile.h"
#include "platform/messages.h"
#include "sampleconfig.h"
#include "tempfolder.h"
#include "tests/platform/windowlook.h"

#include <QDir>
#include <QFrame>
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

void click(QListWidget* list, QListWidgetItem* item, bool twice = false)
{
    ASSERT_NE(item, nullptr);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

QStringList names(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Each test runs in a fresh folder made the current directory, with a bench
// holding ten different situations, situation 5 current.
class ConfigDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCurrent = QDir::currentPath();
        QDir::setCurrent(q(folder.path()));
        bench.store.sit = tenSituations().sit;
        bench.store.numsit = 4;
        bench.bench = bench.store.sit[4];
        bench.checks = {Qt::Checked, Qt::Unchecked, Qt::PartiallyChecked};
    }
    void TearDown() override { QDir::setCurrent(m_savedCurrent); }

    // What the bench holds, as the file must hold it; a grey box is not ticked.
    std::string benchImage() const
    {
        ConfigData d;
        d.masquer = true;
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

TEST_F(ConfigDialogs, DialogsOpenBesideTheBenchOnTheCurrentDirectory)
{
    enregistrer save(bench);
    save.show();
    EXPECT_EQ(save.windowTitle(), QStringLiteral("Enregistrer les paramètres."));
    EXPECT_EQ(save.frameGeometry().topLeft(),
              bench.benchWindow()->frameGeometry().topLeft() + QPoint(20, 20));
    EXPECT_EQ(save.Dir1->path(), q(folder.path()));
    EXPECT_EQ(save.File1->path(), q(folder.path()));
    EXPECT_EQ(save.Drive1->drive(), DriveList::driveOf(q(folder.path())));
    EXPECT_EQ(save.Text1->text(), "") << "nothing saved or opened yet";
    EXPECT_EQ(save.focusWidget(), save.Text1) << "the dialog opens on the file's name";

    ouvrir open(bench);
    EXPECT_EQ(open.windowTitle(), "Ouvrir une configuration");
    EXPECT_FALSE(open.Frame1->isVisibleTo(&open));
    EXPECT_EQ(open.pos(), save.pos());

    // A drive that is not ready: back to the directory's drive, silently.
    const QString drive = open.Drive1->drive();
    open.Drive1->setDrives({drive, "/lecteur-absent"});
    open.Drive1->setDrive("/lecteur-absent");
    emit open.Drive1->driveChosen("/lecteur-absent");
    EXPECT_EQ(open.Drive1->drive(), drive);
    EXPECT_EQ(open.Dir1->path(), q(folder.path()));
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(ConfigDialogs, SavingANameWithBlanksAndAnExtension)
{
    enregistrer dialog(bench);
    dialog.show();
    QTest::keyClicks(dialog.Text1, "  mesure.txt  ");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);

    const std::string path = folder.file("mesure.C16");
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(readBytes(path), benchImage());
    EXPECT_EQ(bench.nomfichier(), q(path));
    EXPECT_EQ(dialog.Text1->text(), q(path));
    EXPECT_EQ(bench.title(), QStringLiteral("Titrage conductimétrique - ") + q(path));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// A mixture's slot is saved whole, without a word: the file then opens
// with it.
TEST_F(ConfigDialogs, AMixturesSlotIsSavedWhole)
{
    Mixture m;
    m.solutes[0] = {MixSoluteKind::SodiumChloride, 0, 7, 0.01};
    m.soluteCount = 1;
    m.titrant = MixTitrant::SilverNitrate;
    bench.store.sit[2].mixture = m;
    enregistrer dialog(bench);
    dialog.show();
    QTest::keyClicks(dialog.Text1, "melange");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_TRUE(messages.requests().empty());
    ConfigData d;
    d.masquer = true;
    d.sit = bench.store.sit;
    EXPECT_EQ(readBytes(folder.file("melange.C16")), configImage(d).value());
    EXPECT_TRUE(readConfiguration(folder.file("melange.C16")).data.sit[2].mixture);
}

TEST_F(ConfigDialogs, RefusedNamesAndOverwriteAnswers)
{
    writeBytes(folder.file("garde.C16"), "contenu");
    const std::tuple<const char*, MessageAnswer, QString, bool> cases[] = {
        {"", MessageAnswer::Ok, kNoName, false},
        {".txt", MessageAnswer::Ok, kNoName, false},
        {"garde.xyz", MessageAnswer::No, kExists, false},
        {"garde", MessageAnswer::Yes, kExists, true},
    };
    for (const auto& [typed, answer, message, written] : cases) {
        SCOPED_TRACE(typed);
        messages.clear();
        messages.setAnswer(answer);
        enregistrer dialog(bench);
        dialog.show();
        dialog.Text1->setText(typed);
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        EXPECT_EQ(messages.texts(), QStringList{message});
        EXPECT_EQ(dialog.isVisible(), !written);
        EXPECT_EQ(readBytes(folder.file("garde.C16")) == "contenu", !written);
    }
    EXPECT_EQ(messages.requests().back().title, QStringLiteral("Ce fichier existe déjà!"));
    EXPECT_EQ(messages.requests().back().buttons, MessageButtons::YesNo);
}

TEST_F(ConfigDialogs, LoadingThenSavingGivesTheSameBytes)
{
    // A folder with a dot in its name, as "/home/jean.dupont" would be.
    const std::string path = folder.file("tp.2") + "/essai.C16";
    std::filesystem::create_directory(folder.file("tp.2"));
    writeBytes(path, configImage(asLoaded(tenSituations())).value());
    const std::string original = readBytes(path);
    {
        ouvrir open(bench);
        open.show();
        open.ficharge->setText(q(path));
        QTest::mouseClick(open.Command1, Qt::LeftButton);
        EXPECT_EQ(open.result(), QDialog::Accepted);
    }
    // The save button stores the bench, then the dialog offers the file; Enter saves.
    bench.log.clear();
    Messages::setDialogRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<enregistrer&>(d);
        EXPECT_EQ(bench.log, QStringList{"select 0"});
        dialog.show();
        EXPECT_EQ(dialog.Text1->text(), q(path));
        QTest::keyClick(dialog.Text1, Qt::Key_Return);
        return dialog.result();
    });
    showSaveDialog(bench);
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(messages.texts(), QStringList{kExists});
    EXPECT_EQ(readBytes(path), original);
    EXPECT_FALSE(std::filesystem::exists(folder.file("tp.C16")));
}

TEST_F(ConfigDialogs, ListsFollowTheDirectory)
{
    const std::string sub = folder.file("classe");
    std::filesystem::create_directories(sub + "/dossier.C16");
    for (const char* f : {"b.C16", "a.c16", "notes.txt", ".cache.C16"})
        writeBytes(sub + "/" + f, "x");
    writeBytes(folder.file("racine.C16"), "x");

    enregistrer dialog(bench);
    dialog.show();
    EXPECT_EQ(names(dialog.File1), QStringList{"racine.C16"});
    dialog.Text1->setText(q(folder.file("x/y/essai")));
    click(dialog.Dir1, dialog.Dir1->entryFor(q(sub)), true);
    EXPECT_EQ(dialog.File1->path(), q(sub));
    EXPECT_EQ(names(dialog.File1), (QStringList{"a.c16", "b.C16"}));
    EXPECT_EQ(dialog.Text1->text(), "essai") << "the name field loses its folder";

    // Enter in the directory list opens the highlighted entry.
    dialog.Dir1->setCurrentItem(dialog.Dir1->entryFor(q(folder.path())));
    QTest::keyClick(dialog.Dir1, Qt::Key_Return);
    EXPECT_EQ(names(dialog.File1), QStringList{"racine.C16"});

    // Double-click on a file: its name, then the save, which asks first.
    click(dialog.File1, dialog.File1->entryFor("racine.C16"), true);
    EXPECT_EQ(messages.texts(), QStringList{kExists});
    EXPECT_EQ(readBytes(folder.file("racine.C16")), benchImage());
}

TEST_F(ConfigDialogs, WriteFailureLosesNothing)
{
    const QString previous = QStringLiteral("/classe/avant.C16");
    bench.setNomfichier(previous);
    bench.setBenchTitle(benchTitleFor(previous));
    std::filesystem::create_directory(folder.file("dossier.C16"));
    writeBytes(folder.file("long.C16"), "ancien");
    std::vector<std::string> typed = {"/proc/essai", folder.file("absent/essai"),
                                      folder.file("dossier"), folder.file("long")};
    if (permissionsApply()) {
        std::filesystem::create_directory(folder.file("verrou"));
        std::filesystem::permissions(folder.file("verrou"), std::filesystem::perms::owner_read |
                                                                std::filesystem::perms::owner_exec);
        typed.push_back(folder.file("verrou/essai"));
    }
    for (const std::string& name : typed) {
        SCOPED_TRACE(name);
        // The last case fails on a text too long for its record.
        if (name == typed[3]) bench.store.sit[7].textesit[3] = std::string(127, '7');
        messages.clear();
        enregistrer dialog(bench);
        dialog.show();
        dialog.Text1->setText(q(name));
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        ASSERT_FALSE(messages.requests().empty());
        EXPECT_EQ(messages.requests().back().text, kCannotWrite);
        EXPECT_EQ(messages.requests().back().title, "Enregistrement impossible");
        EXPECT_TRUE(dialog.isVisible()) << "the student can choose another place";
        EXPECT_EQ(bench.nomfichier(), previous);
        EXPECT_EQ(bench.title(), benchTitleFor(previous));
        bench.store.sit[7].textesit[3] = "0,01";
    }
    EXPECT_EQ(readBytes(folder.file("long.C16")), "ancien");
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
    open.ficharge->setText("   ");
    QTest::mouseClick(open.Command1, Qt::LeftButton);
    EXPECT_TRUE(open.isVisible()) << "a blank choice is ignored";
    EXPECT_TRUE(bench.log.isEmpty());
    open.File1->setPath("/");
    open.File1_Click("essai.C16");
    EXPECT_EQ(open.ficharge->text(), "/essai.C16") << "a single separator at a root";

    click(open.Dir1, open.Dir1->entryFor(q(sub)), true);
    click(open.File1, open.File1->entryFor("choisi.C16"));
    EXPECT_EQ(open.ficharge->text(), q(sub + "/choisi.C16"));
    EXPECT_EQ(QDir::currentPath(), q(sub));

    // Another folder keeps the earlier choice, which OUVRIR opens.
    open.Dir1->setPath(q(folder.path()));
    EXPECT_EQ(names(open.File1), QStringList{"autre.C16"});
    QTest::mouseClick(open.Command1, Qt::LeftButton);
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(open.Frame1->isVisibleTo(&open));
    EXPECT_EQ(open.result(), QDialog::Accepted);
    EXPECT_EQ(bench.store.sit[0].textesit[0], "9,9");
    EXPECT_EQ(bench.title(), benchTitleFor(bench.nomfichier()));
}

TEST_F(ConfigDialogs, OpenDialogRefusals)
{
    writeBytes(folder.file("texte.C16"), "pas une configuration"); // "pa": a length far over 126
    writeBytes(folder.file("autre.C16"), encodeRecord("ZIPPO").value());
    writeBytes(folder.file(".cache.C16"), configImage(ConfigData{}).value());
    std::filesystem::create_directory(folder.file("dossier.C16"));
    const QString notConfig = QStringLiteral("Ce fichier ne correspond pas à cette application");
    const std::tuple<std::string, QStringList, bool> cases[] = {
        {folder.file("absent.C16"), {kBadName}, false},
        {folder.file("dossier.C16"), {kBadName}, false},
        {folder.file(".cache.C16"), {kBadName}, false},
        {" " + folder.file("autre.C16"), {kBadName}, false},
        {folder.file("texte.C16"),
         {QStringLiteral("Lecture impossible sur disque"), notConfig},
         true},
        {folder.file("autre.C16"), {notConfig}, true},
    };
    for (const auto& [chosen, expected, closes] : cases) {
        SCOPED_TRACE(chosen);
        messages.clear();
        ouvrir open(bench);
        open.show();
        open.ficharge->setText(q(chosen));
        QTest::mouseClick(open.Command1, Qt::LeftButton);
        EXPECT_EQ(messages.texts(), expected);
        EXPECT_EQ(open.isVisible(), !closes);
        EXPECT_EQ(bench.nomfichier(), q(chosen));
    }
    EXPECT_EQ(messages.requests().front().icon, MessageIcon::Critical);
    EXPECT_EQ(bench.title(), "Titrage conductimétrique");
}

// On a bench shown 1,8 times larger (a projector), both dialogs come up 1,8
// times larger, their lists and buttons too; the save dialog still opens on
// the file name.
TEST_F(ConfigDialogs, DialogsGrowWithTheBench)
{
    FakeBench projector;
    showBenchAt(*projector.benchWindow(), {1440, 1080});
    const struct {
        const char* name;
        void (*open)(ConfigBench&);
    } cases[] = {{"enregistrer", showSaveDialog}, {"ouvrir", showOpenDialog}};
    for (const auto& c : cases) {
        std::vector<WindowLook> looks;
        std::vector<QString> focused;
        Messages::setDialogRunner([&](QDialog& d) {
            looks.push_back(lookOf(d));
            focused.push_back(d.focusWidget() ? d.focusWidget()->objectName() : QString());
            return int(QDialog::Rejected);
        });
        c.open(bench);
        c.open(projector);
        Messages::setDialogRunner(nullptr);
        ASSERT_EQ(looks.size(), 2u) << c.name;
        expectScaled(looks[0], looks[1], 1.8, c.name);
        if (std::string(c.name) == "enregistrer")
            EXPECT_EQ(focused, (std::vector<QString>{"Text1", "Text1"}));
    }
}
