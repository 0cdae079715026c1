#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/commands/compute_elastic.h"
#include "core/commands/empty_table.h"
#include "core/commands/import_file.h"
#include "core/commands/save_table.h"
#include "core/import/las_reader.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;
using lithora::compute::DensityUnit;
using lithora::compute::SonicUnit;
using lithora::workspace::Storage;
using lithora::workspace::Workspace;
namespace commands = lithora::commands;

namespace {

std::string slurpOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class CommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_commands_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // well.las with its curve lines replaced: depth, density and sonic units as given.
    fs::path wellWith(const std::string& depthUnit, const std::string& dtUnit,
                      const std::string& dtsUnit, const std::string& densityUnit = "G/CC") {
        std::ifstream in(std::string(LITHORA_TEST_DATA) + "/cli/well.las", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        auto put = [&text](const std::string& from, const std::string& to) {
            text.replace(text.find(from), from.size(), to);
        };
        put(" DEPT.M ", " DEPT." + depthUnit + " ");
        put(" RHOB.G/CC ", " RHOB." + densityUnit + " ");
        put(" DT  .US/M ", " DT  ." + dtUnit + " ");
        put(" DTSM.US/M ", " DTSM." + dtsUnit + " ");
        const auto p = dir / ("w" + std::to_string(++files) + ".las");
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    static void import(Workspace& ws, const fs::path& file) {
        auto outcome = commands::importLas(ws, {file, {}, {}});
        ASSERT_TRUE(outcome.ok()) << outcome.message;
    }

    fs::path dir;
    int files = 0;
};

TEST_F(CommandsTest, TheDefaultsAreTheFirstCurveOfEachRoleAndTheNamesDecide) {
    Workspace ws(dir, Storage::Memory);
    import(ws, std::string(LITHORA_TEST_DATA) + "/cli/well.las");
    auto choice = commands::proposedCurves(ws);
    EXPECT_EQ(choice.density, "RHOB");
    EXPECT_EQ(choice.pWave, "DT");
    EXPECT_EQ(choice.sWave, "DTSM");
    EXPECT_TRUE(commands::planCurves(ws, choice).measuredVs);

    // An empty S-wave choice estimates Vs and lowers the role's flag; a shear name chosen
    // later is used again, since the names decide.
    choice.sWave.clear();
    EXPECT_FALSE(commands::planCurves(ws, choice).measuredVs);
    EXPECT_FALSE(ws.roleFlags().sWave);
    EXPECT_TRUE(commands::planCurves(ws, commands::proposedCurves(ws)).measuredVs);
    choice.density.clear();
    EXPECT_EQ(commands::planCurves(ws, choice).stop, commands::CurvePlan::Stop::NoDensity);
}

TEST_F(CommandsTest, EachSonicCurveTakesItsOwnUnitBeforeTheDepthUnit) {
    struct Case {
        const char *depth, *dt, *dts;
        std::optional<SonicUnit> p, s;
    };
    const Case cases[] = {
        {"M", "US/F", "US/M", SonicUnit::PerFoot, SonicUnit::PerMetre},
        {"M", "", "", SonicUnit::PerMetre, SonicUnit::PerMetre},  // the depth decides
        {"F", "", "USEC/M", SonicUnit::PerFoot, SonicUnit::PerMetre},
        {"m", "", "US/F", std::nullopt, SonicUnit::PerFoot},  // "m" has no rule
    };
    for (const auto& c : cases) {
        Workspace ws(dir, Storage::Memory);
        import(ws, wellWith(c.depth, c.dt, c.dts));
        const auto choice = commands::proposedCurves(ws);
        const auto d = commands::decideUnits(ws, choice, true);
        ASSERT_EQ(d.sonic.size(), 2u);
        EXPECT_EQ(d.sonic[0].unit, c.p) << c.depth << " " << c.dt;
        EXPECT_EQ(d.sonic[1].unit, c.s) << c.depth << " " << c.dts;
        EXPECT_EQ(d.sonic[0].unitText, c.dt);
        EXPECT_EQ(d.units().has_value(), c.p && c.s);
    }
}

// The message names only the units that are open: a file whose sonic curves say "us/ft" but
// whose density unit has no rule is asked about its density alone, and the other way round.
TEST_F(CommandsTest, TheUnitsMessageNamesOnlyWhatIsOpen) {
    struct Case {
        const char *depth, *dt, *density, *starts;
    };
    for (const Case c :
         {Case{"M", "US/F", "g/cm3", "The unit of the density curve is not known"},
          Case{"METERS", "", "G/CC", "The units of the sonic curves are not known"},
          Case{"METERS", "", "GRAMS", "The units of the sonic and density curves are not known"}}) {
        Workspace ws(dir, Storage::Memory);
        import(ws, wellWith(c.depth, c.dt, c.dt, c.density));
        const auto d = commands::decideUnits(ws, commands::proposedCurves(ws), true);
        ASSERT_FALSE(d.units().has_value()) << c.starts;
        EXPECT_EQ(d.unknownText().rfind(c.starts, 0), 0u) << d.unknownText();
    }
}

TEST_F(CommandsTest, TagsOfAnEarlierFileAreProposedNotTrusted) {
    Workspace ws(dir, Storage::Memory);
    import(ws, wellWith("F", "", "", "K/M3"));
    commands::emptyTable(ws);
    // The second file names neither its depth unit nor its density unit in a known way.
    import(ws, wellWith("METERS", "", "", "GRAMS"));
    const auto choice = commands::proposedCurves(ws);
    const auto d = commands::decideUnits(ws, choice, true);
    EXPECT_FALSE(d.units().has_value());
    EXPECT_EQ(d.sonic[0].preselect, SonicUnit::PerFoot);
    EXPECT_EQ(d.densityPreselect, DensityUnit::KgPerM3);
    const std::string text = d.unknownText();
    EXPECT_NE(text.find("depth unit \"METERS\""), std::string::npos) << text;
    EXPECT_NE(text.find("density unit \"GRAMS\""), std::string::npos) << text;

    // What the user gives fills only what is open.
    const auto given = commands::decideUnits(
        ws, choice, true, {SonicUnit::PerMetre, std::nullopt, DensityUnit::GramsPerCc});
    ASSERT_TRUE(given.units().has_value());
    EXPECT_EQ(given.units()->pSonic, SonicUnit::PerMetre);
    EXPECT_EQ(given.units()->density, DensityUnit::GramsPerCc);
}

TEST_F(CommandsTest, AFailedImportLeavesAnEmptyWorkspaceAndALoadedOneRefuses) {
    for (Storage storage : {Storage::Files, Storage::Memory}) {
        Workspace ws(dir, storage);
        ws.openShippedTables();
        std::ofstream(dir / "bad.las", std::ios::binary) << std::string("\x00\x01", 2);
        bool begun = false;
        auto outcome = commands::importLas(ws, {dir / "bad.las", {}, [&] { begun = true; }});
        EXPECT_EQ(outcome.status, commands::ImportOutcome::Status::Failed);
        EXPECT_EQ(outcome.message, "Error reading file.");
        EXPECT_TRUE(begun);
        EXPECT_FALSE(ws.loaded());

        std::ofstream(dir / "notes.txt") << "just some notes\n";
        outcome = commands::importAscii(ws, {dir / "notes.txt", {}, {}});
        EXPECT_EQ(outcome.status, commands::ImportOutcome::Status::NothingRead);
        EXPECT_EQ(outcome.message, "Error reading file : " + (dir / "notes.txt").string());

        import(ws, std::string(LITHORA_TEST_DATA) + "/cli/well.las");
        EXPECT_EQ(
            commands::importLas(ws, {std::string(LITHORA_TEST_DATA) + "/cli/well.las", {}, {}})
                .status,
            commands::ImportOutcome::Status::Refused);
        EXPECT_TRUE(commands::emptyTable(ws));
        EXPECT_FALSE(commands::emptyTable(ws));
        ws.exitCleanup();
    }
}

TEST_F(CommandsTest, ComputeAndSaveReadBack) {
    Workspace ws(dir, Storage::Memory);
    ws.openShippedTables();
    import(ws, wellWith("M", "US/F", ""));
    auto choice = commands::proposedCurves(ws);
    const auto plan = commands::planCurves(ws, choice);
    const auto units = commands::decideUnits(ws, choice, plan.measuredVs).units();
    ASSERT_TRUE(units.has_value());
    EXPECT_FALSE(commands::hasTableToSave(ws));
    EXPECT_EQ(commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}), "");
    ASSERT_TRUE(commands::hasTableToSave(ws));
    // DT 200 us/ft gives 1524 m/s; DTSM 400 us/m gives 2500 m/s.
    EXPECT_EQ(ws.elastic().cellText(2, lithora::compute::kVp), "1524");
    EXPECT_EQ(ws.elastic().cellText(2, lithora::compute::kVs), "2500");
    EXPECT_EQ(commands::saveFormat(ws), commands::TableFormat::Las);
    EXPECT_EQ(commands::saveTable(ws, {dir / "out.las", ws.importInfo().headerLines}), "");
    auto back = lithora::import::readLasFile(dir / "out.las");
    ASSERT_EQ(back.rowCount(), 3u);
    // P-impedance 0.001 * 2400 * 1524
    const auto pi = std::find(back.fieldNames.begin(), back.fieldNames.end(), "PI");
    ASSERT_NE(pi, back.fieldNames.end());
    EXPECT_EQ(back.columns[static_cast<std::size_t>(pi - back.fieldNames.begin())][2], 3657.6);

