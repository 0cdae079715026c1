// lithora-cli fluidsub, avo and Vs by lithology, run as a process.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"

namespace {

using lithora::cli_test::CliTest;
using lithora::cli_test::slurp;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return out;
        start = tab + 1;
    }
}

// Four depths of a shale over a sand: rows 1 and 2 alike, then the sand twice.
constexpr const char* kWell =
    "~VERSION INFORMATION\r\n VERS.   2.0:\r\n WRAP.    NO:\r\n"
    "~WELL INFORMATION\r\n STRT.M  1000:\r\n STOP.M  1001.5:\r\n STEP.M  0.5:\r\n"
    " NULL.  -999.25:\r\n"
    "~CURVE INFORMATION\r\n DEPT.M :\r\n RHOB.G/CC :\r\n DT  .US/M :\r\n DTSM.US/M :\r\n"
    " PHIT.% :\r\n"
    "~A\r\n"
    "1000.0  2.40  300  550  12\r\n"
    "1000.5  2.40  300  550  12\r\n"
    "1001.0  2.20  350  600  28\r\n"
    "1001.5  2.20  350  600  28\r\n";

class RockPhysicsCli : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        std::ofstream(dir / "well.las", std::ios::binary) << kWell;
        well = "'" + (dir / "well.las").string() + "'";
    }
    std::string table(const char* name) const { return "'" + (dir / name).string() + "'"; }
    std::string well;
};

TEST_F(RockPhysicsCli, FluidSubstitutionWritesItsTable) {
    const auto r = run("fluidsub " + well + " --porosity PHIT --sw-from 1 --sw-to 0.1 --table " +
                       table("f.tsv"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Fluid substitution: 4 samples substituted."), std::string::npos) << r.err;
    const auto t = lines(slurp(dir / "f.tsv"));
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0], "Rec\tDepth\tPorosity\tK Dry\tVp\tVs\tRho\tVp Sub\tVs Sub\tRho Sub");
    const auto row = cells(t[1]);
    ASSERT_EQ(row.size(), 10u);
    EXPECT_EQ(row[1], "1000");
    EXPECT_EQ(row[2], "0.12");       // "%" read as a fraction
    EXPECT_EQ(row[4], "3333.3333");  // Vp = 1e6 / 300
    EXPECT_EQ(row[5], "1818.1818");
    EXPECT_EQ(row[6], "2400");
    // Brine out, gas in: lighter, slower in P, faster in S.
    EXPECT_LT(std::stod(row[9]), 2400);
    EXPECT_LT(std::stod(row[7]), 3333.3333);
    EXPECT_GT(std::stod(row[8]), 1818.1818);
}

