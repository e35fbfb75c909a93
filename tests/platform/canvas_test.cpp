#include "platform/canvas.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace titrage;

TEST(Canvas, ClearingRestoresThePersistentBackground)
{
    Canvas c(QSize(50, 40));
    c.line(0, 10, 49, 10, Qt::red);
    c.keepAsBackground();
    c.line(0, 20, 49, 20, Qt::blue);
    EXPECT_EQ(c.pixel(5, 20), QColor(Qt::blue));
    c.cls();
    EXPECT_EQ(c.pixel(5, 10), QColor(Qt::red));   // background kept
    EXPECT_EQ(c.pixel(5, 20), QColor(Qt::white)); // live layer gone
    c.dropBackground();
    c.cls();
    EXPECT_EQ(c.pixel(5, 10), QColor(Qt::white));
}

TEST(Canvas, LinesLandOnTheirPixelsAndMoveTheCurrentPosition)
{
    Canvas c(QSize(100, 100));
    c.moveTo(10, 10);
    c.lineTo(10, 50, Qt::black);
    EXPECT_EQ(c.pixel(10, 30), QColor(Qt::black));
    EXPECT_EQ(c.pixel(11, 30), QColor(Qt::white));
    EXPECT_EQ(c.currentPosition(), QPointF(10, 50));
    c.filledBox(20, 20, 22, 22, Qt::green);
    EXPECT_EQ(c.pixel(22, 22), QColor(Qt::green)); // both corners included
    EXPECT_EQ(c.pixel(23, 22), QColor(Qt::white));
}

TEST(Canvas, MergePenWashesOutWhatIsDrawn)
{
    Canvas c(QSize(20, 20));
    c.filledBox(0, 0, 19, 19, QColor(0, 0, 200));
    c.setMergePen(true);
    c.filledBox(0, 0, 19, 19, QColor(100, 100, 100));
    c.setMergePen(false);
    EXPECT_EQ(c.pixel(5, 5), QColor(100, 100, 100 | 200));
}

TEST(Canvas, PrintAdvancesAlongTheLine)
{
    Canvas c(QSize(200, 50));
    c.setFont(QStringLiteral("Arial"), 8);
    const double w = c.textWidth(QStringLiteral("Graphe"));
    EXPECT_GT(w, 10.0);
    c.printAt(5, 5, QStringLiteral("Graphe"));
    EXPECT_DOUBLE_EQ(c.currentX(), 5 + w);
    EXPECT_DOUBLE_EQ(c.currentY(), 5);
}

TEST(Canvas, OriginShiftsTheLogicalFrame)
{
    Canvas c(QSize(60, 40));
    c.setOrigin(QPointF(-20, 0)); // x = -20 at the left edge
    c.line(-10, 5, -10, 30, Qt::black);
    EXPECT_EQ(c.pixel(-10, 10), QColor(Qt::black));
    EXPECT_EQ(c.image().pixelColor(10, 10), QColor(Qt::black));
}

TEST(Canvas, ThinLinesStopShortOfTheirLastPoint)
{
    Canvas c(QSize(30, 30));
    c.line(10, 10, 10, 20, Qt::black); // downwards
    EXPECT_EQ(c.pixel(10, 10), QColor(Qt::black));
    EXPECT_EQ(c.pixel(10, 19), QColor(Qt::black));
    EXPECT_EQ(c.pixel(10, 20), QColor(Qt::white));
    c.line(25, 5, 15, 5, Qt::black); // leftwards
    EXPECT_EQ(c.pixel(25, 5), QColor(Qt::black));
    EXPECT_EQ(c.pixel(16, 5), QColor(Qt::black));
    EXPECT_EQ(c.pixel(15, 5), QColor(Qt::white));
    c.line(0, 0, 4, 8, Qt::red); // steep diagonal: one pixel per row
    for (int y = 0; y < 8; ++y) {
        int lit = 0;
        for (int x = 0; x <= 4; ++x)
            lit += c.pixel(x, y) == QColor(Qt::red);
        EXPECT_EQ(lit, 1) << y;
    }
    EXPECT_EQ(c.pixel(4, 8), QColor(Qt::white));
}

namespace {
// Every pixel of `fine` (made at `ratio`) in the block of the logical pixel
// (x, y) has that pixel's colour in `coarse` (made at ratio 1).
int blocksDiffering(const QImage& coarse, const QImage& fine, int ratio)
{
    int differing = 0;
    for (int y = 0; y < coarse.height(); ++y)
        for (int x = 0; x < coarse.width(); ++x)
            for (int dy = 0; dy < ratio; ++dy)
                for (int dx = 0; dx < ratio; ++dx)
                    if (fine.pixel(x * ratio + dx, y * ratio + dy) != coarse.pixel(x, y)) {
                        ++differing;
                        dx = dy = ratio;
                    }
    return differing;
}

// Background and live strokes of every kind that lands on whole pixels,
// the merge pen included.
void drawScene(Canvas& c)
{
    c.filledBox(2, 2, 30, 10, QColor(0, 0, 200));
    c.line(0, 20, 39, 20, Qt::red);
    c.keepAsBackground();
    c.cls();
    c.setPenWidth(1);
    c.pset(35, 5, Qt::green);
    c.filledBox(10, 30, 14, 34, QColor(10, 120, 10), Qt::black);
    c.setMergePen(true);
    c.filledBox(0, 0, 39, 39, QColor(100, 100, 100));
    c.setMergePen(false);
    c.paint([](QPainter& p) { p.fillRect(QRect(20, 2, 3, 3), Qt::magenta); });
}
} // namespace

