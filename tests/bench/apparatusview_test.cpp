#include "bench/apparatusview.h"
#include "bench/core/indicators.h"
#include "bench/core/scenegeometry.h"

#include <gtest/gtest.h>

using namespace titrage;

namespace {

QColor rgb(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// A view with both steps of the drawing done for `s`.
struct Scene {
    ApparatusView view;
    explicit Scene(const SceneState& s)
    {
        view.imafond(s);
        view.niveaubecher(s);
    }
    QColor at(int x, int y) const { return view.canvas().pixel(x, y); }
};

const QColor kPaper(255, 255, 255);
const QColor kStream(128, 128, 128);
const QColor kStem(100, 100, 100);

} // namespace

TEST(ApparatusView, LiquidColourFollowsTheIndicatorAndDarkensToTheRight)
{
    struct Case {
        int indicator;
        double ph;
        int x;
        QColor expected;
    };
    const Case cases[] = {
        {0, 3.0, 52, QColor(230, 240, 250)}, {0, 3.0, 100, QColor(177, 185, 192)},
        {5, 7.0, 52, QColor(100, 200, 100)}, // bromothymol blue, green zone
        {5, 7.6, 52, QColor(50, 100, 155)},  // halfway to blue
        {5, 7.6, 100, QColor(38, 77, 119)},
    };
    for (const Case& c : cases) {
        SceneState s;
        s.liquid = indicatorColour(c.indicator, c.ph);
        Scene scene(s);
        EXPECT_EQ(scene.at(c.x, 452), c.expected) << c.indicator << " pH " << c.ph << " x " << c.x;
    }
}

TEST(ApparatusView, BeakerSurfaceFollowsTheVolumes)
{
    struct Case {
        double vsol, veau, vpoured;
        int niveau;
    };
    const Case cases[] = {
        {20, 0, 0, 449},      {200, 0, 25, 388}, // 387.5, to the even neighbour
        {150, 50, 25, 388},   {20, 0, 25, 442},  // 441.5
        {100, 10, 12.5, 418},
    };
    for (const Case& c : cases) {
        SceneState s;
        s.vsol = c.vsol;
        s.veau = c.veau;
        s.vpoured = c.vpoured;
        Scene scene(s);
        EXPECT_EQ(scene.view.niveau(), c.niveau) << c.vsol << " + " << c.veau << " + " << c.vpoured;
        const QColor liquid = rgb(liquidColumnColour(s.liquid, 70));
        EXPECT_EQ(scene.at(70, c.niveau + 1), liquid);
        EXPECT_NE(scene.at(70, c.niveau), liquid);
    }
}

TEST(ApparatusView, BuretteSurfaceDescendsTenUnitsPerMillilitre)
{
    for (double v : {0.0, 0.5, 12.3, 25.0}) {
        SceneState s;
        s.vpoured = v;
        Scene scene(s);
        const int y = static_cast<int>(27 + 10 * v);
        EXPECT_EQ(scene.at(65, y), QColor(192, 192, 192)) << v; // light grey surface
        EXPECT_EQ(scene.at(69, y - 1), QColor(128, 128, 128)) << v;
        EXPECT_NE(scene.at(68, y + 2), kPaper) << v;  // titrant below
        EXPECT_EQ(scene.at(68, y - 12), kPaper) << v; // emptied tube above
    }
}

TEST(ApparatusView, HidingTheBuretteLowersTheBeakerAndItsControls)
{
    SceneState s;
    s.burette = false;
    Scene scene(s);
    EXPECT_EQ(scene.view.decalage(), 30);
    EXPECT_EQ(scene.view.niveau(), 449); // niveau itself carries no offset
    const QColor liquid = rgb(liquidColumnColour(s.liquid, 52));
    EXPECT_EQ(scene.at(52, 480), liquid);
    EXPECT_EQ(scene.at(52, 452), kPaper);
    EXPECT_EQ(scene.at(50, 399), QColor(Qt::black)); // rim moved down by 30
    EXPECT_EQ(scene.at(62, 200), kPaper);            // no burette
    for (Overlay o : {Overlay::Tap, Overlay::DropButton, Overlay::EmptyBurette, Overlay::FastPlot,
                      Overlay::Restart, Overlay::BuretteConcentration, Overlay::PouredVolume})
        EXPECT_FALSE(scene.view.overlayVisible(o));
    EXPECT_TRUE(scene.view.overlayVisible(Overlay::Conductimeter));

    s.burette = true;
    scene.view.imafond(s);
    EXPECT_EQ(scene.view.decalage(), 0);
    EXPECT_TRUE(scene.view.overlayVisible(Overlay::Tap));
}

TEST(ApparatusView, ConductimeterViewShowsTheCell)
{
    SceneState s;
    s.vsol = 100; // surface at 425
    s.liquid = indicatorColour(5, 7.0);
    Scene with(s);
    EXPECT_EQ(with.at(89, 400), kStem);                     // stem above the liquid
    EXPECT_EQ(with.at(89, 440), rgb(cellColour(s.liquid))); // immersed, darkened
    EXPECT_EQ(with.at(86, 440), QColor(Qt::black));
    EXPECT_TRUE(with.view.overlayVisible(Overlay::Conductimeter));

    s.conductimetre = false;
    Scene without(s);
    EXPECT_EQ(without.at(89, 400), kPaper);
    EXPECT_EQ(without.at(89, 440), rgb(liquidColumnColour(s.liquid, 89)));
    EXPECT_FALSE(without.view.overlayVisible(Overlay::Conductimeter));
}

TEST(ApparatusView, StreamFlowsOnlyWhileTheTapIsOpen)
{
    SceneState s;
    Scene closed(s);
    EXPECT_NE(closed.at(62, 360), kStream);
    EXPECT_NE(closed.at(63, 420), kStream);

    s.tapOpen = true;
    closed.view.niveaubecher(s);
    EXPECT_EQ(closed.at(62, 351), kStream); // from the tip
    EXPECT_EQ(closed.at(63, 369 - 1), kStream);
    EXPECT_EQ(closed.at(62, 420), kStream); // down to the surface
    EXPECT_NE(closed.at(62, 450), kStream); // not into the liquid

    s.tapOpen = false;
    closed.view.niveaubecher(s); // the next refresh removes it
    EXPECT_NE(closed.at(62, 360), kStream);
}

TEST(ApparatusView, BuretteCaptionNamesTheTitrant)
{
    const auto acid = ApparatusView::solutionCaption(true);
    EXPECT_EQ(acid[0], QStringLiteral(" Solution aqueuse d'hydroxyde de"));
    EXPECT_EQ(acid[1], QStringLiteral("sodium."));
    const auto base = ApparatusView::solutionCaption(false);
    EXPECT_EQ(base[0], QStringLiteral(" Solution aqueuse d'acide"));
    EXPECT_EQ(base[1], QStringLiteral("chlorhydrique."));

    // And the drawing follows the nature of the beaker.
    SceneState s;
    ApparatusView a, b;
    a.imafond(s);
    s.acide = false;
    b.imafond(s);
    EXPECT_NE(a.canvas().image(), b.canvas().image());
}

TEST(ApparatusView, ControlsLieOnEmptyPartsOfTheDrawing)
{
    SceneState s;
    s.vpoured = 25;
    Scene scene(s);
    const QRect picture(QPoint(0, 0), ApparatusView::kSize);
    const Overlay onPaper[] = {
        Overlay::DropButton, Overlay::EmptyBurette,         Overlay::FastPlot,
        Overlay::Restart,    Overlay::BuretteConcentration, Overlay::PouredVolume};
    for (Overlay o : onPaper) {
        const QRect r = scene.view.overlayRect(o);
        ASSERT_TRUE(picture.contains(r)) << int(o);
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += scene.at(x, y) != kPaper;
        EXPECT_EQ(ink, 0) << "drawing under control " << int(o);
        for (Overlay other : onPaper)
            if (other != o) EXPECT_FALSE(r.intersects(scene.view.overlayRect(other)));
    }
    // The display sits in the meter's window, clear of "σ =" and "S · m-1".
    const QRect display = scene.view.overlayRect(Overlay::Conductimeter);
    ASSERT_TRUE(picture.contains(display));
    const QColor face = scene.at(display.left(), display.top());
    for (int y = display.top(); y <= display.bottom(); ++y)
        for (int x = display.left(); x <= display.right(); ++x)
            ASSERT_EQ(scene.at(x, y), face) << x << "," << y;
    EXPECT_EQ(scene.view.overlayRect(Overlay::Tap).topLeft().x(), 76);
}

TEST(ApparatusView, DropSpriteAndRimRedraw)
{
    SceneState s;
    Scene scene(s);
    const QImage before = scene.view.canvas().image().copy();
    scene.view.drawDropSprite(55, 348);
    EXPECT_NE(scene.view.canvas().image(), before);
    EXPECT_NE(scene.at(63, 358), before.pixelColor(63, 358)); // the drop under the tip

    // Falling to the surface, then the rim drawn again over it.
    scene.view.drawDropSprite(55, scene.view.niveau() - 16);
    scene.view.drawDropSprite(55, 362);
    scene.view.redrawBeakerRim();
    EXPECT_EQ(scene.at(50, 369), QColor(Qt::black));
    EXPECT_EQ(scene.at(62, 371), QColor(Qt::black));
    EXPECT_EQ(scene.at(62, 370), kPaper);
    // The next refresh wipes the sprite.
    scene.view.niveaubecher(s);
    EXPECT_EQ(scene.view.canvas().image(), before);
}

TEST(ApparatusView, TapPicturesShowItsState)
{
    const QImage closed = ApparatusView::tapPicture(false).toImage();
    const QImage open = ApparatusView::tapPicture(true).toImage();
    EXPECT_EQ(ApparatusView::tapPicture(false).deviceIndependentSize(), QSizeF(24, 24));
    EXPECT_EQ(ApparatusView::dropPicture().deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_NE(closed, open);

    // The scene paints the tap picture matching the state.
    SceneState s;
    Scene scene(s);
    const QImage shut = scene.view.canvas().image().copy(QRect(76, 297, 24, 24));
    s.tapOpen = true;
    scene.view.niveaubecher(s);
    EXPECT_NE(scene.view.canvas().image().copy(QRect(76, 297, 24, 24)), shut);
}

// The pH-meter's probe dips between the stream and the cell; its case stands
// where no control lies, and its widest reading stays inside its window,
// with the conductimeter or in its place.
TEST(ApparatusView, PhMeterProbeAndReadingFitTheScene)
{
    const auto digit = [](QColor c) { return c.green() > 200 && c.red() < 180; };
    for (bool conductimetre : {true, false}) {
        SceneState s;
        s.vsol = 100; // surface at 425
        s.vpoured = 25;
        s.liquid = indicatorColour(5, 7.0);
        s.conductimetre = conductimetre;
        s.phmetre = true;
        s.phText = QStringLiteral("pH = 14,00");
        Scene scene(s);
        EXPECT_EQ(scene.view.phShown(), s.phText);
        EXPECT_NE(scene.at(76, 420), rgb(liquidColumnColour(s.liquid, 76))) << "probe";
        EXPECT_NE(scene.at(76, 435), rgb(liquidColumnColour(s.liquid, 76))) << "immersed";
        EXPECT_EQ(scene.at(76, 448), rgb(liquidColumnColour(s.liquid, 76))) << "over the bar";

        const QRect display = scene.view.phDisplayRect();
        ASSERT_TRUE(QRect(QPoint(0, 0), ApparatusView::kSize).contains(display));
        int inside = 0, around = 0;
        for (int y = display.top() - 6; y <= display.bottom() + 6; ++y)
            for (int x = display.left() - 6; x <= display.right() + 6; ++x)
                (display.contains(x, y) ? inside : around) += digit(scene.at(x, y));
        EXPECT_GT(inside, 40) << conductimetre;
        EXPECT_EQ(around, 0) << conductimetre;
        // Without the conductimeter, the pH-meter takes its place.
        for (Overlay o : {Overlay::DropButton, Overlay::EmptyBurette, Overlay::FastPlot,
                          Overlay::Conductimeter}) {
            const QRect r = scene.view.overlayRect(o);
            if (scene.view.overlayVisible(o))
                EXPECT_FALSE(r.intersects(display.adjusted(-8, -8, 8, 30))) << int(o);
        }
        // A new reading replaces the last one.
        scene.view.showPh(QStringLiteral("pH = 7,00"));
        EXPECT_EQ(scene.view.phShown(), QStringLiteral("pH = 7,00"));
    }
    SceneState off;
    off.vsol = 100;
    Scene without(off);
    EXPECT_TRUE(without.view.phShown().isEmpty());
    EXPECT_EQ(without.at(76, 435), rgb(liquidColumnColour(off.liquid, 76)));
}
