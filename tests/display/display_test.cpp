// The bench on a real X display (Xvfb with a window manager, the xcb
// platform), driven by real mouse and key events from xdotool: what depends on
// focus, activation, keys and the clipboard behaves as the student sees it.
#include "bench/feuillep.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "graph/valuetable.h"
#include "platform/appstyle.h"
#include "platform/frenchtranslations.h"
#include "platform/messages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>

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
        messages = std::make_unique<MessageRecorder>(MessageAnswer::Ok);
        w = std::make_unique<feuilleP>(dir.path());
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get(), kWindowMs))
            << "the window never became active";
        settle(300);
        wid = QString::number(w->winId());
    }
    void TearDown() override
    {
        messages->setAnswer(MessageAnswer::Ok);
        w->close();
    }

    // A real click at the centre of `widget` (or at `at`, in its coordinates).
    void click(QWidget* widget, QPoint at = {-1, -1}, int button = 1)
    {
        const QPoint p = widget->mapTo(w.get(), at.x() < 0 ? widget->rect().center() : at);
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
        const QPoint p = w->Image3->mapTo(w.get(), w->Image3->rect().center());
        ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), wid,
                             QString::number(p.x()), QString::number(p.y()),
                             QStringLiteral("mousedown"), QStringLiteral("1")}));
        const bool reached = waitUntil([&] { return poured() >= ml; }, 20000);
        ASSERT_TRUE(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        settle();
        ASSERT_TRUE(reached) << poured();
    }
    double poured() const
    {
        return w->Text1[5]->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    }
    int rows() const { return w->MSFlexGrid1->measurementRows(); }
    void clickTab(int k)
    {
        const auto& bounds = w->Onglets->bornesonglets();
        click(w->Onglets, QPoint((bounds[k - 1] + bounds[k]) / 2, TabStrip::kTabHeight / 2));
    }

    QTemporaryDir dir;
    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<feuilleP> w;
    QString wid;
};

} // namespace

TEST_F(OnScreen, VisitingEveryPageKeepsTheTitration)
{
    pourTo(9.0);
    const QString volume = w->Text1[5]->text();
    const int measured = rows();
    ASSERT_GE(measured, 19);
    for (int k : {2, 3, 4, 5, 1}) {
        clickTab(k);
        if (k == 2) screenshot("graph-after-pouring");
        EXPECT_EQ(w->Onglets->ongletactif(), k);
        EXPECT_EQ(w->Text1[5]->text(), volume) << "page " << k;
        EXPECT_EQ(rows(), measured) << "page " << k;
    }
    EXPECT_EQ(w->measuredPoints(0).size(), static_cast<size_t>(measured));
}

TEST_F(OnScreen, SwitchingSituationsKeepsTheMeasurements)
{
    pourTo(4.0);
    const QString volume = w->Text1[5]->text();
    const int measured = rows();
    click(w->Option2[1]);
    EXPECT_EQ(w->store().numsit, 1);
    EXPECT_EQ(rows(), 1);
    click(w->Option2[0]);
    EXPECT_EQ(w->store().numsit, 0);
    EXPECT_EQ(w->Text1[5]->text(), volume);
    EXPECT_EQ(rows(), measured);
    EXPECT_EQ(w->measuredPoints(0).size(), static_cast<size_t>(measured));
    screenshot("back-to-situation-1");
}

TEST_F(OnScreen, ValueTypedWithoutEnterIsCorrectedBeforeTheFastPlot)
{
    click(w->Text1[0]);
    key(QStringLiteral("ctrl+a"));
    key(QStringLiteral("minus"));
    key(QStringLiteral("5"));
    ASSERT_EQ(w->Text1[0]->text(), QStringLiteral("-5"));
    click(w->Command13); // "Trace rapide"
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,000 000 01"));
    EXPECT_EQ(w->Text1[5]->text(), QStringLiteral("25,0"));
    const double sigma = w->LabelpH->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    EXPECT_TRUE(std::isfinite(sigma) && sigma > 0) << w->LabelpH->text().toStdString();
    screenshot("fast-plot-after-minus-five");
}

TEST_F(OnScreen, TabLeavesTheBoxAndTheNextKeyGoesElsewhere)
{
    click(w->Text1[4]);
    key(QStringLiteral("ctrl+a"));
    typeText(QStringLiteral("25"));
    key(QStringLiteral("Tab"));
    EXPECT_NE(QApplication::focusWidget(), w->Text1[4]);
    EXPECT_EQ(w->Text1[4]->text(), QStringLiteral("25,0"));
    typeText(QStringLiteral("7"));
    EXPECT_EQ(w->Text1[4]->text(), QStringLiteral("25,0"));
    // Shift+Tab comes back, and the editing keys work.
    key(QStringLiteral("shift+Tab"));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1[4]);
    key(QStringLiteral("End"));
    key(QStringLiteral("BackSpace"));
    key(QStringLiteral("Home"));
    key(QStringLiteral("Delete"));
    EXPECT_EQ(w->Text1[4]->text(), QStringLiteral("5,"));
}