TEST(Canvas, DrawnAgainAtAnotherRatioItIsTheSamePictureFiner)
{
    Canvas coarse(QSize(40, 40));
    drawScene(coarse);
    for (const int ratio : {2, 3}) {
        Canvas fine(QSize(40, 40));
        drawScene(fine);
        fine.setDevicePixelRatio(ratio);
        EXPECT_EQ(fine.image().size(), QSize(40, 40) * ratio);
        EXPECT_EQ(blocksDiffering(coarse.image(), fine.image(), ratio), 0) << ratio;
        // Logical reads are unchanged, and clearing restores the finer background.
        EXPECT_EQ(fine.pixel(35, 5), coarse.pixel(35, 5));
        fine.cls();
        coarse.cls();
        EXPECT_EQ(blocksDiffering(coarse.image(), fine.image(), ratio), 0) << ratio;
        drawScene(coarse);
    }
    // A picture for paper leaves the canvas as it is.
    const QImage shown = coarse.image().copy();
    const QImage paper = coarse.renderedAt(4);
    EXPECT_EQ(paper.size(), QSize(160, 160));
    EXPECT_EQ(paper.deviceIndependentSize(), QSizeF(40, 40));
    EXPECT_EQ(blocksDiffering(shown, paper, 4), 0);
    EXPECT_EQ(coarse.image(), shown);
}

TEST(Canvas, SlantingLinesDrawnAgainAreFinerOnTheSamePath)
{
    Canvas coarse(QSize(40, 40)), fine(QSize(40, 40));
    for (Canvas* c : {&coarse, &fine})
        c->line(3, 5, 30, 18, Qt::black);
    fine.setDevicePixelRatio(2);
    int lit = 0, partly = 0, stray = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            int ink = 0;
            for (int d = 0; d < 4; ++d)
                ink += fine.image().pixelColor(2 * x + d % 2, 2 * y + d / 2) == QColor(Qt::black);
            bool near = false; // within a unit of the coarse line
            for (int d = 0; d < 9; ++d)
                near = near || coarse.pixel(x + d % 3 - 1, y + d / 3 - 1) == QColor(Qt::black);
            lit += ink > 0;
            partly += ink > 0 && ink < 4;
            stray += ink > 0 && !near;
        }
    EXPECT_GT(lit, 27);
    EXPECT_GT(partly, 5); // not the units' blocks blown up
    EXPECT_EQ(stray, 0);
}

TEST(Canvas, TextDrawnAgainKeepsItsPlace)
{
    Canvas c(QSize(120, 30));
    c.setFont(QStringLiteral("Arial"), 8);
    c.printAt(10, 8, QStringLiteral("σ = 0,25"));
    const double end = c.currentX();
    c.setDevicePixelRatio(2);
    EXPECT_DOUBLE_EQ(c.textWidth(QStringLiteral("σ = 0,25")), end - 10);
    // Ink only where the text was: inside its box, nowhere past its end.
    int inside = 0, outside = 0;
    const QImage& image = c.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                (x >= 2 * 9 && x <= 2 * (end + 1) ? inside : outside)++;
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

TEST(Canvas, ClearingGivesBackExactlyTheBackgroundAndReportsWhatChanged)
{
    Canvas c(QSize(200, 100));
    c.filledBox(0, 0, 199, 99, QColor(10, 20, 30));
    c.line(0, 50, 199, 50, Qt::red);
    c.keepAsBackground();
    const QImage background = c.image().copy();
    EXPECT_TRUE(c.takeChanged().contains(QRectF(0, 0, 200, 100))); // all new
    for (int round = 0; round < 2; ++round) {
        c.cls();
        c.filledBox(20, 40, 30, 60, Qt::green);
        c.printAt(120, 10, QStringLiteral("0,0565"));
        c.paint([](QPainter& p) { p.fillRect(QRect(60, 70, 5, 5), Qt::blue); },
                QRectF(60, 70, 5, 5));
        const QRectF changed = c.takeChanged();
        EXPECT_TRUE(changed.contains(QRectF(20, 40, 11, 21)));
        EXPECT_TRUE(changed.contains(QRectF(60, 70, 5, 5)));
        EXPECT_LT(changed.width() * changed.height(), 200 * 100 * 0.8);
        c.cls();
        EXPECT_EQ(c.image(), background) << round;
    }
    // A step of unknown extent clears everything back.
    c.paint([](QPainter& p) { p.fillRect(QRect(0, 0, 200, 100), Qt::yellow); });
    c.cls();
    EXPECT_EQ(c.image(), background);
}

// Drawn smaller than its design (a netbook), every one-unit stroke keeps a
// whole device pixel in its own colour: outlines and slanting lines as well
// as the straight ones.
TEST(Canvas, ShownSmallerEveryStrokeKeepsItsColour)
{
    for (const int kind : {0, 2, 3}) {
        Canvas c(QSize(80, 80));
        if (kind == 0) c.box(10, 10, 60, 50, Qt::black);
        if (kind == 2) c.line(5, 7, 70, 40, Qt::black);
        if (kind == 3) c.line(10, 10, 60, 10, Qt::black);
        c.setDevicePixelRatio(0.75);
        int black = 0;
        for (int y = 0; y < c.image().height(); ++y)
            for (int x = 0; x < c.image().width(); ++x)
                black += c.image().pixelColor(x, y) == QColor(Qt::black);
        EXPECT_GT(black, 20) << kind;
    }
}
