#include "printing/core/pagelayout.h"

#include <algorithm>
#include <cmath>

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

// The height the history takes under its graph: the leading empty line and
// every entry.
double historyHeight(const LayoutInput& in)
{
    if (in.historyEntries.empty()) return 0;
    double height = in.historyLead;
    for (double h : in.historyEntries)
        height += h;
    return height;
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

    if (in.choice.illustration) {
        y += gap;
        out.add({LayoutKind::Illustration, centred(W, in.illustration.width), y,
                 in.illustration.width, in.illustration.height});
        y += in.illustration.height;
    }

    if (in.choice.graph) {
        y += gap;
        // The graph and its history make one view. Under the illustration,
        // the graph goes to the top of a page of its own when it would run
        // off the bottom, or when its history would not fit under it there
        // but graph and history fit together on a fresh page.
        const double together = in.graph.height + historyHeight(in);
        if (in.choice.illustration &&
            (y + in.graph.height > H || (y + together > H && 2 * gap + together <= H))) {
            out.newPage();
            y = 2 * gap;
        }
        const double x = centred(W, in.graph.width);
        out.add({LayoutKind::Graph, x, y, in.graph.width, in.graph.height});
        y += in.graph.height;

        // The history under the graph. A history longer than the rest of the
        // page goes on at the top of the next page, entry by entry, on pages
        // of its own: never beside another view, never an entry cut.
        const int entries = static_cast<int>(in.historyEntries.size());
        if (entries > 0) {
            LayoutItem block{LayoutKind::History, x, y, 0, in.historyLead, 0, 0, true};
            double cursor = y + in.historyLead;
            for (int i = 0; i < entries; ++i) {
                const double h = in.historyEntries[static_cast<std::size_t>(i)];
                // Break only where something is above: the graph or earlier entries.
                if (cursor + h > H && (block.count > 0 || block.lead)) {
                    if (block.count > 0) out.add(block);
                    out.newPage();
                    block = {LayoutKind::History, x, gap, 0, 0, i, 0, false};
                    cursor = gap;
                }
                ++block.count;
                block.height += h;
                cursor += h;
            }
            if (block.count > 0) out.add(block);
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
    }
    return pages;
}

} // namespace titrage
