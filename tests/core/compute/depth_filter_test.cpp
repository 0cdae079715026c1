#include "core/compute/depth_filter.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/compute/elastic.h"

namespace lithora::compute {
namespace {

namespace fs = std::filesystem;
using store::FieldType;
using store::Table;

// A source table from 1500 to 1800 every 0.5 and, on demand, an elastic table of the same
// depths.
class DepthFilter : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_filter_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        source.setPath(dir / "Table.db");
        for (const char* name : {"Rec", "DEPTH", "GR", "Counting"})
            source.addFieldDef({name, name[0] == 'R' ? FieldType::Integer : FieldType::Float});
        source.createTable();
        source.open();
        std::vector<Table::BulkColumn> cols(4);
        for (int i = 0; i <= 600; ++i) {
            cols[0].integers.push_back(i + 1);
            cols[1].floats.push_back(1500 + 0.5 * i);
            cols[2].floats.push_back(i % 7);
            cols[3].floats.push_back(0);
        }
        source.loadColumns(std::move(cols));

        elastic.setPath(dir / "ElasticTable.db");
        for (const char* name : kElasticFieldNames) elastic.addFieldDef({name, FieldType::Float});
        elastic.createTable();
        elastic.open();
        view = {1500, 1800, false};
    }
    void TearDown() override { fs::remove_all(dir); }

    void fillElastic() {
        std::vector<Table::BulkColumn> cols(kElasticFieldCount);
        for (int i = 0; i <= 600; ++i)
            for (int f = 0; f < kElasticFieldCount; ++f)
                cols[static_cast<std::size_t>(f)].floats.push_back(f == kDepth ? 1500 + 0.5 * i
                                                                               : f);
        elastic.loadColumns(std::move(cols));
    }
    double depthAt(const Table& t, int row, int field = 1) const { return t.cellFloat(row, field); }

    fs::path dir;
    Table source, elastic;
    DepthWindow view;
};

TEST_F(DepthFilter, KeepsBothEndRecordsInBothTables) {
    fillElastic();
    const auto out = applyDepthFilter(source, elastic, view, 1600, 1700);
    EXPECT_TRUE(out.changed);
    EXPECT_TRUE(out.elasticFiltered);
    EXPECT_EQ(source.filterText(), "DEPTH>=1600 and DEPTH<=1700");
    EXPECT_EQ(elastic.filterText(), "Depth>=1600 and Depth<=1700");
    for (Table* t : {&source, &elastic}) {
        ASSERT_EQ(t->recordCount(), 201);
        EXPECT_EQ(depthAt(*t, 0), 1600);
        EXPECT_EQ(depthAt(*t, 200), 1700);
    }
    EXPECT_EQ(view.top, 1600);
    EXPECT_EQ(view.bottom, 1700);
    EXPECT_TRUE(view.filterActive);
    EXPECT_FALSE(source.controlsDisabled());
    EXPECT_FALSE(elastic.controlsDisabled());
}

TEST_F(DepthFilter, ASecondFilterUndoesTheFirst) {
    fillElastic();
    applyDepthFilter(source, elastic, view, 1500, 1600);
    applyDepthFilter(source, elastic, view, 1650.5, 1800);
    ASSERT_EQ(source.recordCount(), 300);
    EXPECT_EQ(depthAt(source, 0), 1650.5);
    EXPECT_EQ(elastic.recordCount(), 300);
    EXPECT_EQ(view.top, 1650.5);
}

TEST_F(DepthFilter, AnEmptyElasticTableIsLeftUnfiltered) {
    const auto out = applyDepthFilter(source, elastic, view, 1600, 1700);
    EXPECT_FALSE(out.elasticFiltered);
    EXPECT_FALSE(elastic.filtered());
    EXPECT_EQ(source.recordCount(), 201);
}

TEST_F(DepthFilter, UndoRestoresEveryRecordAndTheWholeWindow) {
    fillElastic();
    EXPECT_FALSE(undoDepthFilter(source, elastic, view).changed);  // no filter in force
    applyDepthFilter(source, elastic, view, 1600, 1700);
    const auto out = undoDepthFilter(source, elastic, view);
    EXPECT_TRUE(out.changed);
    EXPECT_EQ(source.recordCount(), 601);
    EXPECT_EQ(elastic.recordCount(), 601);
    EXPECT_EQ(view.top, 1500);
    EXPECT_EQ(view.bottom, 1800);
    EXPECT_FALSE(view.filterActive);
}

TEST_F(DepthFilter, StartNotAboveStopIsRefusedAndChangesNothing) {
    fillElastic();
    applyDepthFilter(source, elastic, view, 1600, 1700);
    const DepthWindow before = view;
    for (auto [start, stop] : {std::pair{1700.0, 1600.0}, {1650.0, 1650.0}}) {
        try {
            applyDepthFilter(source, elastic, view, start, stop);
            ADD_FAILURE() << start << " .. " << stop << " was accepted";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), kFilterOrderMessage);
        }
    }
    EXPECT_EQ(source.recordCount(), 201);
    EXPECT_EQ(elastic.recordCount(), 201);
    EXPECT_EQ(view.top, before.top);
    EXPECT_TRUE(view.filterActive);
    EXPECT_FALSE(source.controlsDisabled());
}

TEST_F(DepthFilter, AnEmptySourceTableIsLeftAlone) {
    Table none(dir / "none.db");
    const auto out = applyDepthFilter(none, elastic, view, 1700, 1600);  // not even checked
    EXPECT_FALSE(out.changed);
    EXPECT_FALSE(view.filterActive);
}

TEST_F(DepthFilter, SearchFindsAnExactDepthInBothTables) {
    fillElastic();
    EXPECT_EQ(searchDepth(source, elastic, "1500.5", '.'), "");
    EXPECT_EQ(depthAt(source, source.currentRow()), 1500.5);
    EXPECT_EQ(depthAt(elastic, elastic.currentRow()), 1500.5);
    EXPECT_EQ(searchDepth(source, elastic, "1750,5", ','), "");  // the regional separator
    EXPECT_EQ(depthAt(elastic, elastic.currentRow()), 1750.5);
    EXPECT_EQ(searchDepth(source, elastic, "1600.5", ','), "");  // '.' is taken too
    EXPECT_EQ(searchDepth(source, elastic, "1500.4", '.'), kDepthNotFoundMessage);
    EXPECT_EQ(depthAt(source, source.currentRow()), 1600.5);  // a failed search moves nothing
    for (const char* text : {"abc", "", "15OO", "1500.5.5"})
        EXPECT_EQ(searchDepth(source, elastic, text, '.'), kInvalidNumberMessage) << text;
}

TEST_F(DepthFilter, UnderAFilterADepthOutsideItIsNotFound) {
    fillElastic();
    applyDepthFilter(source, elastic, view, 1600, 1700);
    EXPECT_EQ(searchDepth(source, elastic, "1500.5", '.'), kDepthNotFoundMessage);
    EXPECT_EQ(searchDepth(source, elastic, "1700", '.'), "");
}

}  // namespace
}  // namespace lithora::compute
