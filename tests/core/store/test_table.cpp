#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <sqlite3.h>

#include "core/store/table.h"

namespace fs = std::filesystem;
using lithora::store::Durability;
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

    // Runs SQL on a table file behind the table's back, as a damaged or hostile file would be.
    static void tamper(const fs::path& file, const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << err;
        sqlite3_free(err);
        sqlite3_close(db);
    }

    // What another program would find in the file now: a copy of it, opened apart from
    // the table that wrote it (as after a crash).
    std::vector<std::string> lithologiesOnDisk(const fs::path& file) {
        fs::copy_file(file, dir / "copy.db", fs::copy_options::overwrite_existing);
        Table copy(dir / "copy.db");
        copy.open();
        std::vector<std::string> out;
        for (int r = 0; r < copy.recordCount(); ++r) out.push_back(copy.cellText(r, 2));
        return out;
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
    auto sub = t.subscribe(
        [&](const TableEvent& e) { (e.kind == TableEvent::Reset ? resets : others)++; });
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

TEST_F(TableTest, ManyLabelsAreWrittenTogether) {
    for (Durability durability : {Durability::Scratch, Durability::Full}) {
        fs::remove(dir / "labels.db");
        Table t(dir / "labels.db", durability);
        for (int f = 0; f < 2000; ++f) t.addFieldDef({"F" + std::to_string(f), FieldType::Float});
        t.createTable();
        t.open();
        std::vector<std::pair<int, std::string>> labels;
        for (int f = 0; f < 2000; ++f) labels.emplace_back(f, "F" + std::to_string(f) + "(M)");
        labels.emplace_back(7, "last one wins");
        t.setDisplayLabels(std::move(labels));
        EXPECT_EQ(t.field(7).label(), "last one wins");
        Table other(dir / "labels.db");
        other.open();
        EXPECT_EQ(other.field(1999).label(), "F1999(M)");
        EXPECT_EQ(other.field(7).label(), "last one wins");
        other.close();
        // An index that is no field changes no label.
        EXPECT_THROW(t.setDisplayLabels({{0, "changed"}, {2000, "none"}}), StoreError);
        EXPECT_EQ(t.field(0).label(), "F0(M)");
        t.close();
    }
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

TEST_F(TableTest, FullDurabilityWritesEachPostAndDeleteAtOnceInStoredOrder) {
    Table t(dir / "Litholog.db", Durability::Full);
    makeLitholog(t);
    addInterval(t, 100, 110, "Shale");
    addInterval(t, 110, 120, "Sand");
    EXPECT_EQ(lithologiesOnDisk(dir / "Litholog.db"), (std::vector<std::string>{"Shale", "Sand"}));

    // Many inserts at one place use up the room between two neighbours' positions in the
    // file; the order must hold throughout.
    std::vector<std::string> expected{"Shale"};
    for (int i = 0; i < 40; ++i) {
        t.moveTo(1);
        t.insert();
        t.setText(2, "L" + std::to_string(i));
        t.post();
        expected.insert(expected.begin() + 1, "L" + std::to_string(i));
    }
    expected.push_back("Sand");
    t.first();
    t.insert();
    t.setText(2, "Top");
    t.post();
    expected.insert(expected.begin(), "Top");
    t.moveTo(2);
    t.edit();
    t.setText(2, "Edited");
    t.post();
    expected[2] = "Edited";
    t.last();
    t.deleteRecord();
    expected.pop_back();
    EXPECT_EQ(lithologiesOnDisk(dir / "Litholog.db"), expected);

    t.setDisplayLabel(2, "Lithology name");  // written when it changes
    fs::copy_file(dir / "Litholog.db", dir / "label.db");
    Table copy(dir / "label.db");
    copy.open();
    EXPECT_EQ(copy.field(2).label(), "Lithology name");
}

TEST_F(TableTest, ScratchTableIsWrittenOnFlushAndCloseNeverPerPost) {
    Table t;
    makeDepthTable(t, {1, 2}, {10, 20});  // the bulk load is written
    t.setDisplayLabel(2, "GR(API)");      // and so is a label
    auto onDisk = [&] {
        Table other(dir / "Table.db");
        other.open();
        return std::make_pair(other.visibleFloats(2), other.field(2).label());
    };
    EXPECT_EQ(onDisk(), std::make_pair(std::vector<double>{10, 20}, std::string("GR(API)")));

    t.append();
    t.setFloat(1, 3);
    t.setFloat(2, 30);
    t.post();
    t.first();
    t.deleteRecord();
    EXPECT_EQ(onDisk().first, (std::vector<double>{10, 20}));
    t.flush();
    EXPECT_EQ(onDisk().first, (std::vector<double>{20, 30}));

    t.append();
    t.setFloat(2, 40);
    t.post();
    t.close();
    EXPECT_EQ(onDisk().first, (std::vector<double>{20, 30, 40}));

    // Large pages: the page size is the two bytes at offset 16, where 1 stands for 65536.
    std::ifstream in(dir / "Table.db", std::ios::binary);
    char header[18];
    in.read(header, sizeof header);
    EXPECT_EQ(header[16], 0);
    EXPECT_EQ(header[17], 1);
}

TEST_F(TableTest, AnEmptiedScratchTableGivesItsSpaceBack) {
    for (bool open : {true, false}) {
        Table t;
        makeDepthTable(t, std::vector<double>(300000, 1.0), std::vector<double>(300000, 2.0));
        t.close();
        const auto full = fs::file_size(dir / "Table.db");
        if (open) t.open();
        t.emptyTable();
        t.close();
        EXPECT_LT(fs::file_size(dir / "Table.db"), full / 8) << (open ? "open" : "closed");
        t.open();
        EXPECT_EQ(t.recordCount(), 0);
        EXPECT_EQ(t.fieldCount(), 3);
        t.close();
        t.deleteTable();
    }
}

TEST_F(TableTest, ManyFieldsAreCheckedForDistinctNamesInOnePass) {
    // 100,000 curves took minutes when every pair of names was compared.
    Table t(dir / "Wide.db");
    for (int i = 0; i < 100000; ++i) t.addFieldDef({"C" + std::to_string(i), FieldType::Float});
    t.createTable();
    t.open();
    EXPECT_EQ(t.fieldCount(), 100000);
    EXPECT_EQ(t.findField("c99999"), 99999);
    t.close();

    Table dup(dir / "Dup.db");
    for (int i = 0; i < 100000; ++i) dup.addFieldDef({"C" + std::to_string(i), FieldType::Float});
    dup.addFieldDef({"c5", FieldType::Float});
    EXPECT_THROW(dup.createTable(), StoreError);
    EXPECT_FALSE(dup.exists());
}

TEST_F(TableTest, NamesKeepEveryByteAndStayDistinctInTheFile) {
    const std::string withNul("RHOB\0X", 6);
    Table t(dir / "Table.db");
    t.addFieldDef({"RHOB", FieldType::Float});
    t.addFieldDef({withNul, FieldType::Float});
    t.createTable();
    t.open();
    t.setDisplayLabel(1, std::string("lab\0el", 6));
    t.loadColumns({{{2500}, {}, {}}, {{9900}, {}, {}}});
    t.close();

    t.open();
    ASSERT_EQ(t.fieldCount(), 2);
    EXPECT_EQ(t.field(1).def.name, withNul);
    EXPECT_EQ(t.field(1).displayLabel, std::string("lab\0el", 6));
    EXPECT_EQ(t.findField("RHOB"), 0);
    EXPECT_EQ(t.cellFloat(0, t.findField("RHOB")), 2500);
    t.close();

    // A file whose names are not distinct is refused rather than read ambiguously.
    tamper(dir / "Table.db", "UPDATE lithora_fields SET name = 'rhob' WHERE pos = 1");
    EXPECT_THROW(t.open(), StoreError);
}

TEST_F(TableTest, AStoredRowCountIsCheckedAgainstTheStoredData) {
    for (const char* rows : {"2147483647", "1", "-1", "4"}) {
        Table t;
        makeDepthTable(t, {1, 2, 3}, {4, 5, 6});
        t.close();
        tamper(dir / "Table.db",
               std::string("UPDATE lithora_meta SET value = ") + rows + " WHERE key = 'rows'");
        Table again(dir / "Table.db");
        try {
            again.open();
            ADD_FAILURE() << rows << " rows accepted";
        } catch (const StoreError& e) {
            EXPECT_STREQ(e.what(), "Table 'Table.db' is damaged or is not a table file.") << rows;
        }
        EXPECT_FALSE(again.isOpen());
        fs::remove(dir / "Table.db");
    }
}

TEST_F(TableTest, SubscriptionEndsWithItsHandleAndMayOutliveItsTable) {
    int heard = 0;
    lithora::store::Subscription kept;
    {
        Table t;
        makeDepthTable(t, {1, 2}, {3, 4});
        {
            auto sub = t.subscribe([&](const TableEvent&) { ++heard; });
            t.last();
            EXPECT_EQ(heard, 1);
        }
        t.first();
        EXPECT_EQ(heard, 1);  // the handle went, and the listener with it

        // A listener may drop its own handle, and another's, while events are sent.
        lithora::store::Subscription first, second;
        first = t.subscribe([&](const TableEvent&) {
            ++heard;
            second.reset();
            first.reset();
        });
        second = t.subscribe([&](const TableEvent&) { heard += 100; });
        t.last();
        EXPECT_EQ(heard, 2);
        kept = t.subscribe([&](const TableEvent&) { ++heard; });
    }
    EXPECT_FALSE(kept.active());
    kept.reset();  // the table has gone: nothing to do, nothing touched
}

}  // namespace
