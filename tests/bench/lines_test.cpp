// The method of the two lines, the ions' shares, the kept crosses, the
// read-outs and the export, driven from the bench as a student would.
#include "bench/feuillep.h"
#include "bench/linestool.h"
#include "bench/parametrespage.h"
#include "bench/tappicture.h"
#include "graph/graphview.h"
#include "model/curve.h"
#include "platform/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace titrage;

namespace {

class Lines : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages = std::make_unique<MessageRecorder>(MessageAnswer::Ok);
        w = std::make_unique<feuilleP>(dir.path());
        w->show();
        messages->clear();
    }

    void solute(int position)
    {
        w->lbecher->setCurrentIndex(position);
        w->lbecher_Click();
    }

    void fastPlot() { QTest::mouseClick(w->Command13, Qt::LeftButton); }

    // Pours by hand to the end of the burette, a point at every step.
    void pourByHand()
    {
        QTest::mousePress(w->Image3, Qt::LeftButton);
        for (int i = 0; i < 300 && w->Timer1->isActive(); ++i)
            w->Timer1_Timer();
        QTest::mouseRelease(w->Image3, Qt::LeftButton, {}, QPoint(-5, -5));
    }

    QTemporaryDir dir;
    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<feuilleP> w;
};

} // namespace

TEST_F(Lines, TwoLinesOnTheModelCurveAndMovedRanges)
{
    solute(2); // acide chlorhydrique
    fastPlot();
    ASSERT_FALSE(w->droites->isHidden());
    EXPECT_EQ(w->droites->parent(), w->outils);
    EXPECT_EQ(w->contributions->objectName(), QStringLiteral("contributions"));
    const QImage plain = w->Picture1->canvas().image().copy();
    QTest::mouseClick(w->droites, Qt::LeftButton);
    EXPECT_TRUE(messages->requests().empty());
    LinesTool& t = *w->linesTool();
    ASSERT_TRUE(t.shown());
    EXPECT_FALSE(t.onMeasuredPoints());
    EXPECT_NEAR(t.fit().veq, 20.0, 0.05);
    EXPECT_TRUE(w->info->text().startsWith(QStringLiteral("Véq = 20,0")));
    EXPECT_NE(w->Picture1->canvas().image(), plain);

    // A range moved by the student is fitted as moved.
    ASSERT_TRUE(t.moveMarker(0, 12.0));
    EXPECT_DOUBLE_EQ(t.fit().ranges.before.from, 12.0);
    EXPECT_NEAR(t.fit().veq, 20.0, 0.05);
    // A range squeezed to nothing is refused, and the last good one kept.
    EXPECT_FALSE(t.moveMarker(1, 12.0));
    EXPECT_EQ(messages->requests().size(), 1u);
    EXPECT_DOUBLE_EQ(t.fit().ranges.before.from, 12.0);
    EXPECT_TRUE(t.shown());

    // The raw sigma gives other lines.
    const double corrected = t.fit().before.slope;
    w->Picture3->corrdilution->click();
    EXPECT_NE(t.fit().before.slope, corrected);
}

TEST_F(Lines, NoBreakSaysSoAndDrawsNothing)
{
    solute(13); // phénol
    fastPlot();
    QTest::mouseClick(w->droites, Qt::LeftButton);
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Méthode des droites"));
    EXPECT_FALSE(w->linesTool()->shown());
}

TEST_F(Lines, MeasuredPointsAreFittedAndKeptOverTheCurve)
{
    w->Picture3->UpDown1->setValue(10); // a point every 1 mL
    pourByHand();
    ASSERT_TRUE(w->store().sit[0].courbefinie);
    ASSERT_GE(w->measuredPoints(0).size(), 20u);
    const QImage kept = w->Picture1->canvas().image().copy();
    QTest::mouseClick(w->droites, Qt::LeftButton);
    EXPECT_TRUE(w->linesTool()->onMeasuredPoints());
    EXPECT_NEAR(w->linesTool()->fit().veq, 20.0, 0.2);

    // Unticked, the crosses go when the curve is traced.
    w->Picture3->conserver->click();
    EXPECT_NE(w->Picture1->canvas().image(), kept);
    w->Picture3->conserver->click();
    EXPECT_EQ(w->Picture1->canvas().image(), kept);
}

TEST_F(Lines, ReadOutsContributionsAndTangentPoint)
{
    solute(4); // acide éthanoïque
    fastPlot();
    const QString tip = w->linesTool()->readout(QPointF(graphX(10), 100));
    EXPECT_TRUE(tip.startsWith(QStringLiteral("V = 10,0 mL ; σ = 0,0"))) << tip.toStdString();
    EXPECT_TRUE(tip.endsWith(QStringLiteral(" S·m⁻¹")));

    QTest::mouseClick(w->image4, Qt::LeftButton); // tangents
    EXPECT_TRUE(w->info->text().startsWith(QStringLiteral("Véq = 20,0 mL ; pH = 8,")))
        << w->info->text().toStdString();

    const QImage plain = (w->Command9->click(), w->Picture1->canvas().image().copy());
    QTest::mouseClick(w->contributions, Qt::LeftButton);
    // Under the curve at 10 mL the graph is coloured, not white.
    EXPECT_NE(w->Picture1->canvas().pixel(static_cast<int>(graphX(10.5)), 245), QColor(Qt::white));
    EXPECT_EQ(plain.pixelColor(static_cast<int>(graphX(10.5)) + 20, 245), QColor(Qt::white));
}

TEST_F(Lines, ExportWritesASpreadsheetFile)
{
    fastPlot();
    const QString path = dir.filePath(QStringLiteral("mesures"));
    Messages::setDialogRunner([&](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(path);
        return int(QDialog::Accepted);
    });
    QAction* exporter = w->findChild<QAction*>(QStringLiteral("exportab"));
    ASSERT_NE(exporter, nullptr);
    EXPECT_EQ(exporter->text(), QStringLiteral("Exporter le tableau…"));
    exporter->trigger();
    Messages::setDialogRunner(nullptr);
    QFile f(path + QStringLiteral(".csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nV (mL);σ (S·m⁻¹);")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n25,0;")));
    EXPECT_TRUE(w->info->text().contains(QStringLiteral("mesures.csv")));
}
