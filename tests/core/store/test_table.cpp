#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/store/table.h"

namespace fs = std::filesystem;
using lithora::store::FieldDef;
using lithora::store::FieldType;
using lithora::store::StoreError;
using lithora::store::Table;
using lithora::store::TableEvent;

namespace {

class TableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_store_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // A litholog-like table: two bounded floats and a required text.
    void makeLitholog(Table& t) {
        t.setPath(dir / "Litholog.db");
        t.addFieldDef({"TopDepth", FieldType::Float});
        t.addFieldDef({"BottomDepth", FieldType::Float});
        t.addFieldDef({"Lithology", FieldType::Text, 30, true});
        t.createTable();
        t.open();
    }
    void addInterval(Table& t, double top, double bottom, const char* name) {
        t.append();
        t.setFloat(0, top);
        t.setFloat(1, bottom);
        t.setText(2, name);
        t.post();
    }

    // Rec + Depth + one curve, loaded in bulk.
    void makeDepthTable(Table& t, std::vector<double> depth, std::vector<double> curve) {
        t.setPath(dir / "Table.db");
        t.addFieldDef({"Rec", FieldType::Integer});
        t.addFieldDef({"DEPTH", FieldType::Float});
        t.addFieldDef({"GR", FieldType::Float});
        t.createTable();
        t.open();
        std::vector<Table::BulkColumn> cols(3);
        for (std::size_t i = 0; i < depth.size(); ++i)
            cols[0].integers.push_back(static_cast<int>(i + 1));
        cols[1].floats = std::move(depth);
        cols[2].floats = std::move(curve);
        t.loadColumns(std::move(cols));
    }

    fs::path dir;
};

TEST_F(TableTest, CreateRefusesExistingNamesDuplicatesAndEmptyNames) {
    Table t(dir / "A.db");
    t.addFieldDef({"Depth", FieldType::Float});
    t.createTable();
    EXPECT_TRUE(t.exists());
    EXPECT_THROW(t.createTable(), StoreError);  // the file exists

    Table dup(dir / "B.db");
    dup.addFieldDef({"Depth", FieldType::Float});
    dup.addFieldDef({"DEPTH", FieldType::Float});
    EXPECT_THROW(dup.createTable(), StoreError);
    EXPECT_FALSE(dup.exists());

    Table blank(dir / "C.db");
    blank.addFieldDef({" ", FieldType::Float});
    EXPECT_THROW(blank.createTable(), StoreError);
    EXPECT_FALSE(blank.exists());
}

TEST_F(TableTest, AppendInsertEditPostCancelDeleteAndReopen) {
    Table t(dir / "x.db", lithora::store::Durability::Full);
    makeLitholog(t);
    addInterval(t, 100, 110, "Shale");
    addInterval(t, 110, 125, "Sandstone");
    t.first();
    t.next();  // on Sandstone
    t.insert();
    t.setFloat(0, 105);
    t.setText(2, "Coal");
    t.post();
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.cellText(1, 2), "Coal");
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_TRUE(t.cellIsNull(1, 1));

    t.edit();
    t.setText(2, "Salt");
    t.cancel();
    EXPECT_EQ(t.asText(2), "Coal");

    t.edit();
    t.setFloat(1, 108.5);
    t.first();  // moving posts the pending edit
    EXPECT_EQ(t.cellFloat(1, 1), 108.5);

    t.last();
    t.deleteRecord();
    EXPECT_EQ(t.recordCount(), 2);
    t.close();

    Table again(dir / "Litholog.db");
    again.open();
    ASSERT_EQ(again.recordCount(), 2);
    EXPECT_EQ(again.cellText(0, 2), "Shale");
    EXPECT_EQ(again.cellText(1, 2), "Coal");
    EXPECT_EQ(again.cellText(1, 0), "105");
    EXPECT_EQ(again.cellText(1, 1), "108.5");
}

