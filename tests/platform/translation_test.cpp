// The texts go through Qt's translation system: the build lists them in
// titrage_en.ts, and a translation installed under the contexts listed there
// reaches the windows, the core's marked texts included.
#include "bench/feuillep.h"
#include "bench/tabstrip.h"
#include "calculator/machine.h"
#include "model/model.h"
#include "platform/coretext.h"
#include "printing/core/historylines.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace titrage;

void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Catalogue = std::map<QString, std::set<QString>>; // context -> source texts

struct TsFile {
    QString sourceLanguage;
    Catalogue texts;
};

TsFile readTs(const QString& path)
{
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ts;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"TS") {
            ts.sourceLanguage = xml.attributes().value(QLatin1String("sourcelanguage")).toString();
        } else if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            ts.texts[context].insert(xml.readElementText());
        }
    }
    return ts;
}

const TsFile& generated()
{
    static const TsFile ts = readTs(QStringLiteral(TITRAGE_TS_FILE));
    return ts;
}

// Answers every text the .ts lists, under its context only, with the text
// between brackets: a text asked for under another context than lupdate
// saw, or not marked at all, stays French.
class ListedTextTranslator : public QTranslator {
public:
    explicit ListedTextTranslator(const Catalogue& texts) : m_texts(texts) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* = nullptr,
                      int = -1) const override
    {
        const auto found = m_texts.find(QString::fromUtf8(context));
        if (found == m_texts.end() || !found->second.count(QString::fromUtf8(source))) return {};
        return u'[' + QString::fromUtf8(source) + u']';
    }

private:
    const Catalogue& m_texts;
};

class Translated : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(generated().texts.empty()) << TITRAGE_TS_FILE;
        QCoreApplication::installTranslator(&m_translator);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&m_translator); }

    static QString marked(const char* french) { return u'[' + QString::fromUtf8(french) + u']'; }

    ListedTextTranslator m_translator{generated().texts};
};

} // namespace

TEST(TranslationSource, BuildListsWindowAndCoreTextsUnderTheirContexts)
{
    const TsFile& ts = generated();
    EXPECT_EQ(ts.sourceLanguage, QStringLiteral("fr_FR"));
    const struct {
        const char* context;
        const char* source;
    } cases[] = {
        {"titrage::ouvrir", "Ouvrir une configuration"},          // tr() in a window class
        {"titrage::Machine", "Produit ionique de l'eau à 25 °C"}, // QT_TR_NOOP table
        {"AccessibleNames", "Robinet de la burette"},             // QT_TRANSLATE_NOOP table
        {"TextArea", "Le fichier %1 est trop long pour être affiché.\nUn texte compte au plus "
                     "200 000 caractères, sans mot de plus de 2 000 caractères, et ses tableaux au "
                     "plus 2 000 cases."},                // a text with its argument
        {"MachineState", "Calcul impossible"},            // core, a header constant
        {"Catalogue", "acide éthanoïque"},                // core, a table
        {"HistoryLines", "Courbe n°%1"},                  // core, assembled words
        {"titrage::BuretteControls", "Trace rapide"},     // a view of the bench
        {"titrage::GraphTool", "Méthode des\ntangentes"}, // a graph tool
        {"titrage::feuilleP", "Quitter vraiment Titrage conductimétrique ?"}, // the bench
        {"LineFit", "Méthode des droites"}, // core, a message title
    };
    for (const auto& c : cases) {
        const auto found = ts.texts.find(QString::fromUtf8(c.context));
        ASSERT_NE(found, ts.texts.end()) << c.context;
        EXPECT_TRUE(found->second.count(QString::fromUtf8(c.source)))
            << c.context << ": " << c.source;
    }
}

TEST_F(Translated, CalculatorShowsItsTextsAndTheCoreMessagesTranslated)
{
    Machine m;
    EXPECT_EQ(m.windowTitle(), marked("Machine à calculer"));
    auto* angles = m.findChild<QGroupBox*>(QStringLiteral("Frame1"));
    ASSERT_NE(angles, nullptr);
    EXPECT_EQ(angles->title(), marked("Angles"));
    auto* degrees = m.findChild<QRadioButton*>(QStringLiteral("angle(0)"));
    ASSERT_NE(degrees, nullptr);
    EXPECT_EQ(degrees->text(), marked("Degrés"));
    auto* ke = m.findChild<QAbstractButton*>(QStringLiteral("constante(0)"));
    ASSERT_NE(ke, nullptr);
    EXPECT_EQ(ke->toolTip(), marked("Produit ionique de l'eau à 25 °C"));

    // "1 / (" then EXE: the core's message, shown translated.
    Machine::setBeepHook([] {});
    for (const char* key : {"B1", "div", "Bpo", "EXE"})
        m.findChild<QAbstractButton*>(QString::fromLatin1(key))->click();
    Machine::setBeepHook(nullptr);
    auto* display = m.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->toPlainText(), marked(kRevoirParentheses));
}

TEST_F(Translated, PagesAndPrintedHistoryFollowTheTranslation)
{
    EXPECT_EQ(TabStrip::titles().value(0), marked("Dans le bécher"));

    Model catalogue;
    initcatalogue(catalogue);
    SituationStore store;
    Situation& s = store.sit[1];
    s.courbefinie = true;
    s.optsit[1] = true; // an acid in the beaker
    s.listesit[1] = 3;
    s.textesit[1] = "0,1";
    s.textesit[3] = "0,01";
    s.textesit[4] = "20";
    s.textesit[5] = "0";
    const auto entries = historyEntries(store, catalogue, translateCoreText);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].title, "[Courbe n°2]");
    EXPECT_EQ(entries[0].beaker.body,
              "[20 mL [" + soluteName(catalogue, s) + "] de concentration 0,01 mol · L]");
    EXPECT_EQ(entries[0].burette.body, "[hydroxyde de sodium de concentration 0,1 mol · L]");
}

TEST_F(Translated, BenchShowsItsViewsTextsTranslated)
{
    QTemporaryDir folder;
    feuilleP bench(folder.path());
    auto text = [&](const char* name) {
        auto* b = bench.findChild<QAbstractButton*>(QString::fromLatin1(name));
        return b ? b->text() : QString();
    };
    EXPECT_EQ(text("Command13"), marked("Trace rapide"));
    EXPECT_EQ(text("image4"), marked("Méthode des\ntangentes"));
    EXPECT_EQ(text("Command1"), marked("&Fermer"));
    EXPECT_EQ(text("Option2(0)"), QStringLiteral("[Situation n° 1]"));
    EXPECT_EQ(bench.lbecher->itemText(0), marked("acide acétylsalicylique"));
}

TEST(Untranslated, TextsStayFrenchWithoutATranslation)
{
    EXPECT_EQ(TabStrip::titles().value(0), QStringLiteral("Dans le bécher"));
    EXPECT_EQ(coreText("MachineState", kCalculImpossible), QStringLiteral("Calcul impossible"));
    Machine m;
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Machine à calculer"));
}
