#include "bench/core/indicators.h"
#include "bench/core/scenegeometry.h"

#include <gtest/gtest.h>

using namespace titrage;

TEST(Indicators, ColourZonesAndTransitions)
{
    struct Case {
        int indicator;
        double ph;
        Rgb colour;
    };
    const Case cases[] = {
        {0, 1.0, {230, 240, 250}},
        {0, 13.0, {230, 240, 250}},
        {5, 7.0, {100, 200, 100}}, // bromothymol blue, green zone
        {5, 7.6, {50, 100, 155}},  // halfway to blue
        {5, 5.49, {250, 250, 0}},
        {5, 5.5, {250, 250, 0}}, // a transition is closed at its lower end
        {5, 8.1, {0, 0, 210}},
        {3, 7.0, {230, 240, 250}}, // phenolphthalein colourless
        {3, 12.0, {230, 0, 230}},
        {9, 5.0, {250, 250, 0}}, // thymol blue's long yellow zone
        {9, 0.0, {230, 0, 0}},
        {9, 11.0, {0, 0, 200}},
        {1, 12.25, {250, 150, 100}},
        {-1, 7.0, {230, 240, 250}},
        {10, 7.0, {230, 240, 250}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(indicatorColour(c.indicator, c.ph), c.colour) << c.indicator << " at " << c.ph;
    EXPECT_EQ(indicatorNames()[5], "Bleu de bromothymol (6 - 7,6)");
    EXPECT_EQ(indicatorNames()[0], "aucun");
}

TEST(Indicators, TransitionComponentsRoundToTheNearestInteger)
{
    // Methyl orange 3.9 -> 4.9, red from 200 to 230: at 4.12 it is 206.6.
    EXPECT_EQ(indicatorColour(8, 4.12), (Rgb{207, 124, 0}));
}

TEST(Scene, LiquidLevelsAndShading)
{
    EXPECT_EQ(niveauBecher(20, 0, 0), 449);
    EXPECT_EQ(niveauBecher(200, 0, 25), 388); // 387.5 drawn at 388
    EXPECT_DOUBLE_EQ(buretteSurface(0), 27.0);
    EXPECT_DOUBLE_EQ(buretteSurface(25), 277.0);
    const Rgb clear = indicatorColour(0, 7.0);
    EXPECT_EQ(liquidColumnColour(clear, 52), clear);
    EXPECT_EQ(liquidColumnColour(clear, 100), (Rgb{177, 185, 192}));
    EXPECT_EQ(cellColour({100, 200, 100}), (Rgb{60, 120, 60}));
}