TEST_F(TableTest, RequiredFieldAndRangeAreRefusedWithTheirMessages) {
    Table t;
    makeLitholog(t);
    t.field(1).minValue = 1500;
    t.field(1).maxValue = 1800;
    t.append();
    t.setFloat(0, 1500);
    try {
        t.setFloat(1, 1900);
        FAIL() << "out of range value accepted";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(),
                     "1900 is not a valid value for field 'BottomDepth'. The allowed range is "
                     "1500 to 1800");
    }
    t.setFloat(1, 1800);                 // bounds are inclusive
    EXPECT_THROW(t.post(), StoreError);  // Lithology is required
    t.setText(2, "Coal");
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
}

TEST_F(TableTest, NavigationFollowsStoredOrderAndEndOfTable) {
    Table t;
    makeDepthTable(t, {1, 2, 3}, {10, NAN, 30});
    std::vector<double> seen;
    for (t.first(); !t.eof(); t.next()) seen.push_back(t.asFloat(1));
    EXPECT_EQ(seen, (std::vector<double>{1, 2, 3}));
    t.moveTo(1);
    EXPECT_TRUE(t.isNull(2));
    EXPECT_EQ(t.asText(2), "");
    t.prior();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 1);
}

TEST_F(TableTest, FilterIsInclusiveInBothFormsAndLocateSeesOnlyVisibleRecords) {
    Table t;
    makeDepthTable(t, {1500, 1500.5, 1501, 1501.5, 1502}, {1, 2, 3, 4, 5});
    t.setFilterText("DEPTH>=1500.5 and DEPTH<=1501.5");
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.visibleFloats(2), (std::vector<double>{2, 3, 4}));
    EXPECT_FALSE(t.locate(1, 1502.0));
    EXPECT_TRUE(t.locate(1, 1501.0));
    EXPECT_EQ(t.recNo(), 2);

    t.setFilterRange(1, 1501, 1502);  // the typed form
    EXPECT_EQ(t.visibleFloats(1), (std::vector<double>{1501, 1501.5, 1502}));
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 5);

    EXPECT_THROW(t.setFilterText("DEPTH>1 and DEPTH<2"), StoreError);
    EXPECT_THROW(t.setFilterText("DEPTH>=1,5 and DEPTH<=2"), StoreError);
    EXPECT_THROW(t.setFilterText("NOPE>=1 and NOPE<=2"), StoreError);
}

TEST_F(TableTest, LocateIsExact) {
    Table t;
    makeDepthTable(t, {0.1 + 0.2, 0.3}, {1, 2});
    EXPECT_TRUE(t.locate(1, 0.3));
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_FALSE(t.locate(1, 0.31));
}

TEST_F(TableTest, EmptyAndDeleteOnOpenAndClosedTables) {
    Table t;
    makeDepthTable(t, {1, 2}, {3, 4});
    t.emptyTable();  // open
    EXPECT_TRUE(t.isEmpty());
    EXPECT_THROW(t.deleteTable(), StoreError);  // still open
    t.close();

    Table u(dir / "U.db");
    u.addFieldDef({"V", FieldType::Float});
    u.createTable();
    u.open();
    u.loadColumns({Table::BulkColumn{{1, 2, 3}, {}, {}}});
    u.close();
    u.emptyTable();  // closed
    u.open();
    EXPECT_EQ(u.recordCount(), 0);
    u.close();
    u.deleteTable();
    EXPECT_FALSE(u.exists());
    EXPECT_THROW(u.open(), StoreError);
}

TEST_F(TableTest, DisabledControlsHearOneResetAndAfterScrollFollowsTheCursor) {
    Table t;
    makeDepthTable(t, {1, 2, 3}, {1, 2, 3});
    int resets = 0, others = 0, scrolls = 0;
    t.subscribe([&](const TableEvent& e) { (e.kind == TableEvent::Reset ? resets : others)++; });
    t.setAfterScroll([&] { ++scrolls; });
    t.disableControls();
    for (t.first(); !t.eof(); t.next()) {
    }
    EXPECT_EQ(resets + others, 0);
    t.enableControls();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(scrolls, 2);  // first() was already on row 0
    t.clearAfterScroll();
    t.first();
    EXPECT_EQ(scrolls, 2);
}

