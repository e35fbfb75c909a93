#include "bench/helpviewer.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace titrage;

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
    void SetUp() override { ASSERT_TRUE(help.load(QStringLiteral(TITRAGE_DATA_DIR "/Lomb.html"))); }
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
