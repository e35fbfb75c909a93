// The student's work on the bench survives what is not a change of
// parameters: validating an unchanged value, switching situations and
// options, pasting; a real change forgets what it contradicts.
#include "model/measurement.h"
#include "platform/core/numberformat.h"
#include "tests/support/benchdriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QTest>

#include <cmath>

using namespace titrage;
using BenchWork = titrage::testing::BenchTest;

TEST_F(BenchWork, MeasurementsSurviveSwitchesOptionsAndUnchangedValues)
{
    d.holdTap(90);
    ASSERT_EQ(d.entry(5), QStringLiteral("9,0"));
    ASSERT_EQ(d.rows(), 19);

    // Validating the value the bench already uses restarts nothing.
    d.type(0, QStringLiteral("0,010"));
    d.type(5, QStringLiteral("9"));
    EXPECT_EQ(d.entry(5), QStringLiteral("9,0"));
    EXPECT_EQ(d.rows(), 19);

    // Another situation and back, superposition, bold, "Restaurer".
    d.situation(1);
    EXPECT_EQ(d.rows(), 1);
    d.situation(0);
    EXPECT_EQ(d.entry(5), QStringLiteral("9,0"));
    EXPECT_EQ(d.rows(), 19);
    d.find<QCheckBox>("Check1").click();
    d.find<QCheckBox>("Check2").click();
    EXPECT_EQ(d.rows(), 19);
    EXPECT_EQ(w->measuredPoints(0).size(), 19u);

    // Pouring goes on from where the student was.
    d.holdTap(5);
    EXPECT_EQ(d.rows(), 20);
    EXPECT_EQ(d.cell(d.rows() - 1, 0), QStringLiteral("9,5"));

    // A real change restarts and forgets the points.
    d.type(0, QStringLiteral("0,005"));
    EXPECT_EQ(d.entry(5), QStringLiteral("0,0"));
    EXPECT_EQ(d.rows(), 1);
    EXPECT_EQ(w->measuredPoints(0).size(), 1u);
}

TEST_F(BenchWork, ValueBeingTypedIsValidatedBeforePouring)
{
    d.typeText(0, QStringLiteral("-5"));
    d.fastPlot(); // no Enter
    EXPECT_EQ(d.entry(0), QStringLiteral("0,000 000 01"));
    EXPECT_EQ(d.entry(5), QStringLiteral("25,0"));
    const double sigma = d.conductimeter().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    EXPECT_TRUE(std::isfinite(sigma) && sigma > 0) << d.conductimeter().toStdString();

    // Changing a parameter of the finished situation forgets its curve.
    ASSERT_TRUE(w->store().sit[0].courbefinie);
    d.type(1, QStringLiteral("0,005"));
    EXPECT_FALSE(w->store().sit[0].courbefinie);
    EXPECT_TRUE(d.find<QWidget>("outils").isHidden());
}

TEST_F(BenchWork, PastedTextIsFilteredLikeTypedText)
{
    QLineEdit& box = d.box(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("0.005abc"));
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("0,005"));
    // Undo and Delete are editing keys, not filtered characters.
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("0,01"));
    box.setCursorPosition(0);
    QTest::keyClick(&box, Qt::Key_Delete);
    EXPECT_EQ(box.text(), QStringLiteral(",01"));
}

TEST_F(BenchWork, OtherSoluteTakesItsOwnPka)
{
    d.solute(14); // autre acide
    d.type(2, QStringLiteral("5"));
    EXPECT_EQ(d.entry(2), QStringLiteral("5,0"));
    EXPECT_EQ(d.conductimeter(), QStringLiteral("0,0109"));
}

TEST_F(BenchWork, TapClickAfterRestartPoursATenth)
{
    d.click("Command6"); // "Vider la burette"
    // 25 mL at 0,1 mL a tick: a pour that never ends fails here, not by hanging.
    for (int tick = 0; tick < 1000 && d.timerActive("Timer1"); ++tick)
        d.tick("Timer1");
    ASSERT_EQ(d.entry(5), QStringLiteral("25,0"));
    messages->setAnswer(MessageAnswer::Yes);
    d.clickTap();
    EXPECT_EQ(d.entry(5), QStringLiteral("0,1"));
}

