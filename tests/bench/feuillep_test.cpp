// The bench window driven as a student would: typing into the boxes, holding
// the tap, emptying the burette, switching situations.
#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "bench/helpviewer.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "config/core/configfile.h"
#include "config/lireconfig.h"
#include "exercises/fichexo.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "model/measurement.h"
#include "platform/messages.h"
#include "platform/core/numberformat.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

using namespace titrage;

namespace {

// Record n (from 1) of a 128-byte record file: a 16-bit length and its bytes.
QByteArray markerRecord(const QString& folder, int n)
{
    QFile f(folder + QStringLiteral("/TEMPQZ.TMP"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = f.readAll();
    const int at = (n - 1) * 128;
    if (all.size() < at + 2) return {};
    const int length =
        static_cast<unsigned char>(all[at]) | (static_cast<unsigned char>(all[at + 1]) << 8);
    return all.mid(at + 2, length);
}

class Bench : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages = std::make_unique<MessageRecorder>(MessageAnswer::Ok);
        w = std::make_unique<feuilleP>(dir.path());
        w->show();
        messages->clear();
    }

    void type(int box, const QString& text)
    {
        w->Text1[box]->clear();
        QTest::keyClicks(w->Text1[box], text);
        QTest::keyClick(w->Text1[box], Qt::Key_Return);
    }

    // Holds the tap open for `ticks` ticks of the pouring timer.
    void holdTap(int ticks)
    {
        QTest::mousePress(w->Image3, Qt::LeftButton);
        for (int i = 0; i < ticks && w->Timer1->isActive(); ++i)
            w->Timer1_Timer();
        QTest::mouseRelease(w->Image3, Qt::LeftButton, {},
                            QPoint(-5, -5)); // released off the tap: no click
    }

    QString cell(int row, int column) const { return w->MSFlexGrid1->cellText(row, column); }

    // True when a pixel of `colour` lies within `radius` of (x, y) on the graph.
    bool graphHasColourNear(double x, double y, QColor colour, int radius = 2) const
    {
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy)
                if (w->Picture1->canvas().pixel(static_cast<int>(x) + dx,
                                                static_cast<int>(y) + dy) == colour)
                    return true;
        return false;
    }

    QTemporaryDir dir;
    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<feuilleP> w;
};

} // namespace

TEST_F(Bench, StartsOnTheDefaultSituation)
{
    EXPECT_EQ(w->objectName(), QStringLiteral("feuilleP"));
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,01"));
    EXPECT_EQ(w->Text1[4]->text(), QStringLiteral("20,0"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,0"));
    EXPECT_EQ(w->Labelbur->text(), QStringLiteral("0,0 mL"));
    EXPECT_EQ(w->lbecher->currentText(), QStringLiteral("acide acétylsalicylique"));
    EXPECT_EQ(w->lbecher->count(), 15);
    EXPECT_EQ(w->lindic->currentText(), QStringLiteral("aucun"));
    EXPECT_EQ(w->store().numsit, 0);
    EXPECT_TRUE(w->Option2[0]->isChecked());
    EXPECT_FALSE(w->outils->isVisible());
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("0,0"));
    EXPECT_FALSE(w->LabelpH->text().isEmpty());
    EXPECT_EQ(markerRecord(dir.path(), 21), QByteArray("OUI"));
    EXPECT_TRUE(messages->requests().empty());
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("Text1(5)")), w->Text1[5]);
}

TEST_F(Bench, TypedValuesAreFilteredAndCorrected)
{
    w->Text1[0]->clear();
    QTest::keyClicks(w->Text1[0], QStringLiteral("0.02abc"));
    EXPECT_EQ(w->Text1[0]->text(),
              QStringLiteral("0,02")); // full stop becomes a comma, letters dropped
    QTest::keyClick(w->Text1[0], Qt::Key_Return);
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,01"));
    EXPECT_TRUE(messages->requests().empty()); // concentrations are corrected silently

    type(1, QString());
    EXPECT_EQ(w->Text1[1]->text(), QStringLiteral("0,000 000 01"));

    type(4, QStringLiteral("15"));
    EXPECT_EQ(w->Text1[4]->text(), QStringLiteral("20,0"));
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Volume corrigé"));
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("Le volume minimum pour que la sonde soit immergée est de 20 mL."));

    messages->clear();
    type(5, QStringLiteral("30"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("25,0"));
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("La contenance de la burette est de 25 mL."));
}

