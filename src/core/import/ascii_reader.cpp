#include "core/import/ascii_reader.h"

#include <cmath>
#include <limits>
#include <new>
#include <vector>

#include "core/common/number_text.h"
#include "core/common/text.h"
#include "core/import/import_text.h"
#include "core/import/recognition.h"

namespace lithora::import {

namespace {

using detail::failRead;

constexpr double kNull = kNullSample;
constexpr std::string_view kFirstColumn = "Column 1 : ";
constexpr std::string_view kUnits = "Units :";
constexpr std::size_t kLastValueWidth = 11;
constexpr std::size_t kUnitWidth = 31;

// The last value of a data line: its first 11 characters, as the program's own files lay them
// out. A longer number would be cut into a different value ("-1.23456E+10" into -12.3456),
// so a token that runs on past the 11th character is taken whole.
std::string_view lastValueText(std::string_view rest) {
    std::size_t end = std::min(rest.size(), kLastValueWidth);
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    if (end < rest.size() && end > 0 && !blank(rest[end]) && !blank(rest[end - 1])) {
        while (end < rest.size() && !blank(rest[end])) ++end;
    }
    return rest.substr(0, end);
}

struct ColumnHeader {
    std::string name;
    std::string unit;
};

// "Column N : name (name) - Units : unit": the name runs from the first ":" to the first
// "(" (to " - Units :" when the line has no parentheses), the unit is at most 31 characters
// after "Units : ".
ColumnHeader parseColumnLine(std::string_view line) {
    ColumnHeader h;
    auto colon = line.find(':');
    auto units = line.find(kUnits);
    if (colon != std::string_view::npos) {
        auto nameEnd = line.find('(', colon + 1);
        if (nameEnd == std::string_view::npos ||
            (units != std::string_view::npos && nameEnd > units)) {
            nameEnd = units == std::string_view::npos ? line.size() : units;
            std::string_view before = trimView(line.substr(colon + 1, nameEnd - colon - 1));
            if (!before.empty() && before.back() == '-') before.remove_suffix(1);
            h.name = trim(before);
        } else {
            h.name = trim(line.substr(colon + 1, nameEnd - colon - 1));
        }
    }
    if (units != std::string_view::npos && units + kUnits.size() + 1 < line.size())
        h.unit = trim(line.substr(units + kUnits.size() + 1, kUnitWidth));
    return h;
}

// Line 0: "Column 1 : " then the name up to the first blank and the unit after it. A line 0
// laid out like the other header lines ("... - Units : m") is read like them, so its unit
// is "m" and not the rest of the line.
ColumnHeader parseFirstLine(std::string_view line) {
    auto at = line.find(kFirstColumn);
    std::string_view from = line.substr(at);
    if (from.find(kUnits) != std::string_view::npos) return parseColumnLine(from);
    ColumnHeader h;
    std::string_view rest = trimView(from.substr(kFirstColumn.size()));
    auto blank = rest.find_first_of(" \t");
    if (blank == std::string_view::npos) {
        h.name = std::string(rest);
    } else {
        h.name = std::string(rest.substr(0, blank));
        h.unit = trim(rest.substr(blank + 1));
    }
    return h;
}

// A value of line lineNumber of the file.
double sampleValue(std::string_view text, std::uint64_t lineNumber) {
    text = trimView(text);
    if (text.empty() || text == "-999.0000") return kNull;
    auto v = parseNumber(text);
    if (!v)
        detail::failReadAt(lineNumber,
                           "the value \"" + std::string(text.substr(0, 40)) + "\" is not a number");
    return *v;
}

ImportResult readAsciiText(std::string_view text, const std::string& fileName,
                           const Progress& progress) {
    std::size_t pos = 0;
    std::string_view line;
    if (!detail::nextLine(text, pos, line) || line.find(kFirstColumn) == std::string_view::npos)
        throw AsciiHeaderError(fileName);

    std::uint64_t headerLines = 1;
    ImportResult r;
    r.lasSource = false;
    r.asciiHeaderLine = std::string(line);
    detail::DistinctNames names;

    // Header texts are UTF-8 when the header's bytes are, else Windows-1252; a repeated
    // column name (an index named like an export column) gets a distinct field name.
    auto addColumn = [&](const ColumnHeader& h, bool index) {
        if (h.name.empty()) detail::failReadAt(headerLines, "a column of its header has no name");
        const std::string name = names.makeDistinct(withoutControlCharacters(h.name));
        // Appended rather than "(" + text + ")": g++ 12 warns falsely (-Wrestrict) about
        // inserting before a temporary string in optimised builds.
        std::string unit = "(";
        unit += withoutControlCharacters(h.unit);
        unit += ')';
        const int catalogIndex = static_cast<int>(r.catalog.size()) + 1;
        if (!index) {
            CurveRole role = asciiColumnRole(h.name);
            addToRole(r.roles, role, name, catalogIndex);
            if (role == CurveRole::Density) {
                if (auto tag = densityUnitTag(unit, false)) r.densityUnit = *tag;
            }
        }
        r.fieldNames.push_back(name);
        r.catalog.push_back({withoutControlCharacters(h.name), unit, ""});
    };
    ColumnHeader first = parseFirstLine(line);
    r.depthUnit = withoutControlCharacters(first.unit);
    addColumn(first, true);

    // Header lines follow while they begin with "Column"; any other line starts the data.
    std::size_t dataPos = pos;
    while (detail::nextLine(text, pos, line) && line.starts_with("Column")) {
        ++headerLines;
        addColumn(parseColumnLine(line), false);
        dataPos = pos;
    }

    const bool utf8 = isValidUtf8(text.substr(0, dataPos));
    auto decoded = [&](const std::string& t) { return utf8 ? t : windows1252ToUtf8(t); };
    for (std::size_t i = 0; i < r.fieldNames.size(); ++i) {
        r.fieldNames[i] = decoded(r.fieldNames[i]);
        CurveEntry& e = r.catalog[i];
        const std::string mnemonic = decoded(e.mnemonic);
        const std::string unit = decoded(e.unit);
        e = {cutCatalogText(mnemonic), cutCatalogText(unit), cutCatalogText(mnemonic + unit)};
        // the index field keeps its name as label
        r.fieldLabels.push_back(i == 0 ? mnemonic : e.label);
    }
    if (auto& unit = r.depthUnit) *unit = decoded(*unit);
    for (auto* list : {&r.roles.density, &r.roles.gammaRay, &r.roles.pWave, &r.roles.sWave})
        for (auto& name : *list) name = decoded(name);

    // Empty lines at the end of the file hold no row.
    std::size_t dataEnd = text.size();
    while (dataEnd > dataPos && static_cast<unsigned char>(text[dataEnd - 1]) <= 32) --dataEnd;
    while (dataEnd < text.size() && text[dataEnd] != '\n' && text[dataEnd] != '\r') ++dataEnd;
    std::string_view data = text.substr(dataPos, dataEnd - dataPos);

    const std::size_t n = r.fieldNames.size();
    r.columns.assign(n, {});
    detail::ProgressThrottle throttle(progress, text.size());
    detail::PaddingLimit padding(n);
    pos = 0;
    std::uint64_t lineNumber = headerLines;
    while (detail::nextLine(data, pos, line)) {
        ++lineNumber;
        const bool empty = line.empty();
        std::size_t c = 0;
        for (; c + 1 < n; ++c) {
            auto tab = line.find('\t');
            if (tab == std::string_view::npos) break;
            r.columns[c].push_back(sampleValue(line.substr(0, tab), lineNumber));
            line.remove_prefix(tab + 1);
        }
        // A line with fewer tabs than columns: the columns it does not reach are null, and
        // the rest of the line is the last value.
        padding.line(empty ? 0 : c + 1, lineNumber);
        for (std::size_t m = c; m + 1 < n; ++m) r.columns[m].push_back(kNull);
        r.columns[n - 1].push_back(sampleValue(lastValueText(line), lineNumber));
        throttle.report(dataPos + pos);
    }
    if (r.rowCount() == 0) failRead("it holds no data line");
    throttle.finish();
    return r;
}

}  // namespace

ImportResult readAscii(std::string_view bytes, const std::string& fileName,
                       const Progress& progress) {
    try {
        std::string storage;
        return readAsciiText(withoutUnicodeMarks(bytes, storage), fileName, progress);
    } catch (const Error&) {
        throw;
    } catch (const std::bad_alloc&) {
        failRead("there is not enough memory to read it");
    } catch (const std::exception&) {
        failRead();
    }
}

ImportResult readAsciiFile(const std::filesystem::path& path, const Progress& progress) {
    std::string bytes;
    try {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) failRead();
        bytes = detail::readWholeFile(path);
    } catch (const Error&) {
        throw;
    } catch (const std::exception&) {
        failRead();
    }
    return readAscii(bytes, path.string(), progress);
}

}  // namespace lithora::import
