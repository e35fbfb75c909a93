#include "platform/core/numberformat.h"

#include "platform/core/decimaltext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace titrage {

namespace {

bool isBlankAt(std::string_view s, size_t i, size_t& len)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == ' ' || c == '\t') {
        len = 1;
        return true;
    }
    // U+00A0 and U+202F, the blanks a French locale puts between digit groups.
    if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xA0) {
        len = 2;
        return true;
    }
    if (c == 0xE2 && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x80 &&
        static_cast<unsigned char>(s[i + 2]) == 0xAF) {
        len = 3;
        return true;
    }
    return false;
}

// A decimal number as a digit string: value = 0.d1d2d3... x 10^point.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros; empty for zero
    int point = 0;
};

Decimal toDecimal(double x, int significant)
{
    Decimal d;
    if (x == 0.0 || !std::isfinite(x)) return d;
    char buf[64];
    writeScientific(x, significant - 1, buf);
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    d.point = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `count` digits, rounding half away from zero.
void roundDigits(Decimal& d, int count)
{
    if (count < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<int>(d.digits.size()) <= count) return;
    const bool up = d.digits[static_cast<size_t>(count)] >= '5';
    d.digits.resize(static_cast<size_t>(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[static_cast<size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

char digitAt(const Decimal& d, int index) // index 0 = first digit
{
    return index >= 0 && index < static_cast<int>(d.digits.size())
               ? d.digits[static_cast<size_t>(index)]
               : '0';
}

struct FixedPattern {
    int minDecimals = 0;
    int maxDecimals = 0;
    bool groupDecimals = false; // a blank after every third decimal
};

struct ScientificPattern {
    int mantissaDecimals = 0;
    int exponentDigits = 0;
};

std::optional<FixedPattern> fixedPattern(std::string_view pattern)
{
    const auto dot = pattern.find('.');
    if (dot == std::string_view::npos || pattern.find('E') != std::string_view::npos)
        return std::nullopt;
    FixedPattern f;
    for (size_t i = 0; i < dot; ++i)
        if (pattern[i] != '#' && pattern[i] != '0') return std::nullopt;
    for (size_t i = dot + 1; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '0') {
            ++f.minDecimals;
            ++f.maxDecimals;
        } else if (c == '#') {
            ++f.maxDecimals;
        } else if (c == ' ') {
            f.groupDecimals = true;
        } else {
            return std::nullopt;
        }
    }
    return f;
}

std::optional<ScientificPattern> scientificPattern(std::string_view pattern)
{
    const auto e = pattern.find("E+");
    if (e == std::string_view::npos || pattern.substr(0, 2) != "0.") return std::nullopt;
    ScientificPattern s;
    for (size_t i = 2; i < e; ++i) {
        if (pattern[i] != '0') return std::nullopt;
        ++s.mantissaDecimals;
    }
    for (size_t i = e + 2; i < pattern.size(); ++i) {
        if (pattern[i] != '0') return std::nullopt;
        ++s.exponentDigits;
    }
    return s;
}

std::string exponentText(int exponent, int minDigits)
{
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    while (static_cast<int>(digits.size()) < minDigits)
        digits.insert(digits.begin(), '0');
    return std::string(exponent < 0 ? "E-" : "E+") + digits;
}

std::string formatFixed(double x, const FixedPattern& f, char sep)
{
    Decimal d = toDecimal(x, 15);
    roundDigits(d, d.point + f.maxDecimals);
    std::string out;
    if (d.negative && !d.digits.empty()) out.push_back('-');
    if (d.digits.empty() || d.point <= 0) {
        out.push_back('0');
    } else {
        for (int i = 0; i < d.point; ++i)
            out.push_back(digitAt(d, i));
    }
    int decimals = static_cast<int>(d.digits.size()) - d.point;
    if (decimals < f.minDecimals) decimals = f.minDecimals;
    if (d.digits.empty()) decimals = f.minDecimals;
    if (decimals > 0 || f.minDecimals > 0) out.push_back(sep);
    for (int i = 0; i < decimals; ++i) {
        if (f.groupDecimals && i > 0 && i % 3 == 0) out.push_back(' ');
        out.push_back(digitAt(d, d.point + i));
    }
    return out;
}

std::string formatScientific(double x, const ScientificPattern& s, char sep)
{
    Decimal d = toDecimal(x, 15);
    roundDigits(d, 1 + s.mantissaDecimals);
    std::string out;
    if (d.negative && !d.digits.empty()) out.push_back('-');
    out.push_back(digitAt(d, 0));
    if (s.mantissaDecimals > 0) out.push_back(sep);
    for (int i = 1; i <= s.mantissaDecimals; ++i)
        out.push_back(digitAt(d, i));
    const int exponent = d.digits.empty() ? 0 : d.point - 1;
    out += exponentText(exponent, s.exponentDigits);
    return out;
}

std::string generalFormatDigits(double x, int precision, char sep)
{
    if (!std::isfinite(x)) return x != x ? "NaN" : (x < 0 ? "-Inf" : "Inf");
    Decimal d = toDecimal(x, precision);
    if (d.digits.empty()) return "0";
    std::string out;
    if (d.negative) out.push_back('-');
    const int exponent = d.point - 1;
    if (exponent < -4 || exponent >= precision) {
        out.push_back(d.digits[0]);
        if (d.digits.size() > 1) {
            out.push_back(sep);
            out.append(d.digits, 1, std::string::npos);
        }
        out += exponentText(exponent, 2);
        return out;
    }
    if (d.point <= 0) {
        out.push_back('0');
        out.push_back(sep);
        out.append(static_cast<size_t>(-d.point), '0');
        out += d.digits;
        return out;
    }
    for (int i = 0; i < d.point; ++i)
        out.push_back(digitAt(d, i));
    if (static_cast<int>(d.digits.size()) > d.point) {
        out.push_back(sep);
        out.append(d.digits, static_cast<size_t>(d.point), std::string::npos);
    }
    return out;
}

} // namespace

std::string trimmed(std::string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t' || text[b] == '\r' || text[b] == '\n'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r' ||
                     text[e - 1] == '\n'))
        --e;
    return std::string(text.substr(b, e - b));
}

std::optional<double> parseNumber(std::string_view text)
{
    std::string clean;
    clean.reserve(text.size());
    bool sawDigit = false;
    bool sawSeparator = false;
    bool sawExponent = false;
    bool exponentDigit = false;
    for (size_t i = 0; i < text.size();) {
        size_t blank = 0;
        if (isBlankAt(text, i, blank)) {
            i += blank;
            continue;
        }
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            clean.push_back(c);
            (sawExponent ? exponentDigit : sawDigit) = true;
        } else if ((c == ',' || c == '.') && !sawSeparator && !sawExponent) {
            clean.push_back('.');
            sawSeparator = true;
        } else if ((c == 'E' || c == 'e') && sawDigit && !sawExponent) {
            clean.push_back('e');
            sawExponent = true;
        } else if ((c == '+' || c == '-') &&
                   (clean.empty() || (sawExponent && clean.back() == 'e'))) {
            clean.push_back(c);
        } else {
            return std::nullopt;
        }
        ++i;
    }
    if (!sawDigit || (sawExponent && !exponentDigit)) return std::nullopt;
    const auto read = readDecimal(clean);
    if (!read || read->length != clean.size() || read->range == DecimalRange::Overflow)
        return std::nullopt;
    // A value too small for a normal double reads as 0 when it rounds to 0,
    // and is refused when it would keep only a few bits of precision.
    if (read->range == DecimalRange::Underflow && read->value != 0.0) return std::nullopt;
    return read->value;
}

std::optional<float> parseFloat(std::string_view text)
{
    const auto value = parseNumber(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

std::string formatNumber(double x, std::string_view pattern, char decimalSeparator)
{
    if (!std::isfinite(x)) return generalFormatDigits(x, 15, decimalSeparator);
    if (const auto s = scientificPattern(pattern)) return formatScientific(x, *s, decimalSeparator);
    if (const auto f = fixedPattern(pattern)) return formatFixed(x, *f, decimalSeparator);
    return generalFormatDigits(x, 15, decimalSeparator);
}

std::string generalFormat(float x, char decimalSeparator)
{
    return generalFormatDigits(static_cast<double>(x), 7, decimalSeparator);
}

std::string generalFormat(double x, char decimalSeparator)
{
    return generalFormatDigits(x, 15, decimalSeparator);
}

double roundSignificant(double x, int digits)
{
    std::string pattern = "0.";
    pattern.append(static_cast<size_t>(digits > 1 ? digits - 1 : 0), '0');
    pattern += "E+00";
    return parseNumber(formatNumber(x, pattern)).value_or(x);
}

} // namespace titrage
