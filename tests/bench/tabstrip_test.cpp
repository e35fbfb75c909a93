#include "bench/tabstrip.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace titrage;

namespace {

// Width of a title as the strip measures it.
double titleWidth(int k, bool bold)
{
    Canvas c(QSize(10, 10));
    c.setFont(QStringLiteral("Arial"), 8, bold);
    return c.textWidth(TabStrip::titles()[k - 1]);
}

void release(TabStrip& strip, int x, int y)
{
    QTest::mouseRelease(&strip, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

} // namespace

TEST(TabStrip, BoundsShareTheWidthByTitle)
{
    TabStrip strip;
    strip.resize(524, 20);
    for (int active = 1; active <= 5; ++active) {
        strip.setOngletactif(active);
        const auto& b = strip.bornesonglets();
        double sum = 0;
        for (int k = 1; k <= 5; ++k)
            sum += titleWidth(k, k == active);
        const double p = (524 - sum) / 10;
        EXPECT_EQ(b[0], -1);
        EXPECT_EQ(b[5], 524);
        for (int k = 1; k <= 4; ++k)
            EXPECT_NEAR(b[k] - b[k - 1], titleWidth(k, k == active) + 2 * p, 1.0)
                << "tab " << k << " with " << active << " active";
        // The last tab gets what is left: its own title and padding, to rounding.
        EXPECT_NEAR(b[5] - b[4], titleWidth(5, active == 5) + 2 * p, 3.0);
    }
}

TEST(TabStrip, HitTestOnTheBounds)
{
    TabStrip strip;
    strip.resize(524, 20);
    strip.setOngletactif(1);
    const auto b = strip.bornesonglets();
    struct Case {
        double x, y;
        int tab;
    };
    const Case cases[] = {
        {0, 5, 1},
        {double(b[1]), 5, 1}, // a bound belongs to the tab on its left
        {b[1] + 0.5, 5, 2},
        {double(b[2]), 0, 2},
        {double(b[4]) + 1, 14.9, 5},
        {523, 14, 5},
        {double(b[2]), 15, 0}, // under the tabs
        {double(b[2]), -1, 0},
        {-1, 5, 0}, // left of the first bound
        {525, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(strip.tabAt(c.x, c.y), c.tab) << c.x << "," << c.y;
}

TEST(TabStrip, ClicksSelectOtherTabsOnly)
{
    TabStrip strip;
    strip.resize(524, 20);
    strip.show();
    strip.setOngletactif(1);
    QSignalSpy shown(&strip, &TabStrip::pageShown);

    release(strip, strip.bornesonglets()[3], 15); // below the tabs: nothing
    EXPECT_EQ(shown.count(), 0);
    EXPECT_EQ(strip.ongletactif(), 1);

    release(strip, 5, 5); // the tab already in front: no repaint
    EXPECT_EQ(shown.count(), 0);

    release(strip, strip.bornesonglets()[3], 7); // on a bound: the left tab, 3
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toInt(), 3);
    EXPECT_EQ(strip.ongletactif(), 3);
}

TEST(TabStrip, ActiveTabStartsAtOneAndStaysInRange)
{
    TabStrip strip;
    EXPECT_EQ(strip.ongletactif(), 1);
    QSignalSpy shown(&strip, &TabStrip::pageShown);
    strip.paintStrip();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toInt(), 1);
    strip.setOngletactif(9);
    EXPECT_EQ(strip.ongletactif(), 1);
    strip.setOngletactif(4);
    EXPECT_EQ(strip.ongletactif(), 4);
}

TEST(TabStrip, HoverAnnouncesItself)
{
    TabStrip strip;
    strip.resize(524, 20);
    strip.show();
    QSignalSpy hovered(&strip, &TabStrip::hovered);
    QTest::mouseMove(&strip, QPoint(40, 8));
    EXPECT_GE(hovered.count(), 1);
}
