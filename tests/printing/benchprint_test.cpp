// The bench printed the way a machine without a printer prints: to a PDF file
// named through the save dialog.
#include "pdfpages.h"
#include "printing/confimp.h"
#include "platform/layoutscaler.h"
#include "printing/updown.h"
#include "tests/support/benchdriver.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <utility>


using namespace titrage;

namespace {

// The ink rows [top, bottom] of the first glyph right of `left` within
// `band` (device pixels) of `picture`: dark pixels in adjacent columns.
std::pair<int, int> firstGlyphRows(const QImage& picture, const QRect& band, int left)
{
    int top = INT_MAX, bottom = -1;
    bool inGlyph = false;
    for (int x = left; x <= band.right(); ++x) {
        bool ink = false;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            if (qGray(picture.pixel(x, y)) >= 128) continue;
            ink = true;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        if (inGlyph && !ink) break;
        inGlyph = inGlyph || ink;
    }
    return {top, bottom};
}

} // namespace

// The values written into the printed illustration sit on the line of their
// captions ("c₁ = 0,01 mol · L⁻¹", "V₁ = 25,0 mL"), in their size: the first
// digit stands on the caption's baseline and is as tall as its capitals,
// whatever the size the bench is shown at.
TEST(PrintedIllustration, ValuesOnTheirCaptionsBaselineInTheirSize)
{
    titrage::testing::BenchDriver d;
    d.type(1, QStringLiteral("0,01"));
    d.type(5, QStringLiteral("25"));
    for (const QSize window : {QSize(800, 600), QSize(1440, 1080)}) {
        LayoutScaler::of(&d.window())->fit(window);
        QApplication::processEvents();
        const QImage picture = d->illustrationForPrint();
        const qreal ratio = picture.devicePixelRatio();
        for (const Overlay box : {Overlay::BuretteConcentration, Overlay::PouredVolume}) {
            SCOPED_TRACE(window.width());
            const auto line = ApparatusView::captionLine(box);
            ASSERT_TRUE(line.has_value());
            const QRect r = d.apparatus().overlayRect(box);
            // The rows of the box the value is typed in, which its caption's line crosses.
            const QRect band(qRound(r.left() * ratio), qRound(r.top() * ratio),
                             qRound(r.width() * ratio), qRound(r.height() * ratio));
            const auto [top, bottom] = firstGlyphRows(picture, band, band.left());

            // Measured as the scene measures its texts: on a picture of 96 dpi.
            const QImage screen(1, 1, QImage::Format_RGB32);
            const QFontMetricsF fm(line->font, &screen);
            const double baseline = (line->top + fm.ascent()) * ratio;
            const double capitals = fm.capHeight() * ratio;
            EXPECT_NEAR(bottom + 1, baseline, 1.5);
            EXPECT_NEAR(bottom + 1 - top, capitals, 1.5);
        }
        d->restoreIllustration();
    }
}

class EverythingPrinted : public ::testing::TestWithParam<int> {};

// The illustration fills most of a page: the graph goes with its history to
// the next one, the table to a third.
TEST_P(EverythingPrinted, ThreePagesPerCopyWithTheFinishedCurves)
{
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    titrage::testing::BenchDriver d;
    for (int k = 0; k < GetParam(); ++k) {
        d.situation(k);
        d.fastPlot();
    }
    const QString pdf = d.file("tout.pdf");
    int result = -1;
    Messages::setDialogRunner([&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            files->selectFile(pdf);
            return int(QDialog::Accepted);
        }
        auto* print = qobject_cast<confimp*>(&dialog);
        if (!print) return int(QDialog::Rejected);
        for (int i : {0, 1, 3})
            print->Chec[i]->setChecked(true);
        print->UpDown1->setValue(2);
        print->Command1->click();
        return result = print->result();
    });
    d.click("Command10");
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(d.messages().requests().empty());
    EXPECT_EQ(pdfPages(pdf), 6);
}

INSTANTIATE_TEST_SUITE_P(Curves, EverythingPrinted, ::testing::Values(2, 3));
