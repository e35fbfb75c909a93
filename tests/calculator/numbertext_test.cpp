#include "calculator/core/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titrage;

TEST(NumberText, ReadsTheLongestNumberAtTheStart)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"  12 34", 1234},
        {"-.5", -0.5},
        {"+5", 5},
        {"- 5", -5},
        {"1.2.3", 1.2},
        {"1E", 1},
        {"1E+", 1},
        {"2D3", 2000},
        {"1.5e-2x", 0.015},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"E5", 0},
        {"--5", 0},
        {"Calcul impossible", 0},
        {"1E-999", 0},
        {"7 * 3", 7},
        {" 1.234E+03", 1234},
    };
    for (const Case& c : cases) {
        const auto v = readNumber(c.text);
        ASSERT_TRUE(v) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
    EXPECT_FALSE(readNumber("1E999"));
    EXPECT_FALSE(readNumber(std::string(400, '9')));
}

TEST(NumberText, WritesFifteenDigitsWithoutLeadingZero)
{
    struct Case {
        double value;
        const char* plain;
        const char* standard;
        const char* scientific;
    };
    const Case cases[] = {
        {0.5, ".5", " .5", "5E-01"},
        {-0.25, "-.25", "-.25", "-2.5E-01"},
        {0, "0", " 0", "0E+00"},
        {-0.0, "0", " 0", "0E+00"},
        {1234, "1234", " 1234", "1.234E+03"},
        {1000, "1000", " 1000", "1E+03"},
        {1.0 / 3, ".333333333333333", " .333333333333333", "3.3333333E-01"},
        {1e15, "1E+15", " 1E+15", "1E+15"},
        {1e-5, "1E-05", " 1E-05", "1E-05"},
        {1e-4, ".0001", " .0001", "1E-04"},
        {-123456789012345678.0, "-1.23456789012346E+17", "-1.23456789012346E+17", "-1.2345679E+17"},
        {1e300, "1E+300", " 1E+300", "1E+300"},
        {99999999.5, "99999999.5", " 99999999.5", "1E+08"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(writeNumber(c.value), c.plain) << c.value;
        EXPECT_EQ(standardText(c.value), c.standard) << c.value;
        EXPECT_EQ(scientificText(c.value), c.scientific) << c.value;
    }
}

// Every intermediate result goes through text: it must read back as the same
// value to 15 significant digits.
TEST(NumberText, PlainFormReadsBack)
{
    const double values[] = {std::acos(-1.0), -1.0 / 7, 6.02214076e23, 1.602176634e-19,
                             4.9e-324,        1.5e308,  123456.789};
    for (double x : values) {
        const auto back = readNumber(writeNumber(x));
        ASSERT_TRUE(back) << writeNumber(x);
        EXPECT_NEAR(*back, x, std::fabs(x) * 1e-14) << writeNumber(x);
    }
}
