#include "graph/graphview.h"

#include "graphtesting.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

using namespace titrage;
using namespace titrage::test;

TEST(GraphConstructions, TangentsDrawEOrTheMessageOrNothing)
{
    MessageRecorder messages;
    GraphView g;
    g.drawFrame(0.07f);
    const Canvas& c = g.canvas();

    Model m = loadedModel(true, kEthanoic, 0.01f, 0.01f);
    Model copy = m;
    TangentConstruction t = tangente(copy, true);
    EXPECT_EQ(g.drawTangents(m, true), TangentOutcome::Complete);
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_GT(countColour(c, QRect(int(t.label.x), int(t.label.y), 8, 12), Qt::black), 5); // "E"
    EXPECT_EQ(c.pixel(365, 100), QColor(Qt::black)); // the pH scale on the 25 mL line

    g.drawFrame(0.07f);
    m = loadedModel(true, kOther, 0.01f, 0.01f, "13,9");
    copy = m;
    t = tangente(copy, true);
    EXPECT_EQ(g.drawTangents(m, true), TangentOutcome::NoJump);
    ASSERT_EQ(messages.requests().size(), 1u);
    const MessageRequest& r = messages.requests().front();
    EXPECT_EQ(r.title, QStringLiteral("Erreur"));
    EXPECT_EQ(r.text, QStringLiteral("Cette courbe ne permet pas de déterminer les coordonnées du "
                                     "point d'équivalence."));
    EXPECT_EQ(r.icon, MessageIcon::Critical);
    EXPECT_GT(countColour(c, around(t.t1.a.x, t.t1.a.y, 2), Qt::black), 0); // tangents stay

    g.drawFrame(0.07f);
    const QImage before = c.image().copy();
    m = loadedModel(true, kEthanoic, 0.0075f, 0.1f); // veq = 1.5 mL
    EXPECT_EQ(g.drawTangents(m, true), TangentOutcome::OutOfRange);
    EXPECT_EQ(c.image(), before);
    EXPECT_EQ(messages.requests().size(), 1u);
}

TEST(GraphConstructions, DerivativeInItsColour)
{
    GraphView g;
    g.drawFrame(0.07f);
    Model m = loadedModel(true, kEthanoic, 0.01f, 0.01f);
    Model copy = m;
    const auto points = btderive(copy);
    ASSERT_FALSE(points.empty());
    g.drawDerivative(m);
    const PlotPoint& p = points[points.size() / 2];
    EXPECT_GT(countColour(g.canvas(), around(p.x, p.y, 1), QColor(200, 100, 100)), 0);
}

TEST(GraphConstructions, DistributionOverAWashedOutFrame)
{
    GraphView g;
    g.drawDistributionFrame();
    const Canvas& c = g.canvas();
    EXPECT_EQ(c.pixel(100, 140), QColor(128, 128, 128)); // grid, palette dark grey
    g.washOut();
    EXPECT_EQ(c.pixel(100, 140), QColor(228, 228, 228)); // 128 | 100
    EXPECT_EQ(c.pixel(40, 100), QColor(100, 100, 100));  // the black axis
    EXPECT_EQ(c.pixel(200, 101), QColor(Qt::white));

    Model m = loadedModel(true, kEthanoic, 0.01f, 0.01f);
    std::vector<DistributionVertex> vertices;
    walkDistribution(m, true, vertices);
    g.drawDistribution(vertices);
    // Half-equivalence at 10 mL: both forms cross at 50 %, y = 140.
    EXPECT_GT(countColour(c, around(170, 140, 3), QColor(0, 0, 200)), 0);
    EXPECT_GT(countColour(c, around(170, 140, 3), QColor(255, 0, 0)), 0);
    EXPECT_GT(
        countPixels(c, QRect(200, 5, 50, 12),
                    [](QColor p) { return p.red() > 200 && p.green() < 120 && p.blue() < 120; }),
        5); // "forme basique"

    g.drawDistributionFrame(); // again: from a cleared picture
    EXPECT_EQ(countColour(c, around(170, 140, 3), QColor(0, 0, 200)), 0);
}

TEST(GraphConstructions, ReadoutSetsTooltipAndPointer)
{
    GraphView g;
    g.updateReadout(QPoint(202 - GraphView::kLeft, 100), true); // logical x = 202
    EXPECT_EQ(g.toolTip(), QStringLiteral("V = 12,5 mL"));
    EXPECT_EQ(g.cursor().shape(), Qt::CrossCursor);
    g.updateReadout(QPoint(10, 100), true);
    EXPECT_EQ(g.toolTip(), QString());
    EXPECT_EQ(g.cursor().shape(), Qt::ArrowCursor);
}
