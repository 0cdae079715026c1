#include "core/import/merge.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <optional>

#include "core/common/error.h"
#include "core/import/import_text.h"
#include "core/import/las_reader.h"
#include "core/import/read_failure.h"
#include "core/import/recognition.h"

namespace lithora::import {

namespace fs = std::filesystem;

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

[[noreturn]] void failFile(const fs::path& file, const std::exception& error = ReadError()) {
    throw Error(readFailureMessage(file, error));
}

// The import of one file, of the curves at the given positions (from 1) only; its failures
// name the file.
ImportResult readFile(const fs::path& file, const Progress& progress,
                      const std::vector<int>& columns) {
    try {
        return readLasFile(file, progress, [&](const ImportResult& header) {
            std::vector<bool> read(header.fieldNames.size(), false);
            for (int c : columns)
                if (c >= 1 && static_cast<std::size_t>(c) <= read.size())
                    read[static_cast<std::size_t>(c - 1)] = true;
            return read;
        });
    } catch (const Error& e) {
        failFile(file, e);
    }
}

// What the merge needs of one file's header: its curves, NULL, depth unit and header lines.
ImportResult readHeader(const fs::path& file) {
    try {
        return readLasHeaderFile(file);
    } catch (const Error& e) {
        failFile(file, e);
    }
}

// A depth as the merge compares it: rounded to a millionth of the depth unit.
double depthKey(double depth) {
    return std::round(depth * 1e6);
}

// One contributing file during the walk: its rows with a depth, in increasing depth.
struct Source {
    ImportResult data;
    std::vector<std::size_t> rows;  // row indices in depth order
    std::vector<double> keys;       // depthKey of each entry of rows
    std::size_t at = 0;             // walk position in rows
};

void orderRows(Source& s) {
    const auto& depth = s.data.columns.front();
    for (std::size_t i = 0; i < depth.size(); ++i)
        if (!std::isnan(depth[i])) s.rows.push_back(i);
    s.keys.reserve(s.rows.size());
    for (std::size_t i : s.rows) s.keys.push_back(depthKey(depth[i]));
    if (std::is_sorted(s.keys.begin(), s.keys.end())) return;
    // Rows whose depths go back and forth are put in depth order, keeping the file's order
    // among equal depths.
    std::vector<std::size_t> order(s.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return s.keys[a] < s.keys[b]; });
    std::vector<std::size_t> rows(order.size());
    std::vector<double> keys(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        rows[i] = s.rows[order[i]];
        keys[i] = s.keys[order[i]];
    }
    s.rows = std::move(rows);
    s.keys = std::move(keys);
}

}  // namespace

std::vector<std::string> mergeCurveList(const fs::path& file) {
    const ImportResult header = readHeader(file);
    std::vector<std::string> out;
    out.reserve(header.catalog.size());
    for (const auto& c : header.catalog) out.push_back(c.mnemonic);
    return out;
}

std::optional<std::string> mergeChoiceError(std::size_t fileCount,
                                            const std::vector<MergeChoice>& chosen) {
    if (fileCount == 0 || chosen.empty()) return "No curve is chosen.";
    for (const auto& c : chosen)
        if (c.file >= fileCount || c.column < 1)
            return "Curve '" + c.name + "' is not a curve of the files chosen.";
    if (chosen.front().column != 1)
        return "The first curve chosen is the depth: choose the depth curve of a file first.";
    return std::nullopt;
}

