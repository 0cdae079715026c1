#include "core/chart/page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lithora::chart {
namespace {

struct PageCase {
    const char* paper;
    Orientation orientation;
    std::size_t recordsPerPage;
    int pages;  // for 1,000 records
};

class TablePages : public ::testing::TestWithParam<PageCase> {};

// Rows of 7.2 mm under a 20 mm header inside 9 mm margins, the title row on every page:
// A4 landscape  210 - 18 - 20 = 172 mm -> 23 rows -> 22 records, 1000 / 22 -> 46 pages;
// A4 portrait   297 - 38 = 259 mm -> 35 rows -> 34 records -> 30 pages;
// Letter land.  215.9 - 38 = 177.9 mm -> 24 rows -> 23 records -> 44 pages;
// Letter port.  279.4 - 38 = 241.4 mm -> 33 rows -> 32 records -> 32 pages.
TEST_P(TablePages, ThousandRecordsFillWholePagesAndOneLast) {
    const PageCase c = GetParam();
    auto paper = paperSize(c.paper);
    ASSERT_TRUE(paper.has_value());
    TablePageSetup setup;
    setup.paperWidthMm = paper->widthMm;
    setup.paperHeightMm = paper->heightMm;
    setup.orientation = c.orientation;
    setup.columnWidthsMm = {20, 30, 30, 30};
    TablePageLayout layout(1000, setup);
    EXPECT_EQ(layout.recordsPerPage(), c.recordsPerPage);
    ASSERT_EQ(layout.pageCount(), c.pages);

    // The pages cover every record once, in order.
    std::size_t next = 0;
    for (int p = 1; p <= layout.pageCount(); ++p) {
        auto content = layout.page(p);
        ASSERT_TRUE(content.has_value());
        EXPECT_EQ(content->firstRecord, next);
        EXPECT_EQ(content->columnCount, 4u);
        next += content->recordCount;
    }
    EXPECT_EQ(next, 1000u);
    EXPECT_EQ(layout.page(layout.pageCount())->recordCount,
              1000 - (c.pages - 1) * c.recordsPerPage);
    EXPECT_FALSE(layout.page(0).has_value());
    EXPECT_FALSE(layout.page(layout.pageCount() + 1).has_value());
}

INSTANTIATE_TEST_SUITE_P(A4AndLetter, TablePages,
                         ::testing::Values(PageCase{"A4", Orientation::Landscape, 22, 46},
                                           PageCase{"A4", Orientation::Portrait, 34, 30},
                                           PageCase{"Letter", Orientation::Landscape, 23, 44},
                                           PageCase{"Letter", Orientation::Portrait, 32, 32}));

TEST(TablePageLayout, AMillionRecordsAreCountedWithoutLayingOutPages) {
    TablePageSetup setup;  // A4 landscape
    setup.columnWidthsMm = {20, 30};
    TablePageLayout layout(1'000'000, setup);
    EXPECT_EQ(layout.pageCount(), 45455);  // 1,000,000 / 22 = 45454.5
    auto last = layout.page(45455);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->firstRecord, 999'988u);
    EXPECT_EQ(last->recordCount, 12u);
}

TEST(TablePageLayout, ColumnsWiderThanTheSheetGoOnFurtherSheets) {
    // A4 portrait: 210 - 18 - 10 = 182 mm of width for the grid.
    TablePageSetup setup;
    setup.orientation = Orientation::Portrait;
    setup.columnWidthsMm = {15, 60, 60, 60, 250, 40};
    TablePageLayout layout(40, setup);  // 34 records a page: 2 pages down
    const auto& bands = layout.columnBands();
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0], (std::pair<std::size_t, std::size_t>{0, 3}));  // 135 mm
    EXPECT_EQ(bands[1], (std::pair<std::size_t, std::size_t>{3, 1}));  // 60 + 250 passes
    EXPECT_EQ(bands[2], (std::pair<std::size_t, std::size_t>{4, 1}));  // too wide alone
    EXPECT_EQ(bands[3], (std::pair<std::size_t, std::size_t>{5, 1}));
    EXPECT_EQ(layout.pageCount(), 8);
    // Down the records first, then across.
    EXPECT_EQ(layout.page(2)->firstRecord, 34u);
    EXPECT_EQ(layout.page(2)->firstColumn, 0u);
    EXPECT_EQ(layout.page(3)->firstRecord, 0u);
    EXPECT_EQ(layout.page(3)->firstColumn, 3u);
}

