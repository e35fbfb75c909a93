#include "calculator/core/machinestate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace titrage;

namespace {

using Key = std::function<void(MachineState&)>;

Key text(const char* t)
{
    return [t](MachineState& s) { s.append(t); };
}
Key factor(const char* t)
{
    return [t](MachineState& s) { s.appendFactor(t); };
}
const Key kMinus = [](MachineState& s) { s.minus(); };
const Key kPlus = [](MachineState& s) { s.operation('+'); };
const Key kTimes = [](MachineState& s) { s.operation('*'); };
const Key kPower = [](MachineState& s) { s.power(); };
const Key kSquare = [](MachineState& s) { s.square(); };
const Key kAns = [](MachineState& s) { s.ans(); };
const Key kEfface = [](MachineState& s) { s.efface(); };
const Key kExe = [](MachineState& s) { s.exe(AngleRadians, false); };

} // namespace

// What each key sequence leaves in the expression.
TEST(MachineState, KeysBuildTheExpression)
{
    struct Case {
        const char* what;
        std::vector<Key> keys;
        const char* saisie;
    };
    const Case cases[] = {
        {"multiplication rule before a function",
         {text("2"), factor("cos "), text("60")},
         "2 * cos 60"},
        {"no rule after (", {factor("("), factor("sin ")}, "(sin "},
        {"no rule on an empty expression", {factor("SQR ")}, "SQR "},
        {"no rule after a unary minus", {kMinus, factor("ln ")}, "-ln "},
        {"rule before (", {text("3"), factor("(")}, "3 * ("},
        {"unary minus at the start", {kMinus, text("5")}, "-5"},
        {"unary minus after (", {factor("("), kMinus, text("5")}, "(-5"},
        {"binary minus", {text("7"), kMinus, text("5")}, "7 - 5"},
        {"minus after minus", {text("7"), kMinus, kMinus, text("5")}, "7 - -5"},
        {"minus as exponent sign", {text("1"), text("E"), kMinus}, "1E-"},
        {"minus after a minus sign", {kMinus, kMinus}, "- -"},
        {"plus as exponent sign", {text("1"), text("E"), kPlus, text("3")}, "1E+3"},
        {"power and square", {text("2"), kPower, text("3"), kSquare}, "2 ^ 3 ^ 2"},
        {"efface an operator", {text("12"), kPlus, kEfface}, "12"},
        {"efface a power", {text("10"), kPower, kEfface}, "10"},
        {"efface a function word", {text("2"), factor("cos "), kEfface}, "2 * "},
        {"efface a lone inverse", {factor("invSIN "), kEfface}, ""},
        {"efface back to (", {factor("("), factor("log "), kEfface}, "("},
        {"efface a character", {text("12"), text("E-3"), kEfface, kEfface}, "12E"},
        {"efface on empty", {kEfface}, ""},
        {"decimal point", {text("3"), text("."), text("5")}, "3.5"},
    };
    for (const Case& c : cases) {
        MachineState s;
        for (const Key& k : c.keys)
            k(s);
        EXPECT_EQ(s.saisie(), c.saisie) << c.what;
        // The display shows the expression with the decimal comma.
        std::string shown = c.saisie;
        std::replace(shown.begin(), shown.end(), '.', ',');
        EXPECT_EQ(s.display(), shown) << c.what;
    }
}

