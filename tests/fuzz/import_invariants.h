#pragma once
#include <cmath>
#include <cstring>
#include <string>
#include <unordered_set>

#include "core/import/import_result.h"
#include "fuzz_check.h"

namespace lithora::fuzz {

inline std::string folded(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// What every successful import promises, LAS or ASCII.
inline void checkImport(const import::ImportResult& r) {
    const std::size_t n = r.fieldNames.size();
    FUZZ_CHECK(n >= 1);
    FUZZ_CHECK(r.fieldLabels.size() == n);
    FUZZ_CHECK(r.columns.size() == n);
    FUZZ_CHECK(r.catalog.size() == n);
    const std::size_t rows = r.columns[0].size();
    FUZZ_CHECK(rows >= 1);
    std::unordered_set<std::string> names;
    for (std::size_t i = 0; i < n; ++i) {
        FUZZ_CHECK(r.columns[i].size() == rows);
        FUZZ_CHECK(!r.fieldNames[i].empty());
        // A stored name is compared by its bytes up to the first NUL in places; none may
        // hold one, and no two may be equal without regard to case.
        FUZZ_CHECK(std::strlen(r.fieldNames[i].c_str()) == r.fieldNames[i].size());
        FUZZ_CHECK(names.insert(folded(r.fieldNames[i])).second);
        FUZZ_CHECK(folded(r.fieldNames[i]) != "rec" && folded(r.fieldNames[i]) != "counting");
    }
    auto listed = [&](const std::vector<std::string>& role) {
        for (const auto& name : role) FUZZ_CHECK(names.count(folded(name)) == 1);
    };
    listed(r.roles.density);
    listed(r.roles.gammaRay);
    listed(r.roles.pWave);
    listed(r.roles.sWave);
    if (r.lasSource) {
        // A value equal to NULL is a null sample; the depth is a position and never one.
        for (std::size_t i = 1; i < n; ++i)
            for (double v : r.columns[i]) FUZZ_CHECK(!(v == r.nullValue));
        // Rows run shallowest first.
        const double first = r.columns[0].front(), last = r.columns[0].back();
        if (!std::isnan(first) && !std::isnan(last)) FUZZ_CHECK(first <= last);
    }
}

// Bitwise equality of two imports, NaN equal to NaN.
inline bool sameColumn(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::isnan(a[i]) && std::isnan(b[i])) continue;
        if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0) return false;
    }
    return true;
}

inline void checkSame(const import::ImportResult& a, const import::ImportResult& b) {
    FUZZ_CHECK(a.fieldNames == b.fieldNames);
    FUZZ_CHECK(a.fieldLabels == b.fieldLabels);
    FUZZ_CHECK(a.columns.size() == b.columns.size());
    for (std::size_t i = 0; i < a.columns.size(); ++i)
        FUZZ_CHECK(sameColumn(a.columns[i], b.columns[i]));
    FUZZ_CHECK(a.headerLines == b.headerLines);
    FUZZ_CHECK(a.nullValueText == b.nullValueText);
    FUZZ_CHECK(a.depthUnit == b.depthUnit);
    FUZZ_CHECK(a.densityUnit == b.densityUnit);
}

}  // namespace lithora::fuzz