TEST_F(Bench, HoldingTheTapPoursAndMeasuresAtEachStep)
{
    QTest::mousePress(w->Image3, Qt::LeftButton);
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_TRUE(w->Text1[0]->isReadOnly()); // the parameters cannot change under the pouring
    for (int i = 0; i < 12; ++i)
        w->Timer1_Timer();
    QTest::mouseRelease(w->Image3, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_FALSE(w->Text1[0]->isReadOnly());

    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("1,2"));
    EXPECT_EQ(w->Labelbur->text(), QStringLiteral("1,2 mL"));
    // Points at 0, 0.5 and 1.0 mL with the default 0.5 mL step.
    ASSERT_EQ(w->MSFlexGrid1->measurementRows(), 3);
    EXPECT_EQ(cell(1, 0), QStringLiteral("0,5"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("1,0"));

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
    EXPECT_EQ(w->LabelpH->text().toStdString(), conductimeterText(m.sigma));

    // The cross at 1.0 mL in situation 1's colour.
    const QString sigma = cell(2, 1);
    const double s = parseNumber(sigma.toStdString()).value();
    EXPECT_TRUE(graphHasColourNear(53, std::round(250 - 220 * s / w->maxaxe()), QColor(0, 0, 255)));

    // A click on the tap without any tick still pours 0.1 mL.
    QTest::mouseClick(w->Image3, Qt::LeftButton);
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("1,3"));
}

TEST_F(Bench, EmptyingTheBuretteFinishesTheCurve)
{
    w->lbecher->setCurrentIndex(4); // acide éthanoïque
    w->lbecher_Click();
    QTest::mouseClick(w->Command13, Qt::LeftButton); // "Trace rapide"
    EXPECT_TRUE(w->store().sit[0].courbefinie);
    EXPECT_FALSE(w->outils->isHidden());
    EXPECT_EQ(w->labout->text(), QStringLiteral("Courbe n° 1"));
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), 51);
    EXPECT_EQ(cell(50, 0), QStringLiteral("25,0"));
    EXPECT_TRUE(w->Histo->toPlainText().contains(QStringLiteral("Courbe n°1")));
    EXPECT_TRUE(w->Histo->toPlainText().contains(QStringLiteral("acide éthanoïque")));
    // The curve ends at x = 365 in the situation's colour.
    EXPECT_TRUE(
        graphHasColourNear(365, 250 - 220 * w->model().sigma / w->maxaxe(), QColor(0, 0, 255), 4));

    // The tap at 25 mL asks to restart; "Non" opens the tap and the first tick closes it.
    messages->setAnswer(MessageAnswer::No);
    QTest::mousePress(w->Image3, Qt::LeftButton);
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Burette vide"));
    EXPECT_EQ(messages->requests()[0].text, QStringLiteral("Voulez-vous recommencer le titrage"));
    EXPECT_EQ(messages->requests()[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(w->Timer1->isActive());
    w->Timer1_Timer();
    EXPECT_FALSE(w->Timer1->isActive());
    QTest::mouseRelease(w->Image3, Qt::LeftButton, {}, QPoint(-5, -5));

    // "Oui" restarts at 0 mL and forgets the curve; the click still pours its 0,1 mL.
    messages->setAnswer(MessageAnswer::Yes);
    QTest::mousePress(w->Image3, Qt::LeftButton);
    QTest::mouseRelease(w->Image3, Qt::LeftButton);
    EXPECT_FALSE(w->store().sit[0].courbefinie);
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,1"));
    EXPECT_TRUE(w->outils->isHidden());
}

TEST_F(Bench, SituationsKeepTheirParametersAndPouredVolume)
{
    type(0, QStringLiteral("0,005"));
    holdTap(3);
    ASSERT_EQ(w->Text1[5]->text(), QStringLiteral("0,3"));
    QTest::mouseClick(w->Option2[1], Qt::LeftButton);
    EXPECT_EQ(w->store().numsit, 1);
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,01"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,0"));
    w->Option1[1]->setChecked(true);
    w->Option1_Click(1);
    EXPECT_EQ(w->lbecher->currentText(), QStringLiteral("acétylsalicylate de sodium"));

    QTest::mouseClick(w->Option2[0], Qt::LeftButton);
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,005"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,3"));
    EXPECT_EQ(w->lbecher->currentText(), QStringLiteral("acide acétylsalicylique"));
    EXPECT_TRUE(w->Option1[0]->isChecked());

    QTest::mouseClick(w->Option2[1], Qt::LeftButton);
    EXPECT_TRUE(w->Option1[1]->isChecked());
    EXPECT_EQ(w->lbecher->currentText(), QStringLiteral("acétylsalicylate de sodium"));
}

