#include "core/timelapse/lapse.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/common/error.h"
#include "core/import/las_reader.h"
#include "core/import/recognition.h"

namespace lithora::timelapse {

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();
// Depths this close are one depth (a millionth of the depth unit).
constexpr double kSameDepth = 1e-6;

std::string catalogUnitText(const std::string& unit) {
    if (unit.size() >= 2 && unit.front() == '(' && unit.back() == ')')
        return unit.substr(1, unit.size() - 2);
    return unit;
}

LapseFile fromImport(import::ImportResult&& r) {
    if (r.columns.size() < 2 || r.catalog.size() != r.columns.size())
        throw ReadError("it has no curve after the depth");
    LapseFile f;
    const auto& index = r.catalog.front();
    // Only a depth curve gives the chart its unit; a time index is no depth.
    // The unit is told as the import tells it: the LAS rule, else a spelling of metres or feet.
    if (index.mnemonic == "DEPTH" || index.mnemonic == "DEPT")
        f.depthUnit = import::lasDepthUnit(index.mnemonic, catalogUnitText(index.unit))
                          .value_or(import::depthUnitNamedBy(index.unit));
    for (std::size_t i = 1; i < r.catalog.size(); ++i) f.curves.push_back(r.catalog[i].mnemonic);

    f.depth = std::move(r.columns.front());
    f.values.reserve(r.columns.size() - 1);
    for (std::size_t i = 1; i < r.columns.size(); ++i) f.values.push_back(std::move(r.columns[i]));
    if (std::all_of(f.depth.begin(), f.depth.end(), [](double d) { return std::isnan(d); }))
        throw ReadError("its data section holds no row with a depth");
    return f;
}

}  // namespace

LapseFile readLapse(std::string_view bytes, const import::Progress& progress) {
    return fromImport(import::readLas(bytes, progress));
}

LapseFile readLapseFile(const std::filesystem::path& path, const import::Progress& progress) {
    return fromImport(import::readLasFile(path, progress));
}

LapseFile readLapseFile(const std::filesystem::path& path, std::string_view onlyCurve) {
    return fromImport(import::readLasFile(path, {}, [&](const import::ImportResult& header) {
        std::vector<bool> read(header.catalog.size(), false);
        for (std::size_t i = 1; i < header.catalog.size(); ++i)
            if (header.catalog[i].mnemonic == onlyCurve) {
                read[i] = true;
                break;
            }
        return read;
    }));
}

int findCurve(const LapseFile& file, std::string_view name) {
    for (std::size_t i = 0; i < file.curves.size(); ++i)
        if (file.curves[i] == name) return static_cast<int>(i) + 1;
    return 0;
}

LapseLog lapseLog(const LapseFile& file, int k) {
    if (k < 1 || k > static_cast<int>(file.curves.size()) ||
        file.values.size() != file.curves.size())
        throw Error("There is no curve " + std::to_string(k) + " in this file.");
    const auto& column = file.values[static_cast<std::size_t>(k - 1)];
    LapseLog log;
    log.curve = file.curves[static_cast<std::size_t>(k - 1)];
    log.depthUnit = file.depthUnit;
    const std::size_t n = std::min(file.depth.size(), column.size());

    std::vector<std::size_t> rows;
    rows.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isnan(file.depth[i])) rows.push_back(i);
    // The reader gives rows shallowest first; a file whose depths jump back and forth is
    // put in depth order so that the log can be looked up by depth.
    if (!std::is_sorted(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
            return file.depth[a] < file.depth[b];
        }))
        std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
            return file.depth[a] < file.depth[b];
        });
    log.depth.reserve(rows.size());
    log.value.reserve(rows.size());
    for (std::size_t i : rows) {
        log.depth.push_back(file.depth[i]);
        log.value.push_back(column[i]);
    }
    return log;
}

std::optional<LapseRange> lapseRange(std::span<const double> values) {
    bool any = false;
    double lo = 0, hi = 0;
    for (double v : values) {
        if (!std::isfinite(v)) continue;
        if (!any) {
            lo = hi = v;
            any = true;
        } else {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (!any) return std::nullopt;
    return LapseRange{std::floor(lo), std::ceil(hi)};
}

LapseDifference lapseDifference(const LapseLog& first, const LapseLog& second) {
    if (first.depth.empty() || second.depth.empty() || first.value.size() != first.depth.size() ||
        second.value.size() != second.depth.size())
        throw Error(kDifferentStartDepths);
    if (first.depth.front() != second.depth.front()) throw Error(kDifferentStartDepths);
    if (first.depth.back() != second.depth.back()) throw Error(kDifferentEndDepths);

    const auto& fd = first.depth;
    const auto& fv = first.value;
    LapseDifference out;
    const std::size_t n = second.depth.size();
    out.depth = second.depth;
    out.second = second.value;
    out.first.resize(n, kNull);
    out.difference.resize(n, kNull);

    // Both logs run in increasing depth, so one walk finds each depth's neighbours. A depth
    // that repeats (a file that logs one depth several times) pairs its occurrences in
    // order; when the first log has fewer, its last one at that depth serves the rest.
    std::size_t j = 0;      // first index with fd[j] >= d - kSameDepth
    std::size_t again = 0;  // how often the second log had this depth before row i
    std::size_t k = 0;      // the first log's row paired with the previous row, when it matched
    bool matched = false;   // the previous row found its depth in the first log at j
    for (std::size_t i = 0; i < n; ++i) {
        const double d = second.depth[i];
        again = (i > 0 && std::fabs(second.depth[i - 1] - d) <= kSameDepth) ? again + 1 : 0;
        const std::size_t before = j;
        while (j < fd.size() && fd[j] < d - kSameDepth) ++j;
        double v = kNull;
        const bool match = j < fd.size() && std::fabs(fd[j] - d) <= kSameDepth;
        if (match) {
            // The next occurrence of a repeated depth goes on from the row the previous one
            // took, so a depth logged many times is paired in one walk.
            if (again == 0 || !matched || j != before) {
                k = j;
                while (k - j < again && k + 1 < fd.size() && std::fabs(fd[k + 1] - d) <= kSameDepth)
                    ++k;
            } else if (k - j < again && k + 1 < fd.size() &&
                       std::fabs(fd[k + 1] - d) <= kSameDepth) {
                ++k;
            }
            v = fv[k];
        } else if (j > 0 && j < fd.size()) {
            const double d0 = fd[j - 1], d1 = fd[j];
            const double v0 = fv[j - 1], v1 = fv[j];
            if (!std::isnan(v0) && !std::isnan(v1)) v = v0 + (v1 - v0) * (d - d0) / (d1 - d0);
        }
        matched = match;
        out.first[i] = v;
        if (!std::isnan(v) && !std::isnan(out.second[i])) out.difference[i] = out.second[i] - v;
    }
    return out;
}

}  // namespace lithora::timelapse
