#include "calculator/core/evaluator.h"
#include "calculator/core/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titrage;

namespace {

struct Evaluated {
    std::string text;
    short error = -1;
};

Evaluated run(std::string text, short angle = AngleRadians, const DisplayIsBlank& blank = {})
{
    Evaluated e;
    evalue(text, e.error, angle, blank);
    e.text = text;
    return e;
}

constexpr double kPi = 3.14159265358979323846;

} // namespace

// The reference cases: exact result texts where the rule fixes them, values
// to 15 digits where only the value is fixed.
TEST(Evalue, ReferenceCases)
{
    struct Case {
        const char* expression;
        short angle;
        short error;
        const char* text; // expected text, or nullptr to compare `value`
        double value;
    };
    const Case cases[] = {
        {"2+3*4", AngleRadians, EvalueOk, "14", 0},
        {"(2+3)*4", AngleDegrees, EvalueOk, "20", 0},
        {"10 - 2 - 3", AngleRadians, EvalueOk, "5", 0},
        {"2 ^ -1", AngleRadians, EvalueOk, ".5", 0},
        {"SIN 30", AngleDegrees, EvalueOk, ".5", 0},
        {"INVSIN 1", AngleDegrees, EvalueOk, "90", 0},
        {"INVCOS -1", AngleRadians, EvalueOk, nullptr, kPi},
        {"LOG 1000", AngleRadians, EvalueOk, "3", 0},
        {"LN(2+3)", AngleRadians, EvalueOk, nullptr, std::log(5.0)},
        {"SQR(16) + 1", AngleRadians, EvalueOk, "5", 0},
        {"5E-3 * 2", AngleRadians, EvalueOk, ".01", 0},
        {"2 * * 3", AngleRadians, EvalueOperator, nullptr, 0},
        {"(2 + 3", AngleRadians, EvalueParentheses, nullptr, 0},
        {"2 / 0", AngleRadians, EvalueFailed, nullptr, 0},
        {"SQR -4", AngleRadians, EvalueFailed, nullptr, 0},
        {"SIN", AngleRadians, EvalueFailed, nullptr, 0},
        {"12 34", AngleRadians, EvalueOk, "1234", 0},
        {"", AngleRadians, EvalueOk, "", 0},
    };
    for (const Case& c : cases) {
        const auto r = run(c.expression, c.angle);
        EXPECT_EQ(r.error, c.error) << '"' << c.expression << "\" gave \"" << r.text << '"';
        if (c.error != EvalueOk) continue;
        if (c.text) {
            EXPECT_EQ(r.text, c.text) << c.expression;
        } else {
            const auto v = readNumber(r.text);
            ASSERT_TRUE(v) << c.expression;
            EXPECT_NEAR(*v, c.value, std::fabs(c.value) * 1e-14) << c.expression << " " << r.text;
        }
    }
}

// How the operator classes, signs, functions and parentheses combine.
TEST(Evalue, PrecedenceSignsAndFunctions)
{
    struct Case {
        const char* expression;
        short angle;
        const char* text;
    };
    const Case cases[] = {
        {"2 ^ 3 ^ 2", AngleRadians, "64"}, // powers from left to right
        {"-2 ^ 2", AngleRadians, "4"},     // the sign belongs to its number
        {"2 - 3 + 4 - 5", AngleRadians, "-2"},
        {"8 / 2 / 2", AngleRadians, "2"},
        {"2 * 3 / 4", AngleRadians, "1.5"},
        {"3 - -2", AngleRadians, "5"}, // "--" becomes "+"
        {"3 + -2", AngleRadians, "1"},
        {"5-(-3)", AngleRadians, "8"},
        {"((((7))))", AngleRadians, "7"},
        {"((2+3)*(4-1))^2", AngleRadians, "225"},
        {"2 * cos 60", AngleDegrees, "1"}, // what the window builds for 2 COS 60
        {"sin(15+15)", AngleDegrees, ".5"},
        {"SQR(SQR(16))", AngleRadians, "2"},
        {"-SQR 4", AngleRadians, "-2"},
        {"invTAN 1", AngleDegrees, "45"},
        {"invCOS 0", AngleDegrees, "90"},
        {"exp 0 + log 10", AngleRadians, "2"},
        {"1 / 3", AngleRadians, ".333333333333333"},
        {"1E300 * 10", AngleRadians, "1E+301"},
        {"2.5E+3 - 1D3", AngleRadians, "1500"}, // "+" after "E" is an exponent sign, "D" too
        {"10 ^ -5", AngleRadians, "1E-05"},
        {"SQR -0", AngleRadians, "0"},
        {"0 ^ 0", AngleRadians, "1"},
        {"2 +", AngleRadians, "2"}, // a missing "+" operand reads as 0
        // A function of a signed group takes the group's value.
        {"sin -(10+20)", AngleDegrees, "-.5"},
        {"SQR -(2-6)", AngleRadians, "2"},
        {"exp -LN 2", AngleRadians, ".5"},
        // Exact values at multiples of 90° (and 45° for the tangent).
        {"cos 90", AngleDegrees, "0"},
        {"COS -270", AngleDegrees, "0"},
        {"cos 180", AngleDegrees, "-1"},
        {"sin 180", AngleDegrees, "0"},
        {"sin -90", AngleDegrees, "-1"},
        {"sin 450", AngleDegrees, "1"},
        {"tan 45", AngleDegrees, "1"},
        {"tan -45", AngleDegrees, "-1"},
        {"tan 135", AngleDegrees, "-1"},
        {"tan 540", AngleDegrees, "0"},
        {"SQR +4", AngleRadians, "2"}, // a plus sign after a function is no operator
    };
    for (const Case& c : cases) {
        const auto r = run(c.expression, c.angle);
        EXPECT_EQ(r.error, EvalueOk) << c.expression;
        EXPECT_EQ(r.text, c.text) << c.expression;
    }
}

