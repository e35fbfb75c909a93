#include "exercises/richtextdocument.h"

#include "exercises/core/exercisetext.h"

#include "../config/tempfolder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::testing;

namespace {

// A document typed and formatted in the text area, written as RTF and read
// back, holds the same paragraphs, runs and formats.
TEST(RichTextDocumentTest, DocumentSurvivesTheFile)
{
    QTextEdit edit;
    QTextCursor cursor(edit.document());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontPointSize(18);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(0, 0, 200));
    cursor.insertText(QStringLiteral("Titrage de l'acide éthanoïque"), title);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(QStringLiteral("σ = 2,5 mS · m"), QTextCharFormat());
    QTextCharFormat exponent;
    exponent.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(QStringLiteral("-1"), exponent);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontUnderline(true);
    cursor.insertText(QStringLiteral("\t{réponse}\\"), italic);
    cursor.insertBlock();

    const RtfText before = documentText(*edit.document());
    TempFolder folder;
    const QString path = QString::fromStdString(folder.file("texte.RTF"));
    ASSERT_TRUE(saveRichText(edit, path));

    QTextEdit other;
    ASSERT_TRUE(loadRichText(other, path));
    EXPECT_EQ(other.toPlainText(), edit.toPlainText());
    EXPECT_EQ(documentText(*other.document()), before);
    ASSERT_EQ(before.paragraphs.size(), 3u);
    EXPECT_EQ(before.paragraphs[0].align, RtfAlign::Center);
    EXPECT_EQ(before.paragraphs[0].runs.at(0).format.halfPoints, 36);
    EXPECT_EQ(before.paragraphs[0].runs.at(0).format.color, 0x0000C8u);
    EXPECT_EQ(before.paragraphs[1].runs.at(1).format.vertical, RtfVertical::Super);
}

TEST(RichTextDocumentTest, UnreadableFileLeavesTheAreaAlone)
{
    TempFolder folder;
    writeBytes(folder.file("faux.RTF"), "Ceci n'est pas du RTF");
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("énoncé"));
    for (const std::string& name :
         {std::string("faux.RTF"), std::string("absent.RTF"), std::string()}) {
        EXPECT_FALSE(loadRichText(edit, QString::fromStdString(folder.file(name))));
        EXPECT_EQ(edit.toPlainText(), QStringLiteral("énoncé"));
    }
    EXPECT_FALSE(saveRichText(edit, QString::fromStdString(folder.file("absent/texte.RTF"))));
}

// What a word processor wrote shows as a real table, its pictures and its
// indents, and is saved back with them. TITRAGE_SCREENSHOTS names a folder
// that receives what the text area shows, before and after the round trip.
TEST(RichTextDocumentTest, WordProcessorFileShowsAndSurvives)
{
    const QString source =
        QStringLiteral(TITRAGE_SOURCE_DIR "/tests/exercises/wordprocessor/libreoffice.rtf");
    QTextEdit edit;
    edit.resize(520, 420);
    ASSERT_TRUE(loadRichText(edit, source));

    auto inspect = [](QTextEdit& e) {
        QTextDocument& doc = *e.document();
        QTextTable* table = nullptr;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if (auto* t = qobject_cast<QTextTable*>(f)) table = t;
        ASSERT_TRUE(table);
        EXPECT_EQ(table->rows(), 3);
        EXPECT_EQ(table->columns(), 2);
        const QTextTableCell cell = table->cellAt(1, 1);
        EXPECT_EQ(QTextCursor(cell.firstCursorPosition()).block().text(), QStringLiteral("34,97"));

        int pictures = 0;
        bool indented = false;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            indented |= b.blockFormat().leftMargin() > 50 && b.blockFormat().textIndent() < -15;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat()) continue;
                ++pictures;
                const QImage image =
                    doc.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                        .value<QImage>();
                EXPECT_FALSE(image.isNull());
                EXPECT_NEAR(f.toImageFormat().width(), pictures == 1 ? 1439 / 15.0 : 80.0, 0.1);
            }
        }
        EXPECT_EQ(pictures, 2);
        EXPECT_TRUE(indented);
        EXPECT_TRUE(
            doc.toPlainText().contains(QStringLiteral("σ et conductivité molaire ionique λ")));
    };
    inspect(edit);

    TempFolder folder;
    const QString saved = QString::fromStdString(folder.file("retour.RTF"));
    ASSERT_TRUE(saveRichText(edit, saved));
    QTextEdit back;
    back.resize(520, 420);
    ASSERT_TRUE(loadRichText(back, saved));
    inspect(back);
    EXPECT_EQ(writeRtf(documentText(*back.document())), writeRtf(documentText(*edit.document())));

    if (const QByteArray dir = qgetenv("TITRAGE_SCREENSHOTS"); !dir.isEmpty()) {
        edit.show();
        back.show();
        edit.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/rtf-read.png"));
        back.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/rtf-saved-and-read.png"));
        QFile::copy(saved, QString::fromLocal8Bit(dir) + QStringLiteral("/rtf-saved.rtf"));
    }
}

// A PNG of one colour, one bit a pixel: a few KB on disk whatever its size.
RtfPicture png(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {RtfPictureKind::Png, bytes.toStdString(), 0, 0};
}

// Pictures are refused on their headers, before any is decoded: too many,
// one too large, or too many pixels in all, in a table cell as in the text.
TEST(RichTextDocumentTest, PicturesWithinTheirLimits)
{
    const RtfPicture largest = png(4096, 4096);
    const RtfPicture tooWide = png(4097, 4096);
    const RtfPicture dot = png(1, 1);
    const RtfPicture damaged{RtfPictureKind::Png, "pas une image", 0, 0};
    auto text = [](std::vector<std::pair<RtfPicture, std::size_t>> pictures, bool inCell) {
        RtfText t;
        RtfParagraph p;
        for (const auto& [picture, count] : pictures)
            for (std::size_t i = 0; i < count; ++i)
                appendPicture(p, picture);
        if (inCell) {
            RtfTableRow row;
            row.cells.push_back({{p}});
            t.tables.push_back({{row}});
            p = RtfParagraph{};
            p.table = 0;
            t.paragraphs.push_back(p);
            p = RtfParagraph{};
        }
        t.paragraphs.push_back(p);
        return t;
    };
    const struct {
        const char* what;
        RtfText text;
        bool fits;
    } cases[] = {
        {"the largest picture", text({{largest, 1}}, false), true},
        {"one column more", text({{tooWide, 1}}, false), false},
        {"one column more, in a cell", text({{tooWide, 1}}, true), false},
        {"the most pixels in all", text({{largest, 2}}, false), true},
        {"one pixel more in all", text({{largest, 2}, {dot, 1}}, true), false},
        {"the most pictures", text({{dot, kMaxPictures}}, false), true},
        {"one picture more", text({{dot, kMaxPictures}, {damaged, 1}}, false), false},
        {"a header that tells no size", text({{damaged, 3}}, false), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(picturesFitTextArea(c.text), c.fits) << c.what;

    // Given one anyway, the document keeps its place but does not decode it.
    QTextDocument document;
    fillDocument(document, text({{tooWide, 1}, {dot, 1}}, false));
    std::vector<bool> decoded;
    for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
        const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
        decoded.push_back(!document.resource(QTextDocument::ImageResource, QUrl(f.name()))
                               .value<QImage>()
                               .isNull());
    }
    EXPECT_EQ(decoded, (std::vector<bool>{false, true}));
}

} // namespace
