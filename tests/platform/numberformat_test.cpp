#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace titrage;

TEST(NumberFormat, DisplayPatternsUseTheDecimalComma)
{
    struct Case {
        double x;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {0.426, "0.00E+00", "4,26E-01"},
        {0.0632, "0.00E+00", "6,32E-02"},
        {0.0, "0.00E+00", "0,00E+00"},
        {-1234.5, "0.00E+00", "-1,23E+03"},
        {9.996, "0.00E+00", "1,00E+01"}, // mantissa carry moves the exponent
        {0.4256, "0.0E+00", "4,3E-01"},
        {1e-100, "0.0E+00", "1,0E-100"},
        {12.5, "#0.0#", "12,5"},
        {3, "#0.0#", "3,0"},
        {0.125, "#0.0#", "0,13"}, // half away from zero, not to even
        {0.285, "#0.0#", "0,29"}, // on the 15-digit decimal form, not the binary one
        {24.95, "####0.0", "25,0"},
        {0.05, "####0.0#", "0,05"},
        {20, "###0.0#", "20,0"},
        {180.25, "###0.0#", "180,25"},
        {0.5, "#0.0", "0,5"},
        {-0.04, "#0.0", "0,0"}, // no "-0,0"
        {24.999, "#0.00", "25,00"},
        {12.3456, "##0.000", "12,346"},
        {0.01, "###0.0## ### ### ###", "0,01"},
        {1e-8, "###0.0## ### ### ###", "0,000 000 01"},
        {0.00123, "###0.0## ### ### ###", "0,001 23"},
        {7, "###0.0## ### ### ###", "7,0"},
        {13.9, "###0.0## ### ### ###", "13,9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.x, c.pattern), c.expected) << c.x << " with " << c.pattern;
    EXPECT_EQ(formatNumber(12.5, "#0.0#", '.'), "12.5");
}

TEST(NumberFormat, GeneralFormatIsShortestWithinPrecision)
{
    EXPECT_EQ(generalFormat(0.426f), "0,426");
    EXPECT_EQ(generalFormat(0.1f), "0,1"); // not 0,100000001
    EXPECT_EQ(generalFormat(1.0f / 3.0f), "0,3333333");
    EXPECT_EQ(generalFormat(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(generalFormat(0.0001f), "0,0001"); // fixed from 1E-04 upwards
    EXPECT_EQ(generalFormat(0.000015f), "1,5E-05");
    EXPECT_EQ(generalFormat(1e-8f), "1E-08");
    EXPECT_EQ(generalFormat(25.0f), "25");
    EXPECT_EQ(generalFormat(1234567.0f), "1234567");
    EXPECT_EQ(generalFormat(12345678.0f), "1,234568E+07");
    EXPECT_EQ(generalFormat(-2.5), "-2,5");
    EXPECT_EQ(generalFormat(0.0f), "0");
}

TEST(NumberFormat, RoundingBySignificantDigitsReadsTheTextBack)
{
    EXPECT_DOUBLE_EQ(roundSignificant(0.42597, 3), 0.426);
    EXPECT_DOUBLE_EQ(roundSignificant(0.4256, 2), 0.43);
    EXPECT_DOUBLE_EQ(roundSignificant(1.0049e-5, 3), 1.0e-5);
    EXPECT_DOUBLE_EQ(roundSignificant(0.0, 3), 0.0);
}

TEST(NumberFormat, ParsingAcceptsCommaPointAndDigitGroups)
{
    EXPECT_DOUBLE_EQ(*parseNumber("0,01"), 0.01);
    EXPECT_DOUBLE_EQ(*parseNumber("0.01"), 0.01);
    EXPECT_DOUBLE_EQ(*parseNumber(" 20,0 "), 20.0);
    EXPECT_DOUBLE_EQ(*parseNumber("0,000 000 01"), 1e-8);
    EXPECT_DOUBLE_EQ(*parseNumber("0,000\xC2\xA0"
                                  "001"),
                     1e-6);
    EXPECT_DOUBLE_EQ(*parseNumber("1,5E-05"), 1.5e-5);
    EXPECT_DOUBLE_EQ(*parseNumber("-2"), -2.0);
    EXPECT_DOUBLE_EQ(*parseNumber(",5"), 0.5);
    for (const char* bad : {"", " ", "abc", "1,2,3", "1.2,3", "--1", "1-", "E5", "1E", "1E+",
                            "0x10", "1E999", "inf", "nan", "12a", ","})
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad;
    EXPECT_FALSE(parseFloat("1E39").has_value()); // fits a double, not a float
    EXPECT_FLOAT_EQ(*parseFloat("0,1"), 0.1f);
}

TEST(NumberFormat, FormattedTextsReadBackToTheirValue)
{
    for (double x : {0.01, 1e-8, 0.00731, 4.75, 13.9, 199.99, 0.5}) {
        const auto back = parseNumber(formatNumber(x, "###0.0## ### ### ###"));
        ASSERT_TRUE(back) << x;
        EXPECT_NEAR(*back, x, 1e-12) << x;
    }
}