TEST(MachineState, ExeShowsTheResultOrTheMessage)
{
    struct Case {
        const char* saisie;
        short angle;
        bool scientific;
        const char* shown;
        short erreur;
        const char* reponse = nullptr; // when it differs from what is shown
    };
    const Case cases[] = {
        {"2 * cos 60", AngleDegrees, false, " 1", 0},
        {"2 - 5", AngleRadians, false, "-3", 0},
        {"1234", AngleRadians, true, "1,234E+03", 0, "1.234E+03"},
        {"1 / 4", AngleRadians, false, " 0,25", 0, " .25"},
        {"sin -(10+20)", AngleDegrees, false, "-0,5", 0, "-.5"},
        {"3.5 * 2", AngleRadians, false, " 7", 0},
        {"", AngleRadians, false, " 0", 0},
        {"1 / 0", AngleRadians, false, kCalculImpossible, 1},
        {"(2 + 3", AngleRadians, false, kRevoirParentheses, 2},
        {"2 * * 3", AngleRadians, false, kIncomprehensionOperateurs, 3},
        {"1E999", AngleRadians, false, kDepassementCapacite, kErreurDepassement},
    };
    for (const Case& c : cases) {
        MachineState s;
        s.append(c.saisie);
        const bool beep = s.exe(c.angle, c.scientific);
        EXPECT_EQ(s.display(), c.shown) << c.saisie;
        EXPECT_EQ(s.reponse(), c.reponse ? c.reponse : c.shown) << c.saisie;
        EXPECT_EQ(s.erreur(), c.erreur) << c.saisie;
        EXPECT_EQ(beep, c.erreur != 0) << c.saisie;
        // Success empties the expression; a failure keeps it for correction.
        EXPECT_EQ(s.saisie(), c.erreur == 0 ? "" : c.saisie) << c.saisie;
    }
}

TEST(MachineState, LastAnswerFeedsTheNextExpression)
{
    MachineState s;
    s.operation('+'); // blank display: nothing
    EXPECT_EQ(s.saisie(), "");
    s.append("40");
    kExe(s);
    s.operation('+');
    s.append("2");
    EXPECT_EQ(s.saisie(), "40 + 2");
    kExe(s);
    EXPECT_EQ(s.display(), " 42");
    kSquare(s);
    EXPECT_EQ(s.saisie(), "42 ^ 2");

    // After a failure "ANS" appends nothing and the operators continue the expression.
    MachineState f;
    f.append("1 / 0");
    kExe(f);
    f.raz();
    kAns(f);
    EXPECT_EQ(f.saisie(), "");
    f.append("1 / 0");
    kExe(f);
    kTimes(f);
    EXPECT_EQ(f.saisie(), "1 / 0 * ");
}

TEST(MachineState, NotationRedisplaysOnlyAResult)
{
    MachineState s;
    s.notationChosen(true); // fresh: nothing to redisplay
    EXPECT_EQ(s.display(), "");
    s.append("1234");
    kExe(s);
    s.notationChosen(true);
    EXPECT_EQ(s.display(), "1,234E+03");
    EXPECT_EQ(s.saisie(), "");
    s.notationChosen(false);
    EXPECT_EQ(s.display(), " 1234");
    s.append("5");
    s.notationChosen(true); // an expression in progress stays shown
    EXPECT_EQ(s.display(), "5");

    MachineState f;
    f.append("1 / 0");
    kExe(f);
    f.raz();
    f.exe(AngleRadians, false); // the empty expression: " 0"
    EXPECT_EQ(f.display(), " 0");
}

TEST(MachineState, MemoryReadsTheDisplayAndOutlivesTheState)
{
    memoire() = 0;
    {
        MachineState s;
        s.append("2.5");
        s.memoryAdd();
        s.memoryAdd();
        s.raz();
        s.append("1 / 0");
        kExe(s);
        s.memoryAdd(); // a message reads as 0
        EXPECT_EQ(s.display(), kCalculImpossible);
    }
    EXPECT_DOUBLE_EQ(memoire(), 5);
    MachineState t;
    t.append("2");
    t.memoryRecall(false);
    EXPECT_EQ(t.saisie(), "25");
    t.raz();
    t.memoryRecall(true);
    EXPECT_EQ(t.saisie(), "5E+00");
    t.raz();
    t.append("1E308");
    memoire() = 1.5e308;
    t.memoryAdd(); // would overflow: the memory keeps its value
    EXPECT_DOUBLE_EQ(memoire(), 1.5e308);
    t.memorySubtract();
    EXPECT_DOUBLE_EQ(memoire(), 0.5e308);
    t.memoryClear();
    EXPECT_EQ(memoire(), 0);
}
