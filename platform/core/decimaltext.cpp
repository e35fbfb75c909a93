#include "platform/core/decimaltext.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace titrage {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The power of ten of the first significant digit of a number that
// from_chars found out of range: positive for an overflow, negative for an
// underflow. The exponent saturates, as it may have any number of digits.
long magnitudeOf(std::string_view number)
{
    long beforePoint = 0;
    long leadingZerosAfterPoint = 0;
    bool point = false;
    bool significant = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            point = true;
        } else if (isDigit(c)) {
            if (c != '0') significant = true;
            if (!point && significant) ++beforePoint;
            if (point && !significant) ++leadingZerosAfterPoint;
        } else {
            break;
        }
    }
    long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        for (; i < number.size() && isDigit(number[i]); ++i)
            if (exponent < 1000000) exponent = exponent * 10 + (number[i] - '0');
        if (negative) exponent = -exponent;
    }
    return (beforePoint > 0 ? beforePoint - 1 : -leadingZerosAfterPoint - 1) + exponent;
}

} // namespace

std::optional<DecimalValue> readDecimal(std::string_view text)
{
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        start = 1;
    }
    // from_chars would also take "inf" and "nan": a number begins with a
    // digit, or a point and a digit.
    const std::string_view body = text.substr(start);
    if (body.empty()) return std::nullopt;
    if (!isDigit(body[0]) && !(body[0] == '.' && body.size() > 1 && isDigit(body[1])))
        return std::nullopt;

    DecimalValue result;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
    if (error == std::errc::invalid_argument) return std::nullopt;
    result.length = start + static_cast<std::size_t>(end - body.data());
    if (error == std::errc::result_out_of_range) {
        const bool overflow = magnitudeOf(body.substr(0, result.length - start)) > 0;
        result.range = overflow ? DecimalRange::Overflow : DecimalRange::Underflow;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (value != 0.0 && value < std::numeric_limits<double>::min()) {
        result.range = DecimalRange::Underflow; // a subnormal, as strtod reports it
    }
    result.value = negative ? -value : value;
    return result;
}

std::size_t writeScientific(double x, int decimals, char* out)
{
    const auto r = std::to_chars(out, out + 63, x, std::chars_format::scientific, decimals);
    *r.ptr = '\0';
    return static_cast<std::size_t>(r.ptr - out);
}

std::size_t writeGeneral(double x, int significant, char* out)
{
    const auto r = std::to_chars(out, out + 63, x, std::chars_format::general, significant);
    *r.ptr = '\0';
    return static_cast<std::size_t>(r.ptr - out);
}

} // namespace titrage
