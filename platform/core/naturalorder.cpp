#include "platform/core/naturalorder.h"

#include <cstddef>

namespace titrage {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char lowered(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The end of the digit run starting at `i`.
std::size_t runEnd(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Compares two digit runs by value without converting them, so that runs
// longer than any integer type still order correctly: leading zeros skipped,
// then the longer run is the larger, then digit by digit.
int compareRuns(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && a[i] == '0')
        ++i;
    while (j < b.size() && b[j] == '0')
        ++j;
    const std::size_t la = a.size() - i;
    const std::size_t lb = b.size() - j;
    if (la != lb) return la < lb ? -1 : 1;
    for (; i < a.size(); ++i, ++j)
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
    return 0;
}

} // namespace

bool naturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t ei = runEnd(a, i);
            const std::size_t ej = runEnd(b, j);
            const int order = compareRuns(a.substr(i, ei - i), b.substr(j, ej - j));
            if (order != 0) return order < 0;
            i = ei;
            j = ej;
            continue;
        }
        const char ca = lowered(a[i]);
        const char cb = lowered(b[j]);
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb);
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
    return a < b;
}

} // namespace titrage
