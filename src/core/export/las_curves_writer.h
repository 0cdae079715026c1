#pragma once
// A LAS 2.0 file of any curves over one depth column, for results beside the elastic table
// (the rock after fluid substitution, ...).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lithora::exporter {

// The LAS unit of a depth unit: "m", "ft" and "ms" (either case) give "M", "F" and "MS";
// any other text gives none.
std::string depthUnitLetter(std::string_view unit);

struct LasCurve {
    std::string mnemonic;                         // "VP"
    std::string unit;                             // "M/S"; empty for none
    std::string description;                      // "P-WAVE VELOCITY"
    const std::vector<double>* values = nullptr;  // one per depth; NaN for a null
};

struct LasCurvesInput {
    std::string depthUnit;  // as the import tells it: "m", "ft", ...
    std::vector<double> depth;
    std::vector<LasCurve> curves;
    // Lines of the parameter section ("SWFR.   1 : SW BEFORE"), written as given.
    std::vector<std::string> parameters;
    std::string nullText = "-999.25";
};

// The text of the file: version, well (STRT, STOP, STEP from the depths, STEP 0 where the
// steps differ; NULL), curve, parameter and data sections; values in the program's number text,
// right-aligned in columns, a null as nullText. Lines end with CR LF.
std::string lasCurvesText(const LasCurvesInput& in);
// Writes that text through a temporary file renamed over target when complete; throws
// lithora::Error when it cannot, target untouched.
void writeLasCurves(const std::filesystem::path& target, const LasCurvesInput& in);

}  // namespace lithora::exporter
