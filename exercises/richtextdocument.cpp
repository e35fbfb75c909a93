#include "exercises/richtextdocument.h"

#include "exercises/core/exercisetext.h"
#include "exercises/textarea.h"
#include "platform/terminationsignals.h"

#include <QBrush>
#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace titrage {

namespace {

Qt::Alignment qtAlignment(RtfAlign align)
{
    switch (align) {
    case RtfAlign::Center:
        return Qt::AlignHCenter;
    case RtfAlign::Right:
        return Qt::AlignRight;
    case RtfAlign::Justify:
        return Qt::AlignJustify;
    case RtfAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

RtfAlign rtfAlignment(Qt::Alignment align)
{
    if (align & Qt::AlignHCenter) return RtfAlign::Center;
    if (align & Qt::AlignRight) return RtfAlign::Right;
    if (align & Qt::AlignJustify) return RtfAlign::Justify;
    return RtfAlign::Left;
}

QTextCharFormat qtFormat(const RtfCharFormat& f)
{
    QTextCharFormat format;
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    if (f.halfPoints > 0) format.setFontPointSize(f.halfPoints / 2.0);
    if (f.color) format.setForeground(QColor::fromRgb(static_cast<QRgb>(*f.color)));
    switch (f.vertical) {
    case RtfVertical::Super:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case RtfVertical::Sub:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case RtfVertical::Normal:
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        break;
    }
    return format;
}

RtfCharFormat rtfFormat(const QTextCharFormat& format)
{
    RtfCharFormat f;
    f.bold = format.fontWeight() >= QFont::DemiBold;
    f.italic = format.fontItalic();
    f.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        const double halves = std::round(format.fontPointSize() * 2.0);
        if (halves > 0 && halves <= 3276) f.halfPoints = static_cast<int>(halves);
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush)
        f.color = format.foreground().color().rgb() & 0xFFFFFFu;
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        f.vertical = RtfVertical::Super;
        break;
    case QTextCharFormat::AlignSubScript:
        f.vertical = RtfVertical::Sub;
        break;
    default:
        break;
    }
    return f;
}

// Twips to the document's pixels (1/96 inch) and back.
constexpr double kTwipsPerPixel = 15.0;

// An inserted picture keeps the file's bytes and kind, so that saving writes
// back what was read.
constexpr int kPictureBytes = QTextFormat::UserProperty + 1;
constexpr int kPictureKind = QTextFormat::UserProperty + 2;

QTextBlockFormat blockFormat(const RtfParagraph& p)
{
    QTextBlockFormat block;
    block.setAlignment(qtAlignment(p.align));
    if (p.leftIndent != 0) block.setLeftMargin(p.leftIndent / kTwipsPerPixel);
    if (p.firstIndent != 0) block.setTextIndent(p.firstIndent / kTwipsPerPixel);
    if (p.rightIndent != 0) block.setRightMargin(p.rightIndent / kTwipsPerPixel);
    return block;
}

int twips(double pixels)
{
    const double t = std::round(pixels * kTwipsPerPixel);
    return t > 144000 ? 144000 : t < -144000 ? -144000 : static_cast<int>(t);
}

// The picture's decoder, on its bytes; the header is read only when asked
// for the size, so a picture can be refused before it is decoded.
class PictureReader {
public:
    explicit PictureReader(const RtfPicture& picture)
        : m_bytes(QByteArray::fromRawData(picture.data.data(),
                                          static_cast<qsizetype>(picture.data.size()))),
          m_buffer(&m_bytes),
          m_reader(&m_buffer, picture.kind == RtfPictureKind::Png ? "PNG" : "JPEG")
    {
        m_buffer.open(QIODevice::ReadOnly);
    }

    // The pixels the header announces; nothing when it cannot be read (then
    // the picture cannot be decoded either).
    std::optional<std::int64_t> pixels()
    {
        const QSize size = m_reader.size();
        if (!size.isValid() || size.isEmpty()) return std::nullopt;
        return static_cast<std::int64_t>(size.width()) * size.height();
    }

    QImage read() { return m_reader.read(); }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    QImageReader m_reader;
};

class Filler {
public:
    explicit Filler(QTextDocument& document) : m_document(document), m_cursor(&document) {}

    void fill(const RtfText& text)
    {
        m_cursor.beginEditBlock();
        for (const RtfParagraph& p : text.paragraphs) {
            if (stopped()) break;
            if (p.table >= 0 && static_cast<std::size_t>(p.table) < text.tables.size())
                table(text.tables[static_cast<std::size_t>(p.table)]);
            else
                paragraph(p);
        }
        m_cursor.endEditBlock();
    }

