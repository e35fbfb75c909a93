// The student's work on the bench survives what is not a change of
// parameters: validating an unchanged value, switching situations and
// options, pasting; a real change forgets what it contradicts.
#include "bench/feuillep.h"
#include "bench/parametrespage.h"
#include "bench/tappicture.h"
#include "graph/valuetable.h"
#include "platform/messages.h"
#include "platform/core/numberformat.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace titrage;

namespace {

class BenchWork : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages = std::make_unique<MessageRecorder>(MessageAnswer::Ok);
        w = std::make_unique<feuilleP>(dir.path());
        w->show();
        messages->clear();
    }

    void typeText(int box, const QString& text)
    {
        w->Text1[box]->selectAll();
        QTest::keyClicks(w->Text1[box], text);
    }
    void type(int box, const QString& text)
    {
        typeText(box, text);
        QTest::keyClick(w->Text1[box], Qt::Key_Return);
    }
    void holdTap(int ticks)
    {
        QTest::mousePress(w->Image3, Qt::LeftButton);
        for (int i = 0; i < ticks && w->Timer1->isActive(); ++i)
            w->Timer1_Timer();
        QTest::mouseRelease(w->Image3, Qt::LeftButton, {}, QPoint(-5, -5));
    }
    int rows() const { return w->MSFlexGrid1->measurementRows(); }
    QString lastVolumeRow() const { return w->MSFlexGrid1->cellText(rows() - 1, 0); }

    QTemporaryDir dir;
    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<feuilleP> w;
};

} // namespace

TEST_F(BenchWork, MeasurementsSurviveSwitchesOptionsAndUnchangedValues)
{
    holdTap(90);
    ASSERT_EQ(w->Text1[5]->text(), QStringLiteral("9,0"));
    ASSERT_EQ(rows(), 19);

    // Validating the value the bench already uses restarts nothing.
    type(0, QStringLiteral("0,010"));
    type(5, QStringLiteral("9"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("9,0"));
    EXPECT_EQ(rows(), 19);

    // Another situation and back, superposition, bold, "Restaurer".
    QTest::mouseClick(w->Option2[1], Qt::LeftButton);
    EXPECT_EQ(rows(), 1);
    QTest::mouseClick(w->Option2[0], Qt::LeftButton);
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("9,0"));
    EXPECT_EQ(rows(), 19);
    w->Picture3->Check1->click();
    w->Picture3->Check2->click();
    EXPECT_EQ(rows(), 19);
    EXPECT_EQ(w->measuredPoints(0).size(), 19u);

    // Pouring goes on from where the student was.
    holdTap(5);
    EXPECT_EQ(rows(), 20);
    EXPECT_EQ(lastVolumeRow(), QStringLiteral("9,5"));

    // A real change restarts and forgets the points.
    type(0, QStringLiteral("0,005"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,0"));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(w->measuredPoints(0).size(), 1u);
}

TEST_F(BenchWork, ValueBeingTypedIsValidatedBeforePouring)
{
    typeText(0, QStringLiteral("-5"));
    QTest::mouseClick(w->Command13, Qt::LeftButton); // "Trace rapide", no Enter
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,000 000 01"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("25,0"));
    const double sigma = w->LabelpH->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    EXPECT_TRUE(std::isfinite(sigma) && sigma > 0) << w->LabelpH->text().toStdString();

    // Changing a parameter of the finished situation forgets its curve.
    ASSERT_TRUE(w->store().sit[0].courbefinie);
    type(1, QStringLiteral("0,005"));
    EXPECT_FALSE(w->store().sit[0].courbefinie);
    EXPECT_TRUE(w->outils->isHidden());
}

TEST_F(BenchWork, PastedTextIsFilteredLikeTypedText)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("0.005abc"));
    w->Text1[0]->setFocus();
    w->Text1[0]->selectAll();
    QTest::keyClick(w->Text1[0], Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,005"));
    // Undo and Delete are editing keys, not filtered characters.
    QTest::keyClick(w->Text1[0], Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,01"));
    w->Text1[0]->setCursorPosition(0);
    QTest::keyClick(w->Text1[0], Qt::Key_Delete);
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral(",01"));
}

TEST_F(BenchWork, OtherSoluteTakesItsOwnPka)
{
    w->lbecher->setCurrentIndex(14); // autre acide
    w->lbecher_Click();
    type(2, QStringLiteral("5"));
    EXPECT_EQ(w->Text1[2]->text(), QStringLiteral("5,0"));
    EXPECT_EQ(w->LabelpH->text(), QStringLiteral("0,0109"));
}

TEST_F(BenchWork, TapClickAfterRestartPoursATenth)
{
    QTest::mouseClick(w->Command6, Qt::LeftButton); // "Vider la burette"
    // 25 mL at 0,1 mL a tick: a pour that never ends fails here, not by hanging.
    for (int tick = 0; tick < 1000 && w->Timer1->isActive(); ++tick)
        w->Timer1_Timer();
    ASSERT_EQ(w->Text1[5]->text(), QStringLiteral("25,0"));
    messages->setAnswer(MessageAnswer::Yes);
    QTest::mouseClick(w->Image3, Qt::LeftButton);
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("0,1"));
}

TEST_F(BenchWork, RandomDrawStaysMaskedAcrossSituations)
{
    w->command5->click();
    ASSERT_FALSE(w->Picture3->masquer->isEnabled());
    QTest::mouseClick(w->Option2[1], Qt::LeftButton);
    EXPECT_TRUE(w->Picture3->masquer->isEnabled());
    QTest::mouseClick(w->Option2[0], Qt::LeftButton);
    EXPECT_FALSE(w->Picture3->masquer->isEnabled());
    EXPECT_TRUE(w->Picture3->masquer->isChecked());
}

TEST_F(BenchWork, SituationButtonsShowTheirColours)
{
    for (int k : {0, 9}) {
        const QImage shot = w->Option2[k]->grab().toImage();
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
