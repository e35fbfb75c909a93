// The bench on a real X display (Xvfb with a window manager, the xcb
// platform), driven by real mouse and key events from xdotool: what depends on
// focus, activation, keys and the clipboard behaves as the student sees it.
#include "bench/linestool.h"
#include "graph/graphview.h"
#include "model/graphframe.h"
#include "platform/appstyle.h"
#include "platform/canvas.h"
#include "platform/frenchtranslations.h"
#include "tests/support/benchdriver.h"
#include "tests/support/wholepicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

using namespace titrage;

namespace {

// How long a window may take to be shown and activated: the window manager
// answers in milliseconds on an idle machine, in seconds under a sanitizer
// build with the other core busy. The waits return as soon as it is done.
constexpr int kWindowMs = 60000;

// Runs xdotool with `args`; true when it succeeded.
bool xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(kWindowMs) && p.exitStatus() == QProcess::NormalExit &&
           p.exitCode() == 0;
}

// Lets events run until `done` holds or `ms` pass.
bool waitUntil(const std::function<bool()>& done, int ms = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

void settle(int ms = 150)
{
    QTest::qWait(ms);
}

// A screenshot of the whole screen, when TITRAGE_SCREENSHOTS names a folder.
void screenshot(const char* name)
{
    const QByteArray folder = qgetenv("TITRAGE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                                                     QLatin1String(name) + QStringLiteral(".png")});
}

class OnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QTest::qWaitForWindowActive(w, kWindowMs)) << "the window never became active";
        settle(300);
        wid = QString::number(w->winId());
    }
    void TearDown() override
    {
        d.messages().setAnswer(MessageAnswer::Ok);
        w->close();
    }

    // A real click at the centre of `widget` (or at `at`, in its coordinates).
    void click(QWidget* widget, QPoint at = {-1, -1}, int button = 1)
    {
        const QPoint p = widget->mapTo(w, at.x() < 0 ? widget->rect().center() : at);
        ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), wid,
                             QString::number(p.x()), QString::number(p.y()),
                             QStringLiteral("click"), QString::number(button)}));
        settle();
    }
    void key(const QString& keys)
    {
        ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys}));
        settle();
    }
    void typeText(const QString& text)
    {
        ASSERT_TRUE(xdotool(
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text}));
        settle();
    }
    // Holds the tap with the mouse until the poured volume reaches `ml`.
    void pourTo(double ml)
    {
        QWidget& tap = d.find<QWidget>("Image3");
        const QPoint p = tap.mapTo(w, tap.rect().center());
        ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), wid,
                             QString::number(p.x()), QString::number(p.y()),
                             QStringLiteral("mousedown"), QStringLiteral("1")}));
        const bool reached = waitUntil([&] { return d.poured() >= ml; }, 20000);
        ASSERT_TRUE(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        settle();
        ASSERT_TRUE(reached) << d.poured();
    }
    QWidget* control(const char* name) const { return &d.find<QWidget>(QLatin1String(name)); }
    void clickTab(int k)
    {
        const auto& bounds = d.tabs().bornesonglets();
        click(&d.tabs(), QPoint((bounds[k - 1] + bounds[k]) / 2, TabStrip::kTabHeight / 2));
    }

    titrage::testing::BenchDriver d;
    feuilleP* const w = &d.window();
    QString wid;
};

} // namespace

TEST_F(OnScreen, VisitingEveryPageKeepsTheTitration)
{
    pourTo(9.0);
    const QString volume = d.entry(5);
    const int measured = d.rows();
    ASSERT_GE(measured, 19);
    for (int k : {2, 3, 4, 5, 1}) {
        clickTab(k);
        if (k == 2) screenshot("graph-after-pouring");
        EXPECT_EQ(d.tabs().ongletactif(), k);
        EXPECT_EQ(d.entry(5), volume) << "page " << k;
        EXPECT_EQ(d.rows(), measured) << "page " << k;
    }
    EXPECT_EQ(w->measuredPoints(0).size(), static_cast<size_t>(measured));
}

TEST_F(OnScreen, SwitchingSituationsKeepsTheMeasurements)
{
    pourTo(4.0);
    const QString volume = d.entry(5);
    const int measured = d.rows();
    click(control("Option2(1)"));
    EXPECT_EQ(w->store().numsit, 1);
    EXPECT_EQ(d.rows(), 1);
    click(control("Option2(0)"));
    EXPECT_EQ(w->store().numsit, 0);
    EXPECT_EQ(d.entry(5), volume);
    EXPECT_EQ(d.rows(), measured);
    EXPECT_EQ(w->measuredPoints(0).size(), static_cast<size_t>(measured));
    screenshot("back-to-situation-1");
}