    // A large table in a shown text area takes seconds to fill; a session
    // logging out gives a few before SIGKILL, so a pending termination
    // stops the filling between rows, paragraphs and runs.
    bool stopped() { return m_stopped = m_stopped || terminationRequested(); }

private:
    // The first paragraph goes into the block the cursor stands in (a new
    // document's, a cell's, or the one after a table); the others into new blocks.
    void paragraph(const RtfParagraph& p)
    {
        if (m_fresh)
            m_cursor.setBlockFormat(blockFormat(p));
        else
            m_cursor.insertBlock(blockFormat(p), QTextCharFormat());
        m_fresh = false;
        for (const RtfRun& r : p.runs) {
            if (stopped()) return;
            if (r.picture)
                picture(*r.picture);
            else
                m_cursor.insertText(QString::fromStdString(r.text), qtFormat(r.format));
        }
    }

    void picture(const RtfPicture& picture)
    {
        const QByteArray bytes(picture.data.data(), static_cast<qsizetype>(picture.data.size()));
        QImage image;
        PictureReader reader(picture);
        if (const auto pixels = reader.pixels(); pixels && *pixels <= kMaxPicturePixels)
            image = reader.read();
        const QUrl name(QStringLiteral("rtfpict:%1").arg(++m_pictures));
        m_document.addResource(QTextDocument::ImageResource, name, image);
        QTextImageFormat format;
        format.setName(name.toString());
        if (picture.widthTwips > 0) format.setWidth(picture.widthTwips / kTwipsPerPixel);
        if (picture.heightTwips > 0) format.setHeight(picture.heightTwips / kTwipsPerPixel);
        format.setProperty(kPictureBytes, bytes);
        format.setProperty(kPictureKind, static_cast<int>(picture.kind));
        m_cursor.insertImage(format);
    }

    void table(const RtfTable& table)
    {
        std::size_t columns = 1;
        for (const RtfTableRow& row : table.rows)
            columns = std::max(columns, row.cells.size());
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        // Column widths from the first row's cell edges, when they make sense.
        const std::vector<int>& edges = table.rows.front().cellRight;
        if (edges.size() == columns) {
            QList<QTextLength> widths;
            int left = 0;
            for (int right : edges) {
                if (right - left <= 0) {
                    widths.clear();
                    break;
                }
                widths.append(
                    QTextLength(QTextLength::FixedLength, (right - left) / kTwipsPerPixel));
                left = right;
            }
            if (!widths.isEmpty()) format.setColumnWidthConstraints(widths);
        }
        // At the end of the paragraph before, the table follows it directly.
        QTextTable* t = m_cursor.insertTable(static_cast<int>(table.rows.size()),
                                             static_cast<int>(columns), format);
        for (std::size_t r = 0; r < table.rows.size() && !stopped(); ++r) {
            const RtfTableRow& row = table.rows[r];
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                m_cursor =
                    t->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
                m_fresh = true;
                for (const RtfParagraph& p : row.cells[c].paragraphs)
                    paragraph(p);
            }
        }
        // Text after the table goes into the block Qt keeps after it.
        m_cursor = t->lastCursorPosition();
        m_cursor.movePosition(QTextCursor::NextBlock);
        m_fresh = true;
    }

    QTextDocument& m_document;
    QTextCursor m_cursor;
    bool m_fresh = true;
    int m_pictures = 0;
    bool m_stopped = false;
};

class Reader {
public:
    explicit Reader(const QTextDocument& document) : m_document(document) {}