    choice.pWave = "NOPE";
    EXPECT_NE(commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}), "");
}

TEST_F(CommandsTest, Las3FileSavesAsLas2) {
    // The log data of a LAS 3.0 file, saved, is a LAS 2.0 file: its parameters kept, the other
    // data sets (core, tops, ... with their text data lines) left out.
    Workspace ws(dir, Storage::Memory);
    ws.openShippedTables();
    import(ws, std::string(LITHORA_TEST_DATA) +
                   "/external/las-external/lasio/tests/examples/3.0/sample_3.0.las");
    auto choice = commands::proposedCurves(ws);
    const auto plan = commands::planCurves(ws, choice);
    const auto units = commands::decideUnits(ws, choice, plan.measuredVs).units();
    ASSERT_TRUE(units.has_value());
    ASSERT_EQ(commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}), "");
    ASSERT_EQ(commands::saveTable(ws, {dir / "las3.las", ws.importInfo().headerLines}), "");

    const auto back = lithora::import::readLasFile(dir / "las3.las");
    EXPECT_EQ(back.rowCount(), 3u);
    EXPECT_TRUE(back.warnings.empty());
    for (const auto& line : back.headerLines) {
        EXPECT_EQ(line.find("~Log_"), std::string::npos) << line;
        EXPECT_EQ(line.find("_Definition"), std::string::npos) << line;
        EXPECT_EQ(line.find("hunk of rock"), std::string::npos) << line;
    }
    EXPECT_NE(std::find(back.headerLines.begin(), back.headerLines.end(), "~PARAMETER INFORMATION"),
              back.headerLines.end());
    EXPECT_NE(std::find_if(back.headerLines.begin(), back.headerLines.end(),
                           [](const std::string& l) { return l.rfind(" RUNS.", 0) == 0; }),
              back.headerLines.end());
}

