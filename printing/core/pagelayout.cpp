#include "printing/core/pagelayout.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace titrage {

namespace {

class PageBuilder {
public:
    explicit PageBuilder(std::vector<LayoutPage>& pages) : m_pages(pages) {}

    void newPage()
    {
        LayoutPage page;
        page.number = static_cast<int>(m_pages.size()) + 1;
        page.items.push_back({LayoutKind::Title});
        m_pages.push_back(std::move(page));
    }
    void add(const LayoutItem& item) { m_pages.back().items.push_back(item); }

private:
    std::vector<LayoutPage>& m_pages;
};

double centred(double pageWidth, double width)
{
    return (pageWidth - width) / 2;
}

// Where the table ends on the last page it is printed on.
double tableBottom(const LayoutInput& in)
{
    const double H = in.page.height;
    const double y = H / 20;
    const int rows = tableRowCount(in.table.height, in.tableHeader, in.tableRow);
    if (y + in.table.height <= H || rows <= 1) return y + in.table.height;
    const int fit =
        std::max(1, static_cast<int>(std::floor((H - y - in.tableHeader) / in.tableRow)));
    const int last = rows - (rows - 1) / fit * fit; // rows on the last part
    return y + in.table.height - (rows - last) * in.tableRow;
}

// Whether the history entries from `first` on fit under the table. Each of
// them starts with its own empty line, which parts it from the table.
bool fitsUnderTable(const LayoutInput& in, int first)
{
    double height = 0;
    for (std::size_t j = static_cast<std::size_t>(first); j < in.historyEntries.size(); ++j)
        height += in.historyEntries[j];
    return tableBottom(in) + height <= in.page.height;
}

} // namespace

int tableRowCount(double height, double header, double row)
{
    if (!(row > 0) || !(height > header)) return 0;
    return static_cast<int>(std::lround((height - header) / row));
}

std::string pageTitle(const std::string& title, int number)
{
    if (number <= 1) return title;
    return title + " (page " + std::to_string(number) + ")";
}

std::vector<LayoutPage> layoutCopy(const LayoutInput& in)
{
    std::vector<LayoutPage> pages;
    if (!in.choice.any()) return pages;
    PageBuilder out(pages);
    const double W = in.page.width;
    const double H = in.page.height;
    const double gap = H / 20;

    out.newPage();
    double y = gap;
    std::optional<LayoutItem> leftover; // history entries printed under the table

    if (in.choice.illustration) {
        y += gap;
        out.add({LayoutKind::Illustration, centred(W, in.illustration.width), y,
                 in.illustration.width, in.illustration.height});
        y += in.illustration.height;
    }

    if (in.choice.graph) {
        y += gap;
        // A graph that would run off the bottom under the illustration goes
        // to the top of a page of its own rather than being cut.
        if (in.choice.illustration && y + in.graph.height > H) {
            out.newPage();
            y = 2 * gap;
        }
        const double x = centred(W, in.graph.width);
        out.add({LayoutKind::Graph, x, y, in.graph.width, in.graph.height});
        y += in.graph.height;

        // The history under the graph. Entries that would pass the bottom of
        // the page go under the table when they all fit there, so that a copy
        // needs no page for a few lines only; otherwise they continue at the
        // top of the next page.
        const int entries = static_cast<int>(in.historyEntries.size());
        if (entries > 0) {
            LayoutItem block{LayoutKind::History, x, y, 0, in.historyLead, 0, 0, true};
            double cursor = y + in.historyLead;
            for (int i = 0; i < entries; ++i) {
                const double h = in.historyEntries[static_cast<std::size_t>(i)];
                // Break only where something is above: the graph or earlier entries.
                if (cursor + h > H && (block.count > 0 || block.lead)) {
                    if (block.count > 0) out.add(block);
                    if (in.choice.table && fitsUnderTable(in, i)) {
                        leftover = {LayoutKind::History, x, 0, 0, 0, i, entries - i, false};
                        for (int j = i; j < entries; ++j)
                            leftover->height += in.historyEntries[static_cast<std::size_t>(j)];
                        block.count = 0;
                        block.lead = false;
                        break;
                    }
                    out.newPage();
                    block = {LayoutKind::History, x, gap, 0, 0, i, 0, false};
                    cursor = gap;
                }
                ++block.count;
                block.height += h;
                cursor += h;
            }
            if (block.count > 0 || block.lead) out.add(block);
        }
    }

    if (in.choice.table) {
        if (in.choice.illustration || in.choice.graph) out.newPage();
        const double x = centred(W, in.table.width);
        const double header = in.tableHeader;
        const double row = in.tableRow;
        const int rows = tableRowCount(in.table.height, header, row);
        const double border = header + kBorderRows * row;
        y = gap;
        if (y + in.table.height <= H || rows <= 1) {
            out.add({LayoutKind::Table, x, y, in.table.width, in.table.height, 0, rows});
            out.add({LayoutKind::TableBorder, x, y, 0, border});
        } else {
            // A table longer than the page goes on over as many pages as it
            // needs, the header repeated above each part.
            int first = 0;
            while (first < rows) {
                if (first > 0) out.newPage();
                const int fit = std::max(1, static_cast<int>(std::floor((H - y - header) / row)));
                const int count = std::min(fit, rows - first);
                const bool last = first + count == rows;
                const double height = last ? in.table.height - first * row : header + count * row;
                out.add({LayoutKind::Table, x, y, in.table.width, height, first, count});
                out.add({LayoutKind::TableBorder, x, y, 0, first == 0 ? border : height});
                first += count;
            }
        }
        if (leftover) {
            leftover->y = tableBottom(in);
            out.add(*leftover);
        }
    }
    return pages;
}

} // namespace titrage
