#include "bench/helpviewer.h"

#include "exercises/core/exercisetext.h"
#include "platform/messages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QStringList>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace titrage {

namespace {

// Whatever a page names (a picture, a style sheet) is read like the page
// itself: a regular file only, never a pipe or a device, of bounded size; a
// picture only when its header keeps the page within the limits of an
// exercise text's pictures (PictureBudget). Other pages are not opened: the
// help is one page. A refusal is an empty value, not an invalid one: on an
// invalid one the document would read the file itself, unchecked.
QVariant boundedResource(int type, const QUrl& name, const QString& folder, PictureBudget& pictures)
{
    const QVariant refused = QByteArray();
    if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource)
        return refused;
    QByteArray bytes;
    if (name.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0) {
        // data:[type][;base64],payload, within the page's own bounded bytes.
        const QByteArray url = name.toEncoded();
        const qsizetype comma = url.indexOf(',');
        if (comma < 0) return refused;
        const QByteArray payload = QByteArray::fromPercentEncoding(url.mid(comma + 1));
        bytes = url.left(comma).endsWith(";base64") ? QByteArray::fromBase64(payload) : payload;
    } else {
        if (!name.isRelative() && !name.isLocalFile()) return refused;
        const QString local = name.isLocalFile() ? name.toLocalFile() : name.path();
        if (local.isEmpty()) return refused;
        const QString path = QDir(folder).absoluteFilePath(local);
        const TextFile file =
            readTextFile(QFile::encodeName(path).toStdString(), kMaxHelpFileBytes);
        if (file.status != TextFileStatus::Ok) return refused;
        bytes = QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
    }
    if (type == QTextDocument::StyleSheetResource) return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid()) return refused;
    const std::int64_t count = static_cast<std::int64_t>(size.width()) * size.height();
    if (!pictures.take(count)) return refused;
    const QImage image = reader.read();
    if (image.isNull()) return refused;
    return image;
}

class HelpPage : public QTextBrowser {
public:
    void setFolder(const QString& folder)
    {
        m_folder = folder;
        m_pictures = PictureBudget();
    }

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        return boundedResource(type, name, m_folder, m_pictures);
    }

private:
    QString m_folder;
    PictureBudget m_pictures;
};

// The page parsed on its own, never laid out, to count what it would give
// the layout; what it names is not read.
class ParsedPage : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// Whether no element of the page opens inside more than kMaxHelpNesting
// others, read as Qt's reader nests them: the elements it closes by itself
// (a paragraph, a list item, a table's row or cell) and those without content
// do not nest; a closing tag closes what was opened since its element, and is
// ignored when that element is not open. A tag ends at its first ">", so that
// a quote never left open cannot hide the tags after it.
bool nestsWithin(const QString& html, int maxDepth)
{
    static const QStringList flat{
        QStringLiteral("p"),      QStringLiteral("li"),    QStringLiteral("dt"),
        QStringLiteral("dd"),     QStringLiteral("tr"),    QStringLiteral("td"),
        QStringLiteral("th"),     QStringLiteral("br"),    QStringLiteral("hr"),
        QStringLiteral("img"),    QStringLiteral("meta"),  QStringLiteral("link"),
        QStringLiteral("input"),  QStringLiteral("col"),   QStringLiteral("area"),
        QStringLiteral("base"),   QStringLiteral("wbr"),   QStringLiteral("param"),
        QStringLiteral("source"), QStringLiteral("embed"), QStringLiteral("track")};
    std::vector<QString> open;
    const qsizetype n = html.size();
    for (qsizetype i = html.indexOf(QLatin1Char('<')); i >= 0 && i < n;
         i = html.indexOf(QLatin1Char('<'), i)) {
        ++i;
        if (QStringView(html).mid(i, 3) == QLatin1String("!--")) {
            i = html.indexOf(QLatin1String("-->"), i + 3); // unclosed: the rest is comment
            continue;
        }
        const bool closing = i < n && html.at(i) == QLatin1Char('/');
        if (closing) ++i;
        const qsizetype start = i;
        while (i < n && html.at(i).isLetterOrNumber())
            ++i;
        if (i == start) continue; // a "<" of the text, <!DOCTYPE>, <?xml ?>
        const QString name = html.mid(start, i - start).toLower();
        const qsizetype end = html.indexOf(QLatin1Char('>'), i);
        const bool empty = end > 0 && html.at(end - 1) == QLatin1Char('/');
        if (closing) {
            for (auto it = open.rbegin(); it != open.rend(); ++it)
                if (*it == name) {
                    open.erase(std::next(it).base(), open.end());
                    break;
                }
        } else if (!empty && !flat.contains(name)) {
            open.push_back(name);
            if (open.size() > static_cast<std::size_t>(maxDepth)) return false;
        }
        if (end < 0) break;
        i = end + 1;
    }
    return true;
}

