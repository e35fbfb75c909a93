#include "bench/helpviewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <set>

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
    connect(results, &QListWidget::itemClicked, this,
            [this](QListWidgetItem*) { goTo(search->text()); });
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
    std::set<QString> words;
    for (auto it = stressed.globalMatch(html); it.hasNext();)
        words.insert(it.next().captured(1));
    for (const QString& w : words)
        index->addItem(w);
    return true;
}

void HelpViewer::showMatches(const QString& text)
{
    results->clear();
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) return;
    for (QTextBlock b = page->document()->begin(); b.isValid(); b = b.next())
        if (b.text().contains(wanted, Qt::CaseInsensitive)) results->addItem(b.text().left(90));
}

void HelpViewer::goTo(const QString& text)
{
    page->moveCursor(QTextCursor::Start);
    page->find(text);
}

} // namespace titrage