TEST_F(TableTest, DisplayLabelsAndVisibilityPersist) {
    Table t;
    makeDepthTable(t, {1}, {2});
    t.setDisplayLabel(1, "DEPT(M)");
    t.field(2).visible = false;
    t.field(2).minValue = 0;
    t.loadColumns({{{}, {1}, {}}, {{5}, {}, {}}, {{6}, {}, {}}});  // writes the file
    t.close();
    t.open();
    EXPECT_EQ(t.field(1).label(), "DEPT(M)");
    EXPECT_EQ(t.field(0).label(), "Rec");
    EXPECT_FALSE(t.field(2).visible);
    EXPECT_EQ(t.fieldIndex("depth"), 1);
    EXPECT_THROW(t.fieldIndex("RHOB"), StoreError);
}

TEST_F(TableTest, BadFilesGiveAStoreErrorNotACrash) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty.db", ""},
        {"text.db", "this is no table file\r\n"},
        {"binary.db", std::string("\x00\x01\x02\xff\xfe", 5) + std::string(5000, '\x7f')},
        {"sqlite-header.db", std::string("SQLite format 3\0", 16) + std::string(100, '\0')},
    };
    for (const auto& [name, bytes] : cases) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        Table t(dir / name);
        EXPECT_THROW(t.open(), StoreError) << name;
        EXPECT_FALSE(t.isOpen()) << name;
    }
}

TEST_F(TableTest, TruncatedTableFileIsRefused) {
    Table t;
    makeDepthTable(t, std::vector<double>(200000, 1.0), std::vector<double>(200000, 2.0));
    t.close();
    auto size = fs::file_size(dir / "Table.db");
    fs::resize_file(dir / "Table.db", size / 2);
    Table again(dir / "Table.db");
    EXPECT_THROW(again.open(), StoreError);
}

TEST_F(TableTest, MemoryTableKeepsItsRecordsWhileClosedAndWritesNoFile) {
    fs::current_path(dir);
    auto t = Table::createInMemory(
        "Table.db",
        {{"Rec", FieldType::Integer}, {"DEPTH", FieldType::Float}, {"Name", FieldType::Text, 8}});
    EXPECT_TRUE(t->exists());
    EXPECT_THROW(t->createTable(), StoreError);  // it exists already
    t->open();
    t->loadColumns({{{}, {1, 2}, {}}, {{10, 20}, {}, {}}, {{}, {}, {"a", ""}}});
    t->append();
    t->setFloat(1, 30);
    t->setText(2, "c");
    t->post();
    t->setDisplayLabel(1, "DEPT(M)");
    t->close();
    EXPECT_TRUE(fs::is_empty(dir));

    t->open();
    ASSERT_EQ(t->recordCount(), 3);
    EXPECT_EQ(t->visibleFloats(1), (std::vector<double>{10, 20, 30}));
    EXPECT_TRUE(t->cellIsNull(1, 2));
    EXPECT_EQ(t->cellText(2, 2), "c");
    EXPECT_EQ(t->field(1).label(), "DEPT(M)");
    t->close();

    t->emptyTable();  // closed
    t->open();
    EXPECT_EQ(t->recordCount(), 0);
    EXPECT_EQ(t->fieldCount(), 3);
    t->close();
    t->deleteTable();
    EXPECT_FALSE(t->exists());
    EXPECT_THROW(t->open(), StoreError);
    EXPECT_TRUE(fs::is_empty(dir));
    fs::current_path(fs::temp_directory_path());
}

}  // namespace
