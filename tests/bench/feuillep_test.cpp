// The bench window driven as a student would: typing into the boxes, holding
// the tap, emptying the burette, switching situations.
#include "bench/entryboxes.h"
#include "bench/helpviewer.h"
#include "bench/parametrespage.h"
#include "config/core/configfile.h"
#include "config/lireconfig.h"
#include "exercises/fichexo.h"
#include "model/measurement.h"
#include "platform/core/numberformat.h"
#include "tests/support/benchdriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

#include <cmath>
#include <tuple>

using namespace titrage;
using titrage::testing::BenchDriver;
using Bench = titrage::testing::BenchTest;

TEST_F(Bench, StartsOnTheDefaultSituation)
{
    EXPECT_EQ(w->objectName(), QStringLiteral("feuilleP"));
    EXPECT_EQ(d.entry(0), QStringLiteral("0,01"));
    EXPECT_EQ(d.entry(4), QStringLiteral("20,0"));
    EXPECT_EQ(d.entry(5), QStringLiteral("0,0"));
    EXPECT_EQ(d.text("Labelbur"), QStringLiteral("0,0 mL"));
    EXPECT_EQ(d.text("lbecher"), QStringLiteral("acide acétylsalicylique"));
    EXPECT_EQ(d.find<QComboBox>("lbecher").count(), 15);
    EXPECT_EQ(d.text("lindic"), QStringLiteral("aucun"));
    EXPECT_EQ(w->store().numsit, 0);
    EXPECT_TRUE(d.find<QRadioButton>("Option2(0)").isChecked());
    EXPECT_FALSE(d.find<QWidget>("outils").isVisible());
    EXPECT_EQ(d.rows(), 1);
    EXPECT_EQ(d.cell(0, 0), QStringLiteral("0,0"));
    EXPECT_FALSE(d.conductimeter().isEmpty());
    EXPECT_EQ(d.markerRecord(21), QByteArray("OUI"));
    EXPECT_TRUE(messages->requests().empty());
    // The controls the rest of the program knows are the ones found by name.
    EXPECT_EQ(&d.box(5), w->Text1[5]);
}

TEST_F(Bench, TypedValuesAreFilteredAndCorrected)
{
    d.typeText(0, QStringLiteral("0.02abc"));
    EXPECT_EQ(d.entry(0), QStringLiteral("0,02")); // full stop becomes a comma, letters dropped
    QTest::keyClick(&d.box(0), Qt::Key_Return);
    EXPECT_EQ(d.entry(0), QStringLiteral("0,01"));
    EXPECT_TRUE(messages->requests().empty()); // concentrations are corrected silently

    d.type(1, QString());
    EXPECT_EQ(d.entry(1), QStringLiteral("0,000 000 01"));

    d.type(4, QStringLiteral("15"));
    EXPECT_EQ(d.entry(4), QStringLiteral("20,0"));
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Volume corrigé"));
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("Le volume minimum pour que la sonde soit immergée est de 20 mL."));

    messages->clear();
    d.type(5, QStringLiteral("30"));
    EXPECT_EQ(d.entry(5), QStringLiteral("25,0"));
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("La contenance de la burette est de 25 mL."));
}

