#include "printing/core/pagelayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace titrage;

namespace {

// An A4 page's printable area in twips, and the bench's pictures at 15 twips a pixel.
LayoutInput a4(bool illustration, bool graph, bool table)
{
    LayoutInput in;
    in.page = {11000, 16000};
    in.choice = {illustration, graph, table};
    in.illustration = {260 * 15, 560 * 15};
    in.graph = {470 * 15, 275 * 15};
    in.tableHeader = 42 * 15;
    in.tableRow = 20 * 15;
    in.table = {400 * 15, in.tableHeader + 26 * in.tableRow};
    in.historyLead = 230;
    return in;
}

std::vector<LayoutItem> itemsOf(const LayoutPage& page, LayoutKind kind)
{
    std::vector<LayoutItem> found;
    std::copy_if(page.items.begin(), page.items.end(), std::back_inserter(found),
                 [kind](const LayoutItem& i) { return i.kind == kind; });
    return found;
}

using K = LayoutKind;

} // namespace

TEST(Layout, PositionsFollowTwentiethsOfThePageHeight)
{
    LayoutInput in = a4(true, true, true);
    in.historyEntries = {500};
    const auto pages = layoutCopy(in);
    ASSERT_EQ(pages.size(), 2u);
    const double gap = 16000.0 / 20;

    const auto ill = itemsOf(pages[0], K::Illustration).at(0);
    EXPECT_DOUBLE_EQ(ill.x, (11000 - 3900) / 2.0);
    EXPECT_DOUBLE_EQ(ill.y, 2 * gap);

    const auto graph = itemsOf(pages[0], K::Graph).at(0);
    EXPECT_DOUBLE_EQ(graph.x, (11000 - 7050) / 2.0);
    EXPECT_DOUBLE_EQ(graph.y, 2 * gap + 8400 + gap);

    // The history starts under the graph, from the graph's left edge.
    const auto history = itemsOf(pages[0], K::History).at(0);
    EXPECT_DOUBLE_EQ(history.x, graph.x);
    EXPECT_DOUBLE_EQ(history.y, graph.y + graph.height);
    EXPECT_TRUE(history.lead);
    EXPECT_EQ(history.count, 1);

    // The table page: the grid one twentieth down, its border 26 rows long.
    const auto table = itemsOf(pages[1], K::Table).at(0);
    EXPECT_DOUBLE_EQ(table.x, (11000 - 6000) / 2.0);
    EXPECT_DOUBLE_EQ(table.y, gap);
    const auto border = itemsOf(pages[1], K::TableBorder).at(0);
    EXPECT_DOUBLE_EQ(border.x, table.x);
    EXPECT_DOUBLE_EQ(border.height, 630 + 26 * 300);
}

struct HistoryPagingCase {
    const char* name;
    bool illustration;
    double entryHeight;
    int entries;
    int graphPage;
    std::vector<std::pair<int, int>> blocks; // (page index, entries on it)
    int tablePage;                           // the table's last page
    int tableRows = 26;
};

class HistoryPaging : public ::testing::TestWithParam<HistoryPagingCase> {};

// The graph and its history are one view: every entry printed once, whole,
// inside the page, on the graph's page or on the pages right after it that
// hold nothing else; never beside the illustration or the table.
TEST_P(HistoryPaging, TheHistoryStaysWithItsGraph)
{
    const auto& c = GetParam();
    LayoutInput in = a4(c.illustration, true, true);
    in.historyEntries = std::vector<double>(static_cast<std::size_t>(c.entries), c.entryHeight);
    in.table.height = in.tableHeader + c.tableRows * in.tableRow;
    const auto pages = layoutCopy(in);
    ASSERT_EQ(static_cast<int>(pages.size()), c.tablePage + 1);

    std::vector<std::pair<int, int>> blocks;
    int next = 0;
    int graphPage = -1;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const bool graphHere = !itemsOf(pages[p], K::Graph).empty();
        if (graphHere) graphPage = static_cast<int>(p);
        for (const auto& h : itemsOf(pages[p], K::History)) {
            blocks.emplace_back(static_cast<int>(p), h.count);
            EXPECT_EQ(h.first, next);
            EXPECT_EQ(h.lead, graphHere) << "the empty line under the graph only";
            next += h.count;
            EXPECT_LE(h.y + h.height, in.page.height + 1e-9);
            EXPECT_TRUE(itemsOf(pages[p], K::Table).empty()) << "page " << p;
            if (!graphHere) {
                EXPECT_TRUE(itemsOf(pages[p], K::Illustration).empty()) << "page " << p;
                EXPECT_EQ(pages[p].items.size(), 2u) << "title and history only, page " << p;
            }
        }
    }
    EXPECT_EQ(graphPage, c.graphPage);
    EXPECT_EQ(next, c.entries);
    EXPECT_EQ(blocks, c.blocks);
    EXPECT_FALSE(itemsOf(pages[static_cast<std::size_t>(c.tablePage)], K::Table).empty());
    EXPECT_EQ(pageTitle("T", pages.back().number),
              "T (page " + std::to_string(c.tablePage + 1) + ")");
}

// Under the illustration the graph ends at 2 x 800 + 8400 + 800 + 4125 =
// 14925 twips; alone at 1600 + 4125 = 5725. The lead takes 230.
INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryPaging,
    ::testing::Values(
        HistoryPagingCase{"FitsUnderTheGraph", true, 400, 2, 0, {{0, 2}}, 1},
        HistoryPagingCase{"MovesWithItsGraph", true, 600, 3, 1, {{1, 3}}, 2},
        HistoryPagingCase{"MovesWithItsGraphBeforeALongTable", true, 600, 3, 1, {{1, 3}}, 7, 251},
        HistoryPagingCase{"TenCurvesMoveWithTheirGraph", true, 1000, 10, 1, {{1, 10}}, 2},
        HistoryPagingCase{"TooLongForAnyPageFlowsOn", true, 3000, 10, 0, {{1, 5}, {2, 5}}, 3},
        HistoryPagingCase{"GraphAloneFlowsOnToAPageOfItsOwn", false, 1500, 10, 0,
                          {{0, 6}, {1, 4}}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Layout, TableLongerThanThePageContinuesWithItsHeader)
{
    LayoutInput in = a4(false, false, true);
    in.table.height = in.tableHeader + 251 * in.tableRow; // 0 to 25 mL by 0.1 mL
    const auto pages = layoutCopy(in);
    // (16000 - 800 - 630) / 300 = 48 rows a page.
    ASSERT_EQ(pages.size(), 6u);
    int next = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto table = itemsOf(pages[p], K::Table).at(0);
        EXPECT_EQ(table.first, next);
        EXPECT_EQ(table.count, p + 1 < pages.size() ? 48 : 251 - 5 * 48);
        EXPECT_DOUBLE_EQ(table.height, in.tableHeader + table.count * in.tableRow);
        EXPECT_LE(table.y + table.height, in.page.height);
        next += table.count;
    }
    EXPECT_EQ(next, 251);
}
