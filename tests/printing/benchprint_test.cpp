// The bench printed the way a machine without a printer prints: to a PDF file
// named through the save dialog.
#include "bench/feuillep.h"
#include "platform/messages.h"
#include "printing/confimp.h"
#include "printing/updown.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace titrage;

namespace {

int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString pdf = QString::fromLatin1(file.readAll());
    return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

class EverythingPrinted : public ::testing::TestWithParam<int> {};

TEST_P(EverythingPrinted, TwoPagesPerCopyWithTheFinishedCurves)
{
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    MessageRecorder messages;
    QTemporaryDir dir;
    feuilleP w(dir.path());
    w.show();
    for (int k = 0; k < GetParam(); ++k) {
        QTest::mouseClick(w.Option2[k], Qt::LeftButton);
        QTest::mouseClick(w.Command13, Qt::LeftButton); // "Trace rapide"
    }
    const QString pdf = dir.filePath(QStringLiteral("tout.pdf"));
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
    QTest::mouseClick(w.Command10, Qt::LeftButton);
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(pdfPages(pdf), 4);
}

INSTANTIATE_TEST_SUITE_P(Curves, EverythingPrinted, ::testing::Values(2, 3));