TEST_F(Bench, HoldingTheTapPoursAndMeasuresAtEachStep)
{
    QWidget& tap = d.find<QWidget>("Image3");
    QTest::mousePress(&tap, Qt::LeftButton);
    EXPECT_TRUE(d.timerActive("Timer1"));
    EXPECT_TRUE(d.box(0).isReadOnly()); // the parameters cannot change under the pouring
    for (int i = 0; i < 12; ++i)
        d.tick("Timer1");
    QTest::mouseRelease(&tap, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_FALSE(d.timerActive("Timer1"));
    EXPECT_FALSE(d.box(0).isReadOnly());

    EXPECT_EQ(d.entry(5), QStringLiteral("1,2"));
    EXPECT_EQ(d.text("Labelbur"), QStringLiteral("1,2 mL"));
    // Points at 0, 0.5 and 1.0 mL with the default 0.5 mL step.
    ASSERT_EQ(d.rows(), 3);
    EXPECT_EQ(d.cell(1, 0), QStringLiteral("0,5"));
    EXPECT_EQ(d.cell(2, 0), QStringLiteral("1,0"));

    // The conductimeter shows the measurement at 1.2 mL.
    Model m;
    initcatalogue(m);
    BenchEntries e;
    e.position = 0;
    e.c = e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    e.vverse = 1.2f;
    measure(m, e);
    EXPECT_EQ(d.conductimeter().toStdString(), conductimeterText(m.sigma));

    // The cross at 1.0 mL in situation 1's colour.
    const double s = parseNumber(d.cell(2, 1).toStdString()).value();
    EXPECT_TRUE(
        d.graphHasColourNear(53, std::round(250 - 220 * s / w->maxaxe()), QColor(0, 0, 255)));

    // A click on the tap without any tick still pours 0.1 mL.
    d.clickTap();
    EXPECT_EQ(d.entry(5), QStringLiteral("1,3"));
}

TEST_F(Bench, EmptyingTheBuretteFinishesTheCurve)
{
    d.solute(4); // acide éthanoïque
    d.fastPlot();
    EXPECT_TRUE(w->store().sit[0].courbefinie);
    EXPECT_FALSE(d.find<QWidget>("outils").isHidden());
    EXPECT_EQ(d.text("labout"), QStringLiteral("Courbe n° 1"));
    EXPECT_EQ(d.rows(), 51);
    EXPECT_EQ(d.cell(50, 0), QStringLiteral("25,0"));
    EXPECT_TRUE(d.text("Histo").contains(QStringLiteral("Courbe n°1")));
    EXPECT_TRUE(d.text("Histo").contains(QStringLiteral("acide éthanoïque")));
    // The curve ends at x = 365 in the situation's colour.
    EXPECT_TRUE(d.graphHasColourNear(365, 250 - 220 * w->model().sigma / w->maxaxe(),
                                     QColor(0, 0, 255), 4));

    // The tap at 25 mL asks to restart; "Non" opens the tap and the first tick closes it.
    QWidget& tap = d.find<QWidget>("Image3");
    messages->setAnswer(MessageAnswer::No);
    QTest::mousePress(&tap, Qt::LeftButton);
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Burette vide"));
    EXPECT_EQ(messages->requests()[0].text, QStringLiteral("Voulez-vous recommencer le titrage"));
    EXPECT_EQ(messages->requests()[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(d.timerActive("Timer1"));
    d.tick("Timer1");
    EXPECT_FALSE(d.timerActive("Timer1"));
    QTest::mouseRelease(&tap, Qt::LeftButton, {}, QPoint(-5, -5));

    // "Oui" restarts at 0 mL and forgets the curve; the click still pours its 0,1 mL.
    messages->setAnswer(MessageAnswer::Yes);
    d.clickTap();
    EXPECT_FALSE(w->store().sit[0].courbefinie);
    EXPECT_EQ(d.entry(5), QStringLiteral("0,1"));
    EXPECT_TRUE(d.find<QWidget>("outils").isHidden());
}

TEST_F(Bench, SituationsKeepTheirParametersAndPouredVolume)
{
    d.type(0, QStringLiteral("0,005"));
    d.holdTap(3);
    ASSERT_EQ(d.entry(5), QStringLiteral("0,3"));
    d.situation(1);
    EXPECT_EQ(w->store().numsit, 1);
    EXPECT_EQ(d.entry(0), QStringLiteral("0,01"));
    EXPECT_EQ(d.entry(5), QStringLiteral("0,0"));
    d.nature(1);
    EXPECT_EQ(d.text("lbecher"), QStringLiteral("acétylsalicylate de sodium"));

    d.situation(0);
    EXPECT_EQ(d.entry(0), QStringLiteral("0,005"));
    EXPECT_EQ(d.entry(5), QStringLiteral("0,3"));
    EXPECT_EQ(d.text("lbecher"), QStringLiteral("acide acétylsalicylique"));
    EXPECT_TRUE(d.find<QRadioButton>("Option1(0)").isChecked());

    d.situation(1);
    EXPECT_TRUE(d.find<QRadioButton>("Option1(1)").isChecked());
    EXPECT_EQ(d.text("lbecher"), QStringLiteral("acétylsalicylate de sodium"));
}

TEST_F(Bench, SuperposedCurvesShareTheLargestScale)
{
    d.solute(2); // acide chlorhydrique: sigma(0) = 0.426
    d.fastPlot();
    EXPECT_FLOAT_EQ(w->maxaxe(), 0.43f);

    d.situation(1);
    d.solute(4); // acide éthanoïque, a much lower conductivity
    d.fastPlot();
    const float own = w->sigmamax();
    EXPECT_LT(own, 0.2f);
    EXPECT_FLOAT_EQ(w->maxaxe(), own);

    d.click("Check1"); // "Superposer les courbes"
    EXPECT_FLOAT_EQ(w->maxaxe(), 0.43f);
    // Both curves are drawn, each in its colour.
    EXPECT_TRUE(d.graphHasColourNear(40, 250 - 220 * 0.426 / 0.43, QColor(0, 0, 255), 3));

    d.click("Check1");
    EXPECT_FLOAT_EQ(w->maxaxe(), own);
}

TEST_F(Bench, HiddenConductimeterRecordsNothing)
{
    d.click("optscema(1)");
    ASSERT_FALSE(d.find<QCheckBox>("optscema(1)").isChecked());
    EXPECT_FALSE(d.find<QWidget>("LabelpH").isVisibleTo(w));
    w->reinitialise();
    d.holdTap(10);
    EXPECT_EQ(d.entry(5), QStringLiteral("1,0"));
    EXPECT_EQ(d.rows(), 0);
}

TEST_F(Bench, LiquidTakesTheIndicatorsColour)
{
    ApparatusView& scene = d.apparatus();
    const int surface = scene.niveau();
    EXPECT_EQ(surface, 449);
    EXPECT_EQ(scene.canvas().pixel(52, surface + 3), QColor(230, 240, 250));
    EXPECT_EQ(scene.canvas().pixel(100, surface + 3), QColor(177, 185, 192));

    // Bromothymol blue: yellow in the acid beaker, blue once the burette is emptied.
    d.indicator(5);
    EXPECT_EQ(scene.canvas().pixel(52, scene.niveau() + 3), QColor(250, 250, 0));
    d.type(5, QStringLiteral("25"));
    EXPECT_GT(w->measuredPh(), 8.1);
    EXPECT_EQ(scene.canvas().pixel(52, scene.niveau() + 3), QColor(0, 0, 210));
}

TEST_F(Bench, ExtremeParametersNeverShowNaN)
{
    auto finite = [&] {
        const auto sigma = d.sigma();
        if (!sigma || !std::isfinite(*sigma)) return false;
        for (int r = 0; r < d.rows(); ++r)
            for (int c = 0; c < d.table().columns(); ++c) {
                const QString t = d.cell(r, c).toLower();
                if (t.contains(QStringLiteral("nan")) || t.contains(QStringLiteral("inf")))
                    return false;
            }
        return true;
    };
    d.type(0, QStringLiteral("0,00000001"));
    d.type(1, QStringLiteral("0,00000001"));
    d.holdTap(5);
    EXPECT_TRUE(finite());
    d.type(4, QStringLiteral("200"));
    EXPECT_EQ(d.entry(4), QStringLiteral("200,0"));
    d.fastPlot();
    EXPECT_TRUE(finite());

    for (const char* pka : {"0", "14"}) {
        for (int nature : {0, 1}) {
            d.situation(2);
            d.nature(nature);
            d.solute(14);
            d.type(2, QString::fromLatin1(pka));
            EXPECT_TRUE(d.box(2).isVisible());
            d.fastPlot();
            EXPECT_TRUE(finite()) << pka << " nature " << nature;
        }
    }
}

TEST_F(Bench, ClosingAsksAndClearsTheRunningFlag)
{
    messages->setAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(w->close());
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Fermer"));
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("Quitter vraiment Titrage conductimétrique ?"));
    EXPECT_EQ(d.markerRecord(21), QByteArray("OUI"));

    messages->setAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(d.markerRecord(21), QByteArray("NON"));
}

TEST(BenchMarker, UnwritableFolderIsSkipped)
{
    BenchDriver d(QStringLiteral("/dev/null/nowhere"), BenchDriver::Start::Hidden);
    EXPECT_EQ(d.entry(0), QStringLiteral("0,01"));
    EXPECT_TRUE(d.messages().requests().empty());
}

TEST_F(Bench, StatusLineExplainsTheControlUnderTheMouse)
{
    auto enter = [&](const char* name) {
        QEvent event(QEvent::Enter);
        QApplication::sendEvent(&d.find<QWidget>(QLatin1String(name)), &event);
        return d.text("info");
    };
    EXPECT_EQ(enter("Command1"),
              QStringLiteral("Pour retrouver le module principal et quitter cette application"));
    EXPECT_EQ(enter("Image3"),
              QStringLiteral("Utiliser le bouton gauche de la souris pour ouvrir le robinet."));
    EXPECT_EQ(enter("command5"), QStringLiteral("Ce bouton permet d'obtenir une concentration "
                                                "aléatoire en soluté apporté"));
    QTest::mouseMove(&d.box(6));
    EXPECT_EQ(enter("Text1(6)"), QStringLiteral("Volume d'eau distillée ajoutée"));
    // Buttons of later stages are there, with their captions, but not usable yet.
    EXPECT_EQ(d.text("Command8"), QStringLiteral("&Calculatrice"));
    EXPECT_EQ(d.find<QWidget>("Command8").toolTip(), QStringLiteral("calculer"));
}

TEST_F(Bench, ExerciseTextReplacesTheBoxesHint)
{
    QWidget& text = d.find<QWidget>("supertext");
    for (const QString& before : {EntryBoxes::validateHint(), QStringLiteral("Trace rapide")}) {
        d.find<QLabel>("info").setText(before);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&text, &in);
        // Only the boxes' hint is replaced: another control's text stays.
        EXPECT_EQ(d.text("info").startsWith(QStringLiteral("Écrire ici ses réponses")),
                  before == EntryBoxes::validateHint())
            << d.text("info").toStdString();
    }
}

TEST_F(Bench, RandomConcentrationIsMaskedUntilRevealed)
{
    const QCheckBox& masquer = d.find<QCheckBox>("masquer");
    d.click("command5");
    EXPECT_TRUE(masquer.isChecked());
    EXPECT_FALSE(masquer.isEnabled());
    EXPECT_TRUE(d.box(0).isHidden());
    EXPECT_FALSE(d.find<QWidget>("Label1").isHidden());
    const double c = parseNumber(d.entry(0).toStdString()).value();
    EXPECT_GE(c, 0.001);
    EXPECT_LT(c, 0.0101);
    // "Ma réponse" compares with the value the bench titrates.
    EXPECT_EQ(d->hiddenConcentration(), c);
    d.click("Label1");
    EXPECT_FALSE(d->hiddenConcentration());
    EXPECT_FALSE(masquer.isChecked());
    EXPECT_TRUE(masquer.isEnabled());
    EXPECT_FALSE(d.box(0).isHidden());
}

TEST_F(Bench, AnalysisToolsOfAFinishedCurve)
{
    // The diagram needs both forms of the couple.
    const QWidget& diagram = d.find<QWidget>("Command3");
    for (auto [nature, position, allowed] : {std::tuple{0, 2, false}, std::tuple{1, 8, false},
                                             std::tuple{0, 4, true}, std::tuple{1, 1, true}}) {
        d.nature(nature);
        d.solute(position);
        EXPECT_EQ(diagram.isEnabled(), allowed) << nature << " " << position;
    }
    d.nature(0);
    d.solute(4);
    d.fastPlot();
    ASSERT_FALSE(d.find<QWidget>("outils").isHidden());

    d.click("image4"); // tangents: a clear jump, no message
    EXPECT_TRUE(messages->requests().empty());
    d.click("image5");
    EXPECT_TRUE(messages->requests().empty());

    d.click("Command3");
    EXPECT_FALSE(w->graphetitrage());
    // The acid form's curve starts at its share at 0 mL: h / (Ka + h) at pH 3.38.
    const double h = std::pow(10.0, -3.38);
    const double acidShare = h / (std::pow(10.0, -4.75) + h);
    EXPECT_TRUE(d.graphHasColourNear(41, 250 - 220 * acidShare, QColor(0, 0, 200), 3));
    d.click("Command9"); // "Restaurer"
    EXPECT_TRUE(w->graphetitrage());

    // The read-out over the graph.
    d.page(2);
    QTest::mouseMove(&d.graph(), QPoint(100, 100));
    EXPECT_EQ(d.text("info"),
              QStringLiteral("Déplacer la souris pour lire les coordonnées d'un point."));
}

TEST_F(Bench, CalculatorOpensModallyWithItsCaption)
{
    QString caption;
    bool modal = false;
    Messages::setDialogRunner([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        modal = true;
        return 0;
    });
    ASSERT_TRUE(d.find<QWidget>("Command8").isEnabled());
    d.click("Command8");
    Messages::setDialogRunner(nullptr);
    EXPECT_TRUE(modal);
    EXPECT_EQ(caption, QStringLiteral("Machine à calculer"));
}

TEST_F(Bench, ConfigurationFileRestoresEverySituation)
{
    // Two situations on the bench, then a configuration written from them.
    d.type(0, QStringLiteral("0,005"));
    d.fastPlot();
    d.situation(3);
    d.nature(1);
    d.solute(1); // ammoniac
    w->selectSituation(3);
    ConfigData data;
    data.sit = w->situationStore().sit;
    data.check1 = true; // "Superposer les courbes"
    const QString path = d.file("DEUX.C16");
    ASSERT_EQ(writeConfiguration(path.toStdString(), data), ConfigWriteStatus::Ok);

    // A fresh bench opens it: situation 1 in front, with its finished curve.
    BenchDriver other(d.folder(), BenchDriver::Start::Hidden, messages);
    other->setNomfichier(path);
    lireconfig(other.window());
    EXPECT_EQ(other->store().numsit, 0);
    EXPECT_EQ(other.entry(0), QStringLiteral("0,005"));
    EXPECT_TRUE(other->store().sit[0].courbefinie);
    EXPECT_TRUE(other.find<QCheckBox>("Check1").isChecked());
    EXPECT_EQ(other->windowTitle(), QStringLiteral("Titrage conductimétrique - ") + path);
    other.situation(3);
    EXPECT_TRUE(other.find<QRadioButton>("Option1(1)").isChecked());
    EXPECT_EQ(other.text("lbecher"), QStringLiteral("ammoniac"));
}

TEST_F(Bench, ListPositionsOutsideTheListsAreBroughtBackOnTheBench)
{
    ConfigData data;
    data.check1 = true; // every finished curve is redrawn, the odd one too
    data.sit[5].listesit = {0, 32767, -1};
    data.sit[5].courbefinie = true;
    data.sit[5].textesit[2] = "25";
    const QString path = d.file("ODD.C16");
    ASSERT_EQ(writeConfiguration(path.toStdString(), data), ConfigWriteStatus::Ok);
    w->setNomfichier(path);
    lireconfig(*w);
    d.situation(5);
    EXPECT_EQ(d.find<QComboBox>("lbecher").currentIndex(), 0);
    EXPECT_EQ(d.find<QComboBox>("lindic").currentIndex(), 0);
    const auto sigma = d.sigma();
    ASSERT_TRUE(sigma.has_value());
    EXPECT_TRUE(std::isfinite(*sigma));
}

TEST_F(Bench, DropsFallInFourTicksAndPlotNearTheEquivalence)
{
    d.drop();
    EXPECT_FALSE(d.timerActive("Timer2"));
    EXPECT_EQ(d.entry(5), QStringLiteral("0,05"));
    EXPECT_EQ(d.rows(), 1); // only the 0 mL row: 0,05 is no whole mL

    // Far from the equivalence (20 mL) a point at each whole millilitre only.
    d.type(5, QStringLiteral("0,9"));
    const int before = d.rows();
    d.drop(); // 0,95
    EXPECT_EQ(d.rows(), before);
    d.drop(); // 1,0
    EXPECT_EQ(d.rows(), before + 1);

    // Within 1 mL of the equivalence, every 0.1 mL: every second drop.
    d.type(5, QStringLiteral("19,5"));
    const int near = d.rows();
    d.drop();
    d.drop();
    EXPECT_EQ(d.entry(5), QStringLiteral("19,6"));
    EXPECT_EQ(d.rows(), near + 1);

    // The last drop empties the burette; at 25 mL the drop button does nothing.
    d.type(5, QStringLiteral("24,95"));
    d.drop();
    EXPECT_EQ(d.entry(5), QStringLiteral("25,0"));
    EXPECT_FALSE(d.find<QWidget>("outils").isHidden()); // the curve is traced
    d.click("Image1");
    EXPECT_FALSE(d.timerActive("Timer2"));
}

TEST_F(Bench, CopiesGoToTheClipboard)
{
    QClipboard* clipboard = QApplication::clipboard();
    d.holdTap(10); // rows at 0, 0.5 and 1 mL

    d.action("coptab").trigger();
    const QStringList lines = clipboard->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("V (mL)\tσ (S·m⁻¹)\t")));
    EXPECT_EQ(lines[0].count(QLatin1Char('\t')), 5);
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1,0\t")));
    EXPECT_EQ(d.text("info"), feuilleP::msgcopie());
    // The confirmation stays while the mouse passes over "Copier".
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&d.find<QWidget>("Command4"), &enter);
    EXPECT_EQ(d.text("info"), feuilleP::msgcopie());

    d.action("copisemidev").trigger();
    // Copies are drawn again at paper resolution: four pixels per screen pixel.
    EXPECT_EQ(clipboard->image().size(), d.graph().canvas().image().size() * 4);

    // The illustration carries the conductimeter's reading; the screen gets
    // its picture back without the written texts.
    const QImage before = d.apparatus().canvas().image().copy();
    d.action("coptop").trigger();
    const QImage copied = clipboard->image();
    EXPECT_EQ(copied.size(), before.size() * 4);
    EXPECT_NE(copied, before.convertToFormat(copied.format()));
    EXPECT_EQ(d.apparatus().canvas().image(), before);

    d.fastPlot();
    d.action("cophisto").trigger();
    EXPECT_TRUE(clipboard->text().contains(QStringLiteral("Courbe n°1")));
}

