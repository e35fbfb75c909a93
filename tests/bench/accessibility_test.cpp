// Every control of every window tells a screen reader what it is.
#include "bench/accessiblenames.h"
#include "calculator/machine.h"
#include "config/enregistrer.h"
#include "config/ouvrir.h"
#include "exercises/exercisechooser.h"
#include "platform/canvas.h"
#include "printing/confimp.h"
#include "tests/support/benchdriver.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QAccessibleValueInterface>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTest>


using namespace titrage;

namespace {

// Visible controls of `window` without an accessible name, as "objectName (class)".
QStringList unnamedControls(QWidget& window, int* walked = nullptr)
{
    QStringList unnamed;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) continue;
        // Parts of a composite control are named by the control.
        QWidget* parent = w->parentWidget();
        if (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent) ||
            (parent && qobject_cast<QAbstractScrollArea*>(parent->parentWidget())) ||
            qobject_cast<QAbstractScrollArea*>(parent))
            continue;
        const bool control = w->focusPolicy() != Qt::NoFocus ||
                             qobject_cast<CanvasWidget*>(w) != nullptr ||
                             w->objectName() == QStringLiteral("LabelpH");
        if (!control) continue;
        if (walked) ++*walked;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName() + QStringLiteral(" (") + w->metaObject()->className() + u')';
    }
    return unnamed;
}

} // namespace

TEST(Accessibility, EveryVisibleControlOfEveryWindowHasAName)
{
    titrage::testing::BenchDriver d;
    feuilleP& bench = d.window();
    int walked = 0;
    for (int page = 1; page <= TabStrip::kTabs; ++page) {
        d.page(page);
        EXPECT_EQ(unnamedControls(bench, &walked).join(u',').toStdString(), "") << "page " << page;
    }
    EXPECT_GT(walked, 5 * 30);
    // The entry boxes are named by the labels painted beside them.
    EXPECT_TRUE(
        d.box(0).accessibleName().startsWith(QStringLiteral("Concentration en soluté apporté")));
    EXPECT_TRUE(d.tabs().accessibleDescription().contains(TabStrip::titles().value(1)));

    Machine machine;
    ouvrir open(bench);
    enregistrer save(bench);
    confimp print(bench);
    ExerciseChooser chooser;
    for (QWidget* window :
         std::initializer_list<QWidget*>{&machine, &open, &save, &print, &chooser}) {
        window->show();
        EXPECT_EQ(unnamedControls(*window).join(u',').toStdString(), "")
            << window->objectName().toStdString();
        window->hide();
    }
}

TEST(Accessibility, TheConductimeterReadsItsSigma)
{
    titrage::testing::BenchDriver d;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&d.find<QWidget>("LabelpH"));
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(a->text(QAccessible::Value), d.conductimeter());
    d.box(5).setText(QStringLiteral("12"));
    d->majaff();
    EXPECT_EQ(a->text(QAccessible::Value), d.conductimeter());
    ASSERT_NE(a->valueInterface(), nullptr);
    EXPECT_EQ(a->valueInterface()->currentValue().toString(), d.conductimeter());
}

namespace {
QWidget* focused()
{
    return QApplication::focusWidget();
}
} // namespace

// The keyboard reaches every control whatever the program did before, and
// nothing the program does throws the focus into an entry box.
TEST(Keyboard, TheFocusStaysWhereTheStudentPutIt)
{
    titrage::testing::BenchDriver d;
    feuilleP& w = d.window();
    QApplication::setActiveWindow(&w);
    auto tab = [](Qt::Key key = Qt::Key_Tab) { QTest::keyClick(focused(), key); };

    // The nature of the solution is a stop after any switch, on the button
    // the switch checked, from either side.
    d.find<QWidget>("Option1(0)").setFocus(Qt::TabFocusReason); // Qt moves the stop here
    d.nature(1);
    const struct {
        int situation;
        const char* nature;
    } switches[] = {{3, "Option1(0)"}, {0, "Option1(1)"}, {3, "Option1(0)"}};
    for (const auto& c : switches) {
        d.situation(c.situation);
        d.tabs().setFocus(Qt::TabFocusReason);
        tab();
        EXPECT_EQ(focused()->objectName().toStdString(), c.nature) << c.situation;
        tab();
        tab(Qt::Key_Backtab);
        EXPECT_EQ(focused()->objectName().toStdString(), c.nature) << c.situation;
    }
    // A situation's check never clears the nature's.
    EXPECT_TRUE(d.find<QAbstractButton>("Option1(0)").isChecked());

    // A tool run from the keyboard keeps the focus, though it redraws the
    // graph and hides its panel meanwhile.
    d.fastPlot();
    d.page(2);
    for (const char* tool : {"Command3", "contributions", "droites", "image4", "Command9"}) {
        QWidget& b = d.find<QWidget>(QLatin1String(tool));
        b.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&b, Qt::Key_Space);
        EXPECT_EQ(focused(), &b) << tool;
    }

    // A click on a tab takes the focus from the entry box, whose selected
    // text the next key would replace.
    d.box(1).setFocus(Qt::MouseFocusReason);
    d.box(1).selectAll();
    d.page(3);
    EXPECT_EQ(focused(), &d.tabs());
    tab(Qt::Key_5);
    EXPECT_EQ(d.entry(1), QStringLiteral("0,01"));

    // The status line speaks of the control reached by Tab: its own text, or
    // its tooltip.
    auto& info = d.find<QLabel>("info");
    const struct {
        const char* control;
        const char* text;
    } spoken[] = {
        {"Command1", "Pour retrouver le module principal et quitter cette application"},
        {"Image1", "Ajouter une goutte"},
        {"Command3", "Diagramme de distribution"},
    };
    for (const auto& c : spoken) {
        QWidget& target = d.find<QWidget>(QLatin1String(c.control));
        if (!target.isVisible()) d.page(2);
        // The control before it in the chain, then Tab onto it.
        QWidget* before = target.previousInFocusChain();
        while (!(before->focusPolicy() & Qt::TabFocus) || !before->isVisible())
            before = before->previousInFocusChain();
        before->setFocus(Qt::OtherFocusReason);
        info.setText(QString());
        tab();
        ASSERT_EQ(focused(), &target) << c.control;
        EXPECT_EQ(info.text().toStdString(), c.text);
    }
}
