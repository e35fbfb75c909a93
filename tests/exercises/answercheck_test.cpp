#include "exercises/core/answercheck.h"

#include <gtest/gtest.h>

using titrage::checkAnswer;

TEST(AnswerCheckTest, TellsTheGapByBandsNeverTheHiddenValue)
{
    const double hidden = 0.0102;
    struct Case {
        const char* answer;
        const char* u;
        bool ok, compatible;
        const char* says;
    };
    const Case cases[]{
        {"0,0102", "", true, true, "moins de 1\u00a0%"},
        {"1,07E-02", " ", true, true, "de 2 à 5\u00a0%"},
        {"0.012", "", true, false, "de 10 à 50\u00a0%"},
        {"0,0105", "0,0002", true, true, "1 ≤ z ≤ 2"},
        {"0,0110", "0,0002", true, false, "z > 3"},
        {"0,0101", "2e-4", true, true, "z < 1"},
        {"abc", "", false, false, "Écrire un nombre positif"},
        {"-0,01", "", false, false, "Écrire un nombre positif"},
        {"0,01", "0", false, false, "L'incertitude doit être un nombre positif"},
    };
    for (const Case& c : cases) {
        const auto check = checkAnswer(hidden, c.answer, c.u);
        EXPECT_EQ(check.ok, c.ok) << c.answer;
        EXPECT_EQ(check.compatible, c.compatible) << c.answer;
        EXPECT_NE(check.text.find(c.says), std::string::npos) << c.answer << ": " << check.text;
        for (const char* digits : {"102", "1,02", "0,0102"})
            if (std::string(c.answer).find(digits) == std::string::npos)
                EXPECT_EQ(check.text.find(digits), std::string::npos) << check.text;
    }
}
