#pragma once
// The help window: the help page with its contents, an index of the words it
// stresses and a search, side by side.

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace titrage {

class HelpViewer : public QDialog {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads the help page; false (and nothing shown) when it cannot be read.
    bool load(const QString& path);

    QTextBrowser* page = nullptr;
    QListWidget* contents = nullptr; // "Sommaire": the page's headings
    QListWidget* index = nullptr;    // "Index": the words in bold, in a French reader's order
    QLineEdit* search = nullptr;     // "Rechercher"
    QListWidget* results = nullptr;  // each occurrence of the searched text; a click shows it

    // The order of the index: accents and case folded ("goutte" before
    // "Graphe", "écran" beside "ecran"); duplicates removed.
    static QString sortKey(const QString& word);
    static void sortForReaders(QStringList& words);

private:
    void showMatches(const QString& text);
    void goTo(const QString& text);
    // Selects `text` at `position` of the page and scrolls to it.
    void goToMatch(int position, const QString& text);
};

} // namespace titrage
