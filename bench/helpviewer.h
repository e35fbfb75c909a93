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
    QListWidget* index = nullptr;    // "Index": the words in bold, sorted
    QLineEdit* search = nullptr;     // "Rechercher"
    QListWidget* results = nullptr;  // lines of the page holding the searched text

private:
    void showMatches(const QString& text);
    void goTo(const QString& text);
};

} // namespace titrage
