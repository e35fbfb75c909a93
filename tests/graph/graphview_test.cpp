#include "graph/graphview.h"

#include "model/curve.h"
#include "model/measurement.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace titrage;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);

bool colourNear(const Canvas& c, int x, int y, QColor colour, int radius = 1) {
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy)
            if (c.pixel(x + dx, y + dy) == colour) return true;
    return false;
}

int darkPixels(const Canvas& c, QRect r) {
    int n = 0;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (c.pixel(x, y).lightness() < 128) ++n;
    return n;
}

// The bench's default titration: acide éthanoïque 0.01 mol/L, 20 mL, titrant 0.01 mol/L.
BenchEntries ethanoic() {
    BenchEntries e;
    e.acide = true;
    e.position = 4;
    e.c = 0.01f;
    e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    e.vverse = 0.0f;
    return e;
}

float ethanoicScale() {
    Model m;
    initcatalogue(m);
    return valimax(m, ethanoic(), nullptr, false).maxaxe;
}

std::vector<CurveVertex> ethanoicCurve(float maxaxe) {
    Model m;
    initcatalogue(m);
    loadModel(m, ethanoic());
    std::vector<CurveVertex> out;
    walkCurve(m, ethanoic().sigmaInputs(), maxaxe, out);
    return out;
}

} // namespace

TEST(GraphView, ShowsTheWholeFrameRegion) {
    GraphView g;
    EXPECT_EQ(g.objectName(), QStringLiteral("Picture1"));
    const Canvas& c = g.canvas();
    EXPECT_LE(c.origin().x(), -18);
    EXPECT_GE(c.origin().x() + c.size().width(), 420);
    EXPECT_GE(c.size().height(), 270);
    EXPECT_EQ(g.size(), c.size()); // one unit per pixel at the natural size
}

struct FramePixel {
    const char* what;
    int x, y;
    QColor colour;
};

TEST(GraphView, FramePixelsFollowTheGraduationRules) {
    GraphView g;
    g.drawFrame(0.43f);
    const FramePixel cases[] = {
        {"ordinate axis", 40, 100, Qt::black},
        {"abscissa axis", 300, 250, Qt::black},
        {"abscissa arrow tip", 415, 250, Qt::black},
        {"ordinate runs up to y = 2", 40, 3, Qt::black},
        {"horizontal graduation", 100, 140, QColor(192, 192, 192)},
        {"top graduation", 300, 30, QColor(192, 192, 192)},
        {"vertical graduation", 105, 100, QColor(220, 220, 220)},
        {"vertical drawn over horizontal", 105, 140, QColor(220, 220, 220)},
        {"last millilitre", 365, 200, QColor(220, 220, 220)},
        {"between lines", 200, 101, Qt::white},
        {"no grid past 25 mL", 380, 140, Qt::white},
    };
    for (const FramePixel& p : cases)
        EXPECT_EQ(g.canvas().pixel(p.x, p.y), p.colour) << p.what;
}

TEST(GraphView, SigmaLabelsComeFromMaxaxeAndAreDrawnLeftOfTheAxis) {
    GraphView g;
    g.drawFrame(0.43f);
    ASSERT_EQ(g.graduationTexts().size(), 11);
    EXPECT_EQ(g.graduationTexts().front(), QStringLiteral("0"));
    EXPECT_EQ(g.graduationTexts().back(), QStringLiteral("0,43"));
    EXPECT_EQ(g.graduationTexts().at(5), QStringLiteral("0,215"));

    const Canvas& c = g.canvas();
    const int w = static_cast<int>(std::ceil(c.textWidth(QStringLiteral("0,43"))));
    EXPECT_GT(darkPixels(c, QRect(36 - w, 24, w, 12)), 5); // top label, centred on y = 30
    EXPECT_EQ(darkPixels(c, QRect(37, 24, 2, 12)), 0);     // right-aligned on x = 36
    // Volume labels under 0, 5 ... 25 only.
    EXPECT_GT(darkPixels(c, QRect(102, 253, 6, 10)), 3); // "5" at x = 105
    EXPECT_EQ(darkPixels(c, QRect(115, 253, 6, 10)), 0); // nothing under 6 mL
    // Titles: sigma at the top left, V1 (mL) at the right end of the abscissa.
    EXPECT_GT(darkPixels(c, QRect(-18, 4, 40, 12)), 10);
    EXPECT_GT(darkPixels(c, QRect(405, 252, 30, 16)), 10);
}

