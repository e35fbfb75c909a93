#include "platform/messages.h"

#include "platform/benchscale.h"
#include "platform/canvas.h"
#include "windowlook.h"

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
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