// A batch run writes the elastic rows as it computes them: the file is byte for byte the one
// the computed table gives, with a measured or an estimated shear, under a depth filter, and
// when only the curves the computation needs were read; the elastic table stays as it was.
TEST_F(CommandsTest, RowsComputedAsTheyAreWrittenGiveTheSavedTable) {
    struct Case {
        const char* name;
        bool estimate;
        bool filtered;
        bool onlyNeededCurves;
    };
    const std::string read = slurpOf(std::string(LITHORA_TEST_DATA) + "/cli/well.las");
    for (const Case& c :
         {Case{"measured", false, false, false}, Case{"estimated", true, false, false},
          Case{"filtered", false, true, false}, Case{"needed curves", false, false, true},
          Case{"needed curves, estimated", true, true, true}}) {
        SCOPED_TRACE(c.name);
        const fs::path well = wellWith("M", "US/F", "US/M");
        auto elasticRequest = [&](Workspace& ws) {
            auto choice = commands::proposedCurves(ws);
            const auto plan = commands::planCurves(ws, choice);
            const bool measured = plan.measuredVs && !c.estimate;
            const auto units = commands::decideUnits(ws, choice, measured).units();
            EXPECT_TRUE(units.has_value());
            commands::ElasticRequest r{choice,
                                       measured,
                                       units.value_or(lithora::workspace::ElasticUnits{}),
                                       {lithora::compute::VsEquationKind::Linear, 0.8, 1000}};
            return r;
        };
        auto open = [&](Workspace& ws, lithora::import::CurveChoice curves) {
            ws.openShippedTables();
            const auto outcome = commands::importLas(ws, {well, {}, {}, std::move(curves)});
            ASSERT_TRUE(outcome.ok()) << outcome.message;
            if (c.filtered) ws.applyDepthFilter(1500.2, 1500.6);
        };

        Workspace whole(dir / "whole", Storage::Memory);
        open(whole, {});
        const auto request = elasticRequest(whole);
        ASSERT_EQ(commands::computeElastic(whole, request), "");
        ASSERT_EQ(commands::saveTable(whole, {dir / "whole.las", whole.importInfo().headerLines}),
                  "");

        Workspace streamed(dir / "streamed", Storage::Memory);
        lithora::import::CurveChoice needed;
        if (c.onlyNeededCurves)
            needed = [](const lithora::import::ImportResult& header) {
                std::vector<bool> pick(header.fieldNames.size(), false);
                for (std::size_t f = 0; f < pick.size(); ++f)
                    pick[f] = header.fieldNames[f] == "RHOB" || header.fieldNames[f] == "DT" ||
                              header.fieldNames[f] == "DTSM";
                return pick;
            };
        open(streamed, needed);
        if (c.onlyNeededCurves) {
            EXPECT_LT(streamed.source().findField("GR"), 1);  // the curve not needed is left out
            EXPECT_EQ(streamed.source().fieldCount(), whole.source().fieldCount() - 1);
            EXPECT_EQ(streamed.roles().density, std::vector<std::string>{"RHOB"});
            EXPECT_EQ(streamed.roles().pWave, std::vector<std::string>{"DT"});
        }
        const auto streamedRequest = elasticRequest(streamed);
        EXPECT_EQ(streamedRequest.measuredVs, request.measuredVs);
        ASSERT_EQ(
            commands::saveComputedTable(streamed, streamedRequest,
                                        {dir / "streamed.las", streamed.importInfo().headerLines}),
            "");
        EXPECT_TRUE(streamed.elastic().isEmpty());
        EXPECT_EQ(slurpOf(dir / "streamed.las"), slurpOf(dir / "whole.las"));
        const auto back = lithora::import::readLasFile(dir / "streamed.las");
        EXPECT_EQ(back.rowCount(), c.filtered ? 2u : 3u);

        // The well's own file is never the output.
        EXPECT_NE(commands::saveComputedTable(streamed, streamedRequest,
                                              {well, streamed.importInfo().headerLines}),
                  "");
        EXPECT_EQ(slurpOf(well).size(), read.size());
        fs::remove_all(dir / "whole");
        fs::remove_all(dir / "streamed");
    }
}

}  // namespace

