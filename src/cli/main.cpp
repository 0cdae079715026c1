// lithora-cli: the batch front end over the core. Results go to standard output, messages to
// standard error; exit 0 on success, 1 on bad input, 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/common/number_text.h"
#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"

namespace fs = std::filesystem;
using lithora::workspace::Workspace;

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  lithora-cli import FILE [--ascii] [--table OUT.tsv]\n"
    "  lithora-cli elastic FILE [--ascii] [--density NAME] [--p-wave NAME] [--s-wave NAME]\n"
    "                      [--vs-equation sqrt3|linear] [--slope A] [--intercept B]\n"
    "                      [--depth-unit m|ft] [--density-unit GC|KM]\n"
    "                      [--from START --to STOP] -o OUT [--table OUT.tsv]\n";

struct UsageError {
    std::string message;
};
struct InputError {
    std::string message;
};

// The work tables of one run live in a private folder that is removed at the end, so runs
// over many wells can go side by side.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            auto p = fs::temp_directory_path() / ("lithora-cli-" + std::to_string(rd()));
            std::error_code ec;
            if (fs::create_directory(p, ec)) {
                path_ = p;
                return;
            }
        }
        throw InputError{"Cannot create a work folder."};
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

struct Args {
    std::string command;
    std::string file;
    std::map<std::string, std::string> options;
    bool ascii = false;
};

Args parseArgs(int argc, char** argv) {
    static const std::vector<std::string> valued = {
        "--table",     "--density",    "--p-wave",       "--s-wave", "--vs-equation", "--slope",
        "--intercept", "--depth-unit", "--density-unit", "--from",   "--to",          "-o"};
    Args a;
    if (argc < 2) throw UsageError{"no command given"};
    a.command = argv[1];
    if (a.command != "import" && a.command != "elastic")
        throw UsageError{"unknown command '" + a.command + "'"};
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--ascii") {
            a.ascii = true;
        } else if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
            if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
            a.options[arg] = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (a.file.empty()) {
            a.file = arg;
        } else {
            throw UsageError{"more than one FILE given"};
        }
    }
    if (a.file.empty()) throw UsageError{"no FILE given"};
    if (a.command == "import") {
        for (const auto& [k, v] : a.options)
            if (k != "--table") throw UsageError{k + " belongs to the elastic command"};
    }
    return a;
}

std::optional<std::string> option(const Args& a, const std::string& name) {
    auto it = a.options.find(name);
    if (it == a.options.end()) return std::nullopt;
    return it->second;
}

double numberOption(const Args& a, const std::string& name, double fallback) {
    auto v = option(a, name);
    if (!v) return fallback;
    auto n = lithora::parseNumber(*v);
    if (!n) throw UsageError{name + " takes a number, not '" + *v + "'"};
    return *n;
}

void importInto(Workspace& ws, const Args& a) {
    try {
        auto result =
            a.ascii ? lithora::import::readAsciiFile(a.file) : lithora::import::readLasFile(a.file);
        ws.installImport(std::move(result));
    } catch (const lithora::Error& e) {
        throw InputError{e.what()};
    }
}

// Writes a table as tab-separated text: field names, then one line per visible record; a
// null cell is empty. Lines end with CR LF like every file the program writes.
void writeTsv(const lithora::store::Table& t, int fieldCount, const std::string& target) {
    std::string out;
    for (int f = 0; f < fieldCount; ++f) {
        if (f) out += '\t';
        out += t.field(f).def.name;
    }
    out += "\r\n";
    for (int row = 0; row < t.recordCount(); ++row) {
        for (int f = 0; f < fieldCount; ++f) {
            if (f) out += '\t';
            out += t.cellText(row, f, '.');
        }
        out += "\r\n";
    }
    std::ofstream file(target, std::ios::binary);
    file << out;
    file.close();
    if (!file) throw InputError{"Cannot write file " + target + "."};
}