TEST_F(Bench, SuperposedCurvesShareTheLargestScale)
{
    w->lbecher->setCurrentIndex(2); // acide chlorhydrique: sigma(0) = 0.426
    w->lbecher_Click();
    QTest::mouseClick(w->Command13, Qt::LeftButton);
    EXPECT_FLOAT_EQ(w->maxaxe(), 0.43f);

    QTest::mouseClick(w->Option2[1], Qt::LeftButton);
    w->lbecher->setCurrentIndex(4); // acide éthanoïque, a much lower conductivity
    w->lbecher_Click();
    QTest::mouseClick(w->Command13, Qt::LeftButton);
    const float own = w->sigmamax();
    EXPECT_LT(own, 0.2f);
    EXPECT_FLOAT_EQ(w->maxaxe(), own);

    QTest::mouseClick(w->Picture3->Check1, Qt::LeftButton); // "Superposer les courbes"
    EXPECT_FLOAT_EQ(w->maxaxe(), 0.43f);
    // Both curves are drawn, each in its colour.
    EXPECT_TRUE(graphHasColourNear(40, 250 - 220 * 0.426 / 0.43, QColor(0, 0, 255), 3));

    QTest::mouseClick(w->Picture3->Check1, Qt::LeftButton);
    EXPECT_FLOAT_EQ(w->maxaxe(), own);
}

TEST_F(Bench, HiddenConductimeterRecordsNothing)
{
    QTest::mouseClick(w->Picture3->optscema[1], Qt::LeftButton);
    ASSERT_FALSE(w->Picture3->optscema[1]->isChecked());
    EXPECT_FALSE(w->LabelpH->isVisibleTo(w.get()));
    w->reinitialise();
    holdTap(10);
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("1,0"));
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), 0);
}

TEST_F(Bench, LiquidTakesTheIndicatorsColour)
{
    const int surface = w->picburette->niveau();
    EXPECT_EQ(surface, 449);
    EXPECT_EQ(w->picburette->canvas().pixel(52, surface + 3), QColor(230, 240, 250));
    EXPECT_EQ(w->picburette->canvas().pixel(100, surface + 3), QColor(177, 185, 192));

    // Bromothymol blue: yellow in the acid beaker, blue once the burette is emptied.
    w->lindic->setCurrentIndex(5);
    w->lindic_Click();
    EXPECT_EQ(w->picburette->canvas().pixel(52, w->picburette->niveau() + 3), QColor(250, 250, 0));
    type(5, QStringLiteral("25"));
    EXPECT_GT(w->measuredPh(), 8.1);
    EXPECT_EQ(w->picburette->canvas().pixel(52, w->picburette->niveau() + 3), QColor(0, 0, 210));
}

