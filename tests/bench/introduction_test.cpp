#include "exercises/introduction.h"
#include "bench/parametrespage.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace titrage;

namespace {

// Character format of character `at` of the first occurrence of `text`.
QTextCharFormat formatOf(QTextDocument& doc, const QString& text, int at = 0)
{
    const QTextCursor found = doc.find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor c(&doc);
    c.setPosition(found.selectionStart() + at + 1); // the format of the character before
    return c.charFormat();
}

const QColor kBlue(0, 0, 200);

} // namespace

TEST(Introduction, SegmentsMakeTheWholeText)
{
    QTextEdit box;
    paintIntroduction(box);
    QString expected;
    for (const IntroSegment& s : introductionSegments())
        expected += QString::fromUtf8(s.text);
    EXPECT_EQ(introductionSegments().size(), 24u);
    EXPECT_EQ(box.toPlainText(), expected);
    EXPECT_TRUE(
        box.toPlainText().startsWith(QStringLiteral("Titrage conductimétrique\n\nCe simulateur")));
    EXPECT_TRUE(box.toPlainText().endsWith(QStringLiteral("dans le menu Exercices.")));

    // Painting twice does not append a second copy.
    paintIntroduction(box);
    EXPECT_EQ(box.toPlainText(), expected);
}

TEST(Introduction, EachSegmentHasItsStyle)
{
    QTextEdit box;
    paintIntroduction(box);
    QTextDocument& doc = *box.document();

    // Title: Arial 18 pt, blue, centred; the paragraphs after it back to the left.
    const QTextCharFormat title = formatOf(doc, QStringLiteral("Titrage conductimétrique"));
    EXPECT_EQ(title.fontPointSize(), 18);
    EXPECT_TRUE(title.fontFamilies().toStringList().contains(QStringLiteral("Arial")));
    EXPECT_EQ(title.foreground().color(), kBlue);
    EXPECT_EQ(doc.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    for (QTextBlock b = doc.firstBlock().next(); b.isValid(); b = b.next())
        EXPECT_FALSE(b.blockFormat().alignment() & Qt::AlignHCenter) << b.text().toStdString();

    struct Case {
        QString text;
        int at;
        QColor colour;
        bool bold;
    };
    const Case cases[] = {
        {QStringLiteral("simulateur permet"), 0, Qt::black, false},
        {QStringLiteral("réaliser un titrage"), 0, kBlue, false},
        {QStringLiteral("titrage conductimétrique à une"), 26, Qt::black, false},
        {QStringLiteral(" 25 °C"), 3, kBlue, true},
        {QStringLiteral("°C."), 2, Qt::black, false}, // plain restored after a bold segment
        {QStringLiteral("- définir les deux"), 0, kBlue, false},
        {QStringLiteral("au cours du titrage."), 0, kBlue, false},
        {QStringLiteral("l'onglet Exercices."), 9, kBlue, false},
        {QStringLiteral("l'onglet Exercices."), 18, Qt::black, false},
        {QStringLiteral("Prise en main"), 0, kBlue, false},
        {QStringLiteral("dans le menu"), 0, Qt::black, false},
    };
    for (const Case& c : cases) {
        const QTextCharFormat f = formatOf(doc, c.text, c.at);
        const std::string where = c.text.toStdString() + " @" + std::to_string(c.at);
        EXPECT_EQ(f.foreground().color(), c.colour) << where;
        EXPECT_EQ(f.fontWeight() >= QFont::Bold, c.bold) << where;
        EXPECT_NE(f.fontPointSize(), 18) << where;
    }
}

TEST(Introduction, ExponentsAreRaisedAndSmaller)
{
    QTextEdit box;
    paintIntroduction(box);
    QTextDocument& doc = *box.document();
    // "10" then "-8", and the two "-1" of mol · L-1.
    int exponents = 0;
    for (QTextBlock b = doc.firstBlock(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const bool raised = f.charFormat().baselineOffset() > 0;
            if (f.text() == QStringLiteral("-1") || f.text() == QStringLiteral("-8")) {
                ++exponents;
                EXPECT_TRUE(raised);
                EXPECT_EQ(f.charFormat().fontPointSize(), 8);
                EXPECT_EQ(f.charFormat().foreground().color(), QColor(Qt::black));
            } else {
                EXPECT_FALSE(raised) << f.text().toStdString();
            }
        }
    }
    EXPECT_EQ(exponents, 3);
}

TEST(ParametresPage, ControlsAndTheMeasuringStep)
{
    ParametresPage page;
    page.resize(516, 292);
    EXPECT_EQ(page.objectName(), QStringLiteral("Picture3"));
    EXPECT_EQ(page.optscema[0]->objectName(), QStringLiteral("optscema(0)"));
    EXPECT_EQ(page.optscema[0]->text(), QStringLiteral("Burette et agitateur magnétique"));
    EXPECT_EQ(page.optscema[1]->text(), QStringLiteral("Conductimètre"));
    EXPECT_EQ(page.Check1->objectName(), QStringLiteral("Check1"));
    EXPECT_EQ(page.Check2->text(), QStringLiteral("Tracer en gras"));
    EXPECT_EQ(page.stepLabel->objectName(), QStringLiteral("Label3"));

    struct Case {
        int set, value;
        QString label;
    };
    const Case cases[] = {
        {5, 5, QStringLiteral("0,5 mL")},
        {10, 10, QStringLiteral("1,0 mL")},
        {1, 1, QStringLiteral("0,1 mL")},
        {0, 1, QStringLiteral("0,1 mL")}, // a zero step would divide by zero
        {11, 10, QStringLiteral("1,0 mL")},
    };
    for (const Case& c : cases) {
        page.UpDown1->setValue(c.set);
        EXPECT_EQ(page.UpDown1->value(), c.value) << c.set;
        EXPECT_EQ(page.stepLabel->text(), c.label) << c.set;
    }

    // The step label follows its text, the spin control follows the label,
    // and everything fits the page area of the main window.
    EXPECT_LT(page.stepLabel->geometry().right(), page.UpDown1->geometry().left());
    for (QWidget* w :
         std::initializer_list<QWidget*>{page.optscema[0], page.optscema[1], page.Check1,
                                         page.Check2, page.masquer, page.stepLabel, page.UpDown1})
        EXPECT_TRUE(page.rect().contains(w->geometry())) << w->objectName().toStdString();
}
