#include "graph/graphview.h"

#include "graphtesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace titrage;
using namespace titrage::test;

namespace {
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const auto dark = [](QColor p) { return p.lightness() < 128; };
} // namespace

TEST(GraphView, FramePixelsFollowTheGraduationRules)
{
    GraphView g;
    g.drawFrame(0.43f);
    const struct {
        const char* what;
        int x, y;
        QColor colour;
    } cases[] = {
        {"ordinate axis", 40, 100, Qt::black},
        {"abscissa arrow, last pixel before its tip", 414, 250, Qt::black},
        {"ordinate runs up to y = 2", 40, 3, Qt::black},
        {"horizontal graduation", 100, 140, QColor(192, 192, 192)},
        {"vertical graduation", 105, 100, QColor(220, 220, 220)},
        {"vertical drawn over horizontal", 105, 140, QColor(220, 220, 220)},
        {"between lines", 200, 101, Qt::white},
        {"no grid past 25 mL", 380, 140, Qt::white},
    };
    for (const auto& p : cases)
        EXPECT_EQ(g.canvas().pixel(p.x, p.y), p.colour) << p.what;
}

TEST(GraphView, LabelsAndTitlesAreDrawnWhereTheyBelong)
{
    GraphView g;
    g.drawFrame(0.43f);
    ASSERT_EQ(g.graduationTexts().size(), 11);
    EXPECT_EQ(g.graduationTexts().front(), QStringLiteral("0"));
    EXPECT_EQ(g.graduationTexts().back(), QStringLiteral("0,43"));

    const Canvas& c = g.canvas();
    const int w = static_cast<int>(std::ceil(c.textWidth(QStringLiteral("0,43"))));
    EXPECT_GT(countPixels(c, QRect(36 - w, 24, w, 12), dark), 5); // top label, centred on y = 30
    EXPECT_EQ(countPixels(c, QRect(37, 24, 2, 12), dark), 0);     // right-aligned on x = 36
    EXPECT_GT(countPixels(c, QRect(102, 253, 6, 10), dark), 3);   // "5" under 5 mL
    EXPECT_EQ(countPixels(c, QRect(115, 253, 6, 10), dark), 0);   // nothing under 6 mL
    EXPECT_GT(countPixels(c, QRect(-18, 4, 40, 12), dark), 10);   // sigma title
    EXPECT_GT(countPixels(c, QRect(405, 252, 30, 16), dark), 10); // V1 (mL), inside the picture
}

TEST(GraphView, CrossesInTheSituationColourAtTheCurrentWidth)
{
    GraphView g;
    g.setPenWidth(2);
    g.drawFrame(0.43f); // the frame is thin and resets the width
    EXPECT_EQ(g.penWidth(), 1);
    g.drawCross(10, 0.215, 0.43f, kBlue); // X = 170, y = 140
    const Canvas& c = g.canvas();
    // Strokes (X + 4, y) to (X - 3, y) and (X, y + 4) to (X, y - 3), each
    // leaving out its end pixel as every line of the picture does.
    for (QPoint p : {QPoint(174, 140), QPoint(168, 140), QPoint(170, 144), QPoint(170, 138)})
        EXPECT_EQ(c.pixel(p.x(), p.y()), kBlue) << p.x() << "," << p.y();
    EXPECT_EQ(countColour(c, around(170, 140, 6), kBlue), 13);

    g.setPenWidth(2);
    g.drawCross(20, 0.215, 0.43f, kGreen);
    EXPECT_EQ(countColour(c, around(300, 140, 6), kGreen), 24);

    const QImage before = c.image().copy();
    g.drawCross(10, 0.2, 0.0f, kBlue); // no scale yet
    g.drawCross(10, std::numeric_limits<double>::quiet_NaN(), 0.43f, kBlue);
    EXPECT_EQ(c.image(), before);
}

TEST(GraphView, CurvePassesThroughItsVerticesInItsColour)
{
    Model m;
    initcatalogue(m);
    const float maxaxe = valimax(m, benchOf(true, kEthanoic, 0.01f, 0.01f), nullptr, false).maxaxe;
    m = loadedModel(true, kEthanoic, 0.01f, 0.01f);
    std::vector<CurveVertex> curve;
    walkCurve(m, benchOf(true, kEthanoic, 0.01f, 0.01f).sigmaInputs(), maxaxe, curve);
    ASSERT_GT(curve.size(), 10u);

    GraphView g;
    g.drawFrame(maxaxe);
    g.drawCurve(curve, kGreen);
    for (size_t i : {size_t(0), curve.size() / 2, curve.size() - 1})
        EXPECT_GT(countColour(g.canvas(), around(curve[i].x, curve[i].y, 1), kGreen), 0)
            << "vertex " << i << " at V = " << curve[i].v;

    // Vertices that cannot be drawn are passed over.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    g.drawCurve({{0, 0, nan, 100},
                 {1, 0, 53, 100},
                 {2, 0, 66, nan},
                 {3, 0, 79, 1e300},
                 {4, 0, 90, 100},
                 {5, 0, 100, 100}},
                kBlue);
    EXPECT_EQ(g.canvas().pixel(95, 100), kBlue);
}

