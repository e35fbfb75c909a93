#include "graph/valuetable.h"

#include "graph/headerpictures.h"

#include <QHeaderView>

#include <gtest/gtest.h>

using namespace titrage;

namespace {
std::vector<std::string> row(const char* v, int columns)
{
    std::vector<std::string> cells{v, "0,0213", "3,39E-04", "2,95E-11", "9,66E-03", "3,39E-04"};
    cells.resize(static_cast<size_t>(columns));
    return cells;
}
} // namespace

class ValueTableColumns : public ::testing::TestWithParam<int> {};

TEST_P(ValueTableColumns, EqualColumnsFillTheWidgetUnderPictureHeaders)
{
    const int n = GetParam();
    ValueTable t;
    t.resize(500, 300);
    t.show();
    t.appendRow(row("1,0", 6));
    t.resetTable(n);
    EXPECT_EQ(t.columns(), n);
    EXPECT_EQ(t.measurementRows(), 0);
    EXPECT_EQ(t.horizontalHeader()->height(), kHeaderHeight);
    for (int c = 0; c < n; ++c) {
        EXPECT_EQ(t.columnWidth(c), (500 - 20) / n) << c;
        const QImage h = t.headerImage(c);
        ASSERT_EQ(h.size(), QSize((500 - 20) / n, kHeaderHeight)) << c;
        EXPECT_EQ(h.pixelColor(0, 0), kHeaderBlue) << c;
        int text = 0; // white text on the blue ground
        for (int y = 0; y < h.height(); ++y)
            for (int x = 0; x < h.width(); ++x)
                text += h.pixelColor(x, y).red() > 128;
        EXPECT_GT(text, 20) << "header text of column " << c;
    }
    t.resize(820, 300); // the columns follow the width
    EXPECT_EQ(t.columnWidth(n - 1), 800 / n);
    EXPECT_EQ(t.headerImage(n - 1).width(), 800 / n);
}

INSTANTIATE_TEST_SUITE_P(StrongAndWeak, ValueTableColumns, ::testing::Values(4, 6));

TEST(ValueTable, RowsAppendInOrderAndCutBackToTheHeader)
{
    ValueTable t;
    t.resetTable(4);
    t.appendRow(row("0,0", 4));
    t.appendRow(row("0,5", 4));
    t.appendRow({"1,0"});                               // the rest stays empty
    t.appendRow({"1,5", "a", "b", "c", "d", "e", "f"}); // extra cells are ignored
    ASSERT_EQ(t.measurementRows(), 4);
    EXPECT_EQ(t.cellText(1, 0), QStringLiteral("0,5"));
    EXPECT_EQ(t.cellText(1, 2), QStringLiteral("3,39E-04"));
    EXPECT_EQ(t.cellText(2, 3), QString());
    EXPECT_EQ(t.cellText(9, 0), QString());

    t.cutToHeader();
    EXPECT_EQ(t.measurementRows(), 0);
    EXPECT_EQ(t.columns(), 4);
}

TEST(ValueTable, ContentsAsTextStartWithAnEmptyHeaderRow)
{
    ValueTable t;
    t.resetTable(6);
    for (const char* v : {"0,0", "0,5", "1,0"})
        t.appendRow(row(v, 6));
    const QStringList lines = t.contentsText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("\t\t\t\t\t"));
    EXPECT_EQ(lines[3], QStringLiteral("1,0\t0,0213\t3,39E-04\t2,95E-11\t9,66E-03\t3,39E-04"));
}

// The pH-meter's column comes after the 4 or 6 others, under its own header,
// and the text copy carries it.
TEST(ValueTable, PhColumnFollowsTheOthers)
{
    for (int n : {4, 6}) {
        ValueTable t;
        t.resize(500, 300);
        t.setPhColumn(true);
        t.resetTable(n);
        ASSERT_EQ(t.columns(), n + 1);
        EXPECT_EQ(t.dataColumns(), n);
        const QImage ph = t.headerImage(n);
        EXPECT_EQ(ph, headerPicture(kPhHeaderColumn, ph.size()));
        EXPECT_NE(ph, headerPicture(n - 1, ph.size())) << n;
        std::vector<std::string> cells = row("1,0", n);
        cells.push_back("4,75");
        t.appendRow(cells);
        EXPECT_EQ(t.cellText(0, n), QStringLiteral("4,75"));
        EXPECT_TRUE(t.contentsText().endsWith(QStringLiteral("\t4,75"))) << t.contentsText().toStdString();
        t.setPhColumn(false);
        t.resetTable(n);
        EXPECT_EQ(t.columns(), n);
    }
}