TEST_F(Bench, ExtremeParametersNeverShowNaN)
{
    auto finite = [&] {
        const auto sigma = parseNumber(w->LabelpH->text().toStdString());
        if (!sigma || !std::isfinite(*sigma)) return false;
        for (int r = 0; r < w->MSFlexGrid1->measurementRows(); ++r)
            for (int c = 0; c < w->MSFlexGrid1->columns(); ++c) {
                const QString t = cell(r, c).toLower();
                if (t.contains(QStringLiteral("nan")) || t.contains(QStringLiteral("inf")))
                    return false;
            }
        return true;
    };
    type(0, QStringLiteral("0,00000001"));
    type(1, QStringLiteral("0,00000001"));
    holdTap(5);
    EXPECT_TRUE(finite());
    type(4, QStringLiteral("200"));
    EXPECT_EQ(w->Text1[4]->text(), QStringLiteral("200,0"));
    QTest::mouseClick(w->Command13, Qt::LeftButton);
    EXPECT_TRUE(finite());

    for (const char* pka : {"0", "14"}) {
        for (int nature : {0, 1}) {
            QTest::mouseClick(w->Option2[2], Qt::LeftButton);
            w->Option1[nature]->setChecked(true);
            w->Option1_Click(nature);
            w->lbecher->setCurrentIndex(14);
            w->lbecher_Click();
            type(2, QString::fromLatin1(pka));
            EXPECT_TRUE(w->Text1[2]->isVisible());
            QTest::mouseClick(w->Command13, Qt::LeftButton);
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
    EXPECT_EQ(markerRecord(dir.path(), 21), QByteArray("OUI"));

    messages->setAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(markerRecord(dir.path(), 21), QByteArray("NON"));
}

TEST(BenchMarker, UnwritableFolderIsSkipped)
{
    MessageRecorder messages;
    feuilleP w(QStringLiteral("/dev/null/nowhere"));
    EXPECT_EQ(w.Text1[0]->text(), QStringLiteral("0,01"));
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(Bench, StatusLineExplainsTheControlUnderTheMouse)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w->Command1, &enter);
    EXPECT_EQ(w->info->text(),
              QStringLiteral("Pour retrouver le module principal et quitter cette application"));
    QApplication::sendEvent(w->Image3, &enter);
    EXPECT_EQ(w->info->text(),
              QStringLiteral("Utiliser le bouton gauche de la souris pour ouvrir le robinet."));
    QApplication::sendEvent(w->command5, &enter);
    EXPECT_EQ(w->info->text(), QStringLiteral("Ce bouton permet d'obtenir une concentration "
                                              "aléatoire en soluté apporté"));
    QTest::mouseMove(w->Text1[6]);
    QApplication::sendEvent(w->Text1[6], &enter);
    EXPECT_EQ(w->info->text(), QStringLiteral("Volume d'eau distillée ajoutée"));
    // Buttons of later stages are there, with their captions, but not usable yet.
    EXPECT_EQ(w->Command8->text(), QStringLiteral("&Calculatrice"));
    EXPECT_EQ(w->Command8->toolTip(), QStringLiteral("calculer"));
}

TEST_F(Bench, RandomConcentrationIsMaskedUntilRevealed)
{
    QTest::mouseClick(w->command5, Qt::LeftButton);
    EXPECT_TRUE(w->Picture3->masquer->isChecked());
    EXPECT_FALSE(w->Picture3->masquer->isEnabled());
    EXPECT_TRUE(w->Text1[0]->isHidden());
    EXPECT_FALSE(w->Label1->isHidden());
    const double c = parseNumber(w->Text1[0]->text().toStdString()).value();
    EXPECT_GE(c, 0.001);
    EXPECT_LT(c, 0.0101);
    QTest::mouseClick(w->Label1, Qt::LeftButton);
    EXPECT_FALSE(w->Picture3->masquer->isChecked());
    EXPECT_TRUE(w->Picture3->masquer->isEnabled());
    EXPECT_FALSE(w->Text1[0]->isHidden());
}

TEST_F(Bench, AnalysisToolsOfAFinishedCurve)
{
    // The diagram needs both forms of the couple.
    for (auto [nature, position, allowed] : {std::tuple{0, 2, false}, std::tuple{1, 8, false},
                                             std::tuple{0, 4, true}, std::tuple{1, 1, true}}) {
        w->Option1[nature]->setChecked(true);
        w->Option1_Click(nature);
        w->lbecher->setCurrentIndex(position);
        w->lbecher_Click();
        EXPECT_EQ(w->Command3->isEnabled(), allowed) << nature << " " << position;
    }
    w->Option1[0]->setChecked(true);
    w->Option1_Click(0);
    w->lbecher->setCurrentIndex(4);
    w->lbecher_Click();
    QTest::mouseClick(w->Command13, Qt::LeftButton);
    ASSERT_FALSE(w->outils->isHidden());

    QTest::mouseClick(w->image4, Qt::LeftButton); // tangents: a clear jump, no message
    EXPECT_TRUE(messages->requests().empty());
    QTest::mouseClick(w->image5, Qt::LeftButton);
    EXPECT_TRUE(messages->requests().empty());

    QTest::mouseClick(w->Command3, Qt::LeftButton);
    EXPECT_FALSE(w->graphetitrage());
    // The acid form's curve starts at its share at 0 mL: h / (Ka + h) at pH 3.38.
    const double h = std::pow(10.0, -3.38);
    const double acidShare = h / (std::pow(10.0, -4.75) + h);
    EXPECT_TRUE(graphHasColourNear(41, 250 - 220 * acidShare, QColor(0, 0, 200), 3));
    QTest::mouseClick(w->Command9, Qt::LeftButton); // "Restaurer"
    EXPECT_TRUE(w->graphetitrage());

    // The read-out over the graph.
    w->Onglets->setOngletactif(2);
    QTest::mouseMove(w->Picture1, QPoint(100, 100));
    EXPECT_EQ(w->info->text(),
              QStringLiteral("Déplacer la souris pour lire les coordonnées d'un point."));
}

TEST_F(Bench, CalculatorOpensModallyWithItsCaption)
{
    QString caption;
    bool modal = false;
    Messages::setDialogRunner([&](QDialog& d) {
        caption = d.windowTitle();
        modal = true;
        return 0;
    });
    ASSERT_TRUE(w->Command8->isEnabled());
    QTest::mouseClick(w->Command8, Qt::LeftButton);
    Messages::setDialogRunner(nullptr);
    EXPECT_TRUE(modal);
    EXPECT_EQ(caption, QStringLiteral("Machine à calculer"));
}

TEST_F(Bench, ConfigurationFileRestoresEverySituation)
{
    // Two situations on the bench, then a configuration written from them.
    type(0, QStringLiteral("0,005"));
    QTest::mouseClick(w->Command13, Qt::LeftButton);
    QTest::mouseClick(w->Option2[3], Qt::LeftButton);
    w->Option1[1]->setChecked(true);
    w->Option1_Click(1);
    w->lbecher->setCurrentIndex(1); // ammoniac
    w->lbecher_Click();
    w->selectSituation(3);
    ConfigData data;
    data.sit = w->situationStore().sit;
    data.check1 = true; // "Superposer les courbes"
    const QString path = dir.filePath(QStringLiteral("DEUX.C16"));
    ASSERT_EQ(writeConfiguration(path.toStdString(), data), ConfigWriteStatus::Ok);

    // A fresh bench opens it: situation 1 in front, with its finished curve.
    feuilleP other(dir.path());
    other.setNomfichier(path);
    lireconfig(other);
    EXPECT_EQ(other.store().numsit, 0);
    EXPECT_EQ(other.Text1[0]->text(), QStringLiteral("0,005"));
    EXPECT_TRUE(other.store().sit[0].courbefinie);
    EXPECT_TRUE(other.Picture3->Check1->isChecked());
    EXPECT_EQ(other.windowTitle(), QStringLiteral("Titrage conductimétrique - ") + path);
    QTest::mouseClick(other.Option2[3], Qt::LeftButton);
    EXPECT_TRUE(other.Option1[1]->isChecked());
    EXPECT_EQ(other.lbecher->currentText(), QStringLiteral("ammoniac"));
}

TEST_F(Bench, ListPositionsOutsideTheListsAreBroughtBackOnTheBench)
{
    ConfigData data;
    data.check1 = true; // every finished curve is redrawn, the odd one too
    data.sit[5].listesit = {0, 32767, -1};
    data.sit[5].courbefinie = true;
    data.sit[5].textesit[2] = "25";
    const QString path = dir.filePath(QStringLiteral("ODD.C16"));
    ASSERT_EQ(writeConfiguration(path.toStdString(), data), ConfigWriteStatus::Ok);
    w->setNomfichier(path);
    lireconfig(*w);
    QTest::mouseClick(w->Option2[5], Qt::LeftButton);
    EXPECT_EQ(w->lbecher->currentIndex(), 0);
    EXPECT_EQ(w->lindic->currentIndex(), 0);
    const auto sigma = parseNumber(w->LabelpH->text().toStdString());
    ASSERT_TRUE(sigma.has_value());
    EXPECT_TRUE(std::isfinite(*sigma));
}

TEST_F(Bench, DropsFallInFourTicksAndPlotNearTheEquivalence)
{
    auto drop = [&] {
        QTest::mouseClick(w->Image1, Qt::LeftButton);
        for (int tick = 0; tick < 4 && w->Timer2->isActive(); ++tick)
            w->Timer2_Timer();
    };
    drop();
    EXPECT_FALSE(w->Timer2->isActive());
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,05"));
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), 1); // only the 0 mL row: 0,05 is no whole mL

    // Far from the equivalence (20 mL) a point at each whole millilitre only.
    type(5, QStringLiteral("0,9"));
    const int before = w->MSFlexGrid1->measurementRows();
    drop(); // 0,95
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), before);
    drop(); // 1,0
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), before + 1);

    // Within 1 mL of the equivalence, every 0.1 mL: every second drop.
    type(5, QStringLiteral("19,5"));
    const int near = w->MSFlexGrid1->measurementRows();
    drop();
    drop();
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("19,6"));
    EXPECT_EQ(w->MSFlexGrid1->measurementRows(), near + 1);

    // The last drop empties the burette; at 25 mL the drop button does nothing.
    type(5, QStringLiteral("24,95"));
    drop();
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("25,0"));
    EXPECT_FALSE(w->outils->isHidden()); // the curve is traced
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    EXPECT_FALSE(w->Timer2->isActive());
}