namespace {

using lithora::import::CurveRole;

// The well with its shear curve named "DTS", which no recognition list holds.
class ChosenCurvesTest : public CommandsTest {
  protected:
    fs::path dtsWell() {
        std::ifstream in(std::string(LITHORA_TEST_DATA) + "/cli/well.las", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        text.replace(text.find(" DTSM.US/M "), 11, " DTS .US/M ");
        const auto p = dir / "dts.las";
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
};

TEST_F(ChosenCurvesTest, TheDialogOffersEveryCurveWithTheRecognisedFirst) {
    Workspace ws(dir, Storage::Memory);
    import(ws, dtsWell());
    using V = std::vector<std::string>;
    EXPECT_EQ(commands::offeredCurves(ws, CurveRole::SWave), (V{"RHOB", "DT", "DTS", "GR"}));
    EXPECT_EQ(commands::offeredCurves(ws, CurveRole::Density), (V{"RHOB", "DT", "DTS", "GR"}));
    EXPECT_EQ(commands::offeredCurves(ws, CurveRole::GammaRay), (V{"GR", "RHOB", "DT", "DTS"}));
    EXPECT_EQ(commands::offeredCurves(ws, CurveRole::PWave), (V{"DT", "RHOB", "DTS", "GR"}));
    commands::emptyTable(ws);
    EXPECT_TRUE(commands::offeredCurves(ws, CurveRole::SWave).empty());
}

TEST_F(ChosenCurvesTest, ATypedCurveThatIsAFieldIsUsedWhateverTheRecognitionFound) {
    Workspace ws(dir, Storage::Memory);
    ws.openShippedTables();
    import(ws, dtsWell());
    auto choice = commands::proposedCurves(ws);
    EXPECT_EQ(choice.sWave, "");  // nothing recognised: estimated unless one is typed
    EXPECT_FALSE(commands::planCurves(ws, choice).measuredVs);

    choice.sWave = "DTS";
    const auto plan = commands::planCurves(ws, choice);
    ASSERT_TRUE(plan.proceed());
    EXPECT_TRUE(plan.measuredVs);
    const auto units = commands::decideUnits(ws, choice, plan.measuredVs).units();
    ASSERT_TRUE(units.has_value());
    ASSERT_EQ(commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}), "");
    // DTS 400 us/m at the last row: 2500 m/s measured, not 0.8619 * 5000 - 1172.
    EXPECT_EQ(ws.elastic().cellText(2, lithora::compute::kVs), "2500");

