#include "exercises/core/richtext.h"

#include "platform/core/recordfile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace titrage {

void appendRun(RtfParagraph& paragraph, std::string_view text, const RtfCharFormat& format)
{
    if (text.empty()) return;
    if (!paragraph.runs.empty() && !paragraph.runs.back().picture &&
        paragraph.runs.back().format == format)
        paragraph.runs.back().text.append(text);
    else
        paragraph.runs.push_back({std::string(text), format, std::nullopt});
}

void appendPicture(RtfParagraph& paragraph, RtfPicture picture)
{
    if (picture.data.empty()) return;
    paragraph.runs.push_back({std::string(), RtfCharFormat{}, std::move(picture)});
}

std::uint32_t symbolFontCharacter(std::uint32_t code)
{
    if (code >= 0xF020 && code <= 0xF0FF) code -= 0xF000;
    if (code >= 'a' && code <= 'z') {
        static constexpr char16_t lower[26] = {
            u'\u03B1', u'\u03B2', u'\u03C7', u'\u03B4', u'\u03B5', u'\u03C6', u'\u03B3',
            u'\u03B7', u'\u03B9', u'\u03D5', u'\u03BA', u'\u03BB', u'\u03BC', u'\u03BD',
            u'\u03BF', u'\u03C0', u'\u03B8', u'\u03C1', u'\u03C3', u'\u03C4', u'\u03C5',
            u'\u03D6', u'\u03C9', u'\u03BE', u'\u03C8', u'\u03B6'};
        return lower[code - 'a'];
    }
    if (code >= 'A' && code <= 'Z') {
        static constexpr char16_t upper[26] = {
            u'\u0391', u'\u0392', u'\u03A7', u'\u0394', u'\u0395', u'\u03A6', u'\u0393',
            u'\u0397', u'\u0399', u'\u03D1', u'\u039A', u'\u039B', u'\u039C', u'\u039D',
            u'\u039F', u'\u03A0', u'\u0398', u'\u03A1', u'\u03A3', u'\u03A4', u'\u03A5',
            u'\u03C2', u'\u03A9', u'\u039E', u'\u03A8', u'\u0396'};
        return upper[code - 'A'];
    }
    struct Sign {
        std::uint8_t byte;
        char16_t character;
    };
    static constexpr Sign signs[] = {
        {0x22, u'\u2200'}, {0x24, u'\u2203'}, {0x27, u'\u220B'}, {0x2A, u'\u2217'},
        {0x2D, u'\u2212'}, {0x40, u'\u2245'}, {0x5C, u'\u2234'}, {0x5E, u'\u22A5'},
        {0x7E, u'\u223C'}, {0xA1, u'\u03D2'}, {0xA2, u'\u2032'}, {0xA3, u'\u2264'},
        {0xA4, u'\u2044'}, {0xA5, u'\u221E'}, {0xA6, u'\u0192'}, {0xA7, u'\u2663'},
        {0xA8, u'\u2666'}, {0xA9, u'\u2665'}, {0xAA, u'\u2660'}, {0xAB, u'\u2194'},
        {0xAC, u'\u2190'}, {0xAD, u'\u2191'}, {0xAE, u'\u2192'}, {0xAF, u'\u2193'},
        {0xB0, u'\u00B0'}, {0xB1, u'\u00B1'}, {0xB2, u'\u2033'}, {0xB3, u'\u2265'},
        {0xB4, u'\u00D7'}, {0xB5, u'\u221D'}, {0xB6, u'\u2202'}, {0xB7, u'\u2022'},
        {0xB8, u'\u00F7'}, {0xB9, u'\u2260'}, {0xBA, u'\u2261'}, {0xBB, u'\u2248'},
        {0xBC, u'\u2026'}, {0xC0, u'\u2135'}, {0xC4, u'\u2297'}, {0xC5, u'\u2295'},
        {0xC6, u'\u2205'}, {0xC7, u'\u2229'}, {0xC8, u'\u222A'}, {0xC9, u'\u2283'},
        {0xCA, u'\u2287'}, {0xCB, u'\u2284'}, {0xCC, u'\u2282'}, {0xCD, u'\u2286'},
        {0xCE, u'\u2208'}, {0xCF, u'\u2209'}, {0xD0, u'\u2220'}, {0xD1, u'\u2207'},
        {0xD5, u'\u220F'}, {0xD6, u'\u221A'}, {0xD7, u'\u22C5'}, {0xD8, u'\u00AC'},
        {0xD9, u'\u2227'}, {0xDA, u'\u2228'}, {0xDB, u'\u21D4'}, {0xDC, u'\u21D0'},
        {0xDD, u'\u21D1'}, {0xDE, u'\u21D2'}, {0xDF, u'\u21D3'}, {0xE0, u'\u25CA'},
        {0xE1, u'\u2329'}, {0xE5, u'\u2211'}, {0xF1, u'\u232A'}, {0xF2, u'\u222B'}};
    for (const Sign& sign : signs)
        if (sign.byte == code) return sign.character;
    if (code >= 0x80 && code <= 0xFF) {
        // Other bytes show their Windows-1252 character (at most three UTF-8 bytes).
        const char byte = static_cast<char>(code);
        const std::string u = cp1252ToUtf8(std::string_view(&byte, 1));
        const auto at = [&u](std::size_t k) { return static_cast<unsigned char>(u[k]) & 0x3Fu; };
        const unsigned char c0 = u.empty() ? 0 : static_cast<unsigned char>(u[0]);
        if (c0 >= 0xE0 && u.size() >= 3) return ((c0 & 0x0Fu) << 12) | (at(1) << 6) | at(2);
        if (c0 >= 0xC0 && u.size() >= 2) return ((c0 & 0x1Fu) << 6) | at(1);
        return 0xFFFD;
    }
    return code;
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

// Paragraph properties, reset by \pard.
struct ParagraphProps {
    RtfAlign align = RtfAlign::Left;
    int left = 0;
    int first = 0;
    int right = 0;
    bool inTable = false;
};

struct State {
    RtfCharFormat format;
    ParagraphProps para;
    long font = -1;             // \fN in force; -1: the document's default font
    bool skip = false;          // inside a destination whose text is not shown
    bool colors = false;        // inside \colortbl
    bool fonts = false;         // inside \fonttbl
    bool pict = false;          // inside \pict: the text is the picture's data
    bool shapeProperty = false; // inside a shape's \sp: only its picture is read
    bool shapeName = false;     // inside \sn: the property's name
    int unicodeSkip = 1;        // \ucN: characters that follow \uN for other readers
};

// Destinations whose content is never text of the document.
bool skippedDestination(std::string_view word)
{
    static constexpr std::array<std::string_view, 30> names{
        "filetbl",   "stylesheet",   "info",
        "header",    "footer",       "headerl",
        "headerr",   "headerf",      "footerl",
        "footerr",   "footerf",      "object",
        "fldinst",   "listtable",    "listoverridetable",
        "rsidtbl",   "generator",    "themedata",
        "datastore", "latentstyles", "colorschememapping",
        "xmlnstbl",  "revtbl",       "pgdsctbl",
        "footnote",  "bkmkstart",    "nonshppict",
        "shprslt",   "listtext",     "pntext"};
    for (std::string_view n : names)
        if (n == word) return true;
    return false;
}

// Twips are kept within 100 inches either side.
int clampTwips(long v)
{
    constexpr long kLimit = 144000;
    return static_cast<int>(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v);
}

class Parser {
public:
    explicit Parser(std::string_view in) : m_in(in) {}

    RtfText run()
    {
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
        if (m_stack.back().pict) finishPicture();
        flushPending();
        // A last paragraph inside a table ends its cell and row; the text
        // always ends with a paragraph of text.
        if (m_curProps.inTable && hasText()) {
            endCell();
            endRow();
        }
        closeTable();
        applyProps();
        m_text.paragraphs.push_back(std::move(m_cur));
        return std::move(m_text);
    }

private:
    State& state() { return m_stack.back(); }
    bool outsideText() const
    {
        const State& s = m_stack.back();
        return s.skip || s.colors || s.fonts || s.pict || s.shapeProperty;
    }
    bool hasText() const { return !m_cur.runs.empty() || !m_pending.empty(); }

    void openGroup()
    {
        flushPending();
        m_afterStar = false;
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
        m_afterStar = false;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        // The outermost state stays: text after a stray "}" is still read.
        if (m_stack.size() > 1) {
            const bool pict = m_stack.back().pict;
            m_stack.pop_back();
            if (pict && !m_stack.back().pict) finishPicture();
        }
    }

    // Text is gathered per format and added to the paragraph in one piece.
    void addText(std::string_view utf8)
    {
        if (outsideText()) return;
        if (m_pending.empty())
            m_pendingFormat = state().format;
        else if (!(m_pendingFormat == state().format)) {
            flushPending();
            m_pendingFormat = state().format;
        }
        // A paragraph takes the properties in force when its first text comes.
        if (!hasText()) m_curProps = state().para;
        m_pending.append(utf8);
    }

    void addCodePoint(std::uint32_t cp)
    {
        std::string s;
        appendUtf8(s, cp);
        addText(s);
    }

    void flushPending()
    {
        appendRun(m_cur, m_pending, m_pendingFormat);
        m_pending.clear();
    }

    bool symbolFont() const
    {
        const long f = m_stack.back().font < 0 ? m_defaultFont : m_stack.back().font;
        return std::find(m_symbolFonts.begin(), m_symbolFonts.end(), f) != m_symbolFonts.end();
    }

    // A byte of the text, raw or escaped.
    void textByte(unsigned char c)
    {
        if (state().pict) {
            pictureByte(c);
            return;
        }
        if (state().fonts) {
            fontNameByte(c);
            return;
        }
        if (state().shapeName) {
            if (m_shapeName.size() < 32) m_shapeName += static_cast<char>(c);
            return;
        }
        if (c < 0x20) return;
        if (symbolFont() && c != '\\' && c != '{' && c != '}') {
            addCodePoint(symbolFontCharacter(c));
        } else if (c < 0x80) {
            const char ch = static_cast<char>(c);
            addText(std::string_view(&ch, 1));
        } else {
            const char ch = static_cast<char>(c);
            addText(cp1252ToUtf8(std::string_view(&ch, 1)));
        }
    }

    void character(unsigned char c)
    {
        m_groupStart = false;
        m_afterStar = false;
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
        textByte(c);
    }

    void pictureByte(unsigned char c)
    {
        if (state().skip) return;
        int v = -1;
        if (c >= '0' && c <= '9') v = c - '0';
        if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        if (v < 0) return;
        if (m_nibble < 0) {
            m_nibble = v;
        } else {
            m_picture.data += static_cast<char>(m_nibble * 16 + v);
            m_nibble = -1;
        }
    }

    void fontNameByte(unsigned char c)
    {
        if (state().skip) return;
        if (c == ';') {
            std::string name = m_fontName;
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            std::size_t b = 0;
            while (b < name.size() && name[b] == ' ')
                ++b;
            name = name.substr(b);
            for (char& ch : name)
                if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
            if (name == "symbol" && m_symbolFonts.size() < 64)
                m_symbolFonts.push_back(m_fontNumber);
            m_fontName.clear();
        } else if (m_fontName.size() < 64) {
            m_fontName += static_cast<char>(c);
        }
    }

    void startPicture()
    {
        flushPending();
        state().pict = true;
        m_picture = RtfPicture{};
        m_pictureKnown = false;
        m_nibble = -1;
        m_goalWidth = m_goalHeight = m_width = m_height = 0;
        m_scaleX = m_scaleY = 100;
    }

    void finishPicture()
    {
        const State& s = state();
        if (!m_pictureKnown || s.skip || s.colors || s.fonts) return;
        // The shown size: \picwgoal (twips), else \picw taken as hundredths of
        // a millimetre as word processors write it for PNG and JPEG.
        const long long w = m_goalWidth > 0 ? m_goalWidth : m_width * 1440 / 2540;
        const long long h = m_goalHeight > 0 ? m_goalHeight : m_height * 1440 / 2540;
        m_picture.widthTwips = static_cast<int>(w * m_scaleX / 100);
        m_picture.heightTwips = static_cast<int>(h * m_scaleY / 100);
        if (m_picture.data.empty()) return;
        // The bytes tell the format better than the word that announced it.
        if (m_picture.data.compare(0, 3, "\xFF\xD8\xFF") == 0)
            m_picture.kind = RtfPictureKind::Jpeg;
        else if (m_picture.data.compare(0, 4, "\x89PNG") == 0)
            m_picture.kind = RtfPictureKind::Png;
        if (!hasText()) m_curProps = state().para;
        flushPending();
        appendPicture(m_cur, std::move(m_picture));
        m_picture = RtfPicture{};
        m_pictureKnown = false;
    }

    // A paragraph property changed: an empty paragraph takes it at once.
    void paraChanged()
    {
        if (!outsideText() && !hasText()) m_curProps = state().para;
    }

    void applyProps()
    {
        m_cur.align = m_curProps.align;
        m_cur.leftIndent = m_curProps.left;
        m_cur.firstIndent = m_curProps.first;
        m_cur.rightIndent = m_curProps.right;
    }

    void startParagraph()
    {
        m_cur = RtfParagraph{};
        m_curProps = state().para;
    }

    void endParagraph()
    {
        flushPending();
        if (outsideText()) return;
        if (!hasText()) m_curProps = state().para;
        applyProps();
        if (m_curProps.inTable) {
            m_cellParas.push_back(std::move(m_cur));
        } else {
            closeTable();
            m_text.paragraphs.push_back(std::move(m_cur));
        }
        startParagraph();
    }

    // \cell: the paragraph in progress ends the cell; an empty one after
    // other paragraphs is only the mark that closes the cell.
    void endCell()
    {
        flushPending();
        if (outsideText()) return;
        if (!hasText()) m_curProps = state().para;
        if (hasText() || m_cellParas.empty()) {
            applyProps();
            m_cellParas.push_back(std::move(m_cur));
        }
        m_rowCells.push_back({std::move(m_cellParas)});
        m_cellParas.clear();
        startParagraph();
    }

    void endRow()
    {
        flushPending();
        if (outsideText()) return;
        if (hasText() || !m_cellParas.empty()) endCell();
        if (m_table.rows.size() < kMaxRows)
            m_table.rows.push_back({std::move(m_rowCells), m_cellx});
        m_rowCells.clear();
        startParagraph();
    }

    // The table ends where a paragraph outside it ends.
    void closeTable()
    {
        if (!m_cellParas.empty() || !m_rowCells.empty()) {
            m_rowCells.push_back({std::move(m_cellParas)});
            m_cellParas.clear();
            if (m_rowCells.back().paragraphs.empty()) m_rowCells.back().paragraphs.emplace_back();
            m_table.rows.push_back({std::move(m_rowCells), m_cellx});
            m_rowCells.clear();
        }
        if (m_table.rows.empty()) return;
        RtfParagraph placeholder;
        placeholder.table = static_cast<int>(m_text.tables.size());
        m_text.tables.push_back(std::move(m_table));
        m_table = RtfTable{};
        m_text.paragraphs.push_back(std::move(placeholder));
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
        const bool afterStar = m_afterStar;
        m_groupStart = false;
        m_afterStar = false;
        word_(word, hasParam, param, groupStart, afterStar);
    }

    void symbol(char c)
    {
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        m_afterStar = false;
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
                m_skipBeforeStar = state().skip;
                state().skip = true;
                m_afterStar = true;
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
        if (state().colors || state().pict) return;
        if (byte == '\\' || byte == '{' || byte == '}') {
            if (!state().fonts) addText(std::string_view(reinterpret_cast<const char*>(&byte), 1));
            return;
        }
        textByte(byte);
    }

    void unicode(std::uint32_t cp)
    {
        m_toSkip = 0;
        if (cp < 0x20 && cp != '\t') return; // control characters are not text
        if (state().fonts) return;
        addCodePoint(cp);
    }

    void binary(long count)
    {
        const std::size_t n = std::min<std::size_t>(count < 0 ? 0 : static_cast<std::size_t>(count),
                                                    m_in.size() - m_pos);
        if (state().pict && !state().skip) m_picture.data.append(m_in.substr(m_pos, n));
        m_pos += n;
    }

    void pictureWord(std::string_view w, bool hasParam, long param)
    {
        const long v = param < 0 ? 0 : param > 1000000 ? 1000000 : param;
        if (w == "pngblip") {
            m_picture.kind = RtfPictureKind::Png;
            m_pictureKnown = true;
        } else if (w == "jpegblip") {
            m_picture.kind = RtfPictureKind::Jpeg;
            m_pictureKnown = true;
        } else if (w == "emfblip" || w == "wmetafile" || w == "macpict" || w == "dibitmap" ||
                   w == "wbitmap" || w == "pmmetafile") {
            m_pictureKnown = false;
        } else if (w == "picwgoal") {
            m_goalWidth = v;
        } else if (w == "pichgoal") {
            m_goalHeight = v;
        } else if (w == "picw") {
            m_width = v;
        } else if (w == "pich") {
            m_height = v;
        } else if (w == "picscalex" && hasParam) {
            m_scaleX = v > 1000 ? 1000 : v;
        } else if (w == "picscaley" && hasParam) {
            m_scaleY = v > 1000 ? 1000 : v;
        }
    }

    void word_(std::string_view w, bool hasParam, long param, bool groupStart, bool afterStar)
    {
        State& s = state();
        if (afterStar && (w == "shppict" || w == "shpinst")) {
            // The picture of a shape is read; its fallbacks (\nonshppict,
            // \shprslt) are skipped.
            s.skip = m_skipBeforeStar;
            return;
        }
        if (groupStart && !s.skip && w == "sp") {
            s.shapeProperty = true;
            m_shapeName.clear();
            return;
        }
        if (s.shapeProperty && !s.skip && groupStart && (w == "sn" || w == "sv")) {
            // Of a shape's properties only its picture ("pib") is shown.
            if (w == "sn") {
                s.shapeName = true;
                m_shapeName.clear();
            } else if (m_shapeName != "pib") {
                s.skip = true;
            }
            return;
        }
        if (w == "bin") {
            binary(hasParam ? param : 0);
            return;
        }
        if (groupStart && skippedDestination(w)) {
            flushPending();
            s.skip = true;
            return;
        }
        if (s.skip) return;
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
        if (w == "fonttbl") {
            flushPending();
            s.fonts = true;
            m_fontName.clear();
            return;
        }
        if (s.fonts) {
            if (w == "f") {
                m_fontNumber = param;
                m_fontName.clear();
            }
            return;
        }
        if (groupStart && w == "pict") {
            startPicture();
            return;
        }
        if (s.pict) {
            pictureWord(w, hasParam, param);
            return;
        }
        const bool on = !hasParam || param != 0;
        if (w == "par" || w == "nestcell")
            endParagraph();
        else if (w == "cell")
            endCell();
        else if (w == "row")
            endRow();
        else if (w == "trowd")
            m_cellx.clear();
        else if (w == "cellx") {
            if (m_cellx.size() < kMaxCells) m_cellx.push_back(clampTwips(param));
        } else if (w == "intbl") {
            s.para.inTable = true;
            paraChanged();
        } else if (w == "line")
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
                if (symbolFont() && cp >= 0xF020 && cp <= 0xF0FF) cp = symbolFontCharacter(cp);
                unicode(cp);
            }
            m_toSkip = s.unicodeSkip;
        } else if (w == "uc" && hasParam)
            s.unicodeSkip = param < 0 ? 0 : param > 8 ? 8 : static_cast<int>(param);
        else if (w == "pard") {
            s.para = ParagraphProps{};
            paraChanged();
        } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
            s.para.align = w == "qc"   ? RtfAlign::Center
                           : w == "qr" ? RtfAlign::Right
                           : w == "qj" ? RtfAlign::Justify
                                       : RtfAlign::Left;
            paraChanged();
        } else if (w == "li" || w == "fi" || w == "ri") {
            const int v = clampTwips(param);
            (w == "li" ? s.para.left : w == "fi" ? s.para.first : s.para.right) = v;
            paraChanged();
        } else if (w == "deff")
            m_defaultFont = param;
        else if (w == "f")
            s.font = param;
        else if (w == "plain") {
            s.format = RtfCharFormat{};
            s.font = -1;
        } else if (w == "b")
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

    static constexpr std::size_t kMaxCells = 256;
    static constexpr std::size_t kMaxRows = 100000;

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::vector<State> m_stack{State{}};
    std::size_t m_overflow = 0;
    bool m_groupStart = false;
    bool m_afterStar = false;
    bool m_skipBeforeStar = false;
    int m_toSkip = 0;
    std::uint32_t m_highSurrogate = 0;
    std::vector<std::optional<std::uint32_t>> m_colorTable;
    std::uint32_t m_color = 0;
    bool m_colorSet = false;
    // Fonts: the ones named "Symbol" show Greek letters for Latin ones.
    long m_defaultFont = 0;
    long m_fontNumber = 0;
    std::string m_fontName;
    std::vector<long> m_symbolFonts;
    // The picture being read.
    RtfPicture m_picture;
    bool m_pictureKnown = false;
    int m_nibble = -1;
    long m_goalWidth = 0;
    long m_goalHeight = 0;
    long m_width = 0;
    long m_height = 0;
    std::string m_shapeName; // the \sn of the shape property being read
    long m_scaleX = 100;
    long m_scaleY = 100;
    // The paragraph being read and its properties.
    std::string m_pending;
    RtfCharFormat m_pendingFormat;
    RtfParagraph m_cur;
    ParagraphProps m_curProps;
    // The table being read: paragraphs of the cell, cells of the row, rows.
    std::vector<RtfParagraph> m_cellParas;
    std::vector<RtfTableCell> m_rowCells;
    std::vector<int> m_cellx;
    RtfTable m_table;
    RtfText m_text;
};

} // namespace

std::optional<RtfText> parseRtf(std::string_view rtf)
{
    const std::size_t start = rtf.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || rtf.substr(start, 5) != "{\\rtf") return std::nullopt;
    return Parser(rtf.substr(start)).run();
}

} // namespace titrage