TEST_F(OnScreen, ValueTypedWithoutEnterIsCorrectedBeforeTheFastPlot)
{
    click(control("Text1(0)"));
    key(QStringLiteral("ctrl+a"));
    key(QStringLiteral("minus"));
    key(QStringLiteral("5"));
    ASSERT_EQ(d.entry(0), QStringLiteral("-5"));
    click(control("Command13")); // "Trace rapide"
    EXPECT_EQ(d.entry(0), QStringLiteral("0,000 000 01"));
    EXPECT_EQ(d.entry(5), QStringLiteral("25,0"));
    const double sigma = d.conductimeter().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    EXPECT_TRUE(std::isfinite(sigma) && sigma > 0) << d.conductimeter().toStdString();
    screenshot("fast-plot-after-minus-five");
}

TEST_F(OnScreen, TabLeavesTheBoxAndTheNextKeyGoesElsewhere)
{
    click(control("Text1(4)"));
    key(QStringLiteral("ctrl+a"));
    typeText(QStringLiteral("25"));
    key(QStringLiteral("Tab"));
    EXPECT_NE(QApplication::focusWidget(), control("Text1(4)"));
    EXPECT_EQ(d.entry(4), QStringLiteral("25,0"));
    typeText(QStringLiteral("7"));
    EXPECT_EQ(d.entry(4), QStringLiteral("25,0"));
    // Shift+Tab comes back, and the editing keys work.
    key(QStringLiteral("shift+Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("Text1(4)"));
    key(QStringLiteral("End"));
    key(QStringLiteral("BackSpace"));
    key(QStringLiteral("Home"));
    key(QStringLiteral("Delete"));
    EXPECT_EQ(d.entry(4), QStringLiteral("5,"));
}

TEST_F(OnScreen, PastingFiltersAndTheMenuIsFrench)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("0.005abc"));
    settle();
    click(control("Text1(0)"));
    key(QStringLiteral("ctrl+a"));
    key(QStringLiteral("ctrl+v"));
    EXPECT_EQ(d.entry(0), QStringLiteral("0,005"));
    key(QStringLiteral("ctrl+z"));
    EXPECT_EQ(d.entry(0), QStringLiteral("0,01"));

    // The menu's "Coller" pastes through the same filter.
    QGuiApplication::clipboard()->setText(QStringLiteral("1.5 mL"));
    key(QStringLiteral("ctrl+a"));
    QStringList texts;
    QTimer::singleShot(400, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        screenshot("entry-context-menu");
        for (QAction* a : menu->actions())
            texts << a->text().remove(QLatin1Char('&'));
        for (QAction* a : menu->actions())
            if (a->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Coller")))
                a->trigger();
        menu->close();
    });
    click(control("Text1(0)"), {-1, -1}, 3);
    waitUntil([&] { return !texts.isEmpty(); });
    settle(300);
    EXPECT_TRUE(texts.join(QLatin1Char('|')).contains(QStringLiteral("Coller")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(d.entry(0), QStringLiteral("1,5")) << texts.join(QLatin1Char('|')).toStdString();
}

TEST_F(OnScreen, LauncherRequestWhileRunningOpensTheExercise)
{
    ASSERT_TRUE(d.copyShipped({"EXO1.E42", "EXO1.RTF", "EXO1C.RTF", "EXO1.C16", "EXO1C.C16"},
                              QStringLiteral("exercices")));
    const QString before = d.text("supertext");

    // Another window comes to the front; the launcher writes its request.
    QWidget other;
    other.setWindowTitle(QStringLiteral("Lanceur"));
    other.resize(200, 100);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other, kWindowMs));
    xdotool({QStringLiteral("windowactivate"), QString::number(other.winId())});
    ASSERT_TRUE(waitUntil([&] { return !w->isActiveWindow(); }));

    ASSERT_TRUE(titrage::testing::writeMarkerRecord(d.folder(), 31, "EXO1.E42"));

    // The student comes back to the bench.
    xdotool({QStringLiteral("windowactivate"), wid});
    ASSERT_TRUE(waitUntil([&] { return w->isActiveWindow(); }));
    EXPECT_TRUE(waitUntil([&] { return d.text("supertext") != before; }));
    settle(300);
    screenshot("launcher-exercise");
}