    RtfText read()
    {
        frame(m_document.rootFrame(), m_text.paragraphs, true);
        if (m_text.paragraphs.empty() || m_text.paragraphs.back().table >= 0)
            m_text.paragraphs.emplace_back();
        return std::move(m_text);
    }

private:
    template <typename Iterator>
    void items(Iterator it, std::vector<RtfParagraph>& out, bool topLevel)
    {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                auto* t = qobject_cast<QTextTable*>(child);
                if (t && topLevel)
                    table(*t, out);
                else
                    frame(child, out, false); // nested tables become their paragraphs
            } else if (it.currentBlock().isValid()) {
                out.push_back(paragraph(it.currentBlock()));
            }
        }
    }

    void frame(QTextFrame* f, std::vector<RtfParagraph>& out, bool topLevel)
    {
        items(f->begin(), out, topLevel);
    }

    void table(const QTextTable& t, std::vector<RtfParagraph>& out)
    {
        RtfTable table;
        std::vector<int> edges;
        const QList<QTextLength> widths = t.format().columnWidthConstraints();
        int right = 0;
        for (int c = 0; c < t.columns(); ++c) {
            const bool fixed = c < widths.size() && widths[c].type() == QTextLength::FixedLength;
            right += fixed ? twips(widths[c].rawValue()) : 9000 / std::max(1, t.columns());
            edges.push_back(right);
        }
        for (int r = 0; r < t.rows(); ++r) {
            RtfTableRow row;
            row.cellRight = edges;
            for (int c = 0; c < t.columns(); ++c) {
                const QTextTableCell cell = t.cellAt(r, c);
                RtfTableCell out;
                if (cell.row() == r && cell.column() == c)
                    items(cell.begin(), out.paragraphs, false);
                if (out.paragraphs.empty()) out.paragraphs.emplace_back();
                row.cells.push_back(std::move(out));
            }
            table.rows.push_back(std::move(row));
        }
        if (table.rows.empty()) return;
        RtfParagraph placeholder;
        placeholder.table = static_cast<int>(m_text.tables.size());
        m_text.tables.push_back(std::move(table));
        out.push_back(std::move(placeholder));
    }

    RtfParagraph paragraph(const QTextBlock& block)
    {
        RtfParagraph p;
        const QTextBlockFormat format = block.blockFormat();
        p.align = rtfAlignment(format.alignment());
        p.leftIndent = twips(format.leftMargin());
        p.firstIndent = twips(format.textIndent());
        p.rightIndent = twips(format.rightMargin());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const QTextCharFormat charFormat = fragment.charFormat();
            if (charFormat.isImageFormat()) {
                // One fragment may hold several copies of the same picture.
                for (int n = 0; n < fragment.length(); ++n)
                    appendPicture(p, picture(charFormat.toImageFormat()));
                continue;
            }
            QString chunk = fragment.text();
            chunk.remove(QChar::ObjectReplacementCharacter);
            appendRun(p, chunk.toStdString(), rtfFormat(charFormat));
        }
        return p;
    }

    // The bytes read with the picture, or the image shown written as PNG.
    RtfPicture picture(const QTextImageFormat& format)
    {
        RtfPicture picture;
        const QByteArray bytes = format.property(kPictureBytes).toByteArray();
        if (!bytes.isEmpty()) {
            picture.data.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            picture.kind =
                format.property(kPictureKind).toInt() == static_cast<int>(RtfPictureKind::Jpeg)
                    ? RtfPictureKind::Jpeg
                    : RtfPictureKind::Png;
        } else {
            const QVariant resource =
                m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
            const QImage image = resource.value<QImage>();
            QByteArray png;
            QBuffer buffer(&png);
            if (!image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"))
                picture.data.assign(png.constData(), static_cast<std::size_t>(png.size()));
        }
        if (format.width() > 0) picture.widthTwips = twips(format.width());
        if (format.height() > 0) picture.heightTwips = twips(format.height());
        return picture;
    }

    const QTextDocument& m_document;
    RtfText m_text;
};

} // namespace

void fillDocument(QTextDocument& document, const RtfText& text)
{
    document.clear();
    Filler filler(document);
    filler.fill(text);
    // Half a text is no text: the program is ending, the area stays empty.
    if (filler.stopped()) document.clear();
}

bool picturesFitTextArea(const RtfText& text)
{
    PictureBudget budget;
    auto fits = [&](const RtfParagraph& p) {
        for (const RtfRun& run : p.runs)
            // Unreadable headers cost nothing: such pictures are not decoded.
            if (run.picture && !budget.take(PictureReader(*run.picture).pixels().value_or(0)))
                return false;
        return true;
    };
    // Walked as fillDocument builds it: a table where a paragraph names it.
    for (const RtfParagraph& p : text.paragraphs) {
        if (p.table < 0 || static_cast<std::size_t>(p.table) >= text.tables.size()) {
            if (!fits(p)) return false;
            continue;
        }
        for (const RtfTableRow& row : text.tables[static_cast<std::size_t>(p.table)].rows)
            for (const RtfTableCell& cell : row.cells)
                for (const RtfParagraph& inCell : cell.paragraphs)
                    if (!fits(inCell)) return false;
    }
    return true;
}

RtfText documentText(const QTextDocument& document)
{
    return Reader(document).read();
}

// Both go through the checked reader and the whole-file save of textarea.h.
bool loadRichText(QTextEdit& edit, const QString& path)
{
    return loadTextArea(edit, path) == TextLoad::Ok;
}

bool saveRichText(const QTextEdit& edit, const QString& path)
{
    return saveTextArea(edit, path);
}

} // namespace titrage