TEST_F(OnScreen, PastingFiltersAndTheMenuIsFrench)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("0.005abc"));
    settle();
    click(w->Text1[0]);
    key(QStringLiteral("ctrl+a"));
    key(QStringLiteral("ctrl+v"));
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,005"));
    key(QStringLiteral("ctrl+z"));
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("0,01"));

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
    click(w->Text1[0], {-1, -1}, 3);
    waitUntil([&] { return !texts.isEmpty(); });
    settle(300);
    EXPECT_TRUE(texts.join(QLatin1Char('|')).contains(QStringLiteral("Coller")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(w->Text1[0]->text(), QStringLiteral("1,5"))
        << texts.join(QLatin1Char('|')).toStdString();
}

TEST_F(OnScreen, LauncherRequestWhileRunningOpensTheExercise)
{
    for (const char* name : {"EXO1.E42", "EXO1.RTF", "EXO1C.RTF", "EXO1.C16", "EXO1C.C16"})
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(TITRAGE_DATA_DIR "/exercices/") + QLatin1String(name),
                        dir.filePath(QLatin1String(name))));
    const QString before = w->supertext->toPlainText();

    // Another window comes to the front; the launcher writes its request.
    QWidget other;
    other.setWindowTitle(QStringLiteral("Lanceur"));
    other.resize(200, 100);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other, kWindowMs));
    xdotool({QStringLiteral("windowactivate"), QString::number(other.winId())});
    ASSERT_TRUE(waitUntil([&] { return !w->isActiveWindow(); }));

    const QByteArray request = QByteArrayLiteral("EXO1.E42");
    QFile marker(dir.filePath(QStringLiteral("TEMPQZ.TMP")));
    ASSERT_TRUE(marker.open(QIODevice::ReadWrite));
    if (marker.size() < 31 * 128) marker.resize(31 * 128);
    QByteArray record(128, '\0');
    record[0] = static_cast<char>(request.size());
    record.replace(2, request.size(), request);
    marker.seek(30 * 128);
    marker.write(record);
    marker.close();

    // The student comes back to the bench.
    xdotool({QStringLiteral("windowactivate"), wid});
    ASSERT_TRUE(waitUntil([&] { return w->isActiveWindow(); }));
    EXPECT_TRUE(waitUntil([&] { return w->supertext->toPlainText() != before; }));
    settle(300);
    screenshot("launcher-exercise");
}

TEST_F(OnScreen, KeyboardTurnsPagesHoldsTheTapAndAddsADrop)
{
    click(w->Text1[5]);
    key(QStringLiteral("ctrl+Tab"));
    EXPECT_EQ(w->Onglets->ongletactif(), 2);
    key(QStringLiteral("ctrl+Next"));
    EXPECT_EQ(w->Onglets->ongletactif(), 3);
    key(QStringLiteral("ctrl+shift+Tab"));
    key(QStringLiteral("ctrl+Prior"));
    EXPECT_EQ(w->Onglets->ongletactif(), 1);

    // Ctrl+Down held pours; its release closes the tap.
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl+Down")}));
    const bool poured = waitUntil([&] { return this->poured() >= 2.0; }, 10000);
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl+Down")}));
    settle();
    ASSERT_TRUE(poured);
    EXPECT_FALSE(w->Timer1->isActive());
    const double held = this->poured();
    settle(200);
    EXPECT_EQ(this->poured(), held);

    // Ctrl+Shift+Down: one drop of 0,05 mL.
    key(QStringLiteral("ctrl+shift+Down"));
    EXPECT_TRUE(waitUntil([&] { return std::abs(this->poured() - held - 0.05) < 1e-6; }));

    // Space held on the focused tap.
    w->Image3->setFocus(Qt::TabFocusReason);
    const double before = this->poured();
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), QStringLiteral("space")}));
    const bool spaced = waitUntil([&] { return this->poured() >= before + 1.0; }, 10000);
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), QStringLiteral("space")}));
    settle();
    EXPECT_TRUE(spaced);
    EXPECT_FALSE(w->Timer1->isActive());
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
    const QString text = w->supertext->toHtml();
    w->Onglets->setFocus(Qt::TabFocusReason);
    settle();
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
        QWidget* f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        if (!visited.isEmpty() && f == w->Onglets) break;
        visited << f->objectName();
        // A frame two pixels wide all round, not a faint line.
        EXPECT_GE(focusFramePixels(w.get(), f), 60) << f->objectName().toStdString();
        key(QStringLiteral("Tab"));
    }
    const QStringList expected = {
        "Onglets",   "Option1(0)", "lbecher",  "Text1(0)", "command5", "Text1(4)",  "Text1(6)",
        "lindic",    "Text1(5)",   "Text1(1)", "Image3",   "Image1",   "Command6",  "Command13",
        "Command14", "Option2(0)", "Command1", "Command7", "Command8", "Command10", "Command4",
        "Command11", "Command2",   "btexo",    "fich",     "supertext"};
    EXPECT_EQ(visited, expected);
    // Tab left the student's text without typing into it.
    EXPECT_EQ(w->supertext->toHtml(), text);
    screenshot("focus-walk");

    // Turning the page from a box of the page hidden: the focus goes to the
    // strip, and Tab leads into the new page.
    click(w->Text1[4]);
    key(QStringLiteral("ctrl+Tab"));
    EXPECT_EQ(QApplication::focusWidget(), w->Onglets);
    key(QStringLiteral("ctrl+Tab"));
    key(QStringLiteral("ctrl+Tab"));
    ASSERT_EQ(w->Onglets->ongletactif(), 4);
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), w->Picture3->optscema[1]);

    // The situations' stop is the one chosen, even when the program chose it.
    w->restoreSituation(3);
    w->Command14->setFocus(Qt::TabFocusReason);
    key(QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), w->Option2[3]);
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