nlohmann::json describe(const Workspace& ws) {
    using nlohmann::json;
    const auto& t = ws.source();
    json fields = json::array();
    for (int f = 0; f < t.fieldCount(); ++f)
        fields.push_back({{"name", t.field(f).def.name}, {"label", t.field(f).displayLabel}});
    json catalog = json::array();
    for (const auto& c : ws.catalog)
        catalog.push_back({{"mnemonic", c.mnemonic}, {"unit", c.unit}, {"label", c.label}});
    auto summary = ws.summary('.');
    auto num = [](const std::string& s) -> json {
        auto v = lithora::parseNumber(s);
        return v ? json(*v) : json(nullptr);
    };
    json j;
    j["fields"] = fields;
    j["catalog"] = catalog;
    j["roles"] = {{"density", ws.roles.density},
                  {"gamma_ray", ws.roles.gammaRay},
                  {"p_wave", ws.roles.pWave},
                  {"s_wave", ws.roles.sWave}};
    j["gamma_ray_index"] = ws.roles.gammaRayIndex;
    j["depth_unit"] = ws.depthUnit;
    j["density_unit"] = ws.densityUnit;
    j["null_value_text"] = ws.nullValueText;
    j["las_source"] = ws.lasSource;
    j["summary"] = {{"records", num(summary.records)},
                    {"tracks", num(summary.tracks)},
                    {"start", num(summary.start)},
                    {"stop", num(summary.stop)},
                    {"interval", num(summary.interval)}};
    j["header"] = ws.headerLines;
    return j;
}

int runImport(const Args& a) {
    ScratchFolder folder;
    Workspace ws(folder.path());
    importInto(ws, a);
    if (auto table = option(a, "--table"))
        writeTsv(ws.source(), ws.source().fieldCount() - 1, *table);
    std::cout << describe(ws).dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return 0;
}

std::string chosen(const Args& a, const char* name, const std::vector<std::string>& role) {
    if (auto v = option(a, name)) return *v;
    return role.empty() ? std::string() : role.front();
}

int runElastic(const Args& a) {
    auto out = option(a, "-o");
    if (!out) throw UsageError{"elastic needs -o OUT"};
    auto from = option(a, "--from");
    auto to = option(a, "--to");
    if (from.has_value() != to.has_value()) throw UsageError{"--from and --to go together"};
    auto eq = option(a, "--vs-equation");
    if (eq && *eq != "sqrt3" && *eq != "linear")
        throw UsageError{"--vs-equation takes sqrt3 or linear"};
    auto depthUnitOpt = option(a, "--depth-unit");
    if (depthUnitOpt && *depthUnitOpt != "m" && *depthUnitOpt != "ft")
        throw UsageError{"--depth-unit takes m or ft"};
    auto densityUnitOpt = option(a, "--density-unit");
    if (densityUnitOpt && *densityUnitOpt != "GC" && *densityUnitOpt != "KM")
        throw UsageError{"--density-unit takes GC or KM"};
    lithora::compute::VsSettings vs{eq && *eq == "sqrt3" ? 0 : 1,
                                    numberOption(a, "--slope", 0.8619),
                                    numberOption(a, "--intercept", 1172)};
    double lo = from ? numberOption(a, "--from", 0) : 0;
    double hi = to ? numberOption(a, "--to", 0) : 0;

    ScratchFolder folder;
    Workspace ws(folder.path());
    try {
        ws.openShippedTables();
    } catch (const lithora::Error& e) {
        throw InputError{e.what()};
    }
    importInto(ws, a);
    if (from) ws.applyDepthFilter(lo, hi);

    const std::string density = chosen(a, "--density", ws.roles.density);
    const std::string pWave = chosen(a, "--p-wave", ws.roles.pWave);
    std::string sWave = chosen(a, "--s-wave", ws.roles.sWave);
    if (eq) sWave.clear();
    if (density.empty()) throw InputError{"No density curve: name one with --density."};
    if (pWave.empty()) throw InputError{"No compressional sonic curve: name one with --p-wave."};

    auto sonic = lithora::compute::sonicUnitFromTag(ws.depthUnit);
    if (!sonic && depthUnitOpt) sonic = lithora::compute::sonicUnitFromTag(*depthUnitOpt);
    auto dens = lithora::compute::densityUnitFromTag(ws.densityUnit);
    if (!dens && densityUnitOpt) dens = lithora::compute::densityUnitFromTag(*densityUnitOpt);
    if (!sonic || !dens)
        throw InputError{ws.unknownUnitsText(density) +
                         " Give them with --depth-unit m|ft and --density-unit GC|KM."};

    try {
        ws.computeElastic(density, pWave, sWave, {*sonic, *dens}, vs);
        ws.saveTable(*out, ws.headerLines);
    } catch (const lithora::Error& e) {
        throw InputError{e.what()};
    }
    if (auto table = option(a, "--table"))
        writeTsv(ws.elastic(), ws.elastic().fieldCount(), *table);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Args a = parseArgs(argc, argv);
        return a.command == "import" ? runImport(a) : runElastic(a);
    } catch (const UsageError& e) {
        std::cerr << "lithora-cli: " << e.message << "\n" << kUsage;
        return 2;
    } catch (const InputError& e) {
        std::cerr << e.message << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