// Counts the cells of the tables within `frame`; false when tables nest
// deeper than kMaxHelpTableNesting.
bool countTables(const QTextFrame* frame, LayoutBudget& budget, int depth = 0)
{
    for (const QTextFrame* child : frame->childFrames()) {
        int inner = depth;
        if (const auto* table = qobject_cast<const QTextTable*>(child)) {
            if (++inner > kMaxHelpTableNesting) return false;
            budget.cells(static_cast<std::size_t>(table->rows()) *
                         static_cast<std::size_t>(table->columns()));
        }
        if (!budget.fits() || !countTables(child, budget, inner)) return false;
    }
    return true;
}

// The limits of the exercise texts, on every block of the page (those of
// tables too), and tables nested at most kMaxHelpTableNesting deep. A block
// that may not wrap (<pre>, white-space: nowrap) is one word up to its line
// breaks.
bool fitsLayout(const QTextDocument& document)
{
    LayoutBudget budget;
    if (!countTables(document.rootFrame(), budget)) return false;
    for (QTextBlock b = document.begin(); b.isValid() && budget.fits(); b = b.next()) {
        const bool wraps = !b.blockFormat().nonBreakableLines();
        const QString text = b.text();
        for (qsizetype i = 0; i < text.size() && budget.fits(); ++i) {
            const QChar c = text.at(i);
            budget.character(c == QChar::LineSeparator ||
                             (wraps && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))));
        }
        budget.paragraphEnd();
    }
    return budget.fits();
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aide"));
    setWindowTitle(tr("Aide - Titrage conductimétrique"));
    resize(800, 540);

    auto* tabs = new QTabWidget;
    contents = new QListWidget;
    contents->setObjectName(QStringLiteral("sommaire"));
    index = new QListWidget;
    index->setObjectName(QStringLiteral("index"));
    auto* searchPage = new QWidget;
    search = new QLineEdit;
    search->setObjectName(QStringLiteral("rechercher"));
    search->setPlaceholderText(tr("Mot à rechercher"));
    results = new QListWidget;
    results->setObjectName(QStringLiteral("resultats"));
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    searchLayout->addWidget(search);
    searchLayout->addWidget(results);
    tabs->addTab(contents, tr("Sommaire"));
    tabs->addTab(index, tr("Index"));
    tabs->addTab(searchPage, tr("Rechercher"));

    page = new HelpPage;
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

HelpLoad HelpViewer::load(const QString& path)
{
    const TextFile file = readTextFile(QFile::encodeName(path).toStdString(), kMaxHelpFileBytes);
    if (file.status == TextFileStatus::Unreadable) return HelpLoad::Missing;
    if (file.status != TextFileStatus::Ok) return HelpLoad::Invalid;
    const QString html =
        QString::fromUtf8(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
    if (!nestsWithin(html, kMaxHelpNesting)) return HelpLoad::Invalid;
    {
        ParsedPage parsed;
        parsed.setHtml(html);
        if (!fitsLayout(parsed)) return HelpLoad::Invalid;
    }
    static_cast<HelpPage*>(page)->setFolder(QFileInfo(path).absolutePath());
    page->setHtml(html);

    contents->clear();
    // Bounded, so that a page of openings never closed costs no more than a
    // long one: each opening is looked at over a heading's length at most.
    static const QRegularExpression heading(
        QStringLiteral("<h2><a name=\"([^\"]{1,200})\"></a>(.{0,1000}?)</h2>"));
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
    return HelpLoad::Ok;
}

void HelpViewer::warnUnavailable(QWidget* parent, HelpLoad why, const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    const QString text =
        why == HelpLoad::Missing
            ? tr("La page d'aide %1 est introuvable dans le dossier du programme :\n%2")
                  .arg(name, folder)
            : tr("La page d'aide %1 du dossier du programme n'est pas valide :\n%2")
                  .arg(name, folder);
    Messages::inform(parent, tr("Aide"), text + u'\n' + tr("Revoir l'installation du logiciel."),
                     MessageIcon::Critical);
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
