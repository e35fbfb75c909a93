// The bench under the machine's own locale: QApplication takes LC_NUMERIC from
// the environment, and a French or German one must change nothing of what is
// read or shown. CTest runs this under fr_FR, de_DE and C and names the
// decimal point the C library must then use, so the run cannot pass unseen
// under the wrong locale.
#include "model/entryvalidation.h"
#include "platform/core/numberformat.h"
#include "tests/support/benchdriver.h"

#include <clocale>
#include <cstdlib>

using namespace titrage;

TEST(MachineLocale, TypedCommasAndTheQuickCurveReadAsUnderC)
{
    if (const char* point = std::getenv("TITRAGE_EXPECTED_DECIMAL_POINT"))
        ASSERT_STREQ(std::localeconv()->decimal_point, point)
            << "LC_NUMERIC is " << std::setlocale(LC_NUMERIC, nullptr);

    titrage::testing::BenchDriver d;

    // 0,005 mol/L of hydrochloric acid: σ = 5 mol/m³ × (34,97 + 7,631) mS·m²/mol.
    d.solute(2);
    d.type(BoxConcentration, QStringLiteral("0,005"));
    EXPECT_EQ(d.entry(BoxConcentration), QStringLiteral("0,005"));
    const auto sigma = d.sigma();
    ASSERT_TRUE(sigma) << d.conductimeter().toStdString();
    EXPECT_NEAR(*sigma, 0.005 * (34.97 + 7.631), 0.002);

    d.fastPlot(); // "Trace rapide"
    EXPECT_EQ(d.cell(50, 0), QStringLiteral("25,0"));
    EXPECT_GT(d->maxaxe(), 0.1f);
    EXPECT_GT(parseNumber(d.cell(50, 1).toStdString()).value_or(0.0), 0.01);
}
