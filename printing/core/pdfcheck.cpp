#include "printing/core/pdfcheck.h"

#include <algorithm>
#include <optional>

namespace titrage {

namespace {

// "startxref" and the offset after it lie within the file's last 1024 bytes,
// where readers of PDF look for them.
constexpr std::int64_t kTailBytes = 1024;
// A table longer than this (800 000 objects) is not one a printing wrote.
constexpr std::int64_t kMaxTableBytes = 16 << 20;
// Enough for "<number> <generation> obj".
constexpr std::size_t kObjectHeadBytes = 48;

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The tokens of a piece of the file, read from a position.
class Tokens {
public:
    Tokens(std::string_view bytes, std::size_t at) : m_bytes(bytes), m_at(at) {}

    void skipSpace()
    {
        while (m_at < m_bytes.size() && isSpace(m_bytes[m_at]))
            ++m_at;
    }
    // A decimal number of at most 18 digits, so that it never overflows.
    std::optional<std::int64_t> number()
    {
        skipSpace();
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (m_at < m_bytes.size() && isDigit(m_bytes[m_at])) {
            if (++digits > 18) return std::nullopt;
            value = value * 10 + (m_bytes[m_at++] - '0');
        }
        if (digits == 0) return std::nullopt;
        return value;
    }
    bool word(std::string_view w)
    {
        skipSpace();
        if (m_bytes.substr(m_at).substr(0, w.size()) != w) return false;
        m_at += w.size();
        return true;
    }
    // Whether only spaces are left.
    bool atEnd()
    {
        skipSpace();
        return m_at >= m_bytes.size();
    }
    char take() { return m_at < m_bytes.size() ? m_bytes[m_at++] : '\0'; }

private:
    std::string_view m_bytes;
    std::size_t m_at;
};

// `head`, read at an object's offset, begins that object.
bool beginsObject(std::string_view head, std::int64_t number, std::int64_t generation)
{
    // The offset names the object's first byte, not a space before it.
    if (head.empty() || isSpace(head.front())) return false;
    Tokens t(head, 0);
    return t.number() == number && t.number() == generation && t.word("obj");
}

} // namespace

bool isCompletePdf(std::int64_t size, const ReadAt& read)
{
    if (size < 5 || read(0, 5) != "%PDF-") return false;
    const std::int64_t tailAt = std::max<std::int64_t>(0, size - kTailBytes);
    const std::string tailBytes = read(tailAt, static_cast<std::size_t>(size - tailAt));
    if (static_cast<std::int64_t>(tailBytes.size()) != size - tailAt) return false;
    std::string_view tail = tailBytes;
    if (tail.ends_with("\r\n"))
        tail.remove_suffix(2);
    else if (tail.ends_with('\n') || tail.ends_with('\r'))
        tail.remove_suffix(1);
    if (!tail.ends_with("%%EOF")) return false;
    tail.remove_suffix(5);

    // "startxref", the table's offset, then only spaces before "%%EOF".
    const std::size_t startInTail = tail.rfind("startxref");
    if (startInTail == std::string_view::npos) return false;
    Tokens after(tail, startInTail + 9);
    const std::optional<std::int64_t> tableAt = after.number();
    if (!tableAt || !after.atEnd()) return false;
    // Objects and table lie before "startxref".
    const std::int64_t limit = tailAt + static_cast<std::int64_t>(startInTail);
    if (*tableAt >= limit || limit - *tableAt > kMaxTableBytes) return false;

    const std::string table = read(*tableAt, static_cast<std::size_t>(limit - *tableAt));
    if (!table.starts_with("xref")) return false;
    Tokens t(table, 4);
    int placed = 0;
    while (!t.word("trailer")) {
        const auto first = t.number();
        const auto count = t.number();
        if (!first || !count) return false;
        for (std::int64_t i = 0; i < *count; ++i) {
            const auto offset = t.number();
            const auto generation = t.number();
            if (!offset || !generation) return false;
            t.skipSpace();
            const char kind = t.take();
            if (kind == 'f') continue;
            if (kind != 'n') return false;
            // A writer may list a number it reserved and never used as
            // offset 0; any other offset must hold its object.
            if (*offset == 0) continue;
            if (*offset >= *tableAt ||
                !beginsObject(read(*offset, kObjectHeadBytes), *first + i, *generation))
                return false;
            ++placed;
        }
    }
    return placed > 0;
}

bool isCompletePdf(std::string_view bytes)
{
    return isCompletePdf(
        static_cast<std::int64_t>(bytes.size()), [bytes](std::int64_t offset, std::size_t length) {
            const auto at = static_cast<std::size_t>(offset);
            return at < bytes.size() ? std::string(bytes.substr(at, length)) : std::string();
        });
}

} // namespace titrage
