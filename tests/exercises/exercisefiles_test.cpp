// What an exercise from outside may do to the program: nothing outside its
// folder, nothing that blocks or floods the text area, and the student's
// text and the shipped files never lost on saving.
#include "exercises/exercisechooser.h"
#include "exercises/fichexo.h"

#include "../config/fakebench.h"
#include "../config/tempfolder.h"
#include "../platform/smalldisk.h"
#include "config/core/configfile.h"
#include "config/enregistrer.h"
#include "exercises/core/exercisefile.h"
#include "platform/messages.h"
#include "platform/savefolders.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace titrage;
using namespace titrage::testing;
namespace fs = std::filesystem;

namespace {

class Host : public ExerciseHost {
public:
    explicit Host(QString folder) : m_folder(std::move(folder)) {}
    QWidget* exerciseWindow() override { return bench.benchWindow(); }
    QTextEdit& exerciseText() override { return supertext; }
    ConfigBench& configBench() override { return bench; }
    QString programFolder() const override { return m_folder; }

    FakeBench bench;
    QTextEdit supertext{bench.benchWindow()};

private:
    QString m_folder;
};

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

void writeExerciseNaming(const std::string& path, const std::string& text,
                         const std::string& config)
{
    ExerciseFile file;
    file.records[0] = text;
    file.records[1] = config;
    file.records[10] = "Titre";
    ASSERT_TRUE(writeExercise(path, file));
}

// Runs every modal dialog with `runner` while it lives.
struct Dialogs {
    explicit Dialogs(Messages::DialogRunner runner)
    {
        Messages::setDialogRunner(std::move(runner));
    }
    ~Dialogs() { Messages::setDialogRunner(nullptr); }
};

// Keeps the process's current folder and HOME as they were.
struct KeepEnvironment {
    QString current = QDir::currentPath();
    QByteArray home = qgetenv("HOME");
    ~KeepEnvironment()
    {
        QDir::setCurrent(current);
        qputenv("HOME", home);
    }
};

} // namespace

TEST(ExerciseFiles, NamesAndTextsFromOutsideDoNoHarm)
{
    TempFolder outer;
    const std::string folder = outer.file("exo");
    fs::create_directories(folder);
    writeBytes(outer.file("dehors.RTF"), "{\\rtf1 dehors}");
    ConfigData config;
    ASSERT_EQ(writeConfiguration(outer.file("dehors.C16"), config), ConfigWriteStatus::Ok);
    writeBytes(folder + "/EXO.RTF", "{\\rtf1 Enonce}");
    fs::create_symlink(outer.file("dehors.RTF"), folder + "/lien.RTF");
    ASSERT_EQ(::mkfifo((folder + "/tube.RTF").c_str(), 0600), 0);
    writeBytes(folder + "/mot.RTF", "{\\rtf1 " + std::string(1 << 20, 'm') + "}");
    fs::create_hard_link(outer.file("dehors.RTF"), folder + "/dur.RTF");
    fs::create_hard_link(outer.file("dehors.C16"), folder + "/dur.C16");
    // 10,001 cells of one letter: few characters, but each cell is laid out apart.
    std::string cells = "{\\rtf1 ";
    for (int i = 0; i < 10001; ++i)
        cells += "\\trowd\\cellx900 \\intbl a\\cell\\row ";
    writeBytes(folder + "/cases.RTF", cells + "\\pard fin\\par}");
    // A picture of 5,000 x 5,000 pixels, 100 MB once decoded, a few KB here.
    QImage huge(5000, 5000, QImage::Format_Mono);
    huge.fill(1);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && huge.save(&buffer, "PNG"));
    writeBytes(folder + "/image.RTF", "{\\rtf1 {\\pict\\pngblip\\bin" + std::to_string(png.size()) +
                                          " " + png.toStdString() + "}}");

    const QString missing = QStringLiteral("Fichier absent");
    const QString tooLong = QStringLiteral("Texte trop long");
    const QString pictures = QStringLiteral("Images trop grandes");
    const struct {
        const char* text;
        const char* config;
        QString title; // the one message; empty: none
    } cases[] = {
        {"../dehors.RTF", "", missing},
        {"..\\dehors.RTF", "", missing},
        {"../../../../../../dev/zero", "", missing},
        {"/dev/zero", "", missing},
        {"lien.RTF", "", missing},
        {"tube.RTF", "", missing},
        {"mot.RTF", "", tooLong},
        {"cases.RTF", "", tooLong},
        {"image.RTF", "", pictures},
        {"dur.RTF", "", missing},
        {"EXO.RTF", "dur.C16", missing},
        {"EXO.RTF", "../dehors.C16", missing},
        {"EXO.RTF", "", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::string(" / ") + c.config);
        writeExerciseNaming(folder + "/E.E42", c.text, c.config);
        Host host(q(outer.path()));
        Fichexo fichexo(host);
        host.supertext.setPlainText(QStringLiteral("introduction"));
        MessageRecorder messages;
        fichexo.openRequested(q(folder + "/E.E42"));
        if (c.title.isEmpty()) {
            EXPECT_TRUE(messages.requests().empty());
            continue;
        }
        ASSERT_EQ(messages.requests().size(), 1u);
        EXPECT_EQ(messages.requests()[0].title, c.title);
        EXPECT_TRUE(messages.requests()[0].text.contains(
            QString::fromUtf8(c.config[0] ? c.config : c.text)));
        if (*c.config == '\0') {
            EXPECT_EQ(host.supertext.toPlainText(), QStringLiteral("introduction"));
        }
        EXPECT_TRUE(host.bench.log.isEmpty()) << "the bench is not touched";
    }
}