TEST_F(OnScreen, KeyboardTurnsPagesHoldsTheTapAndAddsADrop)
{
    click(control("Text1(5)"));
    key(QStringLiteral("ctrl+Tab"));
    EXPECT_EQ(d.tabs().ongletactif(), 2);
    key(QStringLiteral("ctrl+Next"));
    EXPECT_EQ(d.tabs().ongletactif(), 3);
    key(QStringLiteral("ctrl+shift+Tab"));
    key(QStringLiteral("ctrl+Prior"));
    EXPECT_EQ(d.tabs().ongletactif(), 1);

    // Ctrl+Down held pours; its release closes the tap.
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl+Down")}));
    const bool poured = waitUntil([&] { return d.poured() >= 2.0; }, 10000);
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl+Down")}));
    settle();
    ASSERT_TRUE(poured);
    EXPECT_FALSE(d.timerActive("Timer1"));
    const double held = d.poured();
    settle(200);
    EXPECT_EQ(d.poured(), held);

    // Ctrl+Shift+Down: one drop of 0,05 mL.
    key(QStringLiteral("ctrl+shift+Down"));
    EXPECT_TRUE(waitUntil([&] { return std::abs(d.poured() - held - 0.05) < 1e-6; }));

    // Space held on the focused tap.
    control("Image3")->setFocus(Qt::TabFocusReason);
    const double before = d.poured();
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), QStringLiteral("space")}));
    const bool spaced = waitUntil([&] { return d.poured() >= before + 1.0; }, 10000);
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), QStringLiteral("space")}));
    settle();
    EXPECT_TRUE(spaced);
    EXPECT_FALSE(d.timerActive("Timer1"));
    screenshot("keyboard-pouring");
}

// Pixels of the focus frame's colour on screen around `widget`.
int focusFramePixels(QWidget* window, QWidget* widget)
{
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    const qreal ratio = shot.devicePixelRatio();
    const QRect area =
        QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()).adjusted(-3, -3, 3, 3);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint at(qRound(x * ratio), qRound(y * ratio));
            if (shot.rect().contains(at) && QColor(shot.pixel(at)) == kFocusColour) ++n;
        }
    return n;
}

TEST_F(OnScreen, TabWalksTheBenchInReadingOrderWithAClearFrame)
{
    const QString text = d.find<QTextEdit>("supertext").toHtml();
    d.tabs().setFocus(Qt::TabFocusReason);
    settle();
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
        QWidget* f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        if (!visited.isEmpty() && f == control("Onglets")) break;
        visited << f->objectName();
        // A frame two pixels wide all round, not a faint line.
        EXPECT_GE(focusFramePixels(w, f), 60) << f->objectName().toStdString();
        key(QStringLiteral("Tab"));
    }
    const QStringList expected = {
        "Onglets",   "Option1(0)", "lbecher",  "Text1(0)", "command5", "Text1(4)",  "Text1(6)",
        "lindic",    "Text1(5)",   "Text1(1)", "Image3",   "Image1",   "Command6",  "Command13",
        "Command14", "Option2(0)", "Command1", "Command7", "Command8", "Command10", "Command4",
        "Command11", "Command2",   "btexo",    "fich",     "supertext"};
    EXPECT_EQ(visited, expected);
    // Tab left the student's text without typing into it.
    EXPECT_EQ(d.find<QTextEdit>("supertext").toHtml(), text);
    screenshot("focus-walk");

    // Turning the page from a box of the page hidden: the focus goes to the
    // strip, and Tab leads into the new page.
    click(control("Text1(4)"));
    key(QStringLiteral("ctrl+Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("Onglets"));
    key(QStringLiteral("ctrl+Tab"));
    key(QStringLiteral("ctrl+Tab"));
    ASSERT_EQ(d.tabs().ongletactif(), 4);
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("optscema(1)"));

    // The situations' stop is the one chosen, even when the program chose it.
    w->restoreSituation(3);
    control("Command14")->setFocus(Qt::TabFocusReason);
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("Option2(3)"));
}

