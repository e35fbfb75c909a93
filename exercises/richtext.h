#pragma once
// A small rich-text (RTF) reader and writer for the exercise texts: paragraphs
// with their alignment, runs of text with bold, italic, underline, size,
// colour and raised or lowered characters, tabs and line breaks. Everything
// else a word processor may put in a file (fonts, styles, pictures, fields'
// instructions, document information) is skipped.
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

struct RtfRun {
    std::string text; // "\t" for a tab, U+2028 for a line break inside a paragraph
    RtfCharFormat format;
    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
    RtfAlign align = RtfAlign::Left;
    std::vector<RtfRun> runs; // adjacent runs differ in format; none is empty
    bool operator==(const RtfParagraph&) const = default;
};

struct RtfText {
    std::vector<RtfParagraph> paragraphs; // at least one after parsing
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

} // namespace titrage
