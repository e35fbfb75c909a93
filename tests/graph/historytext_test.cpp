#include "graph/historytext.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace titrage;

namespace {

const QColor kTenth(10, 20, 30);

Situation finished(bool acide, int position, const char* vsol, const char* c, const char* veau,
                   const char* cb)
{
    Situation s;
    s.courbefinie = true;
    s.textesit = {"7,0", cb, "25,0", c, vsol, veau, "0,0"};
    s.listesit[1] = static_cast<std::int16_t>(position);
    s.optsit[1] = acide;
    return s;
}

QString history(const SituationStore& store, QTextEdit& histo)
{
    Model m;
    initcatalogue(m);
    historique(histo, store, m, kTenth);
    return histo.toPlainText();
}

QTextCharFormat formatAt(const QTextDocument& doc, const QString& text)
{
    QTextCursor c = doc.find(text);
    EXPECT_FALSE(c.isNull()) << text.toStdString();
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

} // namespace

struct HistoryCase {
    const char* name;
    Situation situation;
    const char* expected;
};

class HistoryWording : public ::testing::TestWithParam<HistoryCase> {};

TEST_P(HistoryWording, EntryReadsLineByLine)
{
    SituationStore store;
    store.sit[1] = GetParam().situation;
    QTextEdit histo;
    EXPECT_EQ(history(store, histo), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, HistoryWording,
    ::testing::Values(HistoryCase{"WithWater", finished(true, 4, "20,0", "0,01", "10,0", "0,01"),
                                  "\n\nCourbe n°2\n"
                                  "Solution dans le bécher : 20,0 mL acide éthanoïque de\n"
                                  "concentration 0,01 mol · L-1 avec 10,0 mL d'eau.\n"
                                  "Solution dans la burette : hydroxyde de sodium de\n"
                                  "concentration 0,01 mol · L-1.\n\n"},
                      HistoryCase{"NoWater", finished(true, 4, "20,0", "0,01", "0,0", "0,02"),
                                  "\n\nCourbe n°2\n"
                                  "Solution dans le bécher : 20,0 mL acide éthanoïque de\n"
                                  "concentration 0,01 mol · L-1.\n"
                                  "Solution dans la burette : hydroxyde de sodium de\n"
                                  "concentration 0,02 mol · L-1.\n\n"},
                      HistoryCase{"BaseBeaker", finished(false, 1, "10,0", "0,1", "5,5", "0,1"),
                                  "\n\nCourbe n°2\n"
                                  "Solution dans le bécher : 10,0 mL ammoniac de\n"
                                  "concentration 0,1 mol · L-1 avec 5,5 mL d'eau.\n"
                                  "Solution dans la burette : acide chlorhydrique de\n"
                                  "concentration 0,1 mol · L-1.\n\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(History, ListsOnlyFinishedCurvesInSlotOrder)
{
    SituationStore store;
    store.sit[9] = finished(true, 2, "20,0", "0,01", "0,0", "0,01");
    store.sit[0] = finished(false, 8, "20,0", "0,01", "0,0", "0,01");
    QTextEdit histo;
    const QString text = history(store, histo);
    EXPECT_EQ(text.count(QStringLiteral("Courbe n°")), 2);
    EXPECT_GT(text.indexOf(QStringLiteral("Courbe n°10\n")),
              text.indexOf(QStringLiteral("Courbe n°1\n")));
    EXPECT_EQ(history(SituationStore{}, histo).count(QStringLiteral("Courbe")), 0); // from empty
}

TEST(History, TitleColourBoldSizesIndentsAndExponent)
{
    SituationStore store;
    store.sit[1] = finished(true, 4, "20,0", "0,01", "10,0", "0,01");
    store.sit[9] = finished(true, 4, "20,0", "0,01", "0,0", "0,01");
    QTextEdit histo;
    history(store, histo);
    const QTextDocument& doc = *histo.document();

    const QTextCharFormat title = formatAt(doc, QStringLiteral("Courbe n°2"));
    EXPECT_EQ(title.foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.fontPointSize(), 8);
    EXPECT_EQ(formatAt(doc, QStringLiteral("Courbe n°10")).foreground().color(), kTenth);

    const QTextCharFormat label = formatAt(doc, QStringLiteral("Solution dans le bécher"));
    EXPECT_EQ(label.fontWeight(), QFont::Bold);
    EXPECT_EQ(label.foreground().color(), QColor(Qt::black));
    EXPECT_EQ(formatAt(doc, QStringLiteral("mL acide")).fontWeight(), QFont::Normal);
    EXPECT_EQ(formatAt(doc, QStringLiteral("-1")).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);
    EXPECT_NE(formatAt(doc, QStringLiteral(" avec")).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);

    EXPECT_EQ(doc.find(QStringLiteral("Courbe n°2")).block().blockFormat().leftMargin(), 30);
    EXPECT_EQ(
        doc.find(QStringLiteral("Solution dans la burette")).block().blockFormat().leftMargin(),
        45);
    EXPECT_EQ(doc.firstBlock().charFormat().fontPointSize(), 10);
}
