// The bench shown larger than its design: controls found where the design
// puts them, pictures drawn at the resolution they are shown at, copies for
// paper whole and fine.
#include "graph/headerpictures.h"
#include "platform/layoutscaler.h"
#include "tests/support/benchdriver.h"
#include "tests/support/wholepicture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using namespace titrage;

namespace {

class Scaled : public ::testing::Test {
protected:
    // Where a design point of the window lands.
    QPoint shownAt(QPointF design) const { return LayoutScaler::of(w)->toWindow(design).toPoint(); }

    titrage::testing::BenchDriver d;
    feuilleP* const w = &d.window();
};

// The design point of `control`'s centre, in the window's design units.
QPointF designCentre(const feuilleP& w, QWidget* control)
{
    QPointF at = QRectF(w.designGeometry(control)).center();
    for (QWidget* p = control->parentWidget(); p && p != &w; p = p->parentWidget())
        at += w.designGeometry(p).topLeft();
    return at;
}

} // namespace

TEST_F(Scaled, ClicksReachTheSameControlsAtAnySize)
{
    QWidget& fermer = d.find<QWidget>("Command1");
    const QRect atDesign = fermer.geometry();
    struct Case {
        QSize window;
        qreal scale;
        QPoint offset;
    };
    for (const Case& c : {Case{{1600, 1200}, 2.0, {0, 0}}, Case{{1920, 1080}, 1.8, {240, 0}},
                          Case{{800, 600}, 1.0, {0, 0}}}) {
        w->resize(c.window);
        QApplication::processEvents();
        const LayoutScaler* s = LayoutScaler::of(w);
        ASSERT_NE(s, nullptr);
        EXPECT_DOUBLE_EQ(s->scale(), c.scale) << c.window.width();
        EXPECT_EQ(s->offset(), c.offset) << c.window.width();
        for (const char* name : {"Command1", "Command4", "btexo", "Image3", "Text1(1)", "Text1(0)",
                                 "Option2(7)", "supertext", "Onglets"}) {
            QWidget* control = &d.find<QWidget>(QLatin1String(name));
            QWidget* found = w->childAt(shownAt(designCentre(*w, control)));
            while (found && found != control)
                found = found->parentWidget();
            EXPECT_EQ(found, control)
                << control->objectName().toStdString() << " at " << c.window.width();
        }
        // Design units stay those of the program's routines.
        EXPECT_EQ(w->designGeometry(&fermer), atDesign);
    }
    EXPECT_EQ(fermer.geometry(), atDesign); // back at the design size

    // A click on the third tab's title, scaled, selects it; the graph's
    // logical point under a scaled click is the design one.
    w->resize(1600, 1200);
    QApplication::processEvents();
    const auto& bounds = d.tabs().bornesonglets();
    const QPointF tab3((bounds[2] + bounds[3]) / 2.0, 7);
    QTest::mouseClick(&d.tabs(), Qt::LeftButton, {}, (tab3 * 2).toPoint());
    EXPECT_EQ(d.tabs().ongletactif(), 3);
    EXPECT_EQ(d.graph().toLogical(QPointF(2 * (60 - GraphView::kLeft) + 1, 2 * 250 + 1)),
              QPointF(60.5, 250.5));
}

TEST_F(Scaled, PicturesAreDrawnAtTheResolutionTheyAreShownAt)
{
    const Canvas& scene = d.apparatus().canvas();
    const QImage atOne = scene.image().copy();
    w->resize(1600, 1200);
    QApplication::processEvents();
    w->grab();
    EXPECT_EQ(scene.image().size(), ApparatusView::kSize * 2);
    EXPECT_EQ(scene.image().deviceIndependentSize(), QSizeF(ApparatusView::kSize));
    EXPECT_EQ(d.tabs().canvas().size(), QSize(524, 20));
    EXPECT_DOUBLE_EQ(d.tabs().canvas().devicePixelRatio(), 2.0);
    // Logical reads are those of the design size: the liquid at x = 52.
    EXPECT_EQ(scene.pixel(52, 452), QColor(230, 240, 250));
    EXPECT_EQ(scene.pixel(30, 100), atOne.pixelColor(30, 100));
    // Fonts grow with the window.
    const QWidget& fermer = d.find<QWidget>("Command1");
    EXPECT_NEAR(fermer.font().pointSizeF(), 2 * 9.0, 0.01);
    w->resize(800, 600);
    QApplication::processEvents();
    w->grab();
    EXPECT_EQ(scene.image(), atOne);
    EXPECT_NEAR(fermer.font().pointSizeF(), 9.0, 0.01);
}

