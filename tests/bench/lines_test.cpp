// The method of the two lines, the ions' shares, the kept crosses, the
// read-outs and the export, driven from the bench as a student would.
#include "bench/linestool.h"
#include "graph/core/graphscale.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "model/curve.h"
#include "model/graphframe.h"
#include "model/mixturebench.h"
#include "platform/canvas.h"
#include "tests/support/benchdriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <functional>

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

TEST_F(Lines, RealisticMeasurementsCarryAnUncertaintyAndMonteCarloDrawsIt)
{
    d.solute(2); // acide chlorhydrique
    QCheckBox& realistes = d.find<QCheckBox>("realistes");
    EXPECT_FALSE(realistes.isChecked());
    // The model's curve: a construction, whether or not the points would scatter.
    d.fastPlot();
    d.click("droites");
    LinesTool& t = *w->linesTool();
    EXPECT_EQ(d.text("info"), QStringLiteral("Véq = 20,01 mL par les droites, courbe théorique"));
    EXPECT_FALSE(d.find<QWidget>("montecarlo").isHidden());
    const double model = t.fit().veq;
    d.find<QSpinBox>("graine").setValue(3);
    realistes.click();
    EXPECT_TRUE(d.text("info").contains(QStringLiteral("graine 3")))
        << d.text("info").toStdString();
    d.click("droites");
    EXPECT_EQ(t.fit().veq, model);
    EXPECT_FALSE(t.onRealisticPoints());

    // Measured by hand every millilitre: the points scatter, Véq has its u and U.
    d.click("Command12"); // "Effacer"
    d.find<QSpinBox>("UpDown1").setValue(10);
    d.holdTap(300);
    ASSERT_GE(w->measuredPoints(0).size(), 20u);
    d.click("droites");
    ASSERT_TRUE(t.shown());
    ASSERT_TRUE(t.onRealisticPoints());
    const QString info = d.text("info");
    EXPECT_TRUE(info.contains(QStringLiteral(" ; u(Véq) = "))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral(" ; U(Véq) (95 %) = ")));
    EXPECT_TRUE(info.endsWith(QStringLiteral("(points mesurés, graine 3)")));
    EXPECT_NE(t.fit().veq, model);
    EXPECT_NEAR(t.fit().veq, 20.0, 3 * t.uncertainty().u);

    const QImage lines = d.graph().canvas().image().copy();
    d.find<QPushButton>("montecarlo").click();
    ASSERT_TRUE(t.monteCarloShown());
    EXPECT_EQ(t.monteCarloShown()->found(), 1000);
    EXPECT_NEAR(t.monteCarloShown()->sd, t.uncertainty().u, 0.5 * t.uncertainty().u);
    EXPECT_TRUE(
        d.text("info").startsWith(QStringLiteral("Monte-Carlo, 1000 tirages : Véq moyen = ")));
    EXPECT_NE(d.graph().canvas().image(), lines);
    // A new fit forgets the histogram; "Restaurer" hides the button.
    d.click("droites");
    EXPECT_FALSE(t.monteCarloShown());
    d.find<QPushButton>("Command9").click();
    EXPECT_TRUE(d.find<QWidget>("montecarlo").isHidden());
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

namespace {

// The widget point over a logical point of the graph.
QPoint widgetPoint(const GraphView& g, double x, double y)
{
    const QSize s = g.canvas().size();
    const QPointF o = g.canvas().origin();
    return QPoint(qRound((x - o.x()) * g.width() / s.width()),
                  qRound((y - o.y()) * g.height() / s.height()));
}

const QColor kSelectedGrip(230, 120, 0);

} // namespace

TEST_F(Lines, MarkerFollowsTheDragAndTheFitIsMadeWhereItIsReleased)
{
    d.solute(2);
    d.fastPlot();
    d.click("droites");
    LinesTool& t = *w->linesTool();
    ASSERT_TRUE(t.shown());
    GraphView& g = d.graph();
    const FitRanges before = t.fit().ranges;
    const double y = kGraphBottom - 2;
    QTest::mousePress(&g, Qt::LeftButton, {}, widgetPoint(g, graphX(before.before.from), y));
    QTest::mouseMove(&g, widgetPoint(g, graphX(8.0), y));
    // Under the pointer already, its fit not yet made.
    EXPECT_TRUE(d.graphHasColourNear(graphX(8.0), kGraphBottom - 2, kSelectedGrip, 1));
    EXPECT_FALSE(
        d.graphHasColourNear(graphX(before.before.from), kGraphBottom - 2, kSelectedGrip, 1));
    EXPECT_DOUBLE_EQ(t.fit().ranges.before.from, before.before.from);
    QTest::mouseRelease(&g, Qt::LeftButton, {}, widgetPoint(g, graphX(8.0), y));
    EXPECT_NEAR(t.fit().ranges.before.from, 8.0, 0.1);
    EXPECT_NEAR(t.fit().veq, 20.0, 0.05);
    EXPECT_TRUE(messages->requests().empty());
}

