#pragma once
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/import_result.h"

namespace lithora::timelapse {

// One LAS file as the time-lapse comparison reads it: the curve list that "LAS Tracks"
// offers and the data rows. The file is read by the rules of the LAS import (unit from the
// "." to the first blank, tab or ":", blank-separated numbers, wrapped lines, "#" comment
// lines, the data ending at the next "~" section, the file's NULL value a gap, "." as the
// decimal point), so both features read a file alike.
struct LapseFile {
    // The curves after the depth, in file order: each curve line's mnemonic (the text
    // before its "."), at most 30 characters. Entry k - 1 is curve k.
    std::vector<std::string> curves;
    std::string depthUnit;      // "m" or "ft" from the depth curve's unit; empty when unknown
    std::vector<double> depth;  // data rows, shallowest first
    std::vector<std::vector<double>> values;  // per curve, parallel to depth; NaN: null
};

// Throws lithora::Error("Error reading file.") for a file that cannot be read as LAS (no
// curve section, no data section, no data row, no curve after the depth).
LapseFile readLapse(std::string_view bytes, const import::Progress& progress = {});
LapseFile readLapseFile(const std::filesystem::path& path, const import::Progress& progress = {});
// The same, reading the values of one curve only, the first of that name (as findCurve finds
// it); the other curves are listed with no values.
LapseFile readLapseFile(const std::filesystem::path& path, std::string_view onlyCurve);

// The position k (from 1) of the first curve of that name, as "LAS Tracks" lists it;
// 0 when there is none.
int findCurve(const LapseFile& file, std::string_view name);

// One curve of one file against depth. Rows without a depth are left out; the value of a
// row is NaN where the sample is null. Depths increase.
struct LapseLog {
    std::string curve;
    std::string depthUnit;
    std::vector<double> depth;
    std::vector<double> value;
};
// k is a position from findCurve or the dialog (1 = the first curve after the depth).
// Throws lithora::Error when k names no curve.
LapseLog lapseLog(const LapseFile& file, int k);

// The value range of a chart's top axis: the smallest value rounded down to a whole
// number, the largest rounded up. nullopt when the column has no value.
struct LapseRange {
    double lo = 0;
    double hi = 0;
};
std::optional<LapseRange> lapseRange(std::span<const double> values);

// The difference log: per depth of the second log, the first log at that depth (where
// the depths differ, linearly interpolated between its two neighbours; NaN where a
// neighbour is null or the depth lies outside the first log), the second log and second -
// first (NaN where either is null). Depths within 1e-6 of each other are one depth; a
// depth logged several times pairs its occurrences in order.
struct LapseDifference {
    std::vector<double> depth;
    std::vector<double> first;
    std::vector<double> second;
    std::vector<double> difference;
};

// Throws lithora::Error("Two logs have different start depths.") or ("Two logs have
// different end depths.") when the first or last depths of the two logs differ, and
// lithora::Error for a log without rows.
LapseDifference lapseDifference(const LapseLog& first, const LapseLog& second);

inline constexpr const char* kDifferentStartDepths = "Two logs have different start depths.";
inline constexpr const char* kDifferentEndDepths = "Two logs have different end depths.";

}  // namespace lithora::timelapse
