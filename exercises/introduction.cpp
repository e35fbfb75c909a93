#include "exercises/introduction.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <array>

namespace titrage {

namespace {

using S = IntroStyle;

constexpr std::array<IntroSegment, 24> kSegments{{
    {QT_TRANSLATE_NOOP("Introduction", "Titrage conductimétrique\n"), S::Title},
    {QT_TRANSLATE_NOOP("Introduction", "\nCe "), S::Plain},
    {QT_TRANSLATE_NOOP(
         "Introduction",
         "simulateur permet de déterminer la conductivité de solutions aqueuses et de "),
     S::Plain},
    {QT_TRANSLATE_NOOP("Introduction", "réaliser un titrage conductimétrique "), S::Emphasis},
    {QT_TRANSLATE_NOOP("Introduction", "à une température de"), S::Plain},
    {" 25 °C", S::BlueBold},
    {QT_TRANSLATE_NOOP("Introduction", ".\n\nPour simuler un titrage :\n"), S::Plain},
    {QT_TRANSLATE_NOOP(
         "Introduction",
         "- définir les deux solutions aqueuses (bécher et burette),\n"
         "- effectuer le titrage en tournant le robinet de la burette (directement sur "
         "l'illustration).\n\n"),
     S::Emphasis},
    {QT_TRANSLATE_NOOP(
         "Introduction",
         "Le graphe et le tableau indiquent l'évolution de la conductivité dans le mélange "),
     S::Plain},
    {QT_TRANSLATE_NOOP("Introduction", "au cours du titrage. \n\n"), S::Emphasis},
    {QT_TRANSLATE_NOOP(
         "Introduction",
         "Les concentrations des solutions en soluté apporté doivent être comprises entre 0,01 "
         "mol · L"),
     S::Plain},
    {"-1", S::Exponent},
    {QT_TRANSLATE_NOOP("Introduction", " et\n10"), S::Plain},
    {"-8", S::Exponent},
    {" mol · L", S::Plain},
    {"-1", S::Exponent},
    {QT_TRANSLATE_NOOP(
         "Introduction",
         ".\n\nLes images obtenues peuvent être imprimées ou placées dans le presse-papiers "
         "(bouton Copier) pour les coller dans une autre application.\n\n"),
     S::Plain},
    {QT_TRANSLATE_NOOP("Introduction", "Vous pouvez obtenir l'énoncé d'un exercice "), S::Plain},
    {QT_TRANSLATE_NOOP("Introduction", "dans cette fenêtre en appuyant sur l'onglet "), S::Plain},
    {QT_TRANSLATE_NOOP("Introduction", "Exercices"), S::Blue},
    {".\n\n", S::Plain},
    {QT_TRANSLATE_NOOP("Introduction",
                       "Pour vous familiariser avec ce simulateur, choisissez d'abord l'activité "),
     S::Plain},
    {QT_TRANSLATE_NOOP("Introduction", "Prise en main "), S::Blue},
    {QT_TRANSLATE_NOOP("Introduction", "dans le menu Exercices."), S::Plain},
}};

const QColor kBlue(0, 0, 200);

constexpr double kExponentPoints = 8;
constexpr double kExponentRiseTwips = 50;

// The rise of an exponent as the text layout takes it: a percentage of the
// run's ascent plus descent.
double exponentRisePercent(const QFont& font)
{
    static const QImage device(1, 1, QImage::Format_RGB32); // 96 dots per inch
    QFont f = font;
    f.setPointSizeF(kExponentPoints);
    const QFontMetricsF fm(f, &device);
    const double heightPoints = (fm.ascent() + fm.descent()) * 72.0 / 96.0;
    return heightPoints > 0 ? (kExponentRiseTwips / 20.0) / heightPoints * 100.0 : 0.0;
}

struct Style {
    QTextCharFormat chars;
    Qt::Alignment alignment = Qt::AlignLeft;
};

Style styleOf(IntroStyle code, const QFont& boxFont)
{
    Style s;
    s.chars.setFont(boxFont);
    s.chars.setForeground(Qt::black);
    switch (code) {
    case S::Plain:
        break;
    case S::Blue:
    case S::Emphasis:
        s.chars.setForeground(kBlue);
        break;
    case S::BlueBold:
        s.chars.setForeground(kBlue);
        s.chars.setFontWeight(QFont::Bold);
        break;
    case S::Exponent:
        s.chars.setFontPointSize(kExponentPoints);
        s.chars.setBaselineOffset(exponentRisePercent(boxFont));
        break;
    case S::Title:
        s.chars.setFontFamilies({QStringLiteral("Arial")});
        s.chars.setFontPointSize(18);
        s.chars.setForeground(kBlue);
        s.alignment = Qt::AlignHCenter;
        break;
    }
    return s;
}

void setAlignment(QTextCursor& cursor, Qt::Alignment alignment)
{
    QTextBlockFormat block = cursor.blockFormat();
    block.setAlignment(alignment);
    cursor.setBlockFormat(block);
}

} // namespace

std::span<const IntroSegment> introductionSegments()
{
    return kSegments;
}

void paintIntroduction(QTextEdit& supertext)
{
    supertext.clear();
    const QFont boxFont = supertext.document()->defaultFont();
    QTextCursor cursor(supertext.document());
    cursor.movePosition(QTextCursor::End);
    const Style plain = styleOf(S::Plain, boxFont);

    for (const IntroSegment& segment : kSegments) {
        const Style style = styleOf(segment.style, boxFont);
        // A paragraph style applies to the paragraph the segment starts in and
        // is inherited by those it opens; restoring the plain style afterwards
        // sets the paragraph the next segment starts in back to the left.
        setAlignment(cursor, style.alignment);
        const QStringList paragraphs =
            QCoreApplication::translate("Introduction", segment.text).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0) cursor.insertBlock(cursor.blockFormat(), style.chars);
            if (!paragraphs[i].isEmpty()) cursor.insertText(paragraphs[i], style.chars);
        }
        setAlignment(cursor, plain.alignment);
        cursor.setCharFormat(plain.chars);
    }
    supertext.moveCursor(QTextCursor::Start);
}

} // namespace titrage