// -o writes the substituted rock as LAS: its VP, VS and RHO are the table's Vp Sub, Vs Sub and
// Rho Sub; an output that is the input is refused before anything is written.
TEST_F(RockPhysicsCli, FluidSubstitutionWritesTheSubstitutedRockAsLas) {
    const auto r = run("fluidsub " + well + " --porosity PHIT --sw-from 1 --sw-to 0.1 -o " +
                       table("f.las") + " --table " + table("f.tsv"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto t = lines(slurp(dir / "f.tsv"));
    const auto las = lines(slurp(dir / "f.las"));
    const auto a = std::find_if(las.begin(), las.end(),
                                [](const std::string& l) { return l.rfind("~A", 0) == 0; });
    ASSERT_EQ(las.end() - a, 5);
    for (std::size_t i = 1; i <= 4; ++i) {
        std::istringstream values(*(a + static_cast<std::ptrdiff_t>(i)));
        std::string depth, vp, vs, rho;
        values >> depth >> vp >> vs >> rho;
        const auto row = cells(t[i]);
        EXPECT_EQ(depth, row[1]);
        EXPECT_EQ(vp, row[7]);
        EXPECT_EQ(vs, row[8]);
        EXPECT_EQ(rho, row[9]);
    }

    const auto same =
        run("fluidsub " + well + " --porosity PHIT --sw-from 1 --sw-to 0.1 -o " + well);
    EXPECT_EQ(same.code, 1);
    EXPECT_EQ(slurp(dir / "well.las"), kWell);
}

TEST_F(RockPhysicsCli, FluidsFromConditions) {
    const auto r = run("fluidsub " + well +
                       " --porosity PHIT --temperature 60 --pressure 20 --salinity 50000 --gas"
                       " --gas-gravity 0.6 --sw-from 1 --sw-to 0.2 --table " +
                       table("f.tsv"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(lines(slurp(dir / "f.tsv")).size(), 5u);
}

// Every value out of range is a usage error naming its option; a porosity curve that is not
// there is bad input, said before anything else.
TEST_F(RockPhysicsCli, BadSettingsNameTheirOption) {
    const std::string base = "fluidsub " + well + " --porosity PHIT ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {base + "--sw-from 1.5 --sw-to 0", "--sw-from"},
        {base + "--sw-from 1 --sw-to -0.1", "--sw-to"},
        {base + "--sw-from 1 --sw-to 0 --brine-density 0", "--brine-density"},
        {base + "--sw-from 1 --sw-to 0 --hc-modulus -1", "--hc-modulus"},
        {base + "--sw-from 1 --sw-to 0 --mineral-modulus 0", "--mineral-modulus"},
        {base + "--sw-from 1", "--sw-to"},
        {base + "--porosity-from-density --sw-from 1 --sw-to 0", "--porosity-from-density"},
        {"fluidsub " + well + " --porosity-from-density --matrix-density 0.5 --sw-from 1 --sw-to 0",
         "--matrix-density"},
        {base + "--sw-from 1 --sw-to 0 --temperature 60 --pressure 20 --salinity 1000 --gas",
         "--gas-gravity"},
        {"avo " + well + " --angles 0:90:10", "--angles"},
        {"avo " + well + " --angles 0.5:40:10", "--angles"},
        {"avo " + well + " --angles 40:0:10", "--angles"},
        {"avo " + well + " --angles 0:40:0", "--angles"},
        {"elastic " + well + " --vs-equation lithology -o x.las", "--litholog"},
    };
    for (const auto& [args, option] : cases) {
        const auto r = run(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_NE(r.err.find(option), std::string::npos) << args << "\n" << r.err;
    }
    const auto missing = run("fluidsub " + well + " --porosity XYZ --sw-from 1 --sw-to 0");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Field 'XYZ' not found.\n");
}

TEST_F(RockPhysicsCli, AvoWritesOneLinePerInterface) {
    const auto r = run("avo " + well + " --angles 0:30:15 --table " + table("a.tsv"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto t = lines(slurp(dir / "a.tsv"));
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0], "Depth\tTWT\tIntercept\tGradient\tR 0\tR 15\tR 30");
    EXPECT_EQ(t[1], "1000.5\t0.3\t0\t0\t0\t0\t0");  // 2 x 0.5 m at 3333.3 m/s
    const auto shaleOverSand = cells(t[2]);
    EXPECT_EQ(shaleOverSand[0], "1001");
    EXPECT_LT(std::stod(shaleOverSand[2]), 0);
    EXPECT_EQ(shaleOverSand[4], shaleOverSand[2]);  // R at 0 degrees is the intercept
}

// avo -o: the same values as the table, as a LAS file the import reads back cell for cell.
TEST_F(RockPhysicsCli, AvoWritesItsValuesAsLas) {
    const auto r = run("avo " + well + " --angles 0:30:15 -o " + table("a.las") + " --table " +
                       table("a.tsv"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto back = run("import " + table("a.las") + " --table " + table("back.tsv"));
    ASSERT_EQ(back.code, 0) << back.err;
    const auto avo = lines(slurp(dir / "a.tsv"));
    const auto read = lines(slurp(dir / "back.tsv"));
    ASSERT_EQ(read.size(), avo.size());
    EXPECT_EQ(read[0], "Rec\tDEPTH\tTWT\tINTERCEPT\tGRADIENT\tR0\tR15\tR30");
    for (std::size_t i = 1; i < avo.size(); ++i) {
        auto cellsRead = cells(read[i]);
        cellsRead.erase(cellsRead.begin());  // Rec
        EXPECT_EQ(cellsRead, cells(avo[i])) << i;
    }
}

// Vs by lithology: the shale's line above 1000.75, the sandstone's below, from a litholog file
// the desktop's reader takes.
TEST_F(RockPhysicsCli, VsByLithologyFromALithologFile) {
    std::ofstream(dir / "well.llg", std::ios::binary)
        << "\r\nTopDepth       BottomDepth    Lithology\r\n"
           "1000\t1000.75\tShale\t\r\n1000.75\t1001.5\tSandstone\t\r\n";
    const auto r =
        run("elastic " + well + " --vs-equation lithology --litholog " + table("well.llg") +
            " -o " + table("out.las") + " --table " + table("e.tsv"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Vs by lithology: 2 sandstone, 2 shale."), std::string::npos) << r.err;
    const auto t = lines(slurp(dir / "e.tsv"));
    ASSERT_EQ(t.size(), 5u);
    const auto head = cells(t[0]);
    const auto vsColumn = std::find(head.begin(), head.end(), "Vs") - head.begin();
    ASSERT_LT(vsColumn, static_cast<long>(head.size()));
    // Shale at Vp 3.3333 km/s: 0.76969 Vp - 0.86735 km/s; sandstone at 2.8571 km/s.
    EXPECT_EQ(cells(t[1])[vsColumn], "1698.2833");
    EXPECT_NEAR(std::stod(cells(t[3])[vsColumn]), (0.80416 * (1e3 / 350) - 0.85588) * 1000, 1e-4);

    // The litholog is an input: an output that names it is refused and it stays as it was.
    const std::string before = slurp(dir / "well.llg");
    for (const std::string& output :
         {"-o " + table("well.llg"), "-o " + table("x.las") + " --table " + table("well.llg")}) {
        const auto refused = run("elastic " + well + " --vs-equation lithology --litholog " +
                                 table("well.llg") + " " + output);
        EXPECT_EQ(refused.code, 1) << output;
        EXPECT_NE(refused.err.find("is the input file"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(slurp(dir / "well.llg"), before);

    std::ofstream(dir / "bad.llg", std::ios::binary) << "\r\nheading\r\n1000\t999999\tShale\t\r\n";
    const auto bad = run("elastic " + well + " --vs-equation lithology --litholog " +
                         table("bad.llg") + " -o " + table("out2.las"));
    EXPECT_EQ(bad.code, 1);
    EXPECT_FALSE(bad.err.empty());
}

}  // namespace
