#include "bench/helpviewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QStringList>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace titrage {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aide"));
    setWindowTitle(QStringLiteral("Aide - Titrage conductimétrique"));
    resize(800, 540);

    auto* tabs = new QTabWidget;
    contents = new QListWidget;
    contents->setObjectName(QStringLiteral("sommaire"));
    index = new QListWidget;
    index->setObjectName(QStringLiteral("index"));
    auto* searchPage = new QWidget;
    search = new QLineEdit;
    search->setObjectName(QStringLiteral("rechercher"));
    search->setPlaceholderText(QStringLiteral("Mot à rechercher"));
    results = new QListWidget;
    results->setObjectName(QStringLiteral("resultats"));
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    searchLayout->addWidget(search);
    searchLayout->addWidget(results);
    tabs->addTab(contents, QStringLiteral("Sommaire"));
    tabs->addTab(index, QStringLiteral("Index"));
    tabs->addTab(searchPage, QStringLiteral("Rechercher"));

    page = new QTextBrowser;
    page->setObjectName(QStringLiteral("page"));
    auto* splitter = new QSplitter;
    splitter->addWidget(tabs);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 500});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(contents, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        page->scrollToAnchor(item->data(Qt::UserRole).toString());
    });
    connect(contents, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        page->scrollToAnchor(item->data(Qt::UserRole).toString());
    });
    connect(index, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { goTo(item->text()); });
    connect(search, &QLineEdit::textChanged, this, [this](const QString& t) { showMatches(t); });
    auto openResult = [this](QListWidgetItem* item) {
        goToMatch(item->data(Qt::UserRole).toInt(), search->text().trimmed());
    };
    connect(results, &QListWidget::itemClicked, this, openResult);
    connect(results, &QListWidget::itemActivated, this, openResult);
    connect(index, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { goTo(item->text()); });
}

QString HelpViewer::sortKey(const QString& word)
{
    // Accents and case fold away: "écran" sorts with "ecran", "Robinet" with
    // "robinet"; apostrophes and hyphens are not letters.
    const QString decomposed = word.normalized(QString::NormalizationForm_KD);
    QString key;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c == QLatin1Char('\'') || c == QChar(0x2019) || c == QLatin1Char('-')) continue;
        key += c.toCaseFolded();
    }
    return key.trimmed();
}

void HelpViewer::sortForReaders(QStringList& words)
{
    std::sort(words.begin(), words.end(), [](const QString& a, const QString& b) {
        const int byKey = QString::compare(sortKey(a), sortKey(b));
        if (byKey != 0) return byKey < 0;
        // The same letters: without accent first, then lower case first.
        const QString fa = a.toCaseFolded();
        const QString fb = b.toCaseFolded();
        if (fa != fb) return fa < fb;
        return a > b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
}

bool HelpViewer::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QString html = QString::fromUtf8(file.readAll());
    page->setHtml(html);

    contents->clear();
    static const QRegularExpression heading(
        QStringLiteral("<h2><a name=\"([^\"]+)\"></a>(.*?)</h2>"));
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        auto* item = new QListWidgetItem(m.captured(2), contents);
        item->setData(Qt::UserRole, m.captured(1));
    }

    index->clear();
    static const QRegularExpression stressed(QStringLiteral("<b>([^<]+)</b>"));
    QStringList words;
    for (auto it = stressed.globalMatch(html); it.hasNext();) {
        QTextDocument plain;
        plain.setHtml(it.next().captured(1)); // entities such as &amp; read as text
        words.append(plain.toPlainText().simplified());
    }
    sortForReaders(words);
    index->addItems(words);
    return true;
}

void HelpViewer::showMatches(const QString& text)
{
    results->clear();
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) return;
    // One result per occurrence, each remembering where it stands.
    for (QTextBlock b = page->document()->begin(); b.isValid(); b = b.next()) {
        const QString line = b.text();
        for (qsizetype at = line.indexOf(wanted, 0, Qt::CaseInsensitive); at >= 0;
             at = line.indexOf(wanted, at + wanted.size(), Qt::CaseInsensitive)) {
            const qsizetype from = std::max<qsizetype>(0, at - 30);
            QString shown = line.mid(from, 90);
            if (from > 0) shown.prepend(QStringLiteral("…"));
            auto* item = new QListWidgetItem(shown, results);
            item->setData(Qt::UserRole, static_cast<int>(b.position() + at));
        }
    }
}

void HelpViewer::goTo(const QString& text)
{
    page->moveCursor(QTextCursor::Start);
    page->find(text);
}

void HelpViewer::goToMatch(int position, const QString& text)
{
    QTextCursor cursor(page->document());
    cursor.setPosition(position);
    cursor.setPosition(position + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
    page->setTextCursor(cursor);
    page->ensureCursorVisible();
}

} // namespace titrage