TEST_F(Bench, CopiesGoToTheClipboard)
{
    auto copy = [&](const char* name) {
        QAction* action = w->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    };
    QClipboard* clipboard = QApplication::clipboard();
    holdTap(10); // rows at 0, 0.5 and 1 mL

    copy("coptab");
    const QStringList lines = clipboard->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("V (mL)\tσ (S·m⁻¹)\t")));
    EXPECT_EQ(lines[0].count(QLatin1Char('\t')), 5);
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1,0\t")));
    EXPECT_EQ(w->info->text(), feuilleP::msgcopie());
    // The confirmation stays while the mouse passes over "Copier".
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w->Command4, &enter);
    EXPECT_EQ(w->info->text(), feuilleP::msgcopie());

    copy("copisemidev");
    // Copies are drawn again at paper resolution: four pixels per screen pixel.
    EXPECT_EQ(clipboard->image().size(), w->Picture1->canvas().image().size() * 4);

    // The illustration carries the conductimeter's reading; the screen gets
    // its picture back without the written texts.
    const QImage before = w->picburette->canvas().image().copy();
    copy("coptop");
    const QImage copied = clipboard->image();
    EXPECT_EQ(copied.size(), before.size() * 4);
    EXPECT_NE(copied, before.convertToFormat(copied.format()));
    EXPECT_EQ(w->picburette->canvas().image(), before);

    QTest::mouseClick(w->Command13, Qt::LeftButton);
    copy("cophisto");
    EXPECT_TRUE(clipboard->text().contains(QStringLiteral("Courbe n°1")));
}