TEST_F(OnScreen, TheWalkStaysWholeAfterASwitchAndEveryGraphTool)
{
    // After a situation switch the nature of the solution is still a stop,
    // whichever of its buttons the switch checked, and Shift+Tab comes back
    // to it.
    d.nature(1);
    w->Option2_Click(1);
    w->Option2_Click(0);
    ASSERT_TRUE(d.find<QRadioButton>("Option1(1)").isChecked());
    d.tabs().setFocus(Qt::TabFocusReason);
    settle();
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("Option1(1)"));
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("lbecher"));
    key(QStringLiteral("shift+Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("Option1(1)"));
    // The arrows choose the other nature, and the stop follows the choice.
    key(QStringLiteral("Left"));
    EXPECT_TRUE(d.find<QRadioButton>("Option1(0)").isChecked());
    w->Option2_Click(1);
    d.tabs().setFocus(Qt::TabFocusReason);
    settle();
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), control("Option1(0)"));

    // Each graph tool run from the keyboard keeps the focus: the next key
    // goes to the tools, never to an entry box.
    d.solute(2);
    d.fastPlot();
    clickTab(2);
    ASSERT_TRUE(waitUntil([&] { return d.graph().isVisible(); }));
    for (const char* tool : {"Command3", "image4", "image5", "contributions", "droites",
                             "Command9"}) {
        QWidget* b = control(tool);
        if (!b->isEnabled()) continue;
        b->setFocus(Qt::TabFocusReason);
        settle();
        key(QStringLiteral("space"));
        EXPECT_EQ(QApplication::focusWidget(), b) << tool;
        key(QStringLiteral("5"));
        EXPECT_EQ(d.entry(1), QStringLiteral("0,01")) << tool;
    }
    screenshot("after-tools");
    // A click on a tab leaves no entry box with the focus.
    click(control("Text1(1)"));
    clickTab(3);
    EXPECT_EQ(QApplication::focusWidget(), control("Onglets"));
    key(QStringLiteral("5"));
    EXPECT_EQ(d.entry(1), QStringLiteral("0,01"));
}

int main(int argc, char** argv)
{
    // These tests need a real display: never the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    installFrenchTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(OnScreen, LinesMarkerFollowsARealDragThenTheArrowKeys)
{
    d.solute(2); // acide chlorhydrique
    d.fastPlot();
    clickTab(2);
    GraphView& g = d.graph();
    ASSERT_TRUE(waitUntil([&] { return g.isVisible(); }));
    click(control("droites"));
    LinesTool& t = *w->linesTool();
    ASSERT_TRUE(t.shown());
    // The window point over a logical point of the graph.
    auto at = [&](double x, double y) {
        const QSize s = g.canvas().size();
        const QPointF o = g.canvas().origin();
        return g.mapTo(w, QPoint(qRound((x - o.x()) * g.width() / s.width()),
                                 qRound((y - o.y()) * g.height() / s.height())));
    };
    const double from = t.fit().ranges.before.from, y = kGraphBottom - 2;
    const QPoint grip = at(graphX(from), y), there = at(graphX(8.0), y);
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), wid,
                         QString::number(grip.x()), QString::number(grip.y()),
                         QStringLiteral("mousedown"), QStringLiteral("1")}));
    settle();
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), wid,
                         QString::number(there.x()), QString::number(there.y())}));
    settle();
    // Held there: drawn under the pointer, not fitted yet.
    EXPECT_TRUE(d.graphHasColourNear(graphX(8.0), y, QColor(230, 120, 0), 2));
    EXPECT_DOUBLE_EQ(t.fit().ranges.before.from, from);
    ASSERT_TRUE(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    settle();
    EXPECT_NEAR(t.fit().ranges.before.from, 8.0, 0.1);
    // The grip's click gave the graph the focus: the arrows move the marker.
    ASSERT_TRUE(waitUntil([&] { return g.hasFocus(); }));
    const double moved = t.fit().ranges.before.from, to = t.fit().ranges.before.to;
    key(QStringLiteral("Right"));
    EXPECT_NEAR(t.fit().ranges.before.from, moved + 0.5, 1e-9);
    key(QStringLiteral("Down"));
    key(QStringLiteral("Left"));
    EXPECT_NEAR(t.fit().ranges.before.to, to - 0.5, 1e-9);
    EXPECT_TRUE(d.messages().requests().empty());
    screenshot("lines-markers");
}

