#pragma once
// Elastic Parameters: the curve choice, the units decision and the computation itself.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/compute/elastic.h"
#include "core/export/litholog.h"
#include "core/export/litholog_file.h"
#include "core/import/recognition.h"
#include "core/rockphysics/lithology_vs.h"
#include "core/workspace/workspace.h"

namespace lithora::commands {

// The curves chosen for the computation, by field name; any may be empty.
struct CurveChoice {
    std::string density, gammaRay, pWave, sWave;
};

// What the curve dialog proposes: the first recognised curve of each role.
CurveChoice proposedCurves(const workspace::Workspace& ws);

// The names the curve dialog offers for one role: the curves recognised for it, in their
// order, then every other curve of the source table in field order (the depth, "Rec" and
// "Counting" are no curves). A file whose shear log has a name no list holds ("DTS") can so
// still be chosen.
std::vector<std::string> offeredCurves(const workspace::Workspace& ws, import::CurveRole role);

// The message for the first chosen name that is not empty and names no field of the source
// table ("Field 'XYZ' not found."), in the order density, gamma ray, P-wave, S-wave; empty
// when every name is a field. Run before any further question is asked.
std::string checkCurveNames(const workspace::Workspace& ws, const CurveChoice& choice);

// The outcome of a confirmed curve choice.
struct CurvePlan {
    enum class Stop { None, NoDensity, NoPWave, UnknownCurve };
    Stop stop = Stop::None;
    bool measuredVs = false;  // a shear curve is used; otherwise Vs is estimated
    std::string message;      // UnknownCurve: the text to show
    bool proceed() const { return stop == Stop::None; }
};

// Confirms a choice as the user made it: every name is checked first (checkCurveNames; an
// unknown one stops with its message), an empty choice lowers its role's flag (the flags
// only fall; an import sets them again), and then the names themselves decide: a density and a
// P-wave name are needed, and a shear name, whether recognised or typed, is used as measured Vs.
CurvePlan planCurves(workspace::Workspace& ws, const CurveChoice& choice);

// The slowness unit of one chosen sonic curve.
struct SonicCurveUnit {
    std::string curve;
    std::string unitText;                         // the file's unit text, no parentheses
    std::optional<compute::SonicUnit> unit;       // decided without asking
    std::optional<compute::SonicUnit> preselect;  // what the units question proposes
};

// Which units the computation uses, and what is left to ask. A sonic curve's own unit text
// decides its slowness unit when it names one; otherwise the depth unit of the loaded file
// does ("m": per metre; "ft", "ms": per foot). The density unit comes from the density tag
// the loaded file set. Tags carried over from an earlier file are only proposed.
struct UnitsDecision {
    std::vector<SonicCurveUnit> sonic;  // the P curve, then the S curve when Vs is measured
    std::string densityCurve, densityUnitText, depthUnitText;
    std::optional<compute::DensityUnit> density, densityPreselect;

    // The units when every one is decided.
    std::optional<workspace::ElasticUnits> units() const;
    // True when a chosen sonic curve's slowness unit is left open.
    bool sonicUnknown() const;
    // Says which units are not known (the sonic ones, the density one, or both), naming the
    // unit texts the file gave.
    std::string unknownText() const;
};

// Units given by the user beforehand (the command-line options); each only fills what the
// file leaves undecided: sonic for a sonic curve whose unit names none, depth where the depth
// unit has no rule, density where the density unit has none.
struct UnitsGiven {
    std::optional<compute::SonicUnit> sonic, depth;
    std::optional<compute::DensityUnit> density;
};

UnitsDecision decideUnits(const workspace::Workspace& ws, const CurveChoice& choice,
                          bool measuredVs, const UnitsGiven& given = {});

struct ElasticRequest {
    CurveChoice curves;
    bool measuredVs = false;
    workspace::ElasticUnits units;
    compute::VsSettings vs;  // used when Vs is estimated
    // The intervals that choose Vs by lithology (VsEquationKind::Lithology).
    std::vector<rockphysics::LithologyInterval> litholog;
};

// The complete intervals of a litholog (read from the workspace's table or a file), as the
// Vs by lithology takes them.
std::vector<rockphysics::LithologyInterval> lithologyIntervals(
    const std::vector<exporter::LithologInterval>& intervals);

// The complete intervals of the workspace's litholog, as the desktop's Vs by lithology takes them.
std::vector<rockphysics::LithologyInterval> lithologyIntervals(const workspace::Workspace& ws);

// Reads a litholog file (.llg) with the rules the desktop applies to it for the loaded log: its
// intervals, or the reader's message when it refuses the file.
exporter::LithologFileRead readLithologForWell(const workspace::Workspace& ws,
                                               const std::filesystem::path& file);

// The status line after a computation of Vs by lithology: how many samples took each class's
// line and how many the linear equation, e.g. "Vs by lithology: 120 sandstone, 80 shale,
// 15 by the linear equation.".
std::string lithologyVsSummary(const rockphysics::LithologyVsCounts& counts);

// Fills the elastic table from the visible source records. Returns the message to show when
// it fails (a curve name that is no field), empty when done.
std::string computeElastic(workspace::Workspace& ws, const ElasticRequest& request);

}  // namespace lithora::commands
