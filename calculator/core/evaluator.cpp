#include "calculator/core/evaluator.h"

#include "calculator/core/numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace titrage {

namespace {

constexpr int kMaxCycles = 100;

// The ten function codes as they stand in the spaced text; "LN", "INVSIN",
// "INVCOS" and "INVTAN" are typed forms that spacing turns into codes.
constexpr std::array<std::string_view, 10> kCodes = {"SQR", "SIN", "COS", "LOG", "TAN",
                                                     "ISI", "EXP", "ITA", "ICO", "LON"};

// Operator classes in the order they are reduced: powers first, then
// divisions, multiplications, subtractions and additions.
constexpr std::array<std::string_view, 5> kOperatorTokens = {" ^ ", " / ", " * ", " - ", " + "};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

void toUpper(std::string& t)
{
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

void removeBlanks(std::string& t)
{
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
}

bool startsWith(const std::string& t, size_t i, std::string_view what)
{
    return i + what.size() <= t.size() && t.compare(i, what.size(), what) == 0;
}

std::optional<std::string_view> codeAt(const std::string& t, size_t i)
{
    for (std::string_view code : kCodes)
        if (startsWith(t, i, code)) return code;
    return std::nullopt;
}

// Frames the text with blanks, puts one blank after each function code and
// one on each side of each infix operator. A sign after "E" or "D" belongs
// to an exponent, and a "-" after "(" or a blank is a unary minus: neither is
// spaced.
void space(std::string& t)
{
    toUpper(t);
    removeBlanks(t);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    t = " " + t + " ";
    const size_t limit = 3 * t.size();
    for (size_t i = 0; i < limit && i < t.size(); ++i) {
        if (codeAt(t, i)) {
            t.insert(i + 3, 1, ' ');
            continue;
        }
        if (startsWith(t, i, "LN")) {
            t.replace(i, 2, "LON ");
            continue;
        }
        if (startsWith(t, i, "INV") && i + 6 <= t.size() && isLetter(t[i + 3]) &&
            isLetter(t[i + 4]) && isLetter(t[i + 5])) {
            t.replace(i, 6, std::string{'I', t[i + 3], t[i + 4], ' '});
            continue;
        }
        const char c = t[i];
        const char before = i > 0 ? t[i - 1] : ' ';
        const bool exponentSign = before == 'E' || before == 'D';
        const bool infix = c == '^' || c == '*' || c == '/' || (c == '+' && !exponentSign) ||
                           (c == '-' && !exponentSign && before != '(' && before != ' ');
        if (infix) {
            t.replace(i, 1, std::string{' ', c, ' '});
            i += 2; // past the operator and the blank inserted after it
        }
    }
}

class Evaluation {
public:
    Evaluation(std::string& text, short angleMode, const DisplayIsBlank& displayIsBlank)
        : m_text(text), m_degrees(angleMode == AngleDegrees), m_displayIsBlank(displayIsBlank)
    {
    }

    short run();

private:
    void count();
    bool applyFunctions();
    bool reduceParentheses();
    bool reduceOperators(std::string& s);
    std::optional<double> function(std::string_view code, double x) const;

    struct CycleStart {
        std::string text;
        int parentheses = 0;
        int functions = 0;
        int operators = 0;
        bool operator==(const CycleStart&) const = default;
    };

    std::string& m_text;
    const bool m_degrees;
    const DisplayIsBlank& m_displayIsBlank;
    int m_parentheses = 0;
    int m_functions = 0;
    int m_operators = 0;
    bool m_displayConsulted = false;
};

short Evaluation::run()
{
    m_text = normalised(m_text);

    if (std::count(m_text.begin(), m_text.end(), '(') !=
        std::count(m_text.begin(), m_text.end(), ')'))
        return EvalueParentheses;
    // In the spaced form an operand starts two characters after "*", "/" or
    // "^"; a blank there means the operator has none ("2 * * 3", "2 *").
    for (size_t i = 0; i + 2 < m_text.size(); ++i) {
        const char c = m_text[i];
        if ((c == '*' || c == '/' || c == '^') && m_text[i + 2] == ' ') return EvalueOperator;
    }

    count();
    // The states the cycles started in. A cycle is a function of its start
    // state alone (and of the display, if it consulted it), so once a state
    // comes back the cycles repeat for ever: the run can only end at the
    // cycle limit, in the state that the period gives for that cycle.
    std::string previous;
    std::vector<CycleStart> starts; // starts[i] began cycle firstKept + i
    int firstKept = 1;
    for (int cycle = 1;; ++cycle) {
        if (cycle > 1 && m_text == previous) m_text = normalised(m_text);
        previous = m_text;
        CycleStart start{m_text, m_parentheses, m_functions, m_operators};
        if (m_displayConsulted) {
            starts.clear();
            firstKept = cycle;
        }
        m_displayConsulted = false;
        const auto seen = std::find(starts.begin(), starts.end(), start);
        if (seen != starts.end()) {
            const int first = firstKept + static_cast<int>(seen - starts.begin());
            const int period = cycle - first;
            const int atLimit = first + (kMaxCycles + 1 - first) % period;
            m_text = starts[static_cast<size_t>(atLimit - firstKept)].text;
            return EvalueFailed;
        }
        if (cycle > kMaxCycles) return EvalueFailed;
        starts.push_back(std::move(start));

        if (m_functions > 0) {
            if (!applyFunctions()) return EvalueFailed;
            m_text = normalised(m_text);
        }
        if (m_parentheses > 0 && !reduceParentheses()) return EvalueFailed;
        count();
        if (m_functions > 0 || m_parentheses > 0) continue;
        if (m_operators > 0 && !reduceOperators(m_text)) return EvalueFailed;
        count();
        if (m_operators == 0) break;
    }

    const auto first = m_text.find_first_not_of(' ');
    if (first == std::string::npos) {
        m_text.clear();
    } else {
        m_text = m_text.substr(first, m_text.find_last_not_of(' ') - first + 1);
    }
    return m_text.find(' ') == std::string::npos ? EvalueOk : EvalueFailed;
}

void Evaluation::count()
{
    m_parentheses = static_cast<int>(std::count(m_text.begin(), m_text.end(), '('));
    m_functions = 0;
    m_operators = 0;
    for (size_t i = 0; i < m_text.size(); ++i) {
        if (codeAt(m_text, i)) ++m_functions;
        for (std::string_view token : kOperatorTokens)
            if (startsWith(m_text, i, token)) ++m_operators;
    }
}

// Replaces each function code whose argument is already a number by the
// result; a code followed by "(" or by another code waits for a later cycle.
bool Evaluation::applyFunctions()
{
    size_t i = 1;
    while (i < m_text.size() && m_functions >= 1) {
        const auto code = codeAt(m_text, i);
        const size_t argument = i + 4; // after the code and its blank
        // A sign before "(" or before another code is the sign of a value still
        // to come (SIN -(10 + 20), SQR -LOG 5): the code waits for that value.
        const bool signedValueToCome =
            argument + 1 < m_text.size() && m_text[argument] == '-' &&
            (m_text[argument + 1] == '(' || isLetter(m_text[argument + 1]));
        if (code && argument < m_text.size() && !signedValueToCome &&
            (isDigit(m_text[argument]) || m_text[argument] == '-' || m_text[argument] == '.')) {
            const size_t end = m_text.find_first_of(") ", argument);
            if (end == std::string::npos) return false;
            const auto x = readNumber(std::string_view(m_text).substr(argument, end - argument));
            if (!x) return false;
            const auto y = function(*code, *x);
            if (!y) return false;
            m_text.replace(i, end - i, writeNumber(*y));
            --m_functions;
            i = 1;
            continue;
        }
        ++i;
    }
    return true;
}

// Sine, cosine and tangent of an angle in degrees that is an exact multiple of
// 45°, where the exact value is known: cos 90 is 0, not 6.1E-17, and tan 45 is 1.
// Nothing for other angles; tan 90 (and every odd multiple) has no value.
struct ExactTrig {
    bool known = false;
    std::optional<double> value;
};

ExactTrig exactDegrees(std::string_view code, double x)
{
    const double turn = std::fmod(x, 360); // exact, sign of x
    const double half = std::fmod(x, 180);
    if (code == "TAN") {
        if (half == 0) return {true, 0.0};
        if (half == 45 || half == -135) return {true, 1.0};
        if (half == -45 || half == 135) return {true, -1.0};
        if (half == 90 || half == -90) return {true, std::nullopt};
        return {};
    }
    if (std::fmod(turn, 90) != 0) return {};
    // Quarter turns from 0 to 3, counted anticlockwise.
    const int quarter = (static_cast<int>(turn / 90) + 4) % 4;
    static constexpr double kSine[4] = {0, 1, 0, -1};
    static constexpr double kCosine[4] = {1, 0, -1, 0};
    if (code == "SIN") return {true, kSine[quarter]};
    if (code == "COS") return {true, kCosine[quarter]};
    return {};
}

std::optional<double> Evaluation::function(std::string_view code, double x) const
{
    if (m_degrees && (code == "SIN" || code == "COS" || code == "TAN")) {
        const ExactTrig exact = exactDegrees(code, x);
        if (exact.known) return exact.value;
    }
    const double pi = 4 * std::atan(1.0);
    const double halfPi = 2 * std::atan(1.0);
    // arcsin as arctan(x / sqrt(1 - x²)), with the two ends of the domain apart.
    auto arcsine = [&](double v) -> std::optional<double> {
        if (v == 1) return halfPi;
        if (v == -1) return -halfPi;
        const double d = 1 - v * v;
        if (!(d > 0)) return std::nullopt;
        return std::atan(v / std::sqrt(d));
    };
    auto toAngle = [&](double v) { return m_degrees ? v * pi / 180 : v; };
    auto fromAngle = [&](double v) { return m_degrees ? v * 180 / pi : v; };

    std::optional<double> y;
    if (code == "SQR") {
        if (x >= 0) y = std::sqrt(x); // -0 passes: its root is 0
    } else if (code == "EXP") {
        y = std::exp(x);
    } else if (code == "LOG") {
        if (x > 0) y = std::log(x) / std::log(10.0);
    } else if (code == "LON") {
        if (x > 0) y = std::log(x);
    } else if (code == "SIN") {
        y = std::sin(toAngle(x));
    } else if (code == "COS") {
        y = std::cos(toAngle(x));
    } else if (code == "TAN") {
        y = std::tan(toAngle(x));
    } else if (code == "ISI") {
        if (const auto a = arcsine(x)) y = fromAngle(*a);
    } else if (code == "ICO") {
        if (const auto a = arcsine(x)) y = fromAngle(halfPi - *a);
    } else if (code == "ITA") {
        y = fromAngle(std::atan(x));
    }
    if (!y || !std::isfinite(*y)) return std::nullopt;
    return y;
}

// Reduces the innermost groups one by one while "(" remain. A group that
// still holds a function (a letter from F to Y; E and D are exponents) is
// left for the next cycle, which applies the function first.
bool Evaluation::reduceParentheses()
{
    while (m_parentheses > 0) {
        const size_t open = m_text.rfind('(');
        if (open == std::string::npos) return true;
        const size_t close = m_text.find(')', open);
        if (close == std::string::npos) return false;
        std::string inner = m_text.substr(open + 1, close - open - 1);
        if (std::any_of(inner.begin(), inner.end(), [](char c) { return c >= 'F' && c <= 'Y'; }))
            return true;
        if (!reduceOperators(inner)) return false;
        m_text.replace(open, close - open + 1, inner);
        --m_parentheses;
        m_text = normalised(m_text);
    }
    return true;
}

// Reduces the first operation of the highest class, then starts again from
// powers: "^" first, then "/", "*", "-", "+", each from left to right.
bool Evaluation::reduceOperators(std::string& s)
{
    s = normalised(s);
    size_t cls = 0;
    while (cls < kOperatorTokens.size()) {
        const std::string_view token = kOperatorTokens[cls];
        size_t at = std::string::npos;
        for (size_t p = 2; p + token.size() <= s.size(); ++p) {
            if (m_displayIsBlank) {
                m_displayConsulted = true;
                if (m_displayIsBlank()) return true;
            }
            if (s.compare(p, token.size(), token) == 0) {
                at = p;
                break;
            }
        }
        if (at == std::string::npos) {
            ++cls;
            continue;
        }

        const size_t leftBlank = s.rfind(' ', at - 1);
        const size_t right = at + token.size();
        const size_t rightBlank = s.find(' ', right);
        if (leftBlank == std::string::npos || rightBlank == std::string::npos) return false;
        const auto a = readNumber(std::string_view(s).substr(leftBlank + 1, at - leftBlank - 1));
        const auto b = readNumber(std::string_view(s).substr(right, rightBlank - right));
        if (!a || !b) return false;
        double v = 0;
        switch (token[1]) {
        case '^':
            v = std::pow(*a, *b);
            break;
        case '/':
            if (*b == 0) return false;
            v = *a / *b;
            break;
        case '*':
            v = *a * *b;
            break;
        case '-':
            v = *a - *b;
            break;
        default:
            v = *a + *b;
            break;
        }
        if (!std::isfinite(v)) return false;
        s.replace(leftBlank + 1, rightBlank - leftBlank - 1, writeNumber(v));
        if (--m_operators < 1) return true;
        cls = 0;
    }
    return true;
}

} // namespace

std::string normalised(std::string t)
{
    toUpper(t);
    removeBlanks(t);
    for (;;) {
        const std::string before = t;
        for (size_t i = 0; i + 1 < t.size(); ++i) {
            const char a = t[i];
            const char b = t[i + 1];
            if (a == '-' && b == '-') {
                t.replace(i, 2, "+");
            } else if ((a == '+' && b == '-') || (a == '-' && b == '+')) {
                t.replace(i, 2, "-");
            } else if (a == '+' && b == '+') {
                t.replace(i, 2, "+");
            }
        }
        if (!t.empty() && t[0] == '+') t.erase(0, 1);
        // A "+" right after a function code is its argument's sign, not an
        // operator: SQR -(2 - 6) gives SQR --4, then SQR +4, then SQR 4.
        for (size_t i = 3; i < t.size(); ++i)
            if (t[i] == '+' && codeAt(t, i - 3)) t.erase(i, 1);
        // "(5)" and "(-.5)" lose their parentheses; "(1E-3)" and "()" keep them.
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] != '(') continue;
            size_t j = i + 1;
            if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
            while (j < t.size() && (isDigit(t[j]) || t[j] == '.'))
                ++j;
            if (j < t.size() && t[j] == ')' && j >= i + 2) {
                t.erase(j, 1);
                t.erase(i, 1);
            }
        }
        if (t == before) break;
    }
    space(t);
    return t;
}

void evalue(std::string& text, short& error, short angleMode, const DisplayIsBlank& displayIsBlank)
{
    error = Evaluation(text, angleMode, displayIsBlank).run();
}

} // namespace titrage
