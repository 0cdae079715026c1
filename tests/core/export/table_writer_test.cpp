#include "core/export/table_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/error.h"

#if defined(__unix__)
#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#endif

namespace lithora::exporter {
namespace {

namespace fs = std::filesystem;
using compute::ElasticColumns;
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

// Splits a file text at CR LF; fails the test when a line end is anything else.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    EXPECT_TRUE(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        << "the last line must end with CR LF";
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    for (const std::string& l : lines)
        EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << "stray line end in: " << l;
    return lines;
}

// One row per entry: Depth, PR, LC, BM, SM, YM, PI, SI, L/M, VP/VS, LR, MR.
ElasticColumns tableOf(const std::vector<std::vector<double>>& rows) {
    const compute::ElasticField order[] = {
        compute::kDepth,       compute::kPoissonRatio, compute::kLameConstant,
        compute::kBulkModulus, compute::kShearModulus, compute::kYoungModulus,
        compute::kPImpedance,  compute::kSImpedance,   compute::kLandaMiu,
        compute::kVpVs,        compute::kLandaRho,     compute::kMiuRho};
    ElasticColumns t;
    for (auto& c : t.columns) c.assign(rows.size(), 999);  // Rec, Vp, Vs, Rho: never written
    for (std::size_t r = 0; r < rows.size(); ++r) {
        t.columns[compute::kRec][r] = static_cast<double>(r + 1);
        for (std::size_t c = 0; c < 12; ++c) t.columns[order[c]][r] = rows[r][c];
    }
    return t;
}

const std::vector<double> kRow1 = {1500, 0.25, 11.25, 15, 5.625, 15,
                                   7500, 3750, 2,     2,  28125, 14062.5};
// A null, 12-character values and longer ones.
const std::vector<double> kRow2 = {1500.5,       kNull,  0.0001,       -12.5,
                                   123456789012, 0,      1234567.8901, 12345678.90123,
                                   kNull,        1.7321, 29032.2,      14516.1};

const std::vector<std::string> kMemo = {"~VERSION INFORMATION",
                                        " VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0",
                                        " WRAP.   NO  : ONE LINE PER DEPTH STEP",
                                        "~WELL INFORMATION",
                                        " STRT.M     1500.0000 : START DEPTH",
                                        " STOP.M     1500.5000 : STOP DEPTH",
                                        " STEP.M        0.5000 : STEP",
                                        " NULL.      -999.25   : NULL VALUE",
                                        " COMP.      ACME      : COMPANY",
                                        " WELL.      W-1       : WELL",
                                        " DATE.      2020-01-01: DATE",
                                        "~CURVE INFORMATION",
                                        " DEPT.M   : DEPTH",
                                        " RHOB.G/CC: DENSITY",
                                        "# a remark in the curve section",
                                        "~PARAMETER INFORMATION",
                                        " BHT .DEGC   85 : BOTTOM HOLE TEMP",
                                        "#  remark  with  blanks  ",
                                        "~OTHER",
                                        " logged in a hurry",
                                        "~A  DEPTH RHOB"};

LasExportInput lasInput(std::string unit = "m") {
    return {std::move(unit), "1500", "1500.5", "0.5", kMemo, "-999.25"};
}

TEST(LasTable, WholeFileLineForLine) {
    const std::string rule = "#" + std::string(91, '-');
    const std::vector<std::string> expected = {
        "~VERSION INFORMATION",
        " VERS.                 2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0",
        " WRAP.                  NO:   ONE LINE PER DEPTH STEP",
        "~WELL INFORMATION BLOCK",
        "#MNEM.UNIT      DATA             DESCRIPTION",
        "#---- ------ --------------   -----------------------------",
        " STRT.M          1500:    START DEPTH",
        " STOP.M          1500.5:    STOP DEPTH",
        " STEP.M             0.5:    STEP VALUE",
        " NULL.      -999.25   : NULL VALUE",
        " COMP.      ACME      : COMPANY",
        " WELL.      W-1       : WELL",
        " DATE.      2020-01-01: DATE",
        "~CURVE INFORMATION",
        "#MNEM.UNIT      API CODE      CURVE DESCRIPTION",
        "#---------    -------------   ------------------------------",
        " DEPT .M                        :  1  DEPTH",
        " PR   .                         :  2  POISSON RATIO ( DIMENSIONLESS )",
        " LC   .GP                       :  3  LAME CONSTANT ( G PASCAL )",
        " BM   .GP                       :  4  BULK MODULUS ( G PASCAL )",
        " SM   .GP                       :  5  SHEAR MODULUS ( G PASCAL )",
        " YM   .GP                       :  6  YOUNG MODULUS ( G PASCAL )",
        " PI   .MG/SM2                   :  7  P-IMPEDANCE( KM/S.KG/M3 )",
        " SI   .MG/SM2                   :  8  S-IMPEDANCE( KM/S.KG/M3 )",
        " L/M  .                         :  9  LAME CONSTANT/SHEAR MODULUS ( DIMENSIONLESS )",
        " VP/VS.                         :  10 VP/VS ( DIMENSIONLESS )",
        " LR   .GPKG/M3                  :  11 LAME CONSTANT.DENSITY ( G PASCAL.KG/M3 )",
        " MR   .GPKG/M3                  :  12 SHEAR MODULUS.DENSITY ( G PASCAL.KG/M3 )",
        "~PARAMETER INFORMATION",
        " BHT .DEGC   85 : BOTTOM HOLE TEMP",
        "#  remark  with  blanks  ",
        "~OTHER INFIORMATION",
        rule,
        "",
        rule,
        "~A     DEPTH          PR          LC          BM          SM          YM          PI"
        "          SI         L/M       VP/VS          LR          MR",
        std::string("        1500") + "        0.25" + "       11.25" + "          15" +
            "       5.625" + "          15" + "        7500" + "        3750" + "           2" +
            "           2" + "       28125" + "     14062.5",
        // Values of 12 characters or more get one blank before them.
        std::string("      1500.5") + "     -999.25" + "      0.0001" + "       -12.5" +
            " 123456789012" + "           0" + " 1234567.8901" + " 12345678.90123" +
            "     -999.25" + "      1.7321" + "     29032.2" + "     14516.1",
    };
    const std::vector<std::string> lines =
        linesOf(lasTableText(lasInput(), tableOf({kRow1, kRow2})));
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;

    // The lengths the format states for its fixed lines.
    const std::pair<int, std::size_t> lengths[] = {
        {1, 67},  {2, 53},  {4, 44},  {5, 59},  {14, 47},  {15, 60}, {16, 43}, {17, 69},
        {18, 64}, {19, 63}, {20, 64}, {21, 64}, {22, 63},  {23, 63}, {24, 83}, {25, 61},
        {26, 78}, {27, 78}, {32, 92}, {34, 92}, {35, 144}, {36, 144}};
    for (auto [line, length] : lengths) EXPECT_EQ(lines[line].size(), length) << "line " << line;
    for (int line = 16; line <= 27; ++line) {
        EXPECT_EQ(lines[line][32], ':') << "line " << line;
        EXPECT_EQ(lines[line][6], '.') << "line " << line;
    }
}

struct UnitCase {
    const char* unit;
    const char* strt;  // expected start of the STRT line
    const char* stop;
    const char* step;
    const char* dept;
};

class LasDepthUnit : public ::testing::TestWithParam<UnitCase> {};

// Every data line begins with the depth, so the depth lines are always written; a unit
// without a rule leaves them without a unit rather than leaving them out.
TEST_P(LasDepthUnit, WritesTheDepthLinesWithTheUnitTheyHave) {
    const UnitCase& c = GetParam();
    const std::vector<std::string> lines =
        linesOf(lasTableText(lasInput(c.unit), tableOf({kRow1})));
    auto count = [&](const std::string& prefix) {
        int n = 0;
        for (const auto& l : lines) n += l.rfind(prefix, 0) == 0;
        return n;
    };
    EXPECT_EQ(lines[6], std::string(c.strt) + "1500:    START DEPTH");
    EXPECT_EQ(lines[7], std::string(c.stop) + "1500.5:    STOP DEPTH");
    EXPECT_EQ(lines[8], std::string(c.step) + "0.5:    STEP VALUE");
    EXPECT_EQ(count(c.dept), 1);
    EXPECT_EQ(count(" DEPT"), 1);
    EXPECT_EQ(count(" STRT."), 1);
    EXPECT_EQ(count(" STOP."), 1);
    EXPECT_EQ(count(" STEP."), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Units, LasDepthUnit,
    ::testing::Values(
        UnitCase{"m", " STRT.M          ", " STOP.M          ", " STEP.M             ",
                 " DEPT .M                        :  1  DEPTH"},
        UnitCase{"ft", " STRT.F          ", " STOP.F          ", " STEP.F             ",
                 " DEPT .F                        :  1  DEPTH"},
        UnitCase{"FT", " STRT.F          ", " STOP.F          ", " STEP.F             ",
                 " DEPT .F                        :  1  DEPTH"},
        UnitCase{"ms", " STRT.MS         ", " STOP.MS         ", " STEP.MS            ",
                 " DEPT .MS                       :  1  DEPTH"},
        UnitCase{"in", " STRT.           ", " STOP.           ", " STEP.              ",
                 " DEPT .                         :  1  DEPTH"},
        UnitCase{"", " STRT.           ", " STOP.           ", " STEP.              ",
                 " DEPT .                         :  1  DEPTH"}));

// The header lines a memo carries into the written file: those between the STEP line and
// "~CURVE INFORMATION", and those between the MR curve line and "~OTHER INFIORMATION".
struct Copied {
    std::vector<std::string> well, further;
};

Copied copiedLines(const std::vector<std::string>& memo, const std::string& nullText = "-999.25") {
    LasExportInput in = lasInput();
    in.memo = memo;
    in.nullValueText = nullText;
    const std::vector<std::string> lines = linesOf(lasTableText(in, tableOf({kRow1})));
    Copied c;
    std::size_t i = 9;  // after STEP
    while (i < lines.size() && lines[i] != "~CURVE INFORMATION") c.well.push_back(lines[i++]);
    while (i < lines.size() && lines[i].rfind(" MR   .", 0) != 0) ++i;
    for (++i; i < lines.size() && lines[i] != "~OTHER INFIORMATION"; ++i)
        c.further.push_back(lines[i]);
    EXPECT_LT(i, lines.size()) << "the other-information title is missing";
    return c;
}

using Lines = std::vector<std::string>;

TEST(LasTable, MemoWithoutOtherSectionStopsAtTheDataTitle) {
    const Copied c = copiedLines(
        {"~V", "~W", " NULL. -1 : N", "~C", " DT.US/F : S", "~P", " X. 1 : Y", "~A DEPTH DT"});
    EXPECT_EQ(c.well, (Lines{" NULL. -1 : N"}));
    EXPECT_EQ(c.further, (Lines{"~P", " X. 1 : Y"}));
}

TEST(LasTable, NullLineIsFoundAtTheFirstOrSecondCharacterFromTheSecondLine) {
    EXPECT_EQ(copiedLines({"~V", "NULL. -1 : N", "~C", "~A"}).well, (Lines{"NULL. -1 : N"}));
    EXPECT_EQ(copiedLines({"~V", "xNULL. -1", "~C", "~A"}).well, (Lines{"xNULL. -1"}));
    // Not at the third character, and never the first memo line.
    EXPECT_EQ(copiedLines({"  NULL. -1", "~W", "  NULL. -2", "~C", "~A"}).well,
              (Lines{" NULL.            -999.25:    NULL VALUE"}));
}

TEST(LasTable, MemoWithoutNullLineGetsANullLineOfItsOwn) {
    const Copied c = copiedLines(
        {"~V", "~W", " COMP. ACME : C", "~C", " DT.US/F : S", "~P", " X. 1 : Y", "~O", "~A"});
    EXPECT_EQ(c.well, (Lines{" NULL.            -999.25:    NULL VALUE"}));
    EXPECT_EQ(c.further, (Lines{"~P", " X. 1 : Y"}));
    // An import without a null value text: the null cells and the NULL line use -999.25.
    EXPECT_EQ(copiedLines({"~V", "~C", "~A"}, "").well,
              (Lines{" NULL.            -999.25:    NULL VALUE"}));
}

TEST(LasTable, MemoWithoutCurveTitleEndsTheWellLinesAtTheNextSection) {
    const Copied c =
        copiedLines({"~V", "~W", " NULL. -1 : N", " COMP. A : C", "~P", " X. 1 : Y", "~A"});
    EXPECT_EQ(c.well, (Lines{" NULL. -1 : N", " COMP. A : C"}));
    EXPECT_EQ(c.further, (Lines{"~P", " X. 1 : Y"}));
    // A data title never lands in the header, even in an edited memo.
    const Copied d = copiedLines({"~V", " NULL. -1 : N", "~A", "~C", "1 2", ""});
    EXPECT_EQ(d.well, (Lines{" NULL. -1 : N"}));
    EXPECT_TRUE(d.further.empty());
}

TEST(LasTable, EmptyOrTinyMemoWritesAWholeFile) {
    for (const Lines& memo : {Lines{}, Lines{"~A"}, Lines{"NULL. -1"}, Lines{"", ""}}) {
        const Copied c = copiedLines(memo);
        EXPECT_EQ(c.well, (Lines{" NULL.            -999.25:    NULL VALUE"}));
        EXPECT_TRUE(c.further.empty());
    }
}

TEST(LasTable, MemoLinesKeepTheirBytesButNotALeftoverLineEnd) {
    const Copied c =
        copiedLines({"~V\r", " NULL. -1\t: N  \r", "~C\r", "~P\r", " X.\t1 \r", "~A\r"});
    EXPECT_EQ(c.well, (Lines{" NULL. -1\t: N  "}));
    EXPECT_EQ(c.further, (Lines{"~P", " X.\t1 "}));
}

TEST(LasTable, IncompleteTableIsRefused) {
    ElasticColumns t = tableOf({kRow1, kRow2});
    t.columns[compute::kMiuRho].pop_back();
    EXPECT_THROW(lasTableText(lasInput(), t), Error);
    t.columns[compute::kMiuRho].push_back(1);
    t.columns[compute::kVpVs].clear();
    EXPECT_THROW(asciiTableText({"H"}, t), Error);
}

TEST(AsciiTable, WholeFileLineForLine) {
    const std::vector<std::string> expected = {
        "Column 1 : DEPTH m",
        "Column 2 : Poisson Ratio (Poisson Ratio) - Units : ",
        "Column 3 : Lame Constant (Lame Constant) - Units : GPa",
        "Column 4 : Bulk Modulus (Bulk Modulus) - Units : GPa",
        "Column 5 : Shear Modulus (Shear Modulus) - Units : GPa",
        "Column 6 : Young Modulus (Young Modulus) - Units : GPa",
        "Column 7 : P-Impedance (P-Impedance) - Units : Mg/sm2",
        "Column 8 : S-Impedance (S-Impedance) - Units : Mg/sm2",
        "Column 9 : Lambda/Miu (Lambda/Miu) - Units : ",
        "Column 10 : P-wave/S-wave (P-wave/S-wave) - Units : ",
        "      1500\t      0.25\t     11.25\t        15\t     5.625\t        15\t      7500\t"
        "      3750\t         2\t         2",
        "    1500.5\t -999.0000\t    0.0001\t     -12.5\t123456789012\t         0\t"
        "1234567.8901\t12345678.90123\t -999.0000\t    1.7321",
    };
    const std::vector<std::string> lines =
        linesOf(asciiTableText({"Column 1 : DEPTH m", "ft"}, tableOf({kRow1, kRow2})));
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    EXPECT_EQ(lines[1].size(), 51u);
    EXPECT_EQ(lines[8].size(), 45u);
    EXPECT_EQ(lines[9].size(), 52u);
    for (std::size_t i = 10; i < lines.size(); ++i)
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 9) << "line " << i;
    EXPECT_EQ(lines[10].size(), 10u * 10u + 9u);
}

TEST(AsciiTable, HeaderLineWithoutRowsAndWithLeftoverLineEnd) {
    EXPECT_EQ(asciiTableText({"Column 1 : A B\r\n"}, tableOf({})).substr(0, 16),
              "Column 1 : A B\r\n");
    EXPECT_EQ(linesOf(asciiTableText({"Column 1 : A"}, tableOf({}))).size(), 10u);
}

// A header line the ASCII reader would refuse (lost after an unclean end, or never an ASCII
// column header) is replaced by one that names the depth column.
TEST(AsciiTable, HeaderLineTheReaderRefusesIsReplaced) {
    struct Case {
        const char* line;
        const char* unit;
        const char* written;
    };
    const Case cases[] = {{"", "m", "Column 1 : Depth m"},
                          {"DEPTH(m)\tRHOB(G/CC)", "ft", "Column 1 : Depth ft"},
                          {"Column 1 : ", "", "Column 1 : Depth"},
                          {"Column 1 :  \t \r\n", "ms", "Column 1 : Depth ms"},
                          {"Column 1 : Time ms", "m", "Column 1 : Time ms"}};
    for (const Case& c : cases)
        EXPECT_EQ(linesOf(asciiTableText({c.line, c.unit}, tableOf({kRow1})))[0], c.written)
            << c.line;
}

// File writing: the text goes to a temporary file beside the target, renamed over the
// target when complete.
class TableFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("lithora_export_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    static std::string read(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    static void put(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

TEST_F(TableFile, WritesExactlyTheTextAndReplacesAnOldFile) {
    const ElasticColumns t = tableOf({kRow1, kRow2});
    const fs::path las = dir_ / "out.las", txt = dir_ / "out.txt";
    put(las, "old content that is longer than nothing");
    writeLasTable(las, lasInput(), t);
    writeAsciiTable(txt, {"H"}, t);
    EXPECT_EQ(read(las), lasTableText(lasInput(), t));
    EXPECT_EQ(read(txt), asciiTableText({"H"}, t));
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.las", "out.txt"}));  // no leftovers
}

TEST_F(TableFile, LargeTableIsWrittenInPieces) {
    std::vector<std::vector<double>> rows(15000, kRow1);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i][0] = 1000 + 0.25 * static_cast<double>(i);
    const ElasticColumns t = tableOf(rows);
    const fs::path las = dir_ / "big.las";
    writeLasTable(las, lasInput(), t);
    const std::string text = read(las);
    EXPECT_GT(text.size(), 2u << 20);  // more than one piece
    EXPECT_EQ(text, lasTableText(lasInput(), t));
}

TEST_F(TableFile, MissingFolderFailsWithTheFileNameAndLeavesNothing) {
    const fs::path target = dir_ / "no such folder" / "out.las";
    try {
        writeLasTable(target, lasInput(), tableOf({kRow1}));
        FAIL() << "no error";
    } catch (const Error& e) {
        const std::string msg = e.what();
        EXPECT_EQ(msg.rfind("Cannot write file " + target.string() + ": ", 0), 0u) << msg;
        EXPECT_EQ(msg.back(), '.');
    }
    EXPECT_TRUE(entries().empty());
}

TEST_F(TableFile, TargetThatIsAFolderStaysAsItWas) {
    const fs::path target = dir_ / "out.txt";
    fs::create_directory(target);
    put(target / "keep", "kept");
    EXPECT_THROW(writeAsciiTable(target, {"H"}, tableOf({kRow1})), Error);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(read(target / "keep"), "kept");
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.txt"}));
}

TEST_F(TableFile, EmptyTargetNameIsRefused) {
    EXPECT_THROW(writeLasTable("", lasInput(), tableOf({kRow1})), Error);
    EXPECT_THROW(writeLasTable(dir_ / "", lasInput(), tableOf({kRow1})), Error);
}

#if defined(__unix__)
TEST_F(TableFile, ReadOnlyFolderKeepsTheOldFile) {
    const fs::path target = dir_ / "out.las";
    put(target, "good");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.c_str(), W_OK) == 0) GTEST_SKIP() << "the folder stays writable (root)";
    EXPECT_THROW(writeLasTable(target, lasInput(), tableOf({kRow1})), Error);
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(read(target), "good");
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.las"}));
}

// A write that fails half way (here: the file size limit) leaves the old file in place and
// no temporary file behind.
TEST_F(TableFile, FailureHalfWayKeepsTheOldFile) {
    const fs::path target = dir_ / "out.las";
    put(target, "good");
    std::vector<std::vector<double>> rows(20000, kRow1);
    const ElasticColumns t = tableOf(rows);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100000;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        writeLasTable(target, lasInput(), t);
    } catch (const Error& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(message.rfind("Cannot write file " + target.string() + ": ", 0), 0u) << message;
    EXPECT_EQ(read(target), "good");
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.las"}));
}
#endif

}  // namespace
}  // namespace lithora::exporter
