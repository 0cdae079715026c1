#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/curves.h"

namespace lithora::import {

// Called now and then while a large file is read: bytes done and bytes in all.
// The desktop program shows it in the status bar and keeps its window painted.
using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Texts (names, units, labels, header lines) are UTF-8 whatever the file's encoding.
// What a reader hands to the workspace: the source table as columns plus everything the
// workspace learns from the file. Column 0 is the index (depth or time) curve; column i
// holds catalogue entry i + 1. A null sample is a quiet NaN. Rows run shallowest first; a
// successful read always gives at least one row.
struct ImportResult {
    // Field names of the source table after "Rec" and before "Counting", distinct without
    // regard to case. For a LAS file fieldNames[0] is "DEPTH".
    std::vector<std::string> fieldNames;
    // Display labels, parallel to fieldNames (CurveLabel for LAS; for an ASCII file the
    // index field keeps its name as label).
    std::vector<std::string> fieldLabels;
    std::vector<std::vector<double>> columns;  // parallel to fieldNames, all of one length
    std::vector<CurveEntry> catalog;           // parallel to fieldNames

    // The recognised curves by role, as field names: a curve whose name repeats an earlier
    // one (and got a field name such as "GR_2") is listed by its field name, so that every
    // listed curve can be found in fieldNames.
    RoleLists roles;
    // Set only when the file's units are recognised; otherwise the workspace keeps its
    // previous tags.
    std::optional<std::string> depthUnit;
    std::optional<std::string> densityUnit;

    bool lasSource = true;
    std::string nullValueText;  // LAS: trimmed text of the NULL line
    double nullValue = 0;
    // LAS: lines 0 .. the "~A" line as text (UTF-8) for the header memo, and the same lines
    // as the file's own bytes, which the LAS export copies unchanged.
    std::vector<std::string> headerLines;
    std::vector<std::string> headerBytes;
    std::string asciiHeaderLine;  // ASCII: line 0 as in the file

    // What the user should know about a file that was read all the same (data lines that
    // do not hold one value per curve), one text each, shown after the import.
    std::vector<std::string> warnings;

    std::size_t rowCount() const { return columns.empty() ? 0 : columns[0].size(); }
};

}  // namespace lithora::import
