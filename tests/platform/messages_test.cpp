#include "platform/messages.h"

#include "platform/benchscale.h"
#include "platform/canvas.h"
#include "windowlook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace titrage;
using titrage::testing::WindowLook;

TEST(Messages, RecorderAnswersWithoutBlockingAndKeepsTheExactText)
{
    MessageRecorder recorder(MessageAnswer::No);
    const auto answer =
        Messages::ask(nullptr, {QStringLiteral("Burette vide"),
                                QStringLiteral("Voulez-vous recommencer le titrage"),
                                MessageIcon::Question, MessageButtons::YesNo});
    EXPECT_EQ(answer, MessageAnswer::No);
    ASSERT_EQ(recorder.requests().size(), 1u);
    EXPECT_EQ(recorder.requests()[0].title, QStringLiteral("Burette vide"));
    EXPECT_EQ(recorder.requests()[0].icon, MessageIcon::Question);
}

TEST(Messages, DialogRunnerReplacesTheModalLoop)
{
    int seen = 0;
    Messages::setDialogRunner([&](QDialog&) {
        ++seen;
        return int(QDialog::Accepted);
    });
    QDialog dialog;
    EXPECT_EQ(Messages::execDialog(dialog), int(QDialog::Accepted));
    EXPECT_EQ(seen, 1);
    Messages::setDialogRunner(nullptr);
}

// A message box, and a dialog opened from one bench, come up as much larger as
// the bench is shown, never smaller than their design, and follow the bench
// when it changes its size.
TEST(Messages, BoxesAndDialogsGrowWithTheBench)
{
    using titrage::testing::expectScaled;
    using titrage::testing::lookOf;
    const MessageRequest request{QStringLiteral("impossible d'ouvrir ce fichier"),
                                 QStringLiteral("Nom de fichier incorrect ou chemin non valide"),
                                 MessageIcon::Critical, MessageButtons::OkCancel};
    QWidget designBench;
    const WindowLook design = lookOf(*Messages::messageBox(&designBench, request));
    ASSERT_EQ(design.pictures.size(), 1u); // the icon

    const struct {
        QSize shown;
        double scale;
    } cases[] = {{{800, 600}, 1.0},  {{1440, 1080}, 1.8}, {{1920, 1080}, 1.8},
                 {{1280, 960}, 1.6}, {{640, 480}, 1.0},   {{1000, 500}, 1.0}};
    for (const auto& c : cases) {
        const std::string what =
            std::to_string(c.shown.width()) + "x" + std::to_string(c.shown.height());
        QWidget bench;
        titrage::testing::showBenchAt(bench, c.shown);
        EXPECT_NEAR(benchScale(&bench), c.scale, 1e-9) << what;
        expectScaled(design, lookOf(*Messages::messageBox(&bench, request)), c.scale, what);

        // A box asked from a dialog of that bench, scaled with it.
        QDialog dialog(&bench);
        scaleWithBench(&dialog);
        expectScaled(design, lookOf(*Messages::messageBox(&dialog, request)), c.scale,
                     what + " from a dialog");
    }

    // A menu kept from one popup to the next follows the bench, back to its
    // very design when the bench is shown at its design size again.
    QWidget bench;
    auto* scaler = titrage::testing::showBenchAt(bench, {1440, 1080});
    QDialog kept(&bench);
    const double designPoints = kept.font().pointSizeF();
    scaleWithBench(&kept);
    EXPECT_NEAR(kept.font().pointSizeF(), designPoints * 1.8, 1e-6);
    scaler->fit({800, 600});
    scaleWithBench(&kept);
    EXPECT_NEAR(kept.font().pointSizeF(), designPoints, 1e-6);
    EXPECT_NEAR(layoutScale(&kept), 1.0, 1e-9);
}

// The tooltip a control pops up (the graph's values under the pointer) comes
// up as much larger as its bench, and at its design size over a design-size
// bench.
TEST(Messages, ToolTipsGrowWithTheBenchTheyPopUpOver)
{
    scaleToolTipsWithBench();
    const double designPoints = QToolTip::font().pointSizeF();
    ASSERT_GT(designPoints, 0);
    auto shownTipFont = [](QWidget& over) {
        QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), over.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&over, &ask);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) return w->font().pointSizeF();
        return 0.0;
    };
    for (const auto& [shown, scale] :
         {std::pair{QSize(1440, 1080), 1.8}, std::pair{QSize(800, 600), 1.0},
          std::pair{QSize(640, 480), 1.0}}) {
        QWidget bench;
        titrage::testing::showBenchAt(bench, shown);
        QLabel control(QStringLiteral("c₁"), &bench);
        control.setToolTip(QStringLiteral("V = 10,0 mL ; σ = 0,0396 S·m⁻¹"));
        bench.show();
        EXPECT_NEAR(shownTipFont(control), designPoints * scale, 1e-6) << shown.width();
        QToolTip::hideText();
    }
}

// A menu's entries, with their shortcuts and icons, grow as much as the bench
// and no more; a combo box's list keeps rows no taller than the box.
TEST(Messages, MenusAndListsGrowOnceWithTheBench)
{
    auto menuWidth = [](QSize shown) {
        QWidget bench;
        titrage::testing::showBenchAt(bench, shown);
        QMenu menu(&bench);
        QPixmap red(16, 16);
        red.fill(Qt::red);
        menu.addAction(QIcon(red), QStringLiteral("Copier\tCtrl+Maj+Inser"));
        menu.addAction(QStringLiteral("Tout sélectionner\tCtrl+A"));
        scaleWithBench(&menu, &bench);
        return menu.sizeHint().width();
    };
    EXPECT_NEAR(double(menuWidth({1440, 1080})) / menuWidth({800, 600}), 1.8, 0.1);

    QWidget bench;
    auto* combo = new QComboBox(&bench);
    combo->addItems({QStringLiteral("acide chlorhydrique"), QStringLiteral("ammoniac")});
    combo->setGeometry(10, 10, 200, 22);
    titrage::testing::showBenchAt(bench, {1920, 1440});
    EXPECT_LE(combo->view()->sizeHintForRow(0), combo->height());
}

// A long message on a bench shown far larger than its screen allows the box
// (Qt fixes its width) wraps within the box rather than losing its line ends.
TEST(Messages, ALongMessageWrapsWithinTheBoxAtAnyScale)
{
    QString text;
    for (int i = 0; i < 12; ++i)
        text += QStringLiteral("Le fichier de configuration n'a pas pu être lu. ");
    for (const QSize shown : {QSize(1440, 1080), QSize(2400, 1800)}) {
        QWidget bench;
        titrage::testing::showBenchAt(bench, shown);
        const auto box = Messages::messageBox(
            &bench, {QStringLiteral("Ouvrir"), text, MessageIcon::Critical, MessageButtons::Ok});
        box->show();
        QCoreApplication::processEvents();
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_TRUE(label);
        EXPECT_LE(label->geometry().right(), box->width()) << shown.width();
    }
}