TEST_F(Lines, ArrowKeysMoveTheChosenMarkerByOneMeasuringStep)
{
    d.solute(2);
    d.fastPlot();
    d.click("droites");
    LinesTool& t = *w->linesTool();
    GraphView& g = d.graph();
    // Shown, the lines make the graph a stop of the keyboard.
    EXPECT_TRUE(g.focusPolicy() & Qt::TabFocus);
    g.setFocus();
    const FitRanges r = t.fit().ranges;
    const double step = d.find<QSpinBox>("UpDown1").value() / 10.0;
    QTest::keyClick(&g, Qt::Key_Right);
    EXPECT_NEAR(t.fit().ranges.before.from, r.before.from + step, 1e-9);
    QTest::keyClick(&g, Qt::Key_Down); // the next marker: the end of the first range
    EXPECT_EQ(t.selectedMarker(), 1);
    EXPECT_TRUE(d.graphHasColourNear(graphX(r.before.to), kGraphBottom - 2, kSelectedGrip, 1));
    QTest::keyClick(&g, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_NEAR(t.fit().ranges.before.to, r.before.to - 0.1, 1e-9);
    EXPECT_TRUE(messages->requests().empty());

    // Gone with the lines: the graph is no keyboard stop any more.
    d.find<QPushButton>("Command9").click();
    EXPECT_FALSE(t.shown());
    EXPECT_EQ(g.focusPolicy(), Qt::NoFocus);
}

TEST_F(Lines, EachRefusalSaysItsCause)
{
    struct Case {
        const char* name;
        int solute;
        const char* concentration; // box 0, empty: as it stands
        const char* message;
    };
    const Case cases[] = {
        {"phenol", 13, "", kNoBreakMessage},
        {"Véq 1.5 mL", 2, "0,00075", kOffBuretteMessage},
    };
    for (const Case& c : cases) {
        messages->clear();
        d.solute(c.solute);
        if (*c.concentration) d.type(0, QString::fromUtf8(c.concentration));
        d.fastPlot();
        d.click("droites");
        ASSERT_EQ(messages->requests().size(), 1u) << c.name;
        EXPECT_EQ(messages->requests()[0].text, QString::fromUtf8(c.message)) << c.name;
    }
    // A range squeezed under three points.
    messages->clear();
    d.type(0, QStringLiteral("0,01"));
    d.fastPlot();
    d.click("droites");
    ASSERT_TRUE(w->linesTool()->shown());
    const FitRanges r = w->linesTool()->fit().ranges;
    EXPECT_FALSE(w->linesTool()->moveMarker(3, r.after.from + 0.5));
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_EQ(messages->requests()[0].text, QString::fromUtf8(kTooFewPointsMessage));
}

TEST_F(Lines, CorrectedLinesAreStraightOnTheCorrectedPointsScale)
{
    d.solute(4); // éthanoïque: its corrected sigma runs above the measured one's scale
    d.fastPlot();
    QCheckBox& correction = d.find<QCheckBox>("corrdilution");
    for (const bool corrected : {true, false}) {
        if (correction.isChecked() != corrected) correction.click();
        d.click("droites");
        LinesTool& t = *w->linesTool();
        ASSERT_TRUE(t.shown()) << corrected;
        EXPECT_EQ(t.correctedView(), corrected);
        if (corrected)
            EXPECT_GT(t.drawnScale(), w->state().maxaxe());
        else
            EXPECT_EQ(t.drawnScale(), w->state().maxaxe());
        EXPECT_EQ(d.graph().graduationTexts().back(),
                  QString::fromStdString(graduationLabel(t.drawnScale(), 10)));
        // The line's ink on the fitted line at three volumes of each range.
        auto dark = [&](double x, double y) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QColor p = d.graph().canvas().pixel(int(x), int(std::round(y)) + dy);
                if (p.red() < 150 && p.green() < 150 && p.blue() < 150) return true;
            }
            return false;
        };
        for (const auto& [f, range] : {std::pair(t.fit().before, t.fit().ranges.before),
                                       std::pair(t.fit().after, t.fit().ranges.after)})
            for (const double v : {range.from + 0.3, (range.from + range.to) / 2, range.to - 0.3})
                EXPECT_TRUE(dark(graphX(v), graphY(f.at(v), t.drawnScale())))
                    << corrected << " " << v;
    }
}

