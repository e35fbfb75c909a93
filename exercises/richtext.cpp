#include "exercises/richtext.h"

#include "platform/recordfile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace titrage {

void appendRun(RtfParagraph& paragraph, std::string_view text, const RtfCharFormat& format)
{
    if (text.empty()) return;
    if (!paragraph.runs.empty() && paragraph.runs.back().format == format)
        paragraph.runs.back().text.append(text);
    else
        paragraph.runs.push_back({std::string(text), format});
}

namespace {

// Groups deeper than this share the state of the deepest one: a file of a
// million "{" costs no memory.
constexpr std::size_t kMaxDepth = 256;
// Numeric parameters longer than this are cut (RTF allows 10 digits at most).
constexpr int kMaxDigits = 10;

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct State {
    RtfCharFormat format;
    RtfAlign align = RtfAlign::Left;
    bool skip = false;   // inside a destination whose text is not shown
    bool colors = false; // inside \colortbl
    int unicodeSkip = 1; // \ucN: characters that follow \uN for other readers
};

// Destinations whose content is never text of the document.
bool skippedDestination(std::string_view word)
{
    static constexpr std::array<std::string_view, 28> names{"fonttbl",
                                                            "filetbl",
                                                            "stylesheet",
                                                            "info",
                                                            "pict",
                                                            "header",
                                                            "footer",
                                                            "headerl",
                                                            "headerr",
                                                            "headerf",
                                                            "footerl",
                                                            "footerr",
                                                            "footerf",
                                                            "object",
                                                            "fldinst",
                                                            "listtable",
                                                            "listoverridetable",
                                                            "rsidtbl",
                                                            "generator",
                                                            "themedata",
                                                            "datastore",
                                                            "latentstyles",
                                                            "colorschememapping",
                                                            "xmlnstbl",
                                                            "revtbl",
                                                            "pgdsctbl",
                                                            "footnote",
                                                            "bkmkstart"};
    for (std::string_view n : names)
        if (n == word) return true;
    return false;
}

class Parser {
public:
    explicit Parser(std::string_view in) : m_in(in) {}

    RtfText run()
    {
        m_text.paragraphs.emplace_back();
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                character(static_cast<unsigned char>(c));
                break;
            }
        }
        flushPending();
        return std::move(m_text);
    }

