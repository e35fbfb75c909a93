#pragma once
// The calculator's expression evaluator. It works on the text alone: the
// expression is brought to a canonical spaced form (" 2 * COS 60 "), then a
// function call, an innermost parenthesised group or an infix operation is
// replaced by the text of its result, again and again, until one number is
// left. There are no variables; every intermediate result travels as text.

#include <functional>
#include <string>

namespace titrage {

// Outcome of an evaluation.
enum EvalueError : short {
    EvalueOk = 0,
    EvalueFailed = 1,      // the computation failed (domain, overflow, 100 cycles)
    EvalueParentheses = 2, // as many "(" as ")" are needed
    EvalueOperator = 3,    // "*", "/" or "^" without a right operand
};

// Angle unit of SIN, COS, TAN and their inverses.
enum EvalueAngle : short {
    AngleDegrees = 0,
    AngleRadians = 1,
};

// The calculator's display, consulted before each operator reduction: when it
// returns true (the display is blank) the operator step ends at once.
using DisplayIsBlank = std::function<bool()>;

// Evaluates `text` in place. On success `text` holds the result's text (".5",
// "-3", "1.5E-12"; empty for an empty expression) and `error` is EvalueOk;
// otherwise `text` holds the partly reduced expression and `error` the code.
// Any angle mode other than AngleDegrees counts as radians.
void evalue(std::string& text, short& error, short angleMode,
            const DisplayIsBlank& displayIsBlank = {});

// Brings a text to the canonical spaced form: upper case, signs merged ("--"
// gives "+"), a leading "+" and parentheses around a plain number dropped,
// operators and function codes spaced, the whole framed by blanks.
std::string normalised(std::string text);

} // namespace titrage
