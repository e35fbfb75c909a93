// Every conversion between text and number gives the same result whatever
// LC_NUMERIC says: QApplication sets it from the environment, so a French or
// German machine must read "0,005" and "1.5" as a C machine does.
#include "app/core/tablecommand.h"
#include "calculator/core/numbertext.h"
#include "exercises/core/exercisefile.h"
#include "platform/core/decimaltext.h"
#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>

using namespace titrage;

namespace {

// Sets LC_ALL for one test and puts it back.
class InLocale {
public:
    explicit InLocale(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_set = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~InLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    bool set() const { return m_set; }

private:
    std::string m_previous;
    bool m_set = false;
};

std::string tableOutput(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    runTableCommand(args, out, err);
    return out.str() + err.str();
}

class EveryLocale : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(EveryLocale, NumbersReadAndWriteAsUnderC)
{
    // What the C locale gives is the yardstick.
    const std::vector<std::string> rawTable = {"--raw", "--cb", "0,005", "--step",
                                               "0.5",   "--at", "12,5"};
    const std::string cTable = tableOutput(rawTable);
    ASSERT_NE(cTable.find("12.5"), std::string::npos) << cTable;

    const InLocale locale(GetParam());
    ASSERT_TRUE(locale.set()) << GetParam()
                              << " is missing: bash scripts/install-deps.sh generates it";

    // The entry boxes.
    EXPECT_EQ(parseNumber("0,005"), 0.005);
    EXPECT_EQ(parseNumber("0.005"), 0.005);
    EXPECT_EQ(parseNumber("0,000 000 01"), 1e-8);
    EXPECT_EQ(parseNumber("1,5E-05"), 1.5e-5);
    EXPECT_EQ(formatNumber(0.005, "0.00E+00"), "5,00E-03");
    EXPECT_EQ(formatNumber(12.345, "###0.0#"), "12,35");
    EXPECT_EQ(generalFormat(1.5e-5), "1,5E-05");
    EXPECT_EQ(roundSignificant(0.0123456, 3), 0.0123);
    // The calculator speaks "." and reads every digit after it.
    EXPECT_EQ(readNumber("1.5"), 1.5);
    EXPECT_EQ(readNumber("2.5e-3"), 2.5e-3);
    EXPECT_EQ(writeNumber(0.25), ".25");
    // An exercise's difficulty, written either way.
    ExerciseFile exercise;
    exercise.records[4] = "2,5";
    EXPECT_EQ(exercise.difficulty(), 2.5);
    exercise.records[4] = " 1.5";
    EXPECT_EQ(exercise.difficulty(), 1.5);
    // The command line, its options and its output.
    EXPECT_EQ(tableOutput(rawTable), cTable);
}

INSTANTIATE_TEST_SUITE_P(Locales, EveryLocale, ::testing::Values("C", "fr_FR.UTF-8", "de_DE.UTF-8"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '.' || c == '-') c = '_';
                             return name;
                         });

TEST(DecimalText, ReadsAsStrtodUnderTheCLocale)
{
    struct Case {
        const char* text;
        double value;
        DecimalRange range;
        std::size_t length;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"1.5", 1.5, DecimalRange::InRange, 3},
        {"+.5", 0.5, DecimalRange::InRange, 3},
        {"-5.", -5.0, DecimalRange::InRange, 3},
        {"5e", 5.0, DecimalRange::InRange, 1},
        {"5e+", 5.0, DecimalRange::InRange, 1},
        {"2E-3x", 2e-3, DecimalRange::InRange, 4},
        {"1e400", inf, DecimalRange::Overflow, 5},
        {"-0.001e312", -inf, DecimalRange::Overflow, 10},
        {"1e-400", 0.0, DecimalRange::Underflow, 6},
        {"12345e-325", 1.2345e-321, DecimalRange::Underflow, 10},
        {"0.000", 0.0, DecimalRange::InRange, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = readDecimal(c.text);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->value, c.value);
        EXPECT_EQ(read->range, c.range);
        EXPECT_EQ(read->length, c.length);
    }
    for (const char* refused : {"", "+", "-.", ".", "inf", "nan", " 5", "e5", "+-5"})
        EXPECT_FALSE(readDecimal(refused)) << refused;

    char text[64];
    writeScientific(-1.5e-5, 6, text);
    EXPECT_STREQ(text, "-1.500000e-05");
    writeGeneral(0.1 + 0.2, 9, text);
    EXPECT_STREQ(text, "0.3");
    writeGeneral(1e20, 9, text);
    EXPECT_STREQ(text, "1e+20");
}