    // A density or P-wave name that no list holds is used as well.
    choice = {"GR", "", "DT", "DTS"};
    EXPECT_TRUE(commands::planCurves(ws, choice).proceed());
    choice.density.clear();
    EXPECT_EQ(commands::planCurves(ws, choice).stop, commands::CurvePlan::Stop::NoDensity);
}

TEST_F(ChosenCurvesTest, EveryTypedNameIsCheckedBeforeAnyFurtherQuestion) {
    Workspace ws(dir, Storage::Memory);
    import(ws, std::string(LITHORA_TEST_DATA) + "/cli/well.las");
    struct Case {
        commands::CurveChoice choice;
        std::string message;
    };
    // A refused choice changes nothing: the empty S-wave choice lowers no flag.
    EXPECT_EQ(commands::planCurves(ws, {"XYZ", "GR", "DT", ""}).stop,
              commands::CurvePlan::Stop::UnknownCurve);
    EXPECT_TRUE(ws.roleFlags().sWave);
    const Case cases[] = {
        {{"XYZ", "GR", "DT", ""}, "Field 'XYZ' not found."},  // before the Vs question
        {{"RHOB", "NOGR", "DT", "DTSM"}, "Field 'NOGR' not found."},
        {{"RHOB", "", "DT", "DTX"}, "Field 'DTX' not found."},
        {{"XYZ", "", "ABC", ""}, "Field 'XYZ' not found."},  // the first one is named
        {{"rhob", "", "dt", ""}, ""},                        // names are found without case
        {{"", "", "", ""}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commands::checkCurveNames(ws, c.choice), c.message) << c.message;
        const auto plan = commands::planCurves(ws, c.choice);
        EXPECT_EQ(plan.stop == commands::CurvePlan::Stop::UnknownCurve, !c.message.empty());
        EXPECT_EQ(plan.message, c.message);
    }
}

}  // namespace

