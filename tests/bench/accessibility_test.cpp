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
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QLabel>

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
