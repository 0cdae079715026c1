#include "core/export/litholog.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <string>
#include <vector>

#include "core/export/litholog_file.h"
#include "core/export/litholog_table.h"

namespace lithora::exporter {
namespace {

namespace fs = std::filesystem;

// A log from 1500 to 1800.
LithologModel logModel() {
    LithologModel m;
    m.setLogRange(1500, 1800);
    return m;
}

// Enters intervals as the grid does: append, type the bottom, choose the lithology.
void enter(LithologModel& m, double bottom, const char* name) {
    if (m.empty() || m.intervals().back().complete()) {
        ASSERT_TRUE(m.append());
    }
    const std::size_t i = m.size() - 1;
    m.setBottom(i, bottom);
    m.setLithology(i, name);
}

std::string refusal(const std::function<void()>& edit) {
    try {
        edit();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

TEST(LithologModel, EachIntervalBeginsAtThePreviousBottom) {
    LithologModel m = logModel();
    m.startNew(1500);
    enter(m, 1600, "Shale");
    enter(m, 1650.5, "Coarse Sandstone");
    enter(m, 1700, "Limestone");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m.intervals()[0].top, 1500);
    EXPECT_EQ(m.intervals()[1].top, 1600);
    EXPECT_EQ(m.intervals()[2].top, 1650.5);
    EXPECT_EQ(m.nextTop(), 1700);
    EXPECT_FALSE(m.isComplete());
}

TEST(LithologModel, RefusedEditsNameTheRuleAndChangeNothing) {
    LithologModel m = logModel();
    m.startNew(1500);
    enter(m, 1600, "Shale");
    ASSERT_TRUE(m.append());
    const auto before = m.intervals();
    EXPECT_EQ(refusal([&] { m.setBottom(1, 1850); }),
              "1850 is not a valid value for field 'BottomDepth'. The allowed range is 1500 to "
              "1800");
    EXPECT_EQ(refusal([&] { m.setBottom(1, 1400); }),
              "1400 is not a valid value for field 'BottomDepth'. The allowed range is 1500 to "
              "1800");
    EXPECT_EQ(refusal([&] { m.setBottom(1, 1600); }), kBottomAboveTopMessage);
    EXPECT_EQ(refusal([&] { m.setBottom(1, 1550); }), kBottomAboveTopMessage);
    // Names are compared exactly: case and blanks count.
    for (const char* name : {"shale", "Shale ", "", "Granite\t", "Sand"})
        EXPECT_EQ(refusal([&] { m.setLithology(1, name); }), kSelectLithologyMessage) << name;
    EXPECT_EQ(m.intervals(), before);
    EXPECT_EQ(kLithologyNames.size(), 60u);
    for (const auto& name : kLithologyNames) EXPECT_TRUE(isLithologyName(name)) << name;
}

TEST(LithologModel, ABottomAtTheLastDepthCompletesTheLog) {
    LithologModel m = logModel();
    m.startNew(1500);
    enter(m, 1700, "Shale");
    enter(m, 1800, "Basalt");
    EXPECT_TRUE(m.isComplete());
    EXPECT_FALSE(m.append());  // the record the grid appends is withdrawn
    EXPECT_EQ(m.size(), 2u);
    EXPECT_EQ(m.insertBefore(2), -1);
    // An interval still being entered blocks the next one too.
    LithologModel open = logModel();
    open.startNew(1500);
    EXPECT_FALSE(open.append());
}

TEST(LithologModel, DeletingAMiddleIntervalExtendsTheOneAbove) {
    LithologModel m = logModel();
    m.startNew(1500);
    enter(m, 1600, "Shale");
    enter(m, 1650, "Sandstone");
    enter(m, 1700, "Limestone");
    EXPECT_EQ(m.remove(1), 0);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m.intervals()[0].bottom, 1650);
    EXPECT_EQ(m.intervals()[1].top, 1650);

    // Deleting the first interval changes no other; deleting the last moves the next top up.
    EXPECT_EQ(m.remove(0), -1);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m.intervals()[0].top, 1650);
    enter(m, 1750, "Coal");
    EXPECT_EQ(m.remove(1), -1);
    EXPECT_EQ(m.nextTop(), 1700);
}

TEST(LithologModel, InsertingSplitsAnIntervalAtTheTypedBottom) {
    LithologModel m = logModel();
    m.startNew(1500);
    enter(m, 1600, "Shale");
    enter(m, 1700, "Limestone");
    const int i = m.insertBefore(1);
    ASSERT_EQ(i, 1);
    EXPECT_EQ(m.intervals()[1].top, 1600);
    EXPECT_EQ(refusal([&] { m.setBottom(1, 1700); }), kBottomBelowNextMessage);
    m.setBottom(1, 1620);
    m.setLithology(1, "Coal");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m.intervals()[2].top, 1620);
    EXPECT_EQ(m.intervals()[2].bottom, 1700);
    EXPECT_EQ(m.nextTop(), 1700);
    // Above the first interval, the new one begins at the top of the log.
    EXPECT_EQ(m.insertBefore(0), 0);
    EXPECT_EQ(m.intervals()[0].top, 1500);
}

// ---- the .llg file ----

class LithologFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_llg_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path dir;
};