// Failures end in an error code, never in a NaN or infinite result.
TEST(Evalue, FailuresEndInAnErrorCode)
{
    struct Case {
        const char* expression;
        short angle;
        short error;
    };
    const Case cases[] = {
        {"INVSIN 1.0000001", AngleRadians, EvalueFailed},
        {"INVCOS -2", AngleDegrees, EvalueFailed},
        {"LOG 0", AngleRadians, EvalueFailed},
        {"LN -1", AngleRadians, EvalueFailed},
        {"EXP 1000", AngleRadians, EvalueFailed},
        {"1E200 * 1E200", AngleRadians, EvalueFailed},
        {"0 / 0", AngleRadians, EvalueFailed},
        {"0 ^ -1", AngleRadians, EvalueFailed},
        {"(0-8) ^ .5", AngleRadians, EvalueFailed},
        {"1E999 + 1", AngleRadians, EvalueFailed},
        {"SIN 1E308", AngleRadians, EvalueOk},     // a plain, finite sine
        {"SIN 1E308", AngleDegrees, EvalueFailed}, // x × π overflows first
        {")(", AngleRadians, EvalueFailed},        // a group that cannot be delimited
        {"(X)", AngleRadians, EvalueFailed},       // a group that never reduces: 100 cycles
        {"* 3", AngleRadians, EvalueFailed},
        {"-", AngleRadians, EvalueFailed},
        {"2 /", AngleRadians, EvalueOperator},
        {"2 ^ * 3", AngleRadians, EvalueOperator},
        {"((1)", AngleRadians, EvalueParentheses},
        {"1)", AngleRadians, EvalueParentheses},
        {"SQR -(2+2)", AngleRadians, EvalueFailed}, // the root of -4
        {"TAN 90", AngleDegrees, EvalueFailed},     // no value, not 1.6E+16
        {"tan -270", AngleDegrees, EvalueFailed},
    };
    for (const Case& c : cases) {
        const auto r = run(c.expression, c.angle);
        EXPECT_EQ(r.error, c.error) << c.expression << " gave \"" << r.text << '"';
    }
}

// A failed evaluation leaves the partly reduced text, not an empty one.
TEST(Evalue, FailureKeepsThePartlyReducedText)
{
    const auto r = run("(2 + 3");
    EXPECT_EQ(r.error, EvalueParentheses);
    EXPECT_EQ(r.text, " (2 + 3 ");
    const auto d = run("2 * 3 + 1 / 0");
    EXPECT_EQ(d.error, EvalueFailed);
    EXPECT_NE(d.text.find("/ 0"), std::string::npos) << d.text;
}

// A blank display ends each operator step at once: the reduction never
// finishes and the 100-cycle limit ends it.
TEST(Evalue, BlankDisplayStopsTheOperatorStep)
{
    int consulted = 0;
    const auto blank = run("2 + 3", AngleRadians, [&] {
        ++consulted;
        return true;
    });
    EXPECT_EQ(blank.error, EvalueFailed);
    EXPECT_GE(consulted, 100);

    const auto shown = run("2 + 3", AngleRadians, [] { return false; });
    EXPECT_EQ(shown.error, EvalueOk);
    EXPECT_EQ(shown.text, "5");
}

TEST(Evalue, NormalisingSpacesOperatorsAndMergesSigns)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"2+3*4", " 2 + 3 * 4 "},  {"+-5--3", " -5 + 3 "}, {"(-.5)*(5)", " -.5 * 5 "},
        {"(1E-3)", " (1E-3) "},    {"()", " () "},         {"ln(2)", " LON 2 "},
        {"invsin .5", " ISI .5 "}, {"2^-1", " 2 ^ -1 "},   {"1.5e+12-1", " 1.5E+12 - 1 "},
        {"sqr(-4)", " SQR -4 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normalised(c.in), c.out) << c.in;
}
