#pragma once
#include <string>
#include <vector>

namespace lithora::workspace {

class Workspace;

// One choice of the "Colour by" menu of a cross plot: no colouring, the depth of each
// elastic record, or a curve of the source table named by its field (the gamma-ray curve
// first, under its own caption).
struct ColourOption {
    enum Kind { None, Depth, Curve };
    Kind kind = None;
    std::string field;    // the source field, for Curve
    std::string caption;  // what the menu and the colour scale show
    bool operator==(const ColourOption& o) const { return kind == o.kind && field == o.field; }
};

// The choices for the loaded well: "None", the recognised gamma-ray curve as "Gamma Ray
// (<mnemonic>)" when there is one, "Depth", then every source curve by its catalogue label.
std::vector<ColourOption> colourOptions(const Workspace& ws);

// The visible records of an elastic field (NaN for null); empty when the table is not open.
std::vector<double> visibleElasticColumn(const Workspace& ws, int field);

// The colour value of every visible elastic record, in record order: its depth, or the
// sample of the chosen source curve in the source record with the same "Rec" (NaN where no
// visible source record has it, or the sample is null). Empty for None, for a curve that is
// no longer a source field, and when the elastic table is not open.
std::vector<double> colourValues(const Workspace& ws, const ColourOption& option);

}  // namespace lithora::workspace
