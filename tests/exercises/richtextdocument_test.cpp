#include "exercises/richtextdocument.h"

#include "../config/tempfolder.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

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

} // namespace
