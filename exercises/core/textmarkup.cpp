#include "exercises/core/textmarkup.h"

#include "exercises/core/typography.h"

#include <cstdint>

namespace titrage {

namespace {

constexpr std::uint32_t kBlue = 0x0000C8;

RtfParagraph inlineMarkup(std::string_view source)
{
    const std::string typeset = frenchTypography(source);
    std::string_view line = typeset;
    RtfParagraph p;
    RtfCharFormat base;
    if (line.substr(0, 2) == "# ") {
        line.remove_prefix(2);
        p.align = RtfAlign::Center;
        base.halfPoints = 32;
        base.bold = true;
        base.color = kBlue;
    } else if (line.substr(0, 3) == "## ") {
        line.remove_prefix(3);
        base.bold = true;
        base.halfPoints = 24;
        base.color = kBlue;
    }
    RtfCharFormat f = base;
    std::string run;
    auto flush = [&] {
        appendRun(p, run, f);
        run.clear();
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const std::string_view rest = line.substr(i);
        if (rest.substr(0, 2) == "**") {
            flush();
            f.bold = !f.bold;
            ++i;
        } else if (rest.substr(0, 2) == "//") {
            flush();
            f.italic = !f.italic;
            ++i;
        } else if (rest.substr(0, 2) == "^{" || rest.substr(0, 2) == "_{") {
            flush();
            f.vertical = rest[0] == '^' ? RtfVertical::Super : RtfVertical::Sub;
            ++i;
        } else if (rest[0] == '}' && f.vertical != RtfVertical::Normal) {
            flush();
            f.vertical = RtfVertical::Normal;
        } else {
            run += rest[0];
        }
    }
    flush();
    return p;
}

// A table row: cells 1.6 inch wide, the first one 2.2 inch.
RtfTableRow tableRow(std::string_view line)
{
    RtfTableRow row;
    line.remove_prefix(2);
    int right = 0;
    while (true) {
        const std::size_t bar = line.find(" | ");
        RtfTableCell cell;
        cell.paragraphs.push_back(inlineMarkup(line.substr(0, bar)));
        row.cells.push_back(std::move(cell));
        right += row.cellRight.empty() ? 3200 : 2300;
        row.cellRight.push_back(right);
        if (bar == std::string_view::npos) break;
        line.remove_prefix(bar + 3);
    }
    return row;
}

} // namespace

RtfText markupText(std::string_view source)
{
    RtfText text;
    std::size_t lineStart = 0;
    bool inTable = false;
    while (lineStart <= source.size()) {
        std::size_t lineEnd = source.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = source.size();
        const std::string_view line = source.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.substr(0, 2) == "| ") {
            if (!inTable) {
                RtfParagraph placeholder;
                placeholder.table = static_cast<int>(text.tables.size());
                text.paragraphs.push_back(placeholder);
                text.tables.emplace_back();
            }
            text.tables.back().rows.push_back(tableRow(line));
            inTable = true;
        } else {
            text.paragraphs.push_back(inlineMarkup(line));
            inTable = false;
        }
        if (lineEnd == source.size()) break;
    }
    if (text.paragraphs.back().table >= 0) text.paragraphs.emplace_back();
    return text;
}

std::string teacherTextAsRtf(std::string bytes)
{
    if (bytes.rfind("{\\rtf", 0) == 0) return bytes;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    std::erase(bytes, '\r');
    if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
    return writeRtf(markupText(bytes));
}

} // namespace titrage