namespace {

// The names of the controls Tab (or Shift+Tab) reaches from the strip, in
// order, until it comes to the burette's box that follows every page (or
// back to the strip).
QStringList pageWalk(feuilleP* w, const std::function<void(const QString&)>& press, bool back)
{
    QStringList names;
    QWidget* end = w->findChild<QWidget*>(back ? QStringLiteral("Onglets")
                                               : QStringLiteral("Text1(1)"));
    for (int i = 0; i < 30; ++i) {
        press(back ? QStringLiteral("shift+Tab") : QStringLiteral("Tab"));
        QWidget* f = QApplication::focusWidget();
        if (!f || f == end) break;
        names << f->objectName();
    }
    return names;
}

QStringList reversed(QStringList names)
{
    std::reverse(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(OnScreen, TheNewerControlsTakeTheirTurnAndTheirClicksKeepTheFocusOutOfTheBoxes)
{
    // Tab and Shift+Tab as real keys, each waited for until the focus moves.
    auto press = [this](const QString& k) {
        QWidget* before = QApplication::focusWidget();
        ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), k}));
        waitUntil([&] { return QApplication::focusWidget() != before; }, 3000);
    };
    d.solute(2); // acide chlorhydrique: no distribution diagram
    d.fastPlot();
    // Each page walked both ways, from the strip and back from the box
    // after it, in every state that changes what it shows.
    struct Case {
        const char* state;
        int page;
        std::function<void()> enter;
        QStringList expected;
    };
    const QStringList tools = {"Command12", "Command9", "image4", "image5", "droites",
                               "contributions"};
    const std::vector<Case> cases = {
        {"graph, sigma view", 2, [] {}, tools + QStringList{"vuegraphe"}},
        {"graph, lines shown", 2, [&] { control("droites")->setFocus(); key("space"); },
         QStringList{"Picture1", "montecarlo"} + tools + QStringList{"vuegraphe"}},
        {"graph, pH view", 2,
         [&] {
             control("vuegraphe")->setFocus(Qt::TabFocusReason);
             key("Down");
         },
         QStringList{"Command12", "Command9", "image4", "image5", "vuegraphe"}},
        {"parameters", 4, [] {},
         {"optscema(1)", "optscema(0)", "phmetre", "realistes", "graine", "Check1", "Check2",
          "corrdilution", "conserver", "masquer", "UpDown1", "reelles", "temperature"}},
        {"mixture", 1, [&] { click(control("Option1(2)")); },
         {"Option1(2)", "lmelange(0)", "cmelange(0)", "lmelange(1)", "cmelange(1)",
          "lmelange(2)", "cmelange(2)", "lburette", "Text1(4)", "Text1(6)", "lindic",
          "Text1(5)"}},
        {"mixture after a switch", 1,
         [&] {
             w->Option2_Click(1);
             w->Option2_Click(0);
         },
         {"Option1(2)", "lmelange(0)", "cmelange(0)", "lmelange(1)", "cmelange(1)",
          "lmelange(2)", "cmelange(2)", "lburette", "Text1(4)", "Text1(6)", "lindic",
          "Text1(5)"}},
    };
    for (const Case& c : cases) {
        clickTab(c.page);
        c.enter();
        d.tabs().setFocus(Qt::TabFocusReason);
        settle();
        EXPECT_EQ(pageWalk(w, press, false), c.expected) << c.state;
        control("Text1(1)")->setFocus(Qt::TabFocusReason);
        settle();
        EXPECT_EQ(pageWalk(w, press, true), reversed(c.expected)) << c.state;
    }
    screenshot("newer-controls-walk");

    // A click on each newer control, from a box with its text selected:
    // the focus is the control's, and the next digit edits no box.
    d.nature(0);
    struct Click {
        int page;
        const char* control;
        const char* then; // a key that chooses in a list just opened
    };
    for (const Click& c : {Click{2, "vuegraphe", "Up Return"}, Click{4, "phmetre", ""},
                           Click{4, "reelles", ""}, Click{4, "realistes", ""},
                           Click{4, "phmetre", ""}, Click{4, "reelles", ""}}) {
        clickTab(c.page);
        click(control("Text1(1)"));
        key(QStringLiteral("ctrl+a"));
        click(control(c.control));
        for (const QString& k : QString::fromLatin1(c.then).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            key(k);
        settle(300);
        EXPECT_EQ(QApplication::focusWidget(), control(c.control)) << c.control;
        key(QStringLiteral("5"));
        EXPECT_EQ(d.entry(1), QStringLiteral("0,01")) << c.control;
    }
    // The mixture's lists likewise.
    clickTab(1);
    click(control("Option1(2)"));
    for (const char* list : {"lmelange(1)", "lburette"}) {
        click(control("Text1(1)"));
        key(QStringLiteral("ctrl+a"));
        click(control(list));
        key(QStringLiteral("Return"));
        settle(300);
        EXPECT_EQ(QApplication::focusWidget(), control(list)) << list;
        key(QStringLiteral("5"));
        EXPECT_EQ(d.entry(1), QStringLiteral("0,01")) << list;
    }
    d.messages().setAnswer(MessageAnswer::Ok);
}