TEST_F(Bench, HelpOpensOnItsContentsWhenTheFileIsThere)
{
    // No help page in the program's folder: a message says so, and where.
    d.click("Command7");
    for (HelpViewer* v : w->findChildren<HelpViewer*>())
        EXPECT_FALSE(v->isVisible());
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Aide"));
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("La page d'aide Lomb.html est introuvable dans le dossier du "
                             "programme :\n") +
                  QDir::toNativeSeparators(d.folder()) +
                  QStringLiteral("\nRevoir l'installation du logiciel."));
    messages->clear();

    ASSERT_TRUE(d.copyShipped({"Lomb.html"}));
    d.click("Command7");
    HelpViewer* help = w->findChild<HelpViewer*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_GE(help->contents->count(), 5);
    EXPECT_EQ(help->contents->item(0)->text(), QStringLiteral("Préparer le bécher"));
    EXPECT_GT(help->index->count(), 5);
    help->search->setText(QStringLiteral("robinet"));
    EXPECT_GT(help->results->count(), 0);
    EXPECT_TRUE(messages->requests().empty());
}

TEST_F(Bench, PrintingOpensItsDialogAndTheTableIsPicturedWhole)
{
    QString caption;
    Messages::setDialogRunner([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        return 0; // "Annuler"
    });
    ASSERT_TRUE(d.find<QWidget>("Command10").isEnabled());
    d.click("Command10");
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(caption, QStringLiteral("Imprimer"));

    d.fastPlot(); // 51 rows: more than the page shows
    const QRect onScreen = d.table().geometry();
    const QImage table = w->tablePicture();
    EXPECT_GE(table.height(), w->tableHeaderHeight() + 51 * w->tableRowHeight());
    EXPECT_EQ(d.table().geometry(), onScreen);
    // The illustration for the page carries the written texts; the screen gets them back off.
    const QImage screen = d.apparatus().canvas().image().copy();
    EXPECT_NE(w->illustrationForPrint(), screen);
    w->restoreIllustration();
    EXPECT_EQ(d.apparatus().canvas().image(), screen);
}

