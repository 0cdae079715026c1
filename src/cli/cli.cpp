#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/cli.h"
#include "core/common/error.h"
#include "core/common/file_writer.h"
#include "core/common/number_text.h"
#include "core/store/table.h"
#include "core/workspace/workspace.h"

namespace lithora::cli {

std::optional<std::string> Args::option(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

bool Args::flag(const std::string& name) const {
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

double Args::number(const std::string& name, double fallback) const {
    auto v = option(name);
    if (!v) return fallback;
    auto n = parseNumber(*v);
    if (!n) throw UsageError{name + " takes a number, not '" + *v + "'"};
    return *n;
}

std::optional<std::string> Args::choice(const std::string& name,
                                        const std::vector<std::string>& allowed) const {
    auto v = option(name);
    if (v && std::find(allowed.begin(), allowed.end(), *v) == allowed.end()) {
        std::string list;
        for (std::size_t i = 0; i < allowed.size(); ++i)
            list += (i == 0 ? "" : i + 1 == allowed.size() ? " or " : ", ") + allowed[i];
        throw UsageError{name + " takes " + list};
    }
    return v;
}

int Args::count(const std::string& name, int fallback) const {
    auto v = option(name);
    if (!v) return fallback;
    auto n = parseNumber(*v);
    if (!n || *n < 1 || *n > 4096 || *n != static_cast<int>(*n))
        throw UsageError{name + " takes a whole number from 1, not '" + *v + "'"};
    return static_cast<int>(*n);
}

namespace {

// What each option takes and does, for a command's --help. One table for every command, so
// an option reads the same wherever it is taken.
struct OptionHelp {
    const char* name;
    const char* value;  // the value's name; empty for a flag
    const char* text;
};
const OptionHelp kOptionHelp[] = {
    {"--ascii", "", "Read the ASCII column format instead of LAS."},
    {"--density", "NAME", "The density curve (default: the first recognised)."},
    {"--p-wave", "NAME", "The P-wave sonic (default: the first recognised)."},
    {"--s-wave", "NAME", "The S-wave sonic (default: the first recognised)."},
    {"--vs-equation", "sqrt3|linear|lithology",
     "Vs from Vp: Vp/sqrt(3), a*Vp - b, or by lithology."},
    {"--litholog", "FILE.llg", "The litholog of --vs-equation lithology."},
    {"--slope", "A", "Slope a of the linear Vs line (default 0.8619)."},
    {"--intercept", "B", "Intercept b of the linear Vs line (default 1172)."},
    {"--depth-unit", "m|ft", "The depth unit, where the file's own has no rule."},
    {"--density-unit", "GC|KM", "The density unit, where the file's has no rule."},
    {"--sonic-unit", "us/m|us/ft", "The sonic unit, where the file's own has no rule."},
    {"--from", "START", "Keep only the records from this depth (with --to)."},
    {"--to", "STOP", "Keep only the records to this depth (with --from)."},
    {"-o", "OUT", "The output file (a folder, for several files)."},
    {"--table", "OUT.tsv", "Also write a table as tab-separated text."},
    {"--workspace", "DIR", "Keep the work tables in DIR, not in memory."},
    {"--jobs", "N", "Work on N files at once (default: the cores)."},
    {"--reference", "NAME", "The curve every other is correlated with."},
    {"--no-elastic", "", "Correlate the source curves only."},
    {"--curve1", "NAME", "The curve of the first file."},
    {"--curve2", "NAME", "The curve of the second file."},
    {"--curves", "N:NAME,...", "The curves: file number (from 1) and name."},
    {"--angles", "FROM:TO:STEP", "Angles in whole degrees, 0 to 80 (0:40:10)."},
    {"--porosity", "NAME", "The porosity curve (fraction, or % by unit)."},
    {"--porosity-from-density", "", "Porosity from the density."},
    {"--matrix-density", "G/CC", "The matrix density (default 2.65)."},
    {"--mineral-modulus", "GPA", "Mineral bulk modulus (default 36.6, quartz)."},
    {"--brine-modulus", "GPA", "The brine's bulk modulus (default 2.8)."},
    {"--brine-density", "G/CC", "The brine's density (default 1.05)."},
    {"--hc-modulus", "GPA", "Hydrocarbon bulk modulus (default 0.1, gas)."},
    {"--hc-density", "G/CC", "Hydrocarbon density (default 0.25, gas)."},
    {"--temperature", "C", "Temperature, for fluids from conditions."},
    {"--pressure", "MPA", "Pore pressure, for fluids from conditions."},
    {"--salinity", "PPM", "Brine salinity, for fluids from conditions."},
    {"--oil-api", "API", "Oil gravity, for live oil (with --gor)."},
    {"--gor", "RATIO", "Gas-oil ratio of the live oil."},
    {"--gas", "", "The hydrocarbon from conditions is gas."},
    {"--gas-gravity", "G", "Gas gravity, for fluids from conditions."},
    {"--sw-from", "S1", "Water saturation before, 0 to 1."},
    {"--sw-to", "S2", "Water saturation after, 0 to 1."},
};

const OptionHelp* helpOf(const std::string& name) {
    for (const auto& h : kOptionHelp)
        if (name == h.name) return &h;
    return nullptr;
}

// The help's usage part is the command's own usage text.
class CommandFormatter : public CLI::Formatter {
  public:
    explicit CommandFormatter(std::string usage) : usage_(std::move(usage)) {}
    std::string make_usage(const CLI::App*, std::string) const override {
        return "usage:\n" + usage_ + "\n";
    }

  private:
    std::string usage_;
};

}  // namespace

Args parseArgs(const Command& command, const std::vector<std::string>& args,
               const std::vector<std::string>& valued, const std::vector<std::string>& flags,
               std::size_t minFiles, std::size_t maxFiles) {
    auto takes = [](const std::vector<std::string>& list, const std::string& a) {
        return std::find(list.begin(), list.end(), a) != list.end();
    };
    // A valued option at the end, or before a word that is another option, has no value.
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!takes(valued, args[i])) continue;
        if (i + 1 >= args.size() || takes(flags, args[i + 1]) || takes(valued, args[i + 1]))
            throw UsageError{args[i] + " needs a value"};
        ++i;
    }

    CLI::App app(command.summary, std::string("lithora-cli ") + command.name);
    app.formatter(std::make_shared<CommandFormatter>(command.usage));
    app.allow_extras(true);
    app.get_formatter()->column_width(30);
    Args a;
    std::vector<std::string> values(valued.size());
    for (std::size_t i = 0; i < valued.size(); ++i) {
        const OptionHelp* help = helpOf(valued[i]);
        app.add_option(valued[i], values[i], help ? help->text : "")
            ->type_name(help ? help->value : "VALUE")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
    for (const auto& f : flags) {
        const OptionHelp* help = helpOf(f);
        app.add_flag(f)->description(help ? help->text : "");
    }
    app.add_option("FILE", a.files, "The well files.")->type_name("");
    try {
        app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::CallForHelp&) {
        throw HelpShown{app.help()};
    } catch (const CLI::ParseError& e) {
        throw UsageError{e.what()};
    }
    for (const auto& extra : app.remaining())
        if (extra != "--") throw UsageError{"unknown option '" + extra + "'"};
    for (std::size_t i = 0; i < valued.size(); ++i)
        if (app.count(valued[i]) > 0) a.options[valued[i]] = values[i];
    for (const auto& f : flags)
        if (app.count(f) > 0) a.flags.push_back(f);

    if (a.files.size() < minFiles)
        throw UsageError{a.files.empty() ? "no FILE given" : "too few FILEs given"};
    if (a.files.size() > maxFiles)
        throw UsageError{maxFiles == 1 ? "more than one FILE given" : "too many FILEs given"};
    return a;
}

void writeLines(const std::vector<std::string>& lines, const std::filesystem::path& target) {
    try {
        FileWriter out(target);
        for (const auto& l : lines) out.line(l);
        out.commit();
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
}

void writeTsv(const store::Table& t, int fieldCount, const std::filesystem::path& target) {
    try {
        FileWriter out(target);
        std::string line;
        for (int f = 0; f < fieldCount; ++f) {
            if (f) line += '\t';
            line += t.field(f).def.name;
        }
        out.line(line);
        for (int row = 0; row < t.recordCount(); ++row) {
            line.clear();
            for (int f = 0; f < fieldCount; ++f) {
                if (f) line += '\t';
                line += t.cellText(row, f, '.');
            }
            out.line(line);
        }
        out.commit();
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
}

nlohmann::json describe(const workspace::Workspace& ws) {
    using nlohmann::json;
    const auto& t = ws.source();
    json fields = json::array();
    for (int f = 0; f < t.fieldCount(); ++f)
        fields.push_back({{"name", t.field(f).def.name}, {"label", t.field(f).displayLabel}});
    json catalog = json::array();
    for (const auto& c : ws.catalog())
        catalog.push_back({{"mnemonic", c.mnemonic}, {"unit", c.unit}, {"label", c.label}});
    auto summary = ws.summary('.');
    auto num = [](const std::string& s) -> json {
        auto v = parseNumber(s);
        return v ? json(*v) : json(nullptr);
    };
    json j;
    j["fields"] = fields;
    j["catalog"] = catalog;
    const auto& roles = ws.roles();
    j["roles"] = {{"density", roles.density},
                  {"gamma_ray", roles.gammaRay},
                  {"p_wave", roles.pWave},
                  {"s_wave", roles.sWave}};
    j["gamma_ray_index"] = roles.gammaRayIndex;
    j["depth_unit"] = ws.unitTags().depthUnit;
    j["density_unit"] = ws.unitTags().densityUnit;
    j["null_value_text"] = ws.importInfo().nullValueText;
    j["las_source"] = ws.importInfo().lasSource;
    j["summary"] = {{"records", num(summary.records)},
                    {"tracks", num(summary.tracks)},
                    {"start", num(summary.start)},
                    {"stop", num(summary.stop)},
                    {"interval", num(summary.interval)}};
    j["header"] = ws.importInfo().headerLines;
    return j;
}

void printJson(const nlohmann::json& j) {
    std::cout << j.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace lithora::cli
