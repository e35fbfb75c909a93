#include "bench/helpviewer.h"

#include "../config/tempfolder.h"
#include "exercises/core/exercisetext.h"

#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace titrage;
using namespace titrage::testing;

namespace {

TEST(HelpViewerTest, IndexInAFrenchReadersOrder)
{
    QStringList words{"robinet", "Graphe",  "écran", "Zéro",        "goutte",
                      "Burette", "Écrire",  "ecran", "Écran",       "aide",
                      "Aide",    "Élément", "Eau",   "élimination", "robinet"};
    HelpViewer::sortForReaders(words);
    EXPECT_EQ(words,
              (QStringList{"aide", "Aide", "Burette", "Eau", "ecran", "écran", "Écran", "Écrire",
                           "Élément", "élimination", "goutte", "Graphe", "robinet", "Zéro"}));
}

class ShippedHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(help.load(QStringLiteral(TITRAGE_DATA_DIR "/Lomb.html")), HelpLoad::Ok);
    }
    HelpViewer help;
};

// The page answers what a teacher or a student asks: each topic has its
// heading in the contents.
TEST_F(ShippedHelp, ContentsCoverEveryWindowAndTool)
{
    QStringList headings;
    for (int i = 0; i < help.contents->count(); ++i)
        headings << help.contents->item(i)->text();
    for (const char* topic :
         {"Préparer le bécher", "Verser la solution titrante", "Le graphe", "Le tableau de valeurs",
          "Les dix situations", "L'onglet Paramètres", "L'historique", "Enregistrer et ouvrir",
          "Copier", "Imprimer", "La calculatrice", "Les exercices", "Ajouter un exercice",
          "Le clavier", "La chimie du simulateur", "Le programme titrage-table"})
        EXPECT_TRUE(headings.contains(QString::fromUtf8(topic))) << topic;
    for (const char* word : {"Ctrl + Tab", "F11", "Ctrl + Maj + Flèche bas", ".E42", "Kohlrausch",
                             "Méthode des droites", "Contributions des ions", "CSV"})
        EXPECT_TRUE(help.page->toPlainText().contains(QString::fromUtf8(word))) << word;

    QStringList index;
    for (int i = 0; i < help.index->count(); ++i)
        index << help.index->item(i)->text();
    QStringList sorted = index;
    HelpViewer::sortForReaders(sorted);
    EXPECT_EQ(index, sorted);
    EXPECT_GT(index.size(), 30);
}

// Each result of a search shows its own occurrence, not the first one of the page.
TEST_F(ShippedHelp, SearchJumpsToTheChosenResult)
{
    help.show();
    help.search->setText(QStringLiteral("robinet"));
    ASSERT_GE(help.results->count(), 3);
    std::vector<int> positions;
    for (int i : {2, 0, help.results->count() - 1}) {
        QListWidgetItem* item = help.results->item(i);
        QTest::mouseClick(help.results->viewport(), Qt::LeftButton, {},
                          help.results->visualItemRect(item).center());
        const QTextCursor cursor = help.page->textCursor();
        EXPECT_EQ(cursor.selectionStart(), item->data(Qt::UserRole).toInt());
        EXPECT_EQ(cursor.selectedText().toLower(), QStringLiteral("robinet"));
        positions.push_back(cursor.selectionStart());
    }
    EXPECT_LT(positions[1], positions[0]);
    EXPECT_LT(positions[0], positions[2]);

    help.search->setText(QStringLiteral("  "));
    EXPECT_EQ(help.results->count(), 0);
}

} // namespace

namespace {

std::string repeated(const std::string& part, std::size_t times)
{
    std::string all;
    for (std::size_t i = 0; i < times; ++i)
        all += part;
    return all;
}

// A PNG of one colour, one bit a pixel: a few KB whatever its size.
void writePng(const std::string& path, int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(0);
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
}

} // namespace

// The help page is read like the exercise texts: never from a pipe, of
// bounded size, and only when it can be laid out quickly. A refused page
// leaves the viewer as it was.
TEST_F(ShippedHelp, OnlyAPageThatCanBeShownQuickly)
{
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("tube.html").c_str(), 0600), 0);
    writeBytes(dir.file("gros.html"), "<p>aide</p>");
    std::filesystem::resize_file(dir.file("gros.html"), kMaxHelpFileBytes + 1);
    writeBytes(dir.file("mot.html"), "<p>" + std::string(kMaxWordCharacters + 1, 'm') + "</p>");
    writeBytes(dir.file("pre.html"),
               "<pre>" + repeated("mot ", kMaxWordCharacters / 4 + 1) + "</pre>");
    writeBytes(dir.file("imbrique.html"), repeated("<b>", kMaxHelpNesting + 1) + "x");
    writeBytes(dir.file("ferme.html"), repeated("<b>x</b><p>y", 10 * kMaxHelpNesting));
    writeBytes(dir.file("tableaux.html"),
               repeated("<table><tr><td>", kMaxHelpTableNesting + 1) + "x");
    writeBytes(dir.file("tableaux4.html"), repeated("<table><tr><td>", kMaxHelpTableNesting) + "x");
    writeBytes(dir.file("cases.html"), "<table>" + repeated("<tr><td>a", kMaxTableCells + 1));

    const struct {
        const char* name;
        HelpLoad expected;
    } cases[] = {
        {"absent.html", HelpLoad::Missing},
        {"tube.html", HelpLoad::Missing},
        {"", HelpLoad::Missing}, // the folder
        {"gros.html", HelpLoad::Invalid},
        {"mot.html", HelpLoad::Invalid},
        {"pre.html", HelpLoad::Invalid},
        {"imbrique.html", HelpLoad::Invalid},
        {"ferme.html", HelpLoad::Ok},
        {"tableaux.html", HelpLoad::Invalid},
        {"tableaux4.html", HelpLoad::Ok},
        {"cases.html", HelpLoad::Invalid},
    };
    const int headings = help.contents->count();
    for (const auto& c : cases) {
        HelpViewer viewer;
        EXPECT_EQ(viewer.load(QString::fromStdString(dir.file(c.name))), c.expected) << c.name;
        if (c.expected != HelpLoad::Ok) {
            EXPECT_EQ(help.load(QString::fromStdString(dir.file(c.name))), c.expected);
            EXPECT_EQ(help.contents->count(), headings) << c.name;
        }
    }
}

// What the page names is read like the page: a pipe or a device named as a
// picture never blocks the window, and a picture too large is not decoded.
TEST(HelpViewerTest, PicturesOfThePageAreBounded)
{
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("tube.png").c_str(), 0600), 0);
    writePng(dir.file("petit.png"), 40, 30);
    writePng(dir.file("grand.png"), 4097, 4096);
    writeBytes(dir.file("Lomb.html"),
               "<p>Images <img src=\"tube.png\"> <img src=\"/dev/zero\"> <img src=\"grand.png\">"
               " <img src=\"petit.png\"></p><link rel=\"stylesheet\" href=\"/dev/zero\">");
    HelpViewer help;
    ASSERT_EQ(help.load(QString::fromStdString(dir.file("Lomb.html"))), HelpLoad::Ok);
    help.show();
    QCoreApplication::processEvents();
    help.grab();
    auto picture = [&](const char* name) {
        return help.page->document()
            ->resource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name)))
            .value<QImage>();
    };
    EXPECT_TRUE(picture("grand.png").isNull());
    EXPECT_TRUE(picture("tube.png").isNull());
    EXPECT_EQ(picture("petit.png").size(), QSize(40, 30));
}
