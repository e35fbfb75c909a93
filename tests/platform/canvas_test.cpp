#include "platform/canvas.h"

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