TEST_F(Bench, HelpOpensOnItsContentsWhenTheFileIsThere)
{
    // No help page in the program's folder: a message says so, and where.
    QTest::mouseClick(w->Command7, Qt::LeftButton);
    for (HelpViewer* v : w->findChildren<HelpViewer*>())
        EXPECT_FALSE(v->isVisible());
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Aide"));
    EXPECT_EQ(messages->requests()[0].text,
              QStringLiteral("La page d'aide Lomb.html est introuvable dans le dossier du "
                             "programme :\n") +
                  QDir::toNativeSeparators(dir.path()) +
                  QStringLiteral("\nRevoir l'installation du logiciel."));
    messages->clear();

    ASSERT_TRUE(QFile::copy(QStringLiteral(TITRAGE_DATA_DIR "/Lomb.html"),
                            dir.filePath(QStringLiteral("Lomb.html"))));
    QTest::mouseClick(w->Command7, Qt::LeftButton);
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
    Messages::setDialogRunner([&](QDialog& d) {
        caption = d.windowTitle();
        return 0; // "Annuler"
    });
    ASSERT_TRUE(w->Command10->isEnabled());
    QTest::mouseClick(w->Command10, Qt::LeftButton);
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(caption, QStringLiteral("Imprimer"));

    QTest::mouseClick(w->Command13, Qt::LeftButton); // 51 rows: more than the page shows
    const QRect onScreen = w->MSFlexGrid1->geometry();
    const QImage table = w->tablePicture();
    EXPECT_GE(table.height(), w->tableHeaderHeight() + 51 * w->tableRowHeight());
    EXPECT_EQ(w->MSFlexGrid1->geometry(), onScreen);
    // The illustration for the page carries the written texts; the screen gets them back off.
    const QImage screen = w->picburette->canvas().image().copy();
    EXPECT_NE(w->illustrationForPrint(), screen);
    w->restoreIllustration();
    EXPECT_EQ(w->picburette->canvas().image(), screen);
}