TEST(GraphView, FrameIsDrawnThinAndRestartsFromWhite) {
    GraphView g;
    g.setPenWidth(2);
    g.drawCross(10, 0.2, 0.43f, kBlue);
    g.drawFrame(0.43f);
    EXPECT_EQ(g.penWidth(), 1);
    EXPECT_EQ(g.canvas().pixel(41, 100), Qt::white);          // axis one pixel wide
    EXPECT_FALSE(colourNear(g.canvas(), 170, 148, kBlue, 4)); // the old cross is gone
}

TEST(GraphView, CrossStrokesInTheSituationColour) {
    GraphView g;
    g.drawFrame(0.43f);
    g.drawCross(10, 0.215, 0.43f, kBlue); // X = 170, y = 140
    const Canvas& c = g.canvas();
    // Strokes (X + 4, y) to (X - 3, y) and (X, y + 4) to (X, y - 3); as every
    // line of the picture, a stroke leaves out its end pixel.
    for (QPoint p : {QPoint(174, 140), QPoint(168, 140), QPoint(170, 144), QPoint(170, 138)})
        EXPECT_EQ(c.pixel(p.x(), p.y()), kBlue) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(175, 140), QPoint(167, 140), QPoint(170, 145), QPoint(170, 137)})
        EXPECT_NE(c.pixel(p.x(), p.y()), kBlue) << p.x() << "," << p.y();

    // "Tracer en gras": the same cross, twice as thick.
    g.setPenWidth(2);
    g.drawCross(20, 0.215, 0.43f, kGreen); // X = 300
    auto count = [&](int x0, QColor colour) {
        int n = 0;
        for (int x = x0 - 6; x <= x0 + 6; ++x)
            for (int y = 134; y <= 146; ++y)
                n += c.pixel(x, y) == colour;
        return n;
    };
    EXPECT_EQ(count(170, kBlue), 13);
    EXPECT_EQ(count(300, kGreen), 24); // two pixels wide, sharing a 2 x 2 centre
}

TEST(GraphView, NoCrossWithoutAScale) {
    GraphView g;
    g.drawFrame(0.0f);
    const QImage before = g.canvas().image().copy();
    g.drawCross(10, 0.2, 0.0f, kBlue);
    g.drawCross(10, std::numeric_limits<double>::quiet_NaN(), 0.43f, kBlue);
    EXPECT_EQ(g.canvas().image(), before);
}

TEST(GraphView, CurvePassesThroughItsVerticesInItsColour) {
    GraphView g;
    const float maxaxe = ethanoicScale();
    g.drawFrame(maxaxe);
    const auto curve = ethanoicCurve(maxaxe);
    ASSERT_GT(curve.size(), 10u);
    g.drawCurve(curve, kGreen);
    const Canvas& c = g.canvas();
    for (size_t i : {size_t(0), curve.size() / 2, curve.size() - 1}) {
        const CurveVertex& p = curve[i];
        EXPECT_TRUE(colourNear(c, static_cast<int>(std::lround(p.x)),
                               static_cast<int>(std::lround(p.y)), kGreen))
            << "vertex " << i << " at V = " << p.v;
    }
    EXPECT_EQ(std::lround(curve.back().x), 365);
}

TEST(GraphView, CurveSkipsVerticesThatCannotBeDrawn) {
    GraphView g;
    g.drawFrame(0.43f);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<CurveVertex> curve{{0, 0, nan, 100},  {1, 0, 53, 100}, {2, 0, 66, nan},
                                   {3, 0, 79, 1e300}, {4, 0, 90, 100}, {5, 0, 100, 100}};
    g.drawCurve(curve, kGreen); // must neither crash nor hang
    EXPECT_EQ(g.canvas().pixel(53, 100), kGreen);
    EXPECT_EQ(g.canvas().pixel(95, 100), kGreen);
}

// Writes a picture of a frame with a curve and crosses when TITRAGE_PICTURES
// names a folder, to look at by eye.
TEST(GraphView, PictureForInspection) {
    const QByteArray dir = qgetenv("TITRAGE_PICTURES");
    if (dir.isEmpty()) GTEST_SKIP() << "set TITRAGE_PICTURES to write the picture";
    GraphView g;
    const float maxaxe = ethanoicScale();
    g.drawFrame(maxaxe);
    g.setPenWidth(2);
    g.drawCurve(ethanoicCurve(maxaxe), kGreen);
    g.setPenWidth(1);
    for (const CurveVertex& p : ethanoicCurve(maxaxe))
        if (std::fmod(p.v, 1.0f) < 0.1f) g.drawCross(p.v, p.sigma, maxaxe, kBlue);
    EXPECT_TRUE(g.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("graph.png")));
}
