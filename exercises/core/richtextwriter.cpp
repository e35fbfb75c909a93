// The writer of exercises/core/richtext.h: plain ASCII RTF that parseRtf reads
// back as it was written.
#include "exercises/core/richtext.h"

#include "platform/core/recordfile.h"

#include <algorithm>
#include <cstdio>

namespace titrage {

namespace {

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

void collectColors(const RtfParagraph& p, std::vector<std::uint32_t>& colors)
{
    for (const RtfRun& r : p.runs)
        if (r.format.color &&
            std::find(colors.begin(), colors.end(), *r.format.color) == colors.end())
            colors.push_back(*r.format.color);
}

void writePicture(std::string& out, const RtfPicture& picture)
{
    out += picture.kind == RtfPictureKind::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    if (picture.widthTwips > 0) out += "\\picwgoal" + std::to_string(picture.widthTwips);
    if (picture.heightTwips > 0) out += "\\pichgoal" + std::to_string(picture.heightTwips);
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < picture.data.size(); ++i) {
        if (i % 64 == 0) out += "\r\n";
        const unsigned char b = static_cast<unsigned char>(picture.data[i]);
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
    out += '}';
}

void writeParagraph(std::string& out, const RtfParagraph& p,
                    const std::vector<std::uint32_t>& colors, bool inTable)
{
    out += "\\pard";
    if (inTable) out += "\\intbl";
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
    if (p.leftIndent != 0) out += "\\li" + std::to_string(p.leftIndent);
    if (p.firstIndent != 0) out += "\\fi" + std::to_string(p.firstIndent);
    if (p.rightIndent != 0) out += "\\ri" + std::to_string(p.rightIndent);
    for (const RtfRun& r : p.runs) {
        if (r.picture) {
            writePicture(out, *r.picture);
            continue;
        }
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

// A table row by row, each cell with thin borders so that word processors
// draw its grid.
void writeTable(std::string& out, const RtfTable& table, const std::vector<std::uint32_t>& colors)
{
    for (const RtfTableRow& row : table.rows) {
        out += "\\trowd\\trgaph108";
        for (int right : row.cellRight)
            out += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                   "\\clbrdrr\\brdrs\\brdrw10\\cellx" +
                   std::to_string(right);
        out += "\r\n";
        for (const RtfTableCell& cell : row.cells) {
            for (std::size_t i = 0; i < cell.paragraphs.size(); ++i) {
                if (i > 0) out += "\\par\r\n";
                writeParagraph(out, cell.paragraphs[i], colors, true);
            }
            if (cell.paragraphs.empty()) out += "\\pard\\intbl";
            // \cell right after \par only closes the cell: an empty last
            // paragraph is ended explicitly.
            if (cell.paragraphs.size() > 1 && cell.paragraphs.back().runs.empty()) out += "\\par";
            out += "\\cell\r\n";
        }
        out += "\\row\r\n";
    }
}

} // namespace

std::string writeRtf(const RtfText& text)
{
    std::vector<std::uint32_t> colors;
    for (const RtfParagraph& p : text.paragraphs) {
        collectColors(p, colors);
        if (p.table >= 0 && static_cast<std::size_t>(p.table) < text.tables.size())
            for (const RtfTableRow& row : text.tables[static_cast<std::size_t>(p.table)].rows)
                for (const RtfTableCell& cell : row.cells)
                    for (const RtfParagraph& q : cell.paragraphs)
                        collectColors(q, colors);
    }

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
        if (p.table >= 0) {
            if (static_cast<std::size_t>(p.table) < text.tables.size())
                writeTable(out, text.tables[static_cast<std::size_t>(p.table)], colors);
            continue;
        }
        writeParagraph(out, p, colors, false);
        if (n + 1 < text.paragraphs.size()) out += "\\par\r\n";
    }
    out += "\r\n}\r\n";
    return out;
}

} // namespace titrage
