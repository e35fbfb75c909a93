#include "exercises/core/richtext.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace titrage;

namespace {

RtfCharFormat fmt(bool bold = false, bool italic = false, bool underline = false,
                  int halfPoints = 0, std::optional<std::uint32_t> color = std::nullopt,
                  RtfVertical vertical = RtfVertical::Normal)
{
    return {bold, italic, underline, halfPoints, color, vertical};
}

RtfParagraph para(std::vector<RtfRun> runs, RtfAlign align = RtfAlign::Left)
{
    return {align, std::move(runs)};
}

// The paragraphs' texts, formats ignored.
std::vector<std::string> plain(const RtfText& text)
{
    std::vector<std::string> out;
    for (const RtfParagraph& p : text.paragraphs) {
        std::string s;
        for (const RtfRun& r : p.runs)
            s += r.text;
        out.push_back(s);
    }
    return out;
}

struct RoundTrip {
    const char* name;
    RtfText text;
};

class RtfRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RtfRoundTrip, WhatIsWrittenReadsBackIdentically)
{
    const RtfText& text = GetParam().text;
    const std::string rtf = writeRtf(text);
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << "the file stays ASCII";
    const std::optional<RtfText> back = parseRtf(rtf);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, text) << rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RtfRoundTrip,
    ::testing::Values(
        RoundTrip{"accents_and_symbols",
                  {{para({{"Acide éthanoïque : σ = 2,5 mS·m⁻¹ → 10 € « λ » ½", fmt()}})}}},
        RoundTrip{"beyond_the_basic_plane", {{para({{"pH 😀 𝜎", fmt()}})}}},
        RoundTrip{"escapes", {{para({{"a\\b {c} \ttab", fmt()}, {"x\u2028y", fmt(true)}})}}},
        RoundTrip{
            "formats",
            {{para({{"Titre", fmt(true, false, false, 36, 0x0000C8u)}}, RtfAlign::Center), para({}),
              para({{"C", fmt()},
                    {"A", fmt(false, false, false, 0, std::nullopt, RtfVertical::Sub)},
                    {" = 1,0 × 10", fmt(false, true, true)},
                    {"-2", fmt(false, false, false, 16, 0xFF0000u, RtfVertical::Super)},
                    {" fin", fmt(false, false, false, 0, 0x0000C8u)}},
                   RtfAlign::Right),
              para({{"justifié", fmt()}}, RtfAlign::Justify), para({}, RtfAlign::Center)}}},
        RoundTrip{"leading_blank_and_digits", {{para({{" 12", fmt(true)}, {"3 ", fmt()}})}}},
        RoundTrip{"indents_pictures_and_a_table", [] {
                      RtfText t;
                      RtfParagraph indented = para({{"retrait", fmt()}}, RtfAlign::Justify);
                      indented.leftIndent = 850;
                      indented.firstIndent = -283;
                      indented.rightIndent = 567;
                      RtfParagraph pictures = para({{"image ", fmt()}});
                      appendPicture(pictures, {RtfPictureKind::Jpeg, "\xFF\xD8\xFF\x00{}\\", 1440, 720});
                      appendPicture(pictures, {RtfPictureKind::Png, std::string("\x89PNG\0", 5), 0, 0});
                      appendRun(pictures, " fin", fmt(true));
                      RtfParagraph table;
                      table.table = 0;
                      RtfTableCell two{{para({}, RtfAlign::Center), para({{"a", fmt(true)}})}};
                      RtfTableCell one{{para({{"σ", fmt(false, false, false, 0, 0xFF0000u)}})}};
                      t.tables.push_back({{{{two, one}, {2268, 6804}}, {{one}, {}}, {{}, {100}}}});
                      t.paragraphs = {indented, pictures, table, para({}), table, para({})};
                      t.tables.push_back(t.tables[0]);
                      t.paragraphs[4].table = 1;
                      return t;
                  }()}),
    [](const auto& info) { return std::string(info.param.name); });

struct Tricky {
    const char* name;
    std::string rtf;
    std::vector<std::string> paragraphs;
};

class RtfTrickyInput : public ::testing::TestWithParam<Tricky> {};