TEST(TablePageLayout, FurtherSheetsRepeatTheColumnsThatPlaceARecord) {
    // 182 mm across; Rec (15) and Depth (25) again on every further sheet leave 142 mm there.
    TablePageSetup setup;
    setup.orientation = Orientation::Portrait;
    setup.columnWidthsMm = {15, 25, 60, 60, 60, 60, 60, 60};
    setup.repeatedColumns = 2;
    TablePageLayout layout(40, setup);
    const auto& bands = layout.columnBands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0], (std::pair<std::size_t, std::size_t>{0, 4}));  // 160 mm
    EXPECT_EQ(bands[1], (std::pair<std::size_t, std::size_t>{4, 2}));  // 40 + 120 mm
    EXPECT_EQ(bands[2], (std::pair<std::size_t, std::size_t>{6, 2}));
    EXPECT_EQ(layout.page(1)->repeatedColumns, 0u);
    EXPECT_EQ(layout.page(3)->repeatedColumns, 2u);
    EXPECT_EQ(layout.page(6)->repeatedColumns, 2u);

    // Repeated columns that would take more than half a sheet are not repeated.
    setup.columnWidthsMm = {15, 100, 60, 60, 60};
    TablePageLayout wide(40, setup);
    EXPECT_EQ(wide.page(3)->repeatedColumns, 0u);
}

TEST(TablePageLayout, AnEmptyTableOrATinySheetStillGivesPages) {
    TablePageSetup setup;
    EXPECT_EQ(TablePageLayout(0, setup).pageCount(), 1);
    EXPECT_EQ(TablePageLayout(0, setup).page(1)->recordCount, 0u);
    setup.paperWidthMm = 30;
    setup.paperHeightMm = 30;
    TablePageLayout tiny(5, setup);
    EXPECT_EQ(tiny.recordsPerPage(), 1u);
    EXPECT_EQ(tiny.pageCount(), 5);
}

TEST(PreviewProgress, MaximumFollowsTheRecordCountAndOrientation) {
    EXPECT_EQ(previewProgressMaximum(30, Orientation::Portrait), 8);
    EXPECT_EQ(previewProgressMaximum(1000, Orientation::Landscape), 53);
    EXPECT_EQ(previewProgressMaximum(1000, Orientation::Portrait), 36);
    EXPECT_EQ(previewProgressMaximum(0, Orientation::Landscape), 8);
}

struct RangeCase {
    long long from, to;
    int pages;
    bool ok;
};

class PageRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PageRange, IsCheckedAgainstThePageCount) {
    const RangeCase c = GetParam();
    auto error = pageRangeError(c.from, c.to, c.pages);
    EXPECT_EQ(!error.has_value(), c.ok) << c.from << ".." << c.to << " of " << c.pages;
    if (error) {
        EXPECT_EQ(*error, "The page range must lie between 1 and " +
                              std::to_string(c.pages < 1 ? 1 : c.pages) + ".");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PageRange,
                         ::testing::Values(RangeCase{1, 1, 1, true}, RangeCase{1, 46, 46, true},
                                           RangeCase{3, 3, 46, true}, RangeCase{0, 3, 46, false},
                                           RangeCase{1, 47, 46, false}, RangeCase{5, 4, 46, false},
                                           RangeCase{-2, 1, 46, false}, RangeCase{1, 1, 0, false}));

TEST(PaperList, OffersTheNamedSizesInOrder) {
    const auto& papers = paperSizes();
    ASSERT_EQ(papers.size(), 18u);
    EXPECT_STREQ(papers.front().name, "A3");
    EXPECT_STREQ(papers[7].name, "Letter");
    EXPECT_STREQ(papers.back().name, "Executive");
    EXPECT_FALSE(paperSize("A7").has_value());
}

}  // namespace
}  // namespace lithora::chart