private:
    State& state() { return m_stack.back(); }

    void openGroup()
    {
        flushPending();
        if (m_stack.size() >= kMaxDepth) {
            ++m_overflow;
            return;
        }
        m_stack.push_back(m_stack.back());
        m_groupStart = true;
    }

    void closeGroup()
    {
        flushPending();
        m_groupStart = false;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        // The outermost state stays: text after a stray "}" is still read.
        if (m_stack.size() > 1) m_stack.pop_back();
    }

    // Text is gathered per format and added to the paragraph in one piece.
    void addText(std::string_view utf8)
    {
        if (state().skip) return;
        if (state().colors) return;
        if (m_pending.empty())
            m_pendingFormat = state().format;
        else if (!(m_pendingFormat == state().format)) {
            flushPending();
            m_pendingFormat = state().format;
        }
        if (m_text.paragraphs.back().runs.empty() && m_pending.empty())
            m_text.paragraphs.back().align = state().align;
        m_pending.append(utf8);
    }

    void flushPending()
    {
        appendRun(m_text.paragraphs.back(), m_pending, m_pendingFormat);
        m_pending.clear();
    }

    void character(unsigned char c)
    {
        m_groupStart = false;
        if (m_toSkip > 0) {
            --m_toSkip;
            return;
        }
        if (state().colors) {
            if (c == ';') {
                m_colorTable.push_back(m_colorSet ? std::optional<std::uint32_t>(m_color)
                                                  : std::nullopt);
                m_color = 0;
                m_colorSet = false;
            }
            return;
        }
        if (c < 0x20) return;
        if (c < 0x80) {
            const char ch = static_cast<char>(c);
            addText(std::string_view(&ch, 1));
        } else {
            const char ch = static_cast<char>(c);
            addText(cp1252ToUtf8(std::string_view(&ch, 1)));
        }
    }

    // A paragraph takes the alignment in force when its first text comes, or
    // the last one set while it is still empty.
    void setAlign(RtfAlign align)
    {
        state().align = align;
        RtfParagraph& last = m_text.paragraphs.back();
        if (!state().skip && last.runs.empty() && m_pending.empty()) last.align = align;
    }

    void endParagraph()
    {
        flushPending();
        if (state().skip || state().colors) return;
        RtfParagraph& last = m_text.paragraphs.back();
        if (last.runs.empty()) last.align = state().align;
        m_text.paragraphs.emplace_back();
    }

    void control()
    {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        const bool isLetter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!isLetter) {
            ++m_pos;
            symbol(c);
            return;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && m_pos - start < 32 &&
               ((m_in[m_pos] >= 'a' && m_in[m_pos] <= 'z') ||
                (m_in[m_pos] >= 'A' && m_in[m_pos] <= 'Z')))
            ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        bool negative = false;
        bool hasParam = false;
        long param = 0;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_in.size() && m_in[m_pos] >= '0' && m_in[m_pos] <= '9') {
            if (digits++ < kMaxDigits) param = param * 10 + (m_in[m_pos] - '0');
            hasParam = true;
            ++m_pos;
        }
        if (negative) param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos; // the delimiting blank
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        word_(word, hasParam, param, groupStart);
    }

    void symbol(char c)
    {
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(static_cast<unsigned char>(c));
            break;
        case '~':
            unicode(0xA0);
            break;
        case '_':
            character('-');
            break;
        case '*':
            if (groupStart) {
                flushPending();
                state().skip = true;
            }
            break;
        case '\'':
            hexByte();
            break;
        case '\r':
        case '\n':
            endParagraph();
            break; // "\" then a line end means \par
        default:
            break; // "\-" optional hyphen and the like
        }
    }

    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void hexByte()
    {
        if (m_pos + 2 > m_in.size()) {
            m_pos = m_in.size();
            return;
        }
        const int hi = hexValue(m_in[m_pos]);
        const int lo = hexValue(m_in[m_pos + 1]);
        if (hi < 0 || lo < 0) return; // not an escape: read the characters as text
        m_pos += 2;
        const unsigned char byte = static_cast<unsigned char>(hi * 16 + lo);
        if (m_toSkip > 0) {
            --m_toSkip;
            return;
        }
        if (byte < 0x20) return;
        const char ch = static_cast<char>(byte);
        if (byte < 0x80)
            addText(std::string_view(&ch, 1));
        else
            addText(cp1252ToUtf8(std::string_view(&ch, 1)));
    }

    void unicode(std::uint32_t cp)
    {
        m_toSkip = 0;
        if (cp < 0x20 && cp != '\t') return; // control characters are not text
        std::string s;
        appendUtf8(s, cp);
        addText(s);
    }

    void word_(std::string_view w, bool hasParam, long param, bool groupStart)
    {
        State& s = state();
        if (groupStart && skippedDestination(w)) {
            flushPending();
            s.skip = true;
            return;
        }
        if (w == "colortbl") {
            flushPending();
            s.colors = true;
            m_colorTable.clear();
            m_color = 0;
            m_colorSet = false;
            return;
        }
        if (s.colors) {
            const std::uint32_t v = static_cast<std::uint32_t>(param < 0     ? 0
                                                               : param > 255 ? 255
                                                                             : param);
            if (w == "red")
                m_color = (m_color & 0x00FFFFu) | (v << 16);
            else if (w == "green")
                m_color = (m_color & 0xFF00FFu) | (v << 8);
            else if (w == "blue")
                m_color = (m_color & 0xFFFF00u) | v;
            else
                return;
            m_colorSet = true;
            return;
        }
        const bool on = !hasParam || param != 0;
        if (w == "par")
            endParagraph();
        else if (w == "line")
            unicode(0x2028);
        else if (w == "tab")
            unicode('\t');
        else if (w == "u" && hasParam) {
            long v = param < 0 ? param + 65536 : param;
            if (v < 0 || v > 0xFFFF) v = 0xFFFD;
            std::uint32_t cp = static_cast<std::uint32_t>(v);
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                m_highSurrogate = cp;
            } else {
                if (cp >= 0xDC00 && cp <= 0xDFFF && m_highSurrogate != 0)
                    cp = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (cp - 0xDC00);
                m_highSurrogate = 0;
                unicode(cp);
            }
            m_toSkip = s.unicodeSkip;
        } else if (w == "uc" && hasParam)
            s.unicodeSkip = param < 0 ? 0 : param > 8 ? 8 : static_cast<int>(param);
        else if (w == "pard" || w == "ql")
            setAlign(RtfAlign::Left);
        else if (w == "qc")
            setAlign(RtfAlign::Center);
        else if (w == "qr")
            setAlign(RtfAlign::Right);
        else if (w == "qj")
            setAlign(RtfAlign::Justify);
        else if (w == "plain")
            s.format = RtfCharFormat{};
        else if (w == "b")
            s.format.bold = on;
        else if (w == "i")
            s.format.italic = on;
        else if (w == "ul")
            s.format.underline = on;
        else if (w == "ulnone")
            s.format.underline = false;
        else if (w == "fs")
            s.format.halfPoints =
                hasParam && param > 0 && param <= 3276 ? static_cast<int>(param) : 0;
        else if (w == "cf") {
            const std::size_t i = static_cast<std::size_t>(param < 0 ? 0 : param);
            s.format.color = hasParam && i < m_colorTable.size() ? m_colorTable[i] : std::nullopt;
        } else if (w == "super")
            s.format.vertical = RtfVertical::Super;
        else if (w == "sub")
            s.format.vertical = RtfVertical::Sub;
        else if (w == "nosupersub")
            s.format.vertical = RtfVertical::Normal;
        else if (w == "up")
            s.format.vertical = on ? RtfVertical::Super : RtfVertical::Normal;
        else if (w == "dn")
            s.format.vertical = on ? RtfVertical::Sub : RtfVertical::Normal;
        else if (w == "emdash")
            unicode(0x2014);
        else if (w == "endash")
            unicode(0x2013);
        else if (w == "lquote")
            unicode(0x2018);
        else if (w == "rquote")
            unicode(0x2019);
        else if (w == "ldblquote")
            unicode(0x201C);
        else if (w == "rdblquote")
            unicode(0x201D);
        else if (w == "bullet")
            unicode(0x2022);
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::vector<State> m_stack{State{}};
    std::size_t m_overflow = 0;
    bool m_groupStart = false;
    int m_toSkip = 0;
    std::uint32_t m_highSurrogate = 0;
    std::vector<std::optional<std::uint32_t>> m_colorTable;
    std::uint32_t m_color = 0;
    bool m_colorSet = false;
    std::string m_pending;
    RtfCharFormat m_pendingFormat;
    RtfText m_text;
};

