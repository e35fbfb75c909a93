// The bench printed the way a machine without a printer prints: to a PDF file
// named through the save dialog.
#include "pdfpages.h"
#include "printing/confimp.h"
#include "printing/updown.h"
#include "tests/support/benchdriver.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>

#include <array>
#include <cstdlib>

using namespace titrage;

namespace {

} // namespace

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