TEST(LinesLabel, GoesWhereItHidesNoCurve)
{
    Canvas c(QSize(100, 60));
    c.cls();
    c.line(0, 10, 100, 10, QColor(0, 0, 200));     // a curve through the first spot
    c.line(0, 30, 100, 30, QColor(192, 192, 192)); // the grid through the second
    const std::vector<QPointF> spots = {{10, 5}, {10, 25}, {10, 45}};
    EXPECT_EQ(leastHidingSpot(c, QSizeF(30, 10), spots), QPointF(10, 25));
    c.line(0, 28, 100, 28, Qt::black); // a line there too: the third
    EXPECT_EQ(leastHidingSpot(c, QSizeF(30, 10), spots), QPointF(10, 45));
}

TEST_F(Lines, AMixtureOfTwoAcidsGivesTwoBreaksAndSixMarkers)
{
    // HCl and CH3COOH at 0,005 mol/L each in 20 mL, by NaOH 0,01: 10 and 20 mL.
    auto choose = [&](const char* list, int index) {
        auto& combo = d.find<QComboBox>(list);
        combo.setCurrentIndex(index);
        emit combo.activated(index);
    };
    auto concentration = [&](int row, const QString& text) {
        auto& box = d.find<QLineEdit>(QStringLiteral("cmelange(%1)").arg(row));
        box.setText(text);
        box.setModified(true);
        emit box.editingFinished();
    };
    d.find<QRadioButton>("Option1(2)").click();
    choose("lburette", static_cast<int>(MixTitrant::SodiumHydroxide));
    choose("lmelange(0)", mixSoluteChoiceIndex({MixSoluteKind::CatalogueAcid, 2, 7, 0}));
    concentration(0, QStringLiteral("0,005"));
    choose("lmelange(1)", mixSoluteChoiceIndex({MixSoluteKind::CatalogueAcid, 4, 7, 0}) + 1);
    concentration(1, QStringLiteral("0,005"));
    ASSERT_EQ(w->state().mixture()->soluteCount, 2);
    d.fastPlot();
    d.click("droites");
    EXPECT_TRUE(messages->requests().empty());
    LinesTool& t = *w->linesTool();
    ASSERT_TRUE(t.shown());
    ASSERT_EQ(t.breaks().count(), 2u);
    EXPECT_NEAR(t.breaks().breaks[0].veq, 10.0, 0.1);
    EXPECT_NEAR(t.breaks().breaks[1].veq, 20.0, 0.1);
    EXPECT_TRUE(d.text("info").startsWith(QStringLiteral("E₁ : Véq = 10,0"))) << d.text("info").toStdString();
    EXPECT_NE(d.text("info").indexOf(QStringLiteral("E₂ : Véq = 19,9")), -1) << d.text("info").toStdString();
    ASSERT_EQ(t.markerCount(), 6);

    // The middle stretch's first limit, dragged and then moved by the keyboard.
    ASSERT_TRUE(t.moveMarker(2, 14.0));
    EXPECT_DOUBLE_EQ(t.breaks().ranges()[1].from, 14.0);
    EXPECT_NEAR(t.breaks().breaks[1].veq, 20.0, 0.1);
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(&d.graph(), Qt::Key_Down);
    ASSERT_EQ(t.selectedMarker(), 2);
    QTest::keyClick(&d.graph(), Qt::Key_Right);
    EXPECT_NEAR(t.breaks().ranges()[1].from, 14.5, 1e-9);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&d.graph(), Qt::Key_Up);
    EXPECT_EQ(t.selectedMarker(), 3); // six markers: five up from the third, round to the fourth
}

