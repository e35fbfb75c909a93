// The bench under the machine's own locale: QApplication takes LC_NUMERIC from
// the environment, and a French or German one must change nothing of what is
// read or shown. CTest runs this under fr_FR, de_DE and C and names the
// decimal point the C library must then use, so the run cannot pass unseen
// under the wrong locale.
#include "model/entryvalidation.h"
#include "bench/feuillep.h"
#include "graph/valuetable.h"
#include "platform/messages.h"
#include "platform/core/numberformat.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <memory>

using namespace titrage;

TEST(MachineLocale, TypedCommasAndTheQuickCurveReadAsUnderC)
{
    if (const char* point = std::getenv("TITRAGE_EXPECTED_DECIMAL_POINT"))
        ASSERT_STREQ(std::localeconv()->decimal_point, point)
            << "LC_NUMERIC is " << std::setlocale(LC_NUMERIC, nullptr);

    QTemporaryDir dir;
    MessageRecorder messages(MessageAnswer::Ok);
    feuilleP w(dir.path());
    w.show();

    // 0,005 mol/L of hydrochloric acid: σ = 5 mol/m³ × (34,97 + 7,631) mS·m²/mol.
    w.lbecher->setCurrentIndex(2);
    w.lbecher_Click();
    w.Text1[BoxConcentration]->clear();
    QTest::keyClicks(w.Text1[BoxConcentration], QStringLiteral("0,005"));
    QTest::keyClick(w.Text1[BoxConcentration], Qt::Key_Return);
    EXPECT_EQ(w.Text1[BoxConcentration]->text(), QStringLiteral("0,005"));
    const auto sigma = parseNumber(w.LabelpH->text().toStdString());
    ASSERT_TRUE(sigma) << w.LabelpH->text().toStdString();
    EXPECT_NEAR(*sigma, 0.005 * (34.97 + 7.631), 0.002);

    QTest::mouseClick(w.Command13, Qt::LeftButton); // "Trace rapide"
    EXPECT_EQ(w.MSFlexGrid1->cellText(50, 0), QStringLiteral("25,0"));
    EXPECT_GT(w.maxaxe(), 0.1f);
    EXPECT_GT(parseNumber(w.MSFlexGrid1->cellText(50, 1).toStdString()).value_or(0.0), 0.01);
}