TEST(GraphView, GridLinesComeOutEquallyWideAtAnyScale)
{
    GraphView g;
    g.drawFrame(0.43f);
    // Widths in device pixels of the runs of `colour` met along a line of
    // the picture rendered at `ratio`, from logical `from` stepping `step`.
    auto runs = [&](qreal ratio, QPointF from, QPointF step, int n, QColor colour) {
        const QImage image = g.canvas().renderedAt(ratio);
        const QPointF o = g.canvas().origin();
        const QPoint a = ((from - o) * ratio).toPoint();
        const QPoint d = step.toPoint();
        std::vector<int> widths;
        int run = 0;
        for (int i = 0; i < n * ratio; ++i) {
            const QPoint at = a + d * i;
            if (image.pixelColor(at) == colour) {
                ++run;
            } else if (run > 0) {
                widths.push_back(run);
                run = 0;
            }
        }
        return widths;
    };
    const struct {
        const char* what;
        QPointF from, step;
        int length;
        QColor colour;
        size_t lines;
    } cases[] = {
        // Across the volume graduations, between two sigma lines.
        {"vertical", {41, 239}, {1, 0}, 330, QColor(220, 220, 220), 25},
        // Down the sigma graduations, between two volume lines.
        {"horizontal", {46, 31}, {0, 1}, 218, QColor(192, 192, 192), 9},
    };
    for (qreal ratio : {1.0, 1.5, 1.25, 2.0, 4.0})
        for (const auto& c : cases) {
            const std::vector<int> widths = runs(ratio, c.from, c.step, c.length, c.colour);
            ASSERT_EQ(widths.size(), c.lines) << c.what << " at " << ratio;
            const int expected = std::max(1, int(std::lround(ratio)));
            for (int w : widths)
                EXPECT_EQ(w, expected) << c.what << " at " << ratio;
        }
}

// The three views: sigma as ever; the pH alone on the left axis; both, with
// the pH graduated on the right, on the 25 mL line.
TEST(GraphView, EachViewLabelsItsAxes)
{
    const QStringList left = {"0", "", "2", "", "4", "", "6", "", "8", "", "10", "", "12", "", "14"};
    QStringList right = left;
    right[0].clear(); // pH 0 would sit on the volume labels
    const struct {
        GraphMode mode;
        int sigmaLabels;
        QStringList ph;
    } cases[] = {{GraphMode::Sigma, 11, {}}, {GraphMode::Ph, 0, left}, {GraphMode::Both, 11, right}};
    for (const auto& c : cases) {
        GraphView g;
        g.setMode(c.mode);
        g.drawFrame(0.43f);
        EXPECT_EQ(g.graduationTexts().size(), c.sigmaLabels) << int(c.mode);
        EXPECT_EQ(g.phGraduationTexts(), c.ph) << int(c.mode);
        const Canvas& k = g.canvas();
        // The right axis and its ticks, 5 units long at even pH, 3 at odd.
        const bool axis = c.mode == GraphMode::Both;
        EXPECT_EQ(k.pixel(369, static_cast<int>(phY(8))) == QColor(Qt::black), axis) << int(c.mode);
        EXPECT_EQ(k.pixel(366, static_cast<int>(phY(7))) == QColor(Qt::black), axis) << int(c.mode);
        EXPECT_EQ(k.pixel(369, static_cast<int>(phY(7))), QColor(Qt::white)) << int(c.mode);
        EXPECT_EQ(countPixels(k, QRect(372, 116, 12, 12), dark) > 3, axis) << "label 8";
        // The pH view's own grid: a line per pH unit.
        EXPECT_EQ(k.pixel(100, static_cast<int>(phY(7))) == QColor(192, 192, 192),
                  c.mode == GraphMode::Ph)
            << int(c.mode);
    }
}

TEST(GraphView, ViewsDrawTheCurveAndPointsAgainstTheirAxes)
{
    Model m;
    initcatalogue(m);
    const float maxaxe = valimax(m, benchOf(true, kEthanoic, 0.01f, 0.01f), nullptr, false).maxaxe;
    m = loadedModel(true, kEthanoic, 0.01f, 0.01f);
    std::vector<CurveVertex> curve;
    walkCurve(m, benchOf(true, kEthanoic, 0.01f, 0.01f).sigmaInputs(), maxaxe, curve);
    ASSERT_GT(curve.size(), 10u);
    for (GraphMode mode : {GraphMode::Sigma, GraphMode::Ph, GraphMode::Both}) {
        GraphView g;
        g.setMode(mode);
        g.drawFrame(maxaxe);
        g.drawViewedCurve(curve, kGreen);
        // The dashes and circles are smoothed: green or blue over white.
        const auto green = [](QColor c) {
            return c.green() - c.red() > 40 && c.green() - c.blue() > 40;
        };
        const auto blue = [](QColor c) { return c.blue() - c.red() > 60 && c.blue() - c.green() > 60; };
        int onSigma = 0, onPh = 0;
        for (const CurveVertex& p : curve) {
            onSigma += countPixels(g.canvas(), around(p.x, p.y, 1), green) > 0;
            onPh += countPixels(g.canvas(), around(p.x, phY(p.ph), 1), green) > 0;
        }
        const int n = static_cast<int>(curve.size());
        // Where the two curves cross, one passes over the other's place.
        EXPECT_EQ(onSigma > n * 9 / 10, showsSigma(mode)) << int(mode) << " " << onSigma;
        EXPECT_EQ(onPh > n * 3 / 4, showsPh(mode)) << int(mode) << " " << onPh; // dashed with sigma
        g.drawViewedPoint(10, curve[0].sigma, 4.75, maxaxe, kBlue);
        EXPECT_EQ(countPixels(g.canvas(), around(graphX(10), phY(4.75), 4), blue) > 0,
                  showsPh(mode));
        EXPECT_EQ(countPixels(g.canvas(), around(graphX(10), *crossY(curve[0].sigma, maxaxe), 1),
                              blue) > 0,
                  showsSigma(mode));
    }
}