TEST_F(BenchWork, RandomDrawStaysMaskedAcrossSituations)
{
    const QCheckBox& masquer = d.find<QCheckBox>("masquer");
    d.find<QAbstractButton>("command5").click();
    ASSERT_FALSE(masquer.isEnabled());
    d.situation(1);
    EXPECT_TRUE(masquer.isEnabled());
    d.situation(0);
    EXPECT_FALSE(masquer.isEnabled());
    EXPECT_TRUE(masquer.isChecked());
}

TEST_F(BenchWork, SituationButtonsShowTheirColours)
{
    for (int k : {0, 9}) {
        const QImage shot = d.find<QWidget>(QStringLiteral("Option2(%1)").arg(k)).grab().toImage();
        EXPECT_EQ(shot.pixelColor(shot.width() - 2, 2), QColor(255, 255 - 9 * k, 180)) << k;
    }
    EXPECT_EQ(w->situationColor(9), QColor(Qt::black));
}

TEST_F(BenchWork, LoadedSituationsGetTheirLargestConductivity)
{
    std::array<Situation, kSituations> sits{};
    sits[3].courbefinie = true;
    sits[3].textesit[6] = "0";
    w->replaceSituations(sits);
    EXPECT_EQ(w->store().sit[3].textesit[6], generalFormat(w->sigmamax()));
    EXPECT_EQ(w->store().sit[4].textesit[6], "0,0");
}

TEST_F(BenchWork, RealSolutionsAndTemperatureReachPouringCurveAndTable)
{
    auto& reelles = d.find<QCheckBox>("reelles");
    auto& temperature = d.find<QLineEdit>("temperature");
    EXPECT_FALSE(reelles.isChecked());
    EXPECT_EQ(temperature.text(), QStringLiteral("25,0"));
    auto setTemperature = [&](const QString& text) {
        temperature.selectAll();
        QTest::keyClicks(&temperature, text);
        QTest::keyClick(&temperature, Qt::Key_Return);
    };
    d.holdTap(40);
    const QString idealDisplay = d.conductimeter();
    const float idealSigma = w->state().model().sigma;
    const QString idealFirstRow = d.cell(0, 1);

    // Ticked: the bench restarts; 4 mL poured again reads otherwise (each
    // lambda falls, but the weak acid dissociates more with its activities).
    reelles.click();
    EXPECT_EQ(d.entry(5), QStringLiteral("0,0"));
    d.holdTap(40);
    const float realSigma = w->state().model().sigma;
    EXPECT_GT(std::fabs(realSigma / idealSigma - 1), 0.01f);
    EXPECT_LT(std::fabs(realSigma / idealSigma - 1), 0.1f);
    EXPECT_EQ(d.cell(d.rows() - 1, 1).toStdString(),
              conductimeterText(static_cast<float>(*d.sigma())));

    // Out of range: a French message, the box at the nearer bound, warmer reads more.
    d.messages().clear();
    setTemperature(QStringLiteral("35"));
    ASSERT_EQ(d.messages().requests().size(), 1u);
    EXPECT_TRUE(d.messages().texts().front().contains(QStringLiteral("entre 15 et 30")));
    EXPECT_EQ(temperature.text(), QStringLiteral("30,0"));
    EXPECT_EQ(w->state().conditions().temperature, 30.0);
    d.holdTap(40);
    EXPECT_GT(w->state().model().sigma, realSigma * 1.05f);

    // Unticked at 25 °C: the figures and the curve of the ideal model again.
    reelles.click();
    setTemperature(QStringLiteral("25"));
    EXPECT_EQ(d.messages().requests().size(), 1u);
    EXPECT_TRUE(w->state().conditions().ideal25());
    d.holdTap(40);
    EXPECT_EQ(d.conductimeter(), idealDisplay);
    EXPECT_EQ(w->state().model().sigma, idealSigma);
    EXPECT_EQ(d.cell(0, 1), idealFirstRow);
}