TEST_F(Scaled, CopiesHoldTheWholeTableAtPaperResolution)
{
    d.find<QSpinBox>("UpDown1").setValue(5);
    d.fastPlot(); // 51 rows, 7 on screen
    ASSERT_EQ(d.rows(), 51);
    w->resize(1920, 1080); // shown larger: the copy stays the design's
    QApplication::processEvents();
    d.action("copima").trigger();
    const QImage copied = QApplication::clipboard()->image();
    const int rowsHeight = 51 * w->tableRowHeight();
    EXPECT_GE(copied.height(), 4 * (kHeaderHeight + rowsHeight));
    EXPECT_LE(copied.height(), 4 * (kHeaderHeight + rowsHeight + 4));
    EXPECT_EQ(copied.width(), 4 * 516);
    EXPECT_GE(copied.dotsPerMeterX(), 300 / 0.0254);
    // The last row carries ink (its figures), not a blank cut.
    const QImage table = w->tablePicture();
    int ink = 0;
    const int lastRowTop = int(4 * (kHeaderHeight + 50 * w->tableRowHeight()));
    for (int y = lastRowTop; y < lastRowTop + 4 * w->tableRowHeight(); ++y)
        for (int x = 0; x < table.width(); ++x)
            ink += qGray(table.pixel(x, y)) < 128;
    EXPECT_GT(ink, 50);
}

TEST_F(Scaled, TheSigmaReadingIsWrittenOnTheDisplayClearOfItsUnit)
{
    const QRect display = d.apparatus().overlayRect(Overlay::Conductimeter);
    const QPalette colours = d.find<QWidget>("LabelpH").palette();
    const QColor back = colours.color(QPalette::Window);
    const QColor fore = colours.color(QPalette::WindowText);
    const QImage before = d.apparatus().canvas().image().copy();
    const QImage picture = w->illustrationForPrint();
    ASSERT_EQ(picture.devicePixelRatio(), 4.0);
    int digits = 0, dark = 0, beside = 0;
    for (int y = 4 * display.top(); y < 4 * (display.bottom() + 1); ++y) {
        for (int x = 4 * display.left(); x < 4 * (display.right() + 1); ++x) {
            const QColor c = picture.pixelColor(x, y);
            digits += c.green() > 200 && c.red() < 180;
            dark += c == back;
        }
    }
    // The unit under the display is left as the scene drew it.
    for (int y = 4 * (display.bottom() + 1); y < 4 * (display.bottom() + 16); ++y)
        for (int x = 4 * display.left(); x < 4 * (display.right() + 1); ++x)
            beside += picture.pixelColor(x, y) != before.pixelColor(x / 4, y / 4) &&
                      picture.pixelColor(x, y).green() > 200 &&
                      picture.pixelColor(x, y).red() < 180;
    EXPECT_GT(digits, 100) << d.conductimeter().toStdString();
    EXPECT_GT(dark, 4 * 4 * display.width() * display.height() / 3);
    EXPECT_EQ(beside, 0);
    EXPECT_EQ(fore.lightness() - back.lightness() > 100, true);
    w->restoreIllustration();
    EXPECT_EQ(d.apparatus().canvas().image(), before);
}

TEST_F(Scaled, TheLongestReadingsFitTheirBoxesAtEverySize)
{
    // Each read-out with the longest texts it shows, measured in the font it
    // is shown in against the room its box leaves for text.
    auto& meter = d.find<QLabel>("LabelpH");
    auto& poured = d.find<QLabel>("Labelbur");
    QLineEdit& burette = d.box(1);
    ValueTable& table = d.table();
    table.resetTable(6);
    table.appendRow({"24,95", "3,76E-05", "0,00000001", "1,23E-14", "12,35", "9,99E-10"});
    const QStringList meterTexts = {"0,00000001", "3,76E-05", "0,000123", "1,23E+03"};
    for (const QSize window : {QSize(480, 360), QSize(800, 600), QSize(1600, 1200)}) {
        LayoutScaler::of(w)->fit(window);
        QApplication::processEvents();
        const std::string at = std::to_string(window.width());
        for (const QString& text : meterTexts) {
            const int room = meter.contentsRect().width() - 2 * std::max(0, meter.indent());
            EXPECT_LE(QFontMetrics(meter.font()).horizontalAdvance(text), room)
                << text.toStdString() << " at " << at;
        }
        EXPECT_LE(QFontMetrics(poured.font()).horizontalAdvance(QStringLiteral("24,95 mL")),
                  poured.contentsRect().width())
            << at;
        // A line edit keeps a few pixels of frame and margin on each side.
        EXPECT_LE(QFontMetrics(burette.font()).horizontalAdvance(QStringLiteral("0,00000001")) + 8,
                  burette.width())
            << at;
        for (int c = 0; c < table.columns(); ++c)
            EXPECT_LE(QFontMetrics(table.font()).horizontalAdvance(table.cellText(0, c)) + 6,
                      table.columnWidth(c))
                << table.cellText(0, c).toStdString() << " at " << at;
    }

    // The copied illustration: the digits whole inside the display, none of
    // their ink on its left edge where a cut would leave it.
    LayoutScaler::of(w)->fit(QSize(800, 600));
    QApplication::processEvents();
    const QRect display = d.apparatus().overlayRect(Overlay::Conductimeter);
    // The unit's line under the digits lies on the display's face, inside
    // its bezel.
    EXPECT_EQ(d.apparatus().canvas().pixel(display.left() + 1, display.bottom() + 16),
              QColor(214, 226, 204));
    for (const QString& text : meterTexts) {
        meter.setText(text);
        const QImage picture = w->illustrationForPrint();
        const qreal r = picture.devicePixelRatio();
        int edgeInk = 0, ink = 0;
        for (int y = int(r * display.top()); y < int(r * (display.bottom() + 1)); ++y)
            for (int x = int(r * display.left()); x < int(r * (display.right() + 1)); ++x) {
                const QColor c = picture.pixelColor(x, y);
                const bool digit = c.green() > 150 && c.red() < 150;
                ink += digit;
                if (x < int(r * (display.left() + 2))) edgeInk += digit;
            }
        EXPECT_GT(ink, 100) << text.toStdString();
        EXPECT_EQ(edgeInk, 0) << text.toStdString();
        w->restoreIllustration();
    }
}