namespace {

// What a label or legend must not hide: any ink but the white ground and
// the grid's light greys.
bool drawnInk(QColor p)
{
    const bool grey = p.red() == p.green() && p.green() == p.blue();
    return !(grey && p.red() >= 190);
}

// The inked logical pixels of `image` (drawn at `ratio`) inside `box`.
int inkInside(const QImage& image, qreal ratio, QPointF origin, QRectF box)
{
    int n = 0;
    const QRect device = QRectF((box.topLeft() - origin) * ratio, box.size() * ratio).toRect();
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (image.rect().contains(x, y) && drawnInk(image.pixelColor(x, y))) ++n;
    return n;
}

void chooseView(titrage::testing::BenchDriver& d, int index)
{
    auto& view = d.find<QComboBox>("vuegraphe");
    view.setCurrentIndex(index);
    emit view.activated(index);
}

// A mixture of two solutes, by the burette's sodium hydroxide or silver nitrate.
void chooseMixture(titrage::testing::BenchDriver& d, MixSolute first, MixSolute second,
                   MixTitrant titrant)
{
    auto choose = [&](const char* list, int index) {
        auto& combo = d.find<QComboBox>(list);
        combo.setCurrentIndex(index);
        emit combo.activated(index);
    };
    d.find<QRadioButton>("Option1(2)").click();
    choose("lburette", static_cast<int>(titrant));
    choose("lmelange(0)", mixSoluteChoiceIndex(first));
    choose("lmelange(1)", mixSoluteChoiceIndex(second) + 1);
}

} // namespace

TEST_F(Lines, TheIonsLegendHoldsItsTextsAndHidesNoCurve)
{
    struct Case {
        const char* name;
        std::function<void()> bench;
    };
    const Case benches[] = {
        {"ethanoic acid", [&] { d.solute(4); }},
        {"two acids",
         [&] {
             chooseMixture(d, {MixSoluteKind::CatalogueAcid, 2, 7, 0},
                           {MixSoluteKind::CatalogueAcid, 4, 7, 0}, MixTitrant::SodiumHydroxide);
         }},
    };
    const QColor border(150, 150, 150);
    for (const Case& c : benches) {
        c.bench();
        d.fastPlot();
        GraphView& g = d.graph();
        Canvas& canvas = g.canvas();
        const QImage plain = canvas.renderedAt(1);
        d.click("contributions");
        ASSERT_TRUE(messages->requests().empty()) << c.name;
        for (const qreal scale : {1.0, 1.8}) {
            const QImage shown = canvas.renderedAt(scale);
            // The legend's box: the long straight runs of its grey border
            // (the labels' antialiasing has a pixel or two of that grey).
            QRect box;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0, run = 0; x < shown.width(); ++x) {
                    run = shown.pixelColor(x, y) == border ? run + 1 : 0;
                    if (run >= 40) box |= QRect(x - run + 1, y, run, 1);
                }
            ASSERT_FALSE(box.isEmpty()) << c.name;
            // Whole borders: no text ran across the right one, and a white
            // margin inside it on every line.
            int width = 0; // of the border, in device pixels
            while (width < box.width() &&
                   shown.pixelColor(box.right() - width, box.center().y()) == border)
                ++width;
            // (Its top and bottom lines may be a pixel thicker than its sides.)
            for (int y = box.top() + width + 1; y < box.bottom() - width; ++y) {
                EXPECT_EQ(shown.pixelColor(box.right(), y), border) << c.name << " " << scale;
                for (int x = box.right() - width - 1; x <= box.right() - width; ++x)
                    EXPECT_EQ(shown.pixelColor(x, y), QColor(Qt::white))
                        << c.name << " " << scale << " " << y;
            }
            // The curve and its points, as drawn before the shares, nowhere under it.
            const QRectF logical(QPointF(box.topLeft()) / scale + canvas.origin(),
                                 QSizeF(box.size()) / scale);
            EXPECT_EQ(inkInside(plain, 1, canvas.origin(), logical.adjusted(-1, -1, 1, 1)), 0)
                << c.name << " " << scale;
            EXPECT_GE(logical.left(), kGraphLeft);
            EXPECT_LE(logical.right(), kGraphRight + 1);
        }
        d.find<QPushButton>("Command9").click();
    }
}

