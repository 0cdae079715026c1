#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cli_test_support.h"
#include "support/test_paths.h"

namespace {

using lithora::cli_test::CliRun;
using lithora::cli_test::CliTest;

// well.las: RHOB 2.5, 2.5, 2.4; DT 250, null, 200; DTSM 500, 500, 400; GR 45, 50, 55. The
// elastic rows have values at 1500 and 1500.5 only (DT is null at 1500.25).
const char* const kSourceRows =
    "RHOB\t1.0000\n"
    "DT\t1.0000\n"
    "DTSM\t1.0000\n"
    "GR\t-0.8660\n";

TEST_F(CliTest, CorrelatePrintsSourceRowsThenTheElasticParameters) {
    CliRun r = run("correlate " + data("well.las") + " --reference RHOB");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, std::string(kSourceRows) +
                         "Poisson Ratio\t0.0000\n"  // 0.3333 at both depths
                         "Lame Constant\t-1.0000\n"
                         "Bulk Modulus\t-1.0000\n"
                         "Shear Modulus\t-1.0000\n"
                         "Young Modulus\t-1.0000\n"
                         "Landa.Rho\t-1.0000\n"
                         "Miu.Rho\t-1.0000\n"
                         "Landa/Miu\t0.0000\n"
                         "Vp\t-1.0000\n"
                         "Vs\t-1.0000\n"
                         "Vp/Vs\t0.0000\n"
                         "P-Impedance\t-1.0000\n"
                         "S-Impedance\t-1.0000\n");
}

TEST_F(CliTest, CorrelateGivesSourceRowsAloneWhenTheElasticComputationCannotRun) {
    CliRun plain = run("correlate " + data("well.las") + " --reference RHOB --no-elastic");
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(plain.out, kSourceRows);
    EXPECT_EQ(plain.err, "");

    // Units without a rule (depth "m" in lower case, sonic curves without a unit of their
    // own): the source rows, and standard error says why there is no more.
    std::string text =
        lithora::cli_test::slurp(std::string(LITHORA_TEST_DATA) + "/cli/well_lower_m.las");
    for (const char* unit : {"DT  .US/M", "DTSM.US/M"})
        text.replace(text.find(unit), 9, std::string(unit).substr(0, 5) + "    ");
    std::ofstream(dir / "no_unit.las", std::ios::binary) << text;
    CliRun units = run("correlate '" + (dir / "no_unit.las").string() + "' --reference RHOB");
    ASSERT_EQ(units.code, 0) << units.err;
    EXPECT_EQ(units.out.find("Poisson Ratio"), std::string::npos);
    EXPECT_NE(units.out.find("RHOB\t1.0000\n"), std::string::npos);
    EXPECT_NE(units.err.find("units of the sonic curves are not known"), std::string::npos)
        << units.err;

    CliRun curve = run("correlate " + data("well.las") + " --reference GR --density NOPE");
    ASSERT_EQ(curve.code, 0) << curve.err;
    EXPECT_EQ(curve.out.find("Vp\t"), std::string::npos);
    EXPECT_NE(curve.err.find("Field 'NOPE' not found."), std::string::npos) << curve.err;
}

TEST_F(CliTest, CorrelateRefusesAReferenceThatIsNoCurve) {
    CliRun r = run("correlate " + data("well.las") + " --reference NOPE");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Field 'NOPE' not found.\n");
    EXPECT_EQ(r.out, "");
    for (const std::string& args :
         {"correlate " + data("well.las"), std::string("correlate --reference RHOB"),
          "correlate " + data("well.las") + " --reference RHOB --vs-equation cubic"}) {
        CliRun u = run(args);
        EXPECT_EQ(u.code, 2) << args;
        EXPECT_NE(u.err.find("usage:"), std::string::npos) << args;
    }
}

}  // namespace