ImportResult mergeLasFiles(const std::vector<fs::path>& files,
                           const std::vector<MergeChoice>& chosen, const Progress& progress) {
    if (auto error = mergeChoiceError(files.size(), chosen)) throw Error(*error);

    // Each contributing file is read once, in the order of the file list.
    std::map<std::size_t, std::size_t> sourceOf;  // file index -> sources index
    for (const auto& c : chosen) sourceOf.emplace(c.file, 0);
    std::uint64_t totalBytes = 0;
    for (const auto& [f, s] : sourceOf) {
        std::error_code ec;
        const auto size = fs::file_size(files[f], ec);
        if (!ec) totalBytes += size;
    }
    std::vector<Source> sources;
    sources.reserve(sourceOf.size());
    std::uint64_t doneBytes = 0;
    for (auto& [f, s] : sourceOf) {
        s = sources.size();
        Progress part;
        if (progress)
            part = [&, base = doneBytes](std::uint64_t done, std::uint64_t) {
                progress(base + done, std::max(totalBytes, base + done));
            };
        std::vector<int> columns;
        for (const auto& c : chosen)
            if (c.file == f) columns.push_back(c.column);
        sources.push_back({readFile(files[f], part, columns), {}, {}, 0});
        std::error_code ec;
        const auto size = fs::file_size(files[f], ec);
        if (!ec) doneBytes += size;
        orderRows(sources.back());
    }
    for (const auto& c : chosen) {
        const auto& data = sources[sourceOf[c.file]].data;
        if (static_cast<std::size_t>(c.column) > data.columns.size())
            throw Error("Curve '" + c.name + "' is not a curve of " + files[c.file].string() + ".");
    }

    ImportResult out;
    detail::DistinctNames names;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const auto& c = chosen[i];
        const auto& data = sources[sourceOf[c.file]].data;
        const CurveEntry& entry = data.catalog[static_cast<std::size_t>(c.column - 1)];
        std::string field = names.makeDistinct(c.name.empty() ? entry.mnemonic : c.name);
        const CurveRole role = lasCurveRole(entry.mnemonic);
        addToRole(out.roles, role, field, static_cast<int>(i) + 1);
        if (role == CurveRole::Density) {
            if (auto tag = densityUnitTag(entry.unit, true)) out.densityUnit = *tag;
        }
        out.fieldNames.push_back(std::move(field));
        out.fieldLabels.push_back(entry.label);
        out.catalog.push_back(entry);
    }

    // The walk: at each step the smallest depth any file has left; a depth a file logs k
    // times takes k records, filled in order, and the others' values at it repeat nowhere.
    out.columns.assign(chosen.size(), {});
    std::size_t expected = 0;
    for (const auto& s : sources) expected = std::max(expected, s.rows.size());
    for (auto& col : out.columns) col.reserve(expected);
    std::vector<std::size_t> count(sources.size());
    for (;;) {
        double key = std::numeric_limits<double>::infinity();
        bool any = false;
        for (const auto& s : sources)
            if (s.at < s.keys.size()) {
                key = any ? std::min(key, s.keys[s.at]) : s.keys[s.at];
                any = true;
            }
        if (!any) break;
        std::size_t records = 0;
        std::size_t depthSource = sources.size();
        for (std::size_t k = 0; k < sources.size(); ++k) {
            const auto& s = sources[k];
            std::size_t n = 0;
            while (s.at + n < s.keys.size() && s.keys[s.at + n] == key) ++n;
            count[k] = n;
            records = std::max(records, n);
            if (n > 0 && depthSource == sources.size()) depthSource = k;
        }
        for (std::size_t r = 0; r < records; ++r) {
            const auto& ds = sources[depthSource];
            const std::size_t dr = ds.rows[ds.at + std::min(r, count[depthSource] - 1)];
            out.columns[0].push_back(ds.data.columns.front()[dr]);
            for (std::size_t i = 1; i < chosen.size(); ++i) {
                const std::size_t k = sourceOf[chosen[i].file];
                const auto& s = sources[k];
                double v = kNull;
                if (r < count[k])
                    v = s.data.columns[static_cast<std::size_t>(chosen[i].column - 1)]
                                      [s.rows[s.at + r]];
                out.columns[i].push_back(v);
            }
        }
        for (std::size_t k = 0; k < sources.size(); ++k) sources[k].at += count[k];
    }
    if (out.columns.front().empty())
        failFile(files[chosen.front().file],
                 ReadError("its data section holds no row with a depth"));
    for (const auto& s : sources)
        out.warnings.insert(out.warnings.end(), s.data.warnings.begin(), s.data.warnings.end());

    // NULL, depth unit and header memo come from the last file of the list.
    const std::size_t last = files.size() - 1;
    auto lastIt = sourceOf.find(last);
    ImportResult lastHeader = lastIt != sourceOf.end() ? std::move(sources[lastIt->second].data)
                                                       : readHeader(files[last]);
    out.depthUnit = lastHeader.depthUnit;
    out.nullValue = lastHeader.nullValue;
    out.nullValueText = lastHeader.nullValueText;
    out.headerLines = std::move(lastHeader.headerLines);
    out.lasSource = true;
    return out;
}

}  // namespace lithora::import