TEST_F(LithologFile, RoundTripGivesTheSameIntervals) {
    LithologModel m = logModel();
    m.startNew(1500);
    enter(m, 1600.25, "Shale");
    enter(m, 1650, "Coarse Sandstone");
    enter(m, 1800, "Unknown");
    const fs::path file = dir / "well.llg";
    writeLithologFile(file, m.intervals());
    EXPECT_EQ(slurp(file),
              "\r\nTopDepth       BottomDepth    Lithology\r\n"
              "1500\t1600.25\tShale\t\r\n"
              "1600.25\t1650\tCoarse Sandstone\t\r\n"
              "1650\t1800\tUnknown\t\r\n");
    const auto read = readLithologFile(file, logModel());
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.intervals, m.intervals());
}

TEST_F(LithologFile, ACommaLocaleStillWritesAndReadsPoints) {
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale old = std::locale::global(std::locale(std::locale::classic(), new Comma));
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, name)) break;

    LithologModel m = logModel();
    m.startNew(1500.5);
    enter(m, 1600.75, "Shale");
    const fs::path file = dir / "comma.llg";
    writeLithologFile(file, m.intervals());
    const std::string text = slurp(file);
    const auto read = readLithologFile(file, logModel());

    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(old);
    EXPECT_NE(text.find("1500.5\t1600.75\tShale\t\r\n"), std::string::npos) << text;
    EXPECT_EQ(read.intervals, m.intervals());
}

struct ReadCase {
    const char* name;
    const char* body;  // the lines after the two header lines
    std::size_t intervals;
    const char* error;
};

class LithologRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LithologRead, StopsAtTheFirstBadLineKeepingTheIntervalsBefore) {
    const ReadCase c = GetParam();
    const std::string text = std::string("whatever\r\nheading\r\n") + c.body;
    const auto read = readLithologText(text, logModel());
    EXPECT_EQ(read.intervals.size(), c.intervals);
    EXPECT_EQ(read.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LithologRead,
    ::testing::Values(
        ReadCase{"HeaderOnly", "", 0, ""},
        ReadCase{"TrailingBlankLines", "1500\t1600\tShale\t\r\n\r\n\n", 1, ""},
        ReadCase{"LfLineEnds", "1500\t1600\tShale\t\n1600\t1700\tCoal\t\n", 2, ""},
        ReadCase{"OldCommaFile", "1500,5\t1600,25\tShale\t\r\n", 1, ""},
        ReadCase{"NoLastTab", "1500\t1600\tShale\t\r\n1600\t1700\tCoal\r\n", 1,
                 "Line 4: Please select a lithology from drop-down list."},
        ReadCase{"UnknownName", "1500\t1600\tshale\t\r\n", 0,
                 "Line 3: Please select a lithology from drop-down list."},
        ReadCase{"OutOfRange", "1500\t1600\tShale\t\r\n1600\t1900\tCoal\t\r\n", 1,
                 "Line 4: 1900 is not a valid value for field 'BottomDepth'. The allowed range "
                 "is 1500 to 1800"},
        ReadCase{"UpsideDown", "1500\t1600\tShale\t\r\n1600\t1550\tCoal\t\r\n", 1,
                 "Line 4: The bottom depth must be deeper than the top depth."},
        ReadCase{"NotANumber", "1500\tabc\tShale\t\r\n", 0, "Line 3: 'abc' is not a valid number."},
        ReadCase{"GroupedDigits", "1,500.5\t1600\tShale\t\r\n", 0,
                 "Line 3: '1,500.5' is not a valid number."},
        ReadCase{"BlankInTheMiddle", "1500\t1600\tShale\t\r\n\r\n1600\t1700\tCoal\t\r\n", 1,
                 "Line 4: A depth is missing."}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LithologFile, AFileThatCannotBeReadOrWrittenIsAnError) {
    EXPECT_THROW(readLithologFile(dir / "missing.llg", logModel()), Error);
    EXPECT_THROW(writeLithologFile(dir / "no" / "such" / "folder.llg", {}), Error);
    EXPECT_TRUE(fs::is_empty(dir));
}

// ---- "Litholog.db" ----

TEST_F(LithologFile, TheTableHoldsTheCompleteIntervalsAfterEachEdit) {
    store::Table table(dir / "Litholog.db", store::Durability::Full);
    table.addFieldDef({"TopDepth", store::FieldType::Float});
    table.addFieldDef({"BottomDepth", store::FieldType::Float});
    table.addFieldDef({"Lithology", store::FieldType::Text, 30, true});
    table.createTable();
    table.open();

    LithologModel m = logModel();
    m.startNew(1500);
    storeLithologTable(m, table);  // the interval being entered is not stored
    EXPECT_EQ(table.recordCount(), 0);
    enter(m, 1600, "Shale");
    enter(m, 1650, "Sandstone");
    enter(m, 1700, "Limestone");
    storeLithologTable(m, table);
    m.remove(1);
    storeLithologTable(m, table);
    EXPECT_EQ(readLithologTable(table), m.intervals());

    // What was posted survives closing the program: a new table object reads it back.
    table.close();
    store::Table again(dir / "Litholog.db", store::Durability::Full);
    again.open();
    EXPECT_EQ(readLithologTable(again), m.intervals());
}

}  // namespace
}  // namespace lithora::exporter