TEST_P(RtfTrickyInput, RecoversTheText)
{
    const std::optional<RtfText> text = parseRtf(GetParam().rtf);
    ASSERT_TRUE(text);
    EXPECT_EQ(plain(*text), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RtfTrickyInput,
    ::testing::Values(
        Tricky{
            "tables_skipped",
            R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\stylesheet{\s0 Normal;}}{\info{\title x}}Bonjour})",
            {"Bonjour"}},
        Tricky{"starred_destination",
               R"({\rtf1 a{\*\generator Riched20;}{\*\unknown {nested} hidden}b})",
               {"ab"}},
        Tricky{"unknown_word_in_group_keeps_text",
               R"({\rtf1 {\lang1036\rtlch un }{\xyz deux}})",
               {"un deux"}},
        Tricky{"unicode_with_fallback",
               R"({\rtf1\uc1 caf\u233?\par\uc2 x\u8364\'80\'80y\uc0 \u955 z})",
               {"café", "x€yλz"}},
        Tricky{"negative_unicode", R"({\rtf1 \u-3913?})", {"\xef\x82\xb7"}},
        Tricky{"code_page_escapes", R"({\rtf1 \'e9t\'e9 \'80 \'9c})", {"été € œ"}},
        Tricky{"raw_high_bytes_are_cp1252", "{\\rtf1 \xe9t\xe9}", {"été"}},
        Tricky{"paragraphs_and_line_ends", "{\\rtf1 a\\par\r\nb\\\nc\\par}", {"a", "b", "c", ""}},
        Tricky{"control_symbols",
               R"({\rtf1 a\~b\-c\_d\{\}\\})",
               {"a\xc2\xa0"
                "bc-d{}\\"}},
        Tricky{"field_result_kept",
               R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}}})",
               {"lien"}},
        Tricky{"unbalanced_groups", R"({\rtf1 {{{ a)", {" a"}},
        Tricky{"stray_closing_groups", R"({\rtf1 a}}} b)", {"a b"}},
        Tricky{"truncated_escapes", R"({\rtf1 a\'e)", {"a"}},
        Tricky{"bad_hex_escape", R"({\rtf1 a\'zz)", {"azz"}},
        Tricky{"truncated_control", "{\\rtf1 a\\", {"a"}},
        Tricky{"huge_numbers",
               R"({\rtf1\fs999999999999999999999 a\u99999999999999? b\cf-5 c})",
               {"a\xef\xbf\xbd"
                " bc"}},
        Tricky{"deep_nesting",
               "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y}",
               {"xy"}},
        Tricky{"leading_blanks_before_header", "\r\n  {\\rtf1 ok}", {"ok"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfTest, NotRichTextIsRefused)
{
    for (const char* text : {"", "Bonjour", "{\\rt", "rtf1 {\\rtf1}", "{\\RTF1 x}"})
        EXPECT_FALSE(parseRtf(text)) << text;
}

TEST(RtfTest, FormattingWords)
{
    const std::optional<RtfText> text =
        parseRtf(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue200;})"
                 R"(\pard\qc{\b\cf1 rouge}\b0\cf2 bleu\cf9 sans\par )"
                 R"(x\up6 2\up0\dn4 3\nosupersub\i\ul y\ulnone\fs20 z\plain w})");
    ASSERT_TRUE(text);
    ASSERT_EQ(text->paragraphs.size(), 2u);
    const RtfParagraph& first = text->paragraphs[0];
    EXPECT_EQ(first.align, RtfAlign::Center);
    ASSERT_EQ(first.runs.size(), 3u);
    EXPECT_EQ(first.runs[0], (RtfRun{"rouge", fmt(true, false, false, 0, 0xFF0000u)}));
    EXPECT_EQ(first.runs[1], (RtfRun{"bleu", fmt(false, false, false, 0, 0x0000C8u)}));
    EXPECT_EQ(first.runs[2], (RtfRun{"sans", fmt()}));
    // Paragraph properties stay until \pard.
    const RtfParagraph& second = text->paragraphs[1];
    EXPECT_EQ(second.align, RtfAlign::Center);
    const std::vector<RtfRun> expected{
        {"x", fmt()},
        {"2", fmt(false, false, false, 0, std::nullopt, RtfVertical::Super)},
        {"3", fmt(false, false, false, 0, std::nullopt, RtfVertical::Sub)},
        {"y", fmt(false, true, true)},
        {"z", fmt(false, true, false, 20)},
        {"w", fmt()}};
    EXPECT_EQ(second.runs, expected);
}

