// The method of the two lines, the ions' shares, the kept crosses, the
// read-outs and the export, driven from the bench as a student would.
#include "bench/linestool.h"
#include "model/curve.h"
#include "tests/support/benchdriver.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QSpinBox>

using namespace titrage;
using Lines = titrage::testing::BenchTest;

TEST_F(Lines, TwoLinesOnTheModelCurveAndMovedRanges)
{
    d.solute(2); // acide chlorhydrique
    d.fastPlot();
    QWidget& droites = d.find<QWidget>("droites");
    ASSERT_FALSE(droites.isHidden());
    EXPECT_EQ(droites.parent(), &d.find<QWidget>("outils"));
    EXPECT_EQ(w->contributions->objectName(), QStringLiteral("contributions"));
    const QImage plain = d.graph().canvas().image().copy();
    d.click("droites");
    EXPECT_TRUE(messages->requests().empty());
    LinesTool& t = *w->linesTool();
    ASSERT_TRUE(t.shown());
    EXPECT_FALSE(t.onMeasuredPoints());
    EXPECT_NEAR(t.fit().veq, 20.0, 0.05);
    EXPECT_TRUE(d.text("info").startsWith(QStringLiteral("Véq = 20,0")));
    EXPECT_NE(d.graph().canvas().image(), plain);

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
    d.find<QCheckBox>("corrdilution").click();
    EXPECT_NE(t.fit().before.slope, corrected);
}

TEST_F(Lines, NoBreakSaysSoAndDrawsNothing)
{
    d.solute(13); // phénol
    d.fastPlot();
    d.click("droites");
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].title, QStringLiteral("Méthode des droites"));
    EXPECT_FALSE(w->linesTool()->shown());
}

TEST_F(Lines, MeasuredPointsAreFittedAndKeptOverTheCurve)
{
    d.find<QSpinBox>("UpDown1").setValue(10); // a point every 1 mL
    d.holdTap(300); // by hand to the end of the burette, a point at every step
    ASSERT_TRUE(w->store().sit[0].courbefinie);
    ASSERT_GE(w->measuredPoints(0).size(), 20u);
    const QImage kept = d.graph().canvas().image().copy();
    d.click("droites");
    EXPECT_TRUE(w->linesTool()->onMeasuredPoints());
    EXPECT_NEAR(w->linesTool()->fit().veq, 20.0, 0.2);

    // Unticked, the crosses go when the curve is traced.
    QCheckBox& conserver = d.find<QCheckBox>("conserver");
    conserver.click();
    EXPECT_NE(d.graph().canvas().image(), kept);
    conserver.click();
    EXPECT_EQ(d.graph().canvas().image(), kept);
}

TEST_F(Lines, ReadOutsContributionsAndTangentPoint)
{
    d.solute(4); // acide éthanoïque
    d.fastPlot();
    const QString tip = w->linesTool()->readout(QPointF(graphX(10), 100));
    EXPECT_TRUE(tip.startsWith(QStringLiteral("V = 10,0 mL ; σ = 0,0"))) << tip.toStdString();
    EXPECT_TRUE(tip.endsWith(QStringLiteral(" S·m⁻¹")));

    d.click("image4"); // tangents
    EXPECT_TRUE(d.text("info").startsWith(QStringLiteral("Véq = 20,0 mL ; pH = 8,")))
        << d.text("info").toStdString();

    d.find<QPushButton>("Command9").click();
    const QImage plain = d.graph().canvas().image().copy();
    d.click("contributions");
    // Under the curve at 10 mL the graph is coloured, not white.
    EXPECT_NE(d.graph().canvas().pixel(static_cast<int>(graphX(10.5)), 245), QColor(Qt::white));
    EXPECT_EQ(plain.pixelColor(static_cast<int>(graphX(10.5)) + 20, 245), QColor(Qt::white));
}

TEST_F(Lines, ExportWritesASpreadsheetFile)
{
    d.fastPlot();
    const QString path = d.file("mesures");
    Messages::setDialogRunner([&](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(path);
        return int(QDialog::Accepted);
    });
    QAction& exporter = d.action("exportab");
    EXPECT_EQ(exporter.text(), QStringLiteral("Exporter le tableau…"));
    exporter.trigger();
    Messages::setDialogRunner(nullptr);
    QFile f(path + QStringLiteral(".csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nV (mL);σ (S·m⁻¹);")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n25,0;")));
    EXPECT_TRUE(d.text("info").contains(QStringLiteral("mesures.csv")));
}
