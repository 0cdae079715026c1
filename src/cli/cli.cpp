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

Args parseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, std::size_t minFiles, std::size_t maxFiles) {
    auto takes = [](const std::vector<std::string>& list, const std::string& a) {
        return std::find(list.begin(), list.end(), a) != list.end();
    };
    Args a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takes(flags, arg)) {
            a.flags.push_back(arg);
        } else if (takes(valued, arg)) {
            if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
            a.options[arg] = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            a.files.push_back(arg);
        }
    }
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