// Decodes one UTF-8 sequence at `i`; a byte that does not start a valid
// sequence is taken as U+FFFD.
std::uint32_t nextCodePoint(std::string_view s, std::size_t& i)
{
    const unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0 || c > 0xF4) return 0xFFFD;
    std::uint32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

void writeEscapedText(std::string& out, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const std::uint32_t cp = nextCodePoint(text, i);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp == 0x2028) {
            out += "\\line ";
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else if (cp < 0x20) {
            // control characters are not text
        } else {
            const std::string byte = utf8ToCp1252(text.substr(start, i - start));
            char buf[16];
            if (byte.size() == 1 && byte != "?" && static_cast<unsigned char>(byte[0]) >= 0x80) {
                std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned char>(byte[0]));
                out += buf;
            } else {
                auto unit = [&](std::uint32_t u) {
                    std::snprintf(buf, sizeof buf, "\\u%d?",
                                  static_cast<int>(static_cast<std::int16_t>(u)));
                    out += buf;
                };
                if (cp >= 0x10000) {
                    unit(0xD800 + ((cp - 0x10000) >> 10));
                    unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
                } else {
                    unit(cp);
                }
            }
        }
    }
}

} // namespace

std::optional<RtfText> parseRtf(std::string_view rtf)
{
    const std::size_t start = rtf.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || rtf.substr(start, 5) != "{\\rtf") return std::nullopt;
    return Parser(rtf.substr(start)).run();
}

std::string writeRtf(const RtfText& text)
{
    std::vector<std::uint32_t> colors;
    for (const RtfParagraph& p : text.paragraphs)
        for (const RtfRun& r : p.runs)
            if (r.format.color &&
                std::find(colors.begin(), colors.end(), *r.format.color) == colors.end())
                colors.push_back(*r.format.color);

    std::string out =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss Arial;}}\r\n{\\colortbl ;";
    char buf[64];
    for (std::uint32_t c : colors) {
        std::snprintf(buf, sizeof buf, "\\red%u\\green%u\\blue%u;", (c >> 16) & 0xFF,
                      (c >> 8) & 0xFF, c & 0xFF);
        out += buf;
    }
    out += "}\r\n";
    for (std::size_t n = 0; n < text.paragraphs.size(); ++n) {
        const RtfParagraph& p = text.paragraphs[n];
        if (n > 0) out += "\\par\r\n";
        out += "\\pard";
        switch (p.align) {
        case RtfAlign::Left:
            break;
        case RtfAlign::Center:
            out += "\\qc";
            break;
        case RtfAlign::Right:
            out += "\\qr";
            break;
        case RtfAlign::Justify:
            out += "\\qj";
            break;
        }
        for (const RtfRun& r : p.runs) {
            if (r.text.empty()) continue;
            out += "{\\plain";
            const RtfCharFormat& f = r.format;
            if (f.bold) out += "\\b";
            if (f.italic) out += "\\i";
            if (f.underline) out += "\\ul";
            if (f.halfPoints > 0) out += "\\fs" + std::to_string(f.halfPoints);
            if (f.color) {
                const auto at = std::find(colors.begin(), colors.end(), *f.color) - colors.begin();
                out += "\\cf" + std::to_string(at + 1);
            }
            if (f.vertical == RtfVertical::Super) out += "\\super";
            if (f.vertical == RtfVertical::Sub) out += "\\sub";
            out += ' ';
            writeEscapedText(out, r.text);
            out += '}';
        }
    }
    out += "\r\n}\r\n";
    return out;
}

} // namespace titrage