// A file LibreOffice Writer wrote: title, indents, Symbol letters, a table
// and two pictures placed as characters.
TEST(RtfTest, WordProcessorFile)
{
    std::ifstream in(std::string(TITRAGE_SOURCE_DIR) +
                         "/tests/exercises/wordprocessor/libreoffice.rtf",
                     std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::optional<RtfText> text = parseRtf(bytes.str());
    ASSERT_TRUE(text);
    const std::vector<std::string> lines = plain(*text);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Titrage de l'acide éthanoïque");
    EXPECT_EQ(text->paragraphs[0].align, RtfAlign::Center);
    EXPECT_EQ(text->paragraphs[0].runs[0].format.color, 0x0000C8u);
    const RtfParagraph& indented = text->paragraphs[1];
    EXPECT_EQ((std::array{indented.leftIndent, indented.firstIndent, indented.rightIndent}),
              (std::array{850, -283, 567}));
    EXPECT_EQ(lines[2], "Conductivité σ et conductivité molaire ionique λ ; écart ΔV.");

    ASSERT_EQ(text->paragraphs[3].table, 0);
    ASSERT_EQ(text->tables.size(), 1u);
    const RtfTable& table = text->tables[0];
    ASSERT_EQ(table.rows.size(), 3u);
    std::vector<std::string> cells;
    for (const RtfTableRow& row : table.rows) {
        EXPECT_EQ(row.cellRight, (std::vector<int>{2268, 6803}));
        for (const RtfTableCell& cell : row.cells)
            cells.push_back(plain({cell.paragraphs, {}}).at(0));
    }
    EXPECT_EQ(cells, (std::vector<std::string>{"Ion", "λ (mS · m² · mol⁻¹)", "H₃O⁺", "34,97", "Na⁺",
                                               "5,008"}));

    // The shapes' pictures, not their fill copies nor their property texts.
    EXPECT_EQ(lines[4], "Le montage :  et la couleur :  fin.");
    std::vector<RtfPicture> pictures;
    for (const RtfRun& run : text->paragraphs[4].runs)
        if (run.picture) pictures.push_back(*run.picture);
    ASSERT_EQ(pictures.size(), 2u);
    for (const RtfPicture& p : pictures) {
        EXPECT_EQ(p.kind, RtfPictureKind::Png);
        EXPECT_EQ(p.data.substr(1, 3), "PNG");
    }
    EXPECT_EQ(pictures[0].widthTwips, 1439); // 2,539 cm
    EXPECT_EQ(pictures[0].heightTwips, 959);

    const std::optional<RtfText> back = parseRtf(writeRtf(*text));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, *text);
}

TEST(RtfTest, SymbolFontLettersAreGreek)
{
    const std::optional<RtfText> text = parseRtf(
        R"({\rtf1\deff0{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}{\f2\fcharset2 Wingdings;}})"
        R"(s{\f1 s l D W \'b0\'b1\'b4\'ae 2}{\f2 s}{\f1\u61555?\u61548?}\u61555?})");
    ASSERT_TRUE(text);
    EXPECT_EQ(plain(*text), (std::vector<std::string>{"sσ λ Δ Ω °±×→ 2sσλ\xef\x81\xb3"}));
}

// pandoc closes each cell's paragraph with \par inside the cell's group.
TEST(RtfTest, PandocTableCells)
{
    const std::optional<RtfText> text = parseRtf(
        R"({\rtf1 avant\par{\trowd \trgaph120 \clbrdrb\brdrs\cellx1440\clbrdrb\brdrs\cellx2880)"
        R"(\trkeep\intbl {{\pard\intbl \qr \f0 \sa0 \li0 \fi0 V (mL)\par}\cell})"
        R"({{\pard\intbl \ql \f0 \sa0 \li0 \fi0 \u963? (S/m)\par}\cell}}\intbl\row})"
        R"({\pard \ql \f0 \sa180 \li0 \fi0 apr\'e8s\par}})");
    ASSERT_TRUE(text);
    EXPECT_EQ(plain(*text), (std::vector<std::string>{"avant", "", "après", ""}));
    ASSERT_EQ(text->paragraphs[1].table, 0);
    ASSERT_EQ(text->tables.at(0).rows.size(), 1u);
    const RtfTableRow& row = text->tables[0].rows[0];
    EXPECT_EQ(row.cellRight, (std::vector<int>{1440, 2880}));
    ASSERT_EQ(row.cells.size(), 2u);
    ASSERT_EQ(row.cells[0].paragraphs.size(), 1u);
    EXPECT_EQ(row.cells[0].paragraphs[0].align, RtfAlign::Right);
    EXPECT_EQ(plain({row.cells[1].paragraphs, {}}), (std::vector<std::string>{"σ (S/m)"}));
}

} // namespace