namespace {

TEST_F(CommandsTest, AFailureNamesTheFileOrFolderAndTheReason) {
    Workspace ws(dir, Storage::Memory);
    struct Case {
        fs::path file;
        std::string content;  // written unless empty
        std::string reason;
    };
    const Case cases[] = {
        {dir / "missing.las", "", "No such file or directory"},
        {dir, "", "it is a folder"},
        {dir / "noA.las", "~V\n VERS. 2.0 :\n~C\n DEPT.M : D\n~W\n NULL. -999 :\n", "data section"},
        {dir / "noC.las", "~V\n VERS. 2.0 :\n", "curve section"},
    };
    for (const auto& c : cases) {
        if (!c.content.empty()) std::ofstream(c.file, std::ios::binary) << c.content;
        const auto outcome = commands::importLas(ws, {c.file, {}, {}});
        EXPECT_EQ(outcome.status, commands::ImportOutcome::Status::Failed);
        EXPECT_EQ(outcome.message, "Error reading file.");
        EXPECT_EQ(outcome.detail.rfind(c.file.string() + ": ", 0), 0u) << outcome.detail;
        EXPECT_NE(outcome.detail.find(c.reason), std::string::npos) << outcome.detail;
    }

    // An old work table that cannot be removed (here a folder with a file in it) is said, and
    // the file that was to be read is not blamed.
    fs::create_directories(dir / "ws" / "Table.db");
    std::ofstream(dir / "ws" / "Table.db" / "x") << "x";
    Workspace stuck(dir / "ws");
    const auto refused =
        commands::importLas(stuck, {std::string(LITHORA_TEST_DATA) + "/cli/well.las", {}, {}});
    EXPECT_EQ(refused.status, commands::ImportOutcome::Status::Refused);
    EXPECT_NE(refused.message.find((dir / "ws" / "Table.db").string()), std::string::npos)
        << refused.message;
    EXPECT_NE(refused.message.find("not empty"), std::string::npos) << refused.message;

    // A work folder in which no table can be made names the work table, not the input.
    fs::remove_all(dir / "ws");
    std::ofstream(dir / "ws") << "a file where the folder should be";
    Workspace nowhere(dir / "ws");
    const auto failed =
        commands::importLas(nowhere, {std::string(LITHORA_TEST_DATA) + "/cli/well.las", {}, {}});
    EXPECT_EQ(failed.status, commands::ImportOutcome::Status::Failed);
    EXPECT_EQ(failed.message.rfind(
                  "Cannot create the work table " + (dir / "ws" / "Table.db").string(), 0),
              0u)
        << failed.message;
    EXPECT_NE(failed.message.find("Not a directory"), std::string::npos) << failed.message;
}

TEST_F(CommandsTest, SaveTableNeverReplacesTheFileItWasImportedFrom) {
    Workspace ws(dir, Storage::Memory);
    ws.openShippedTables();
    const auto source = wellWith("M", "", "");
    import(ws, source);
    auto choice = commands::proposedCurves(ws);
    const auto plan = commands::planCurves(ws, choice);
    ASSERT_EQ(
        commands::computeElastic(ws, {choice,
                                      plan.measuredVs,
                                      *commands::decideUnits(ws, choice, plan.measuredVs).units(),
                                      {}}),
        "");
    std::ifstream in(source, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), {});
    fs::create_symlink(source, dir / "link.las");
    for (const fs::path& target : {source, dir / "." / source.filename(), dir / "link.las"}) {
        EXPECT_EQ(commands::saveTable(ws, {target, {}}),
                  "The output " + target.string() + " is the input file.");
    }
    std::ifstream again(source, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), before);
    EXPECT_EQ(commands::saveTable(ws, {dir / "other.las", {}}), "");
}

}  // namespace
