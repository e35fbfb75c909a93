#pragma once
// A small rich-text (RTF) reader and writer for the exercise texts: paragraphs
// with their alignment and indents, runs of text with bold, italic, underline,
// size, colour and raised or lowered characters, tabs and line breaks, PNG and
// JPEG pictures, and tables. Letters typed in the Symbol font become the Greek
// letters they show. Everything else a word processor may put in a file
// (fonts, styles, other picture formats, fields' instructions, document
// information) is skipped.
//
// Texts are UTF-8 here. The writer keeps the file plain ASCII: characters of
// Windows-1252 as \'hh, the others as \uN with "?" for readers without Unicode.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titrage {

enum class RtfVertical { Normal, Super, Sub };
enum class RtfAlign { Left, Center, Right, Justify };

struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;                 // size in half-points; 0: the reader's default
    std::optional<std::uint32_t> color; // 0xRRGGBB; none: the default colour
    RtfVertical vertical = RtfVertical::Normal;
    bool operator==(const RtfCharFormat&) const = default;
};

enum class RtfPictureKind { Png, Jpeg };

struct RtfPicture {
    RtfPictureKind kind = RtfPictureKind::Png;
    std::string data;   // the file's bytes
    int widthTwips = 0; // shown size; 0: the picture's own size
    int heightTwips = 0;
    bool operator==(const RtfPicture&) const = default;
};

struct RtfRun {
    std::string text; // "\t" for a tab, U+2028 for a line break inside a paragraph
    RtfCharFormat format;
    // A picture run holds no text and the default format.
    std::optional<RtfPicture> picture;
    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
    RtfAlign align = RtfAlign::Left;
    std::vector<RtfRun> runs; // adjacent text runs differ in format; none is empty
    // Indents in twips: left and right margins, first line (may be negative).
    int leftIndent = 0;
    int firstIndent = 0;
    int rightIndent = 0;
    // Index in RtfText::tables when this paragraph stands for a table (it then
    // holds no runs); -1 for a paragraph of text.
    int table = -1;
    bool operator==(const RtfParagraph&) const = default;
};

struct RtfTableCell {
    std::vector<RtfParagraph> paragraphs; // at least one; never a table
    bool operator==(const RtfTableCell&) const = default;
};

struct RtfTableRow {
    std::vector<RtfTableCell> cells;
    std::vector<int> cellRight; // right edge of each cell from the row's left, twips
    bool operator==(const RtfTableRow&) const = default;
};

struct RtfTable {
    std::vector<RtfTableRow> rows; // at least one
    bool operator==(const RtfTable&) const = default;
};

struct RtfText {
    // At least one after parsing, and the last one is never a table.
    std::vector<RtfParagraph> paragraphs;
    std::vector<RtfTable> tables;
    bool operator==(const RtfText&) const = default;
};

// Reads an RTF text; nothing when it does not begin with "{\rtf". Damaged
// input (unbalanced groups, a truncated escape, huge numbers, deep nesting)
// gives whatever text could be recovered, never a failure or a crash.
std::optional<RtfText> parseRtf(std::string_view rtf);

// Writes `text` as RTF that parseRtf reads back equal (after the same
// normalisation: empty runs dropped, equal neighbours merged).
std::string writeRtf(const RtfText& text);

// Appends `text` to the last run of `paragraph` when the format is the same,
// else as a new run; empty text is ignored.
void appendRun(RtfParagraph& paragraph, std::string_view text, const RtfCharFormat& format);
// Appends a picture run; a picture without data is ignored.
void appendPicture(RtfParagraph& paragraph, RtfPicture picture);

// The Greek letter or sign that a byte shows in the Symbol font ("s" is σ,
// "l" is λ, 0xB0 is °); the byte's Windows-1252 character when the font
// shows the same. Also takes the private-use code U+F020..U+F0FF that some
// programs give such characters.
std::uint32_t symbolFontCharacter(std::uint32_t code);

} // namespace titrage