TEST_F(Lines, TheTangentsLabelIsCrossedByNoLineInEachView)
{
    d.solute(4); // acide éthanoïque: E at 20 mL
    d.fastPlot();
    GraphView& g = d.graph();
    for (const int view : {0, 1, 2}) {
        chooseView(d, view);
        // The construction alone, then as the tool draws it with its label:
        // the label's box is where they differ.
        d.find<QPushButton>("Command9").click();
        Model working = w->state().model();
        ASSERT_EQ(g.drawTangents(working, true), TangentOutcome::Complete);
        const QImage construction = g.canvas().renderedAt(1);
        d.find<QPushButton>("Command9").click();
        d.click("image4");
        const QImage labelled = g.canvas().renderedAt(1);
        ASSERT_EQ(labelled.size(), construction.size());
        QRect label;
        for (int y = 0; y < labelled.height(); ++y)
            for (int x = 0; x < labelled.width(); ++x)
                if (labelled.pixel(x, y) != construction.pixel(x, y)) label |= QRect(x, y, 1, 1);
        ASSERT_FALSE(label.isEmpty()) << view;
        // Its text is there, its box crossed by nothing drawn before it.
        EXPECT_GE(label.width(), 100) << view;
        EXPECT_EQ(inkInside(construction, 1, QPointF(), QRectF(label).adjusted(-1, -1, 1, 1)), 0)
            << view;
    }
}

TEST(LinesLabel, BesideItsPointWhereNoLineCrossesIt)
{
    // Two lines crossing at the point, as the fitted lines meet at E, and a
    // curve above: the label takes a free side, near the point.
    struct Case {
        QPointF e;
        double slope1, slope2;
    };
    for (const Case& c : {Case{{200, 120}, -0.8, 0.8}, Case{{300, 60}, 1.5, -0.1},
                          Case{{60, 230}, -0.2, -2.0}, Case{{200, 140}, 0.0, 100.0}}) {
        Canvas canvas(QSize(470, 275));
        canvas.setOrigin(QPointF(-20, 0));
        canvas.cls();
        canvas.setFont(QStringLiteral("Arial"), 8);
        for (const double s : {c.slope1, c.slope2})
            canvas.line(c.e.x() - 200, c.e.y() - 200 * s, c.e.x() + 200, c.e.y() + 200 * s,
                        Qt::black);
        canvas.line(kGraphLeft, 80, kGraphRight, 40, QColor(255, 0, 0));
        const QImage before = canvas.image().copy();
        const QRectF box =
            drawLabelBeside(canvas, {QStringLiteral("Véq = 10,0 mL ; pH = 7,86")}, c.e);
        EXPECT_EQ(inkInside(before, 1, canvas.origin(), box.adjusted(-1, -1, 1, 1)), 0)
            << c.e.x() << " " << c.e.y();
        // Near the point: within a box's height of it.
        const double dx = std::max({box.left() - c.e.x(), 0.0, c.e.x() - box.right()});
        const double dy = std::max({box.top() - c.e.y(), 0.0, c.e.y() - box.bottom()});
        EXPECT_LT(std::hypot(dx, dy), 40) << c.e.x() << " " << c.e.y();
    }
}

TEST_F(Lines, TheLinesReadOnTheSigmaAxisInTheViewsThatShowIt)
{
    d.solute(2); // acide chlorhydrique
    d.fastPlot();
    // Dark within a unit of a logical point.
    auto dark = [&](double x, double y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (qGray(d.graph().canvas().pixel(int(x) + dx, int(y) + dy).rgb()) < 100)
                    return true;
        return false;
    };
    const struct {
        int view;
        bool drawn;
    } cases[] = {{0, true}, {1, false}, {2, true}};
    for (const auto& c : cases) {
        chooseView(d, c.view);
        QPushButton& droites = d.find<QPushButton>("droites");
        EXPECT_EQ(droites.isEnabled(), c.drawn) << c.view;
        if (!c.drawn) continue;
        droites.click();
        LinesTool& t = *w->linesTool();
        ASSERT_TRUE(t.shown()) << c.view;
        for (const double v : {4.0, 8.0})
            EXPECT_TRUE(dark(graphX(v), graphY(t.fit().before.at(v), t.drawnScale()))) << c.view;
        // On the corrected sigma's own frame, no pH axis without its curve.
        EXPECT_TRUE(d.graph().phGraduationTexts().isEmpty()) << c.view;
        // From the view with the lines to the pH view: they go with their axis.
        chooseView(d, 1);
        EXPECT_FALSE(t.shown()) << c.view;
        EXPECT_FALSE(droites.isEnabled());
    }
}