TEST(ExerciseFiles, OneClickOnAnUnreadableExerciseGivesOneMessage)
{
    TempFolder folder;
    writeBytes(folder.file("A.E42"), std::string("\x7F\x00", 2)); // a length word over 126
    writeBytes(folder.file("B.E42"), std::string("\x7F\x00", 2));
    MessageRecorder messages;
    ExerciseChooser chooser;
    chooser.show();
    chooser.start(q(folder.path()));
    EXPECT_EQ(messages.requests().size(), 1u) << "the first file, previewed on opening";
    messages.clear();
    QListWidgetItem* second = chooser.File1->item(1);
    ASSERT_NE(second, nullptr);
    QTest::mouseClick(chooser.File1->viewport(), Qt::LeftButton, {},
                      chooser.File1->visualItemRect(second).center());
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Lecture impossible"));
    // A second click on the same file reads it again: one more message.
    QTest::mouseClick(chooser.File1->viewport(), Qt::LeftButton, {},
                      chooser.File1->visualItemRect(second).center());
    EXPECT_EQ(messages.requests().size(), 2u);
}

// After a shipped exercise both save dialogs start in the user's documents
// and offer no shipped file.
TEST(ExerciseFiles, SavesNeverOfferTheShippedFiles)
{
    KeepEnvironment keep;
    TempFolder home;
    fs::create_directories(home.file("Documents"));
    qputenv("HOME", QByteArray::fromStdString(home.path()));
    const QString documents = documentsFolder();
    ASSERT_TRUE(isInsideFolder(documents, q(home.path())));

    TempFolder program;
    const std::string shippedConfig = program.file("EXO1.C16");
    ASSERT_EQ(writeConfiguration(shippedConfig, ConfigData{}), ConfigWriteStatus::Ok);
    const std::string shippedBytes = readBytes(shippedConfig);
    QDir::setCurrent(q(program.path())); // as the chooser leaves it

    Host host(q(program.path()));
    host.bench.shipped = q(program.path());
    host.bench.setNomfichier(q(shippedConfig));
    {
        enregistrer dialog(host.bench);
        EXPECT_EQ(QDir::fromNativeSeparators(dialog.Dir1->path()), documents);
        EXPECT_EQ(dialog.Text1->text(), QStringLiteral("EXO1.C16"));
        MessageRecorder messages(MessageAnswer::Yes);
        dialog.Command1_Click();
        EXPECT_EQ(readBytes(shippedConfig), shippedBytes);
        EXPECT_TRUE(fs::exists(home.file("Documents/EXO1.C16")));
    }

    QDir::setCurrent(q(program.path()));
    Fichexo fichexo(host);
    QString startedIn;
    Dialogs dialogs([&](QDialog& dialog) {
        startedIn = dynamic_cast<QFileDialog&>(dialog).directory().absolutePath();
        return int(QDialog::Rejected);
    });
    fichexo.savetexte();
    EXPECT_EQ(startedIn, documents);
}

TEST(ExerciseFiles, TextSavedOnAFullDiskKeepsTheEarlierAnswer)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root): full-disk save not tried";
    const std::string answer = disk.file("reponse.RTF");
    const std::string earlier(939, 'r');
    writeBytes(answer, earlier);
    disk.fill();

    TempFolder program;
    Host host(q(program.path()));
    Fichexo fichexo(host);
    host.supertext.setPlainText(QString(3000, QLatin1Char('x')));
    MessageRecorder messages(MessageAnswer::Ok);
    Dialogs dialogs([&](QDialog& dialog) {
        dynamic_cast<QFileDialog&>(dialog).selectFile(q(answer));
        return int(QDialog::Accepted);
    });
    fichexo.savetexte();
    ASSERT_EQ(messages.requests().size(), 2u); // overwrite?, then the failure
    EXPECT_EQ(messages.requests()[1].title, QStringLiteral("Erreur d'écriture."));
    EXPECT_EQ(readBytes(answer), earlier);
    disk.empty();
    EXPECT_EQ(fs::directory_iterator(disk.path())->path().filename(), "reponse.RTF")
        << "no temporary file left";
}