TEST_F(Bench, GettingStartedActivityLoadsItsTextAndBench)
{
    ASSERT_TRUE(d.copyShipped({"duvrak.PEM", "PRISEMAIN.RTF", "PRISEMAIN.C16"}));
    ASSERT_TRUE(d.find<QWidget>("btexo").isEnabled());
    w->exercises()->prisEnMain();
    EXPECT_TRUE(messages->requests().empty());
    QTextEdit& text = d.find<QTextEdit>("supertext");
    EXPECT_FALSE(text.isReadOnly());
    EXPECT_EQ(d.text("lbecher"), QStringLiteral("acide éthanoïque"));
    // The burette holds what the activity names, a value the box keeps as it is.
    EXPECT_EQ(d.entry(1), QStringLiteral("0,01"));

    // Text typed into the activity is unsaved: closing asks first, and Cancel keeps everything.
    QTest::keyClicks(&text, QStringLiteral("Mes mesures"));
    ASSERT_TRUE(w->exercises()->textemodifie());
    messages->setAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(w->close());
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(d.markerRecord(21), QByteArray("OUI"));
}

TEST(BenchLauncher, RequestedExerciseOpensOnceAtActivation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(titrage::testing::copyShipped(
        dir.path(), {"EXO1.E42", "EXO1.RTF", "EXO1C.RTF", "EXO1.C16", "EXO1C.C16"},
        QStringLiteral("exercices")));
    // The launcher leaves the exercise's path in record 31 of the marker file.
    const QString exercise = dir.filePath(QStringLiteral("EXO1.E42"));
    ASSERT_TRUE(titrage::testing::writeMarkerRecord(dir.path(), 31, exercise.toLocal8Bit()));

    BenchDriver d(dir.path(), BenchDriver::Start::Hidden);
    const QString before = d.text("supertext");
    d.show();
    EXPECT_NE(d.text("supertext"), before);
    EXPECT_EQ(d->exercises()->fich()->text(), exercise);
    EXPECT_TRUE(d.markerRecord(31).isEmpty()); // consumed once
    EXPECT_EQ(d.markerRecord(21), QByteArray("OUI"));
    EXPECT_TRUE(d.messages().requests().empty());
}