TEST_F(Bench, GettingStartedActivityLoadsItsTextAndBench)
{
    for (const char* name : {"duvrak.PEM", "PRISEMAIN.RTF", "PRISEMAIN.C16"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TITRAGE_DATA_DIR "/") + QLatin1String(name),
                                dir.filePath(QLatin1String(name))));
    ASSERT_TRUE(w->btexo->isEnabled());
    w->exercises()->prisEnMain();
    EXPECT_TRUE(messages->requests().empty());
    EXPECT_FALSE(w->supertext->isReadOnly());
    EXPECT_EQ(w->lbecher->currentText(), QStringLiteral("acide éthanoïque"));
    // The burette holds what the activity names, a value the box keeps as it is.
    EXPECT_EQ(w->Text1[1]->text(), QStringLiteral("0,01"));

    // Text typed into the activity is unsaved: closing asks first, and Cancel keeps everything.
    QTest::keyClicks(w->supertext, QStringLiteral("Mes mesures"));
    ASSERT_TRUE(w->exercises()->textemodifie());
    messages->setAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(w->close());
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(markerRecord(dir.path(), 21), QByteArray("OUI"));
}

TEST(BenchLauncher, RequestedExerciseOpensOnceAtActivation)
{
    MessageRecorder messages;
    QTemporaryDir dir;
    for (const char* name : {"EXO1.E42", "EXO1.RTF", "EXO1C.RTF", "EXO1.C16", "EXO1C.C16"})
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(TITRAGE_DATA_DIR "/exercices/") + QLatin1String(name),
                        dir.filePath(QLatin1String(name))));
    // The launcher leaves the exercise's path in record 31 of the marker file.
    const QByteArray request = dir.filePath(QStringLiteral("EXO1.E42")).toLocal8Bit();
    QByteArray file(31 * 128, '\0');
    file[30 * 128] = static_cast<char>(request.size() & 0xFF);
    file[30 * 128 + 1] = static_cast<char>(request.size() >> 8);
    file.replace(30 * 128 + 2, request.size(), request);
    QFile marker(dir.filePath(QStringLiteral("TEMPQZ.TMP")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.write(file);
    marker.close();

    feuilleP w(dir.path());
    const QString before = w.supertext->toPlainText();
    w.show();
    EXPECT_NE(w.supertext->toPlainText(), before);
    EXPECT_EQ(w.exercises()->fich()->text(), dir.filePath(QStringLiteral("EXO1.E42")));
    EXPECT_TRUE(markerRecord(dir.path(), 31).isEmpty()); // consumed once
    EXPECT_EQ(markerRecord(dir.path(), 21), QByteArray("OUI"));
    EXPECT_TRUE(messages.requests().empty());
}
