// lithora-cli timelapse FIRST SECOND --curve1 NAME --curve2 NAME: the time-lapse comparison.
#include "cli/cli.h"
#include "cli/commands.h"
#include "core/common/error.h"
#include "core/common/file_writer.h"
#include "core/common/number_text.h"
#include "core/import/read_failure.h"
#include "core/timelapse/lapse.h"

namespace lithora::cli {

namespace {

timelapse::LapseLog readLog(const std::string& file, const std::string& curve) {
    timelapse::LapseFile f;
    try {
        f = timelapse::readLapseFile(file, curve);
    } catch (const Error& e) {
        throw InputError{import::readFailureMessage(file, e)};
    }
    const int k = timelapse::findCurve(f, curve);
    if (k == 0) throw InputError{"Curve '" + curve + "' not found in " + file + "."};
    return timelapse::lapseLog(f, k);
}

nlohmann::json range(std::span<const double> values) {
    if (auto r = timelapse::lapseRange(values)) return nlohmann::json::array({r->lo, r->hi});
    return nullptr;
}

nlohmann::json describeLog(const timelapse::LapseLog& log) {
    return {{"curve", log.curve},          {"depth_unit", log.depthUnit},
            {"samples", log.depth.size()}, {"start", log.depth.front()},
            {"stop", log.depth.back()},    {"range", range(log.value)}};
}

int runTimelapse(const std::vector<std::string>& args) {
    const Args a =
        parseArgs(kTimelapseCommand, args, {"--curve1", "--curve2", "--table"}, {}, 2, 2);
    const auto curve1 = a.option("--curve1");
    const auto curve2 = a.option("--curve2");
    if (!curve1 || !curve2) throw UsageError{"timelapse needs --curve1 NAME and --curve2 NAME"};
    const auto table = a.option("--table");
    if (table) refuseOutputsThatAreInputs({*table}, a.files);

    const auto first = readLog(a.files[0], *curve1);
    const auto second = readLog(a.files[1], *curve2);
    timelapse::LapseDifference d;
    try {
        d = timelapse::lapseDifference(first, second);
    } catch (const Error& e) {
        throw InputError{e.what()};
    }

    if (table) {
        try {
            FileWriter out(*table);
            out.line("Depth\tFirst\tSecond\tDifference");
            std::string line;
            for (std::size_t i = 0; i < d.depth.size(); ++i) {
                line.clear();
                appendNumberText(line, d.depth[i]);
                for (double v : {d.first[i], d.second[i], d.difference[i]}) {
                    line += '\t';
                    appendNumberText(line, v);
                }
                out.line(line);
            }
            out.commit();
        } catch (const Error& e) {
            throw InputError{e.what()};
        }
    }

    nlohmann::json j;
    j["first"] = describeLog(first);
    j["second"] = describeLog(second);
    j["difference"] = {{"samples", d.depth.size()}, {"range", range(d.difference)}};
    printJson(j);
    return 0;
}

}  // namespace

const Command kTimelapseCommand = {
    "timelapse", "The difference of one curve between two logs of a well.",
    "  lithora-cli timelapse FIRST SECOND --curve1 NAME --curve2 NAME [--table OUT.tsv]\n",
    runTimelapse};

}  // namespace lithora::cli
