#include "graph/valuetable.h"

#include "graph/headerpictures.h"

#include <QDir>
#include <QHeaderView>

#include <gtest/gtest.h>

using namespace titrage;

namespace {

std::vector<std::string> row(const char* v, int columns) {
    std::vector<std::string> cells{v, "0,0213", "3,39E-04", "2,95E-11", "9,66E-03", "3,39E-04"};
    cells.resize(static_cast<size_t>(columns));
    return cells;
}

// Pixels of the white text on the blue ground (antialiased edges included).
int textPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).red() > 128;
    return n;
}

} // namespace

class ValueTableColumns : public ::testing::TestWithParam<int> {};

TEST_P(ValueTableColumns, EqualColumnsFillTheWidgetUnderPictureHeaders) {
    const int n = GetParam();
    ValueTable t;
    t.resize(500, 300);
    t.show();
    t.appendRow(row("1,0", 6));
    t.resetTable(n);
    EXPECT_EQ(t.objectName(), QStringLiteral("MSFlexGrid1"));
    EXPECT_EQ(t.columns(), n);
    EXPECT_EQ(t.measurementRows(), 0);
    EXPECT_EQ(t.horizontalHeader()->height(), kHeaderHeight);
    for (int c = 0; c < n; ++c) {
        EXPECT_EQ(t.columnWidth(c), (500 - 20) / n) << c;
        const QImage h = t.headerImage(c);
        ASSERT_EQ(h.size(), QSize((500 - 20) / n, kHeaderHeight)) << c;
        EXPECT_EQ(h.pixelColor(0, 0), kHeaderBlue) << c;
        EXPECT_GT(textPixels(h), 20) << "header text of column " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(StrongAndWeak, ValueTableColumns, ::testing::Values(4, 6));

TEST(ValueTable, HeadersFollowTheWidth) {
    ValueTable t;
    t.resize(500, 300);
    t.show();
    t.resetTable(4);
    t.resize(820, 300);
    EXPECT_EQ(t.columnWidth(3), 200);
    EXPECT_EQ(t.headerImage(3).width(), 200);
}

TEST(ValueTable, RowsAppendInOrderAndCutBackToTheHeader) {
    ValueTable t;
    t.resetTable(4);
    t.appendRow(row("0,0", 4));
    t.appendRow(row("0,5", 4));
    t.appendRow({"1,0"});                               // short row: the rest stays empty
    t.appendRow({"1,5", "a", "b", "c", "d", "e", "f"}); // extra cells are ignored
    ASSERT_EQ(t.measurementRows(), 4);
    EXPECT_EQ(t.cellText(0, 0), QStringLiteral("0,0"));
    EXPECT_EQ(t.cellText(1, 0), QStringLiteral("0,5"));
    EXPECT_EQ(t.cellText(1, 2), QStringLiteral("3,39E-04"));
    EXPECT_EQ(t.cellText(2, 3), QString());
    EXPECT_EQ(t.columns(), 4);
    EXPECT_EQ(t.cellText(9, 0), QString()); // past the last row

    t.cutToHeader();
    EXPECT_EQ(t.measurementRows(), 0);
    EXPECT_EQ(t.columns(), 4);
    t.appendRow(row("0,0", 4));
    EXPECT_EQ(t.cellText(0, 0), QStringLiteral("0,0"));
}

TEST(ValueTable, ContentsAsTextStartWithAnEmptyHeaderRow) {
    ValueTable t;
    t.resetTable(6);
    for (const char* v : {"0,0", "0,5", "1,0"})
        t.appendRow(row(v, 6));
    const QStringList lines = t.contentsText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("\t\t\t\t\t"));
    EXPECT_EQ(lines[3], QStringLiteral("1,0\t0,0213\t3,39E-04\t2,95E-11\t9,66E-03\t3,39E-04"));
}

TEST(ValueTable, PictureForInspection) {
    const QByteArray dir = qgetenv("TITRAGE_PICTURES");
    if (dir.isEmpty()) GTEST_SKIP() << "set TITRAGE_PICTURES to write the picture";
    for (int n : {4, 6}) {
        ValueTable t;
        t.resize(560, 200);
        t.resetTable(n);
        for (const char* v : {"0,0", "0,5", "1,0", "12,5"})
            t.appendRow(row(v, n));
        t.show();
        EXPECT_TRUE(t.grab().save(
            QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("table%1.png").arg(n))));
    }
}
