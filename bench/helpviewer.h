#pragma once
// The help window: the help page with its contents, an index of the words it
// stresses and a search, side by side. The page is read like the exercise
// texts (exercises/core/exercisetext.h): from a regular file only, of bounded size,
// and shown only when the text area can lay it out quickly.

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace titrage {

// The help page shipped is some 20 KB; 256 KiB leave room for a page twelve
// times as long, while Qt's HTML reader, which costs about 2 s a MiB on markup
// alone, reads the largest in half a second.
inline constexpr qint64 kMaxHelpFileBytes = 256 * 1024;
// Elements open inside one another at most. Qt's HTML reader costs grow with
// the square of the nesting (128 KB of <b> never closed take 24 s), while
// written pages nest a handful deep.
inline constexpr int kMaxHelpNesting = 64;
// Tables inside one another at most: each level lays out the one inside it
// several times over (20 levels take 24 s, 16 levels 1 s).
inline constexpr int kMaxHelpTableNesting = 4;

enum class HelpLoad {
    Ok,
    Missing, // absent, not a regular file, or a read error
    Invalid, // too large, nested too deep, or too long to lay out quickly
};

class HelpViewer : public QDialog {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads the help page; anything but Ok leaves the viewer as it was.
    HelpLoad load(const QString& path);
    // Tells, under the title "Aide", why the help page at `path` is not shown.
    static void warnUnavailable(QWidget* parent, HelpLoad why, const QString& path);

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