TEST_F(Scaled, ProjectorViewTogglesFullScreen)
{
    QAction& view = d.action("vueprojecteur");
    EXPECT_EQ(view.shortcut(), QKeySequence(Qt::Key_F11));
    view.trigger();
    EXPECT_TRUE(w->isFullScreen());
    view.trigger();
    EXPECT_FALSE(w->isFullScreen());
}

TEST_F(Scaled, CalculatorOpensAsLargeAsTheBenchAndWorksThere)
{
    w->resize(1600, 1200); // twice the design
    QApplication::processEvents();
    QSize shown;
    QRect display;
    QString result;
    Messages::setDialogRunner([&](QDialog& d) {
        d.show();
        QApplication::processEvents();
        shown = d.size();
        // The simple layout's display (8, 16, 286, 89), twice as large.
        display = d.findChild<QPlainTextEdit*>(QStringLiteral("z1"))->geometry();
        d.findChild<QAbstractButton*>(QStringLiteral("B9"))->click();
        d.findChild<QAbstractButton*>(QStringLiteral("EXE"))->click();
        result = d.findChild<QPlainTextEdit*>(QStringLiteral("z1"))->toPlainText();
        d.hide();
        return int(QDialog::Accepted);
    });
    d.click("Command8");
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(shown, QSize(604, 948));
    EXPECT_EQ(display, QRect(16, 32, 572, 178));
    EXPECT_TRUE(result.contains(QLatin1Char('9'))) << result.toStdString();
}

// The pH-meter's reading, drawn into the picture, stays in its window on
// paper as on screen, whatever the pH.
TEST_F(Scaled, ThePhReadingStaysInItsWindowOnPaper)
{
    d.find<QAbstractButton>("phmetre").click();
    d.solute(4);
    for (const char* poured : {"0", "25"}) {
        d.type(5, QString::fromLatin1(poured));
        ASSERT_FALSE(d.apparatus().phShown().isEmpty());
        const QRect display = d.apparatus().phDisplayRect();
        const QImage picture = w->illustrationForPrint();
        ASSERT_EQ(picture.devicePixelRatio(), 4.0);
        int inside = 0, around = 0;
        const QRect band = display.adjusted(-8, -8, 8, 8);
        for (int y = 4 * band.top(); y < 4 * (band.bottom() + 1); ++y)
            for (int x = 4 * band.left(); x < 4 * (band.right() + 1); ++x) {
                const QColor c = picture.pixelColor(x, y);
                const bool digit = c.green() > 200 && c.red() < 180;
                (display.contains(x / 4, y / 4) ? inside : around) += digit;
            }
        EXPECT_GT(inside, 400) << poured;
        EXPECT_EQ(around, 0) << poured;
        w->restoreIllustration();
    }
}

// The Paramètres page holds every control it has within its design size:
// none lies below the frame where no one could see it.
TEST_F(Scaled, EveryParameterLiesWithinItsPage)
{
    QWidget& page = d.find<QWidget>("Picture3");
    const QRect inside(QPoint(0, 0), w->designGeometry(&page).size());
    int controls = 0;
    for (QWidget* c : page.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (c->isHidden()) continue;
        ++controls;
        EXPECT_TRUE(inside.contains(w->designGeometry(c)))
            << c->objectName().toStdString() << " at " << w->designGeometry(c).y();
    }
    EXPECT_GE(controls, 12);
}