// On a netbook's 1024 x 600 screen the window, once framed by the window
// manager, lies whole in the free area with its title bar, shown smaller than
// its design; pouring and turning the pages, every picture shows all of its
// drawing.
TEST_F(OnScreen, OnANetbookTheWindowFitsAndItsPicturesAreWhole)
{
    const QRect free = w->screen()->availableGeometry();
    ASSERT_LE(free.height(), 600) << "run by display_netbook_tests on a 1024x600 screen";
    ASSERT_TRUE(waitUntil([&] {
        return w->frameGeometry() != w->geometry() && w->geometry().height() < 600;
    })) << w->frameGeometry().height();
    settle(300);
    const QRect frame = w->frameGeometry(), client = w->geometry();
    EXPECT_TRUE(free.contains(client)) << client.bottom() << " below " << free.bottom();
    EXPECT_GE(frame.top(), free.top());
    EXPECT_LE(frame.bottom(), free.bottom());
    EXPECT_LT(w->property(kLayoutScaleProperty).toReal(), 1.0);
    click(control("Command13")); // Trace rapide
    ASSERT_TRUE(waitUntil([&] { return d.poured() >= 25.0; }));
    for (int k : {2, 3, 1}) {
        clickTab(k);
        ASSERT_EQ(d.tabs().ongletactif(), k);
        for (CanvasWidget* picture : w->findChildren<CanvasWidget*>()) {
            if (!picture->isVisible() || picture->size().isEmpty()) continue;
            const std::string name = picture->objectName().toStdString() + " on page " +
                                     std::to_string(k);
            EXPECT_NEAR(picture->canvas().image().width(),
                        picture->width() * picture->devicePixelRatioF(), 1)
                << name;
            EXPECT_GT(titrage::testing::flatPointsShown(picture->canvas()), 0.97) << name;
        }
        screenshot(k == 2 ? "netbook-graph" : k == 3 ? "netbook-table" : "netbook-bench");
    }
}

// The Exercices menu on a real window manager: on a maximised window it is as
// much larger as the bench, and whole on the screen.
TEST_F(OnScreen, ExercisesMenuDropsBelowItsButtonAsLargeAsTheBench)
{
    auto popUp = [&] {
        std::pair<QRect, double> seen{{}, 0.0};
        QTimer::singleShot(400, [&seen] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            screenshot("exercises-menu");
            seen = {menu->geometry(), menu->font().pointSizeF()};
            menu->close();
        });
        click(control("btexo"));
        waitUntil([&seen] { return seen.second > 0; });
        settle(300);
        return seen;
    };
    const auto [designRect, designPoints] = popUp();
    ASSERT_GT(designPoints, 0) << "no menu popped up";
    w->showMaximized();
    ASSERT_TRUE(waitUntil([&] { return layoutScale(w) > 1.5; }, kWindowMs)) << layoutScale(w);
    settle(300);
    const double s = layoutScale(w);
    const auto [shownRect, shownPoints] = popUp();
    EXPECT_NEAR(shownPoints, designPoints * s, 0.01);
    EXPECT_NEAR(shownRect.height(), designRect.height() * s, 0.12 * s * designRect.height());
    EXPECT_NEAR(shownRect.width(), designRect.width() * s, 0.12 * s * designRect.width());
    // Just below the button's left edge where the screen has room; moved so
    // as to stay whole where it has none (the button lies low on the bench).
    QWidget* btexo = control("btexo");
    const QPoint under = btexo->mapToGlobal(QPoint(0, btexo->height()));
    const QRect screen = w->screen()->geometry();
    if (QRect(under, shownRect.size()).intersected(screen).size() == shownRect.size())
        EXPECT_LE((shownRect.topLeft() - under).manhattanLength(), 4)
            << shownRect.x() << "," << shownRect.y() << " for " << under.x() << "," << under.y();
    EXPECT_TRUE(screen.contains(shownRect)) << shownRect.x() << "," << shownRect.y() << " "
                                            << shownRect.width() << "x" << shownRect.height();
}