namespace {

// A pixel of the closed tap's red lever.
bool tapRed(QColor c)
{
    return c.red() > 100 && c.red() > 2 * c.green() && c.green() < 90 && c.blue() < 90;
}

} // namespace

// Smaller and larger than its design, and in a window of another shape: every
// control and every painted picture lies where the design puts it, scaled,
// inside the window; each picture shows its whole drawing at the scale (none
// cropped at its design size), and the tap is drawn once, under its control.
TEST_F(Scaled, EveryControlAndPictureFollowsTheScaleBelowAndAboveTheDesign)
{
    struct Case {
        QSize window;
        qreal scale;
    };
    const LayoutScaler& scaler = *LayoutScaler::of(w);
    const QRect designWindow(QPoint(), scaler.designSize());
    QWidget& tap = d.find<QWidget>("Image3");
    ApparatusView& scene = d.apparatus();
    for (const Case& c : {Case{{480, 360}, 0.6}, Case{{640, 480}, 0.8}, Case{{800, 600}, 1.0},
                          Case{{1200, 900}, 1.5}, Case{{1600, 1200}, 2.0},
                          Case{{1000, 500}, 500.0 / 600}}) {
        w->resize(c.window);
        QApplication::processEvents();
        const std::string at = std::to_string(c.window.width()) + "x" +
                               std::to_string(c.window.height());
        ASSERT_NEAR(scaler.scale(), c.scale, 1e-9) << at;
        for (int page : {2, 3, 1}) {
            d.tabs().setOngletactif(page);
            QApplication::processEvents();
            for (QWidget* control : w->findChildren<QWidget*>()) {
                if (control->isWindow() || !control->isVisibleTo(w) || !scaler.places(control))
                    continue;
                QRectF design(w->designGeometry(control));
                for (QWidget* p = control->parentWidget(); p && p != w; p = p->parentWidget())
                    design.translate(w->designGeometry(p).topLeft());
                if (!designWindow.contains(design.toRect())) continue; // parked out of sight
                const QRect shown(control->mapTo(w, QPoint()), control->size());
                const QRectF expected(scaler.toWindow(design.topLeft()),
                                      scaler.toWindow(design.bottomRight() + QPointF(1, 1)));
                const std::string name = control->objectName().toStdString() + " at " + at;
                EXPECT_TRUE(w->rect().contains(shown)) << name;
                EXPECT_TRUE(expected.adjusted(-1, -1, 1, 1).contains(QRectF(shown))) << name;
                // Its caption whole: fonts come in whole pixels, and one
                // rounded up would outgrow the control (the hint keeps a
                // pixel of margin past the text).
                if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control))
                    EXPECT_LE(control->sizeHint().width(), control->width() + 1) << name;
            }
            for (CanvasWidget* picture : w->findChildren<CanvasWidget*>()) {
                if (!picture->isVisibleTo(w) || picture->size().isEmpty()) continue;
                const std::string name = picture->objectName().toStdString() + " at " + at;
                EXPECT_GT(titrage::testing::flatPointsShown(picture->canvas()), 0.97) << name;
                EXPECT_NEAR(picture->canvas().image().width(), picture->width(), 1) << name;
            }
        }
        // The beaker's liquid at (52, 452) of the picture, where the scale puts it.
        const QImage picture = scene.grab().toImage();
        const QPoint liquid = (QPointF(52.5, 452.5) * c.scale).toPoint();
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (const QColor p = picture.pixelColor(liquid + QPoint(dx, dy));
                    std::abs(p.red() - 230) <= 6 && std::abs(p.green() - 240) <= 6 &&
                    std::abs(p.blue() - 250) <= 6)
                    found = true;
        EXPECT_TRUE(found) << at;
        // One tap: the red of its lever only under the control, with the
        // control shown and with the picture alone.
        for (bool control : {true, false}) {
            tap.setVisible(control);
            const QImage burette = scene.grab().toImage();
            const QRect under = tap.geometry().adjusted(-1, -1, 1, 1);
            int inside = 0, outside = 0;
            for (int y = 0; y < burette.height(); ++y)
                for (int x = 0; x < std::min(burette.width(), int(115 * c.scale)); ++x)
                    if (tapRed(burette.pixelColor(x, y))) ++(under.contains(x, y) ? inside : outside);
            EXPECT_GT(inside, 10) << at << (control ? " control" : " picture");
            EXPECT_EQ(outside, 0) << at << (control ? " control" : " picture");
        }
        tap.show();
    }
}
