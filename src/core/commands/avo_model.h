#pragma once
// AVO modelling along the well: the interfaces between consecutive samples of the elastic
// computation's rock, their intercept, gradient and reflection at each angle, and a synthetic
// angle gather.
#include <filesystem>
#include <string>
#include <vector>

#include "core/commands/compute_elastic.h"
#include "core/rockphysics/avo.h"

namespace lithora::commands {

// Incidence angles in whole degrees, from..to in steps.
struct AngleRange {
    int from = 0, to = 40, step = 10;
    std::vector<int> angles() const;
};

// Reads "FROM:TO:STEP"; an error message for anything but whole degrees from 0 to 80,
// FROM not above TO and STEP above 0.
struct AngleRangeRead {
    AngleRange range;
    std::string error;  // empty when read
};
AngleRangeRead readAngleRange(const std::string& text);

struct AvoRequest {
    ElasticRequest elastic;  // the curves, units and Vs of the elastic computation
    AngleRange angles;
};

// One row per interface: the depth of its second sample, its two-way time (ms), the terms and
// the reflection at each angle of the request.
struct AvoResult {
    std::vector<int> angles;
    std::vector<double> depth, twtMs, intercept, gradient;
    std::vector<std::vector<double>> reflection;  // [angle][interface]
    std::vector<rockphysics::Reflection> reflections;
    std::string error;  // the message when nothing could be computed, else empty
};

AvoResult modelAvo(const workspace::Workspace& ws, const AvoRequest& request);

// The same over a rock given as its columns (one row per visible source record: vp, vs in
// m/s, rho in kg/m3, NaN for a null), such as the rock of a fluid substitution (Vp Sub, Vs Sub,
// Rho Sub): the depths are the visible records' and the depth unit the loaded file's. A pair
// of samples with a null in either has no interface.
AvoResult modelAvoOfRock(const workspace::Workspace& ws, const compute::RockColumns& rock,
                         const AngleRange& angles);

// A synthetic gather: one trace per angle on a regular time axis from 0 ms.
struct SyntheticGather {
    double stepMs = 2;
    std::vector<int> angles;
    std::vector<std::vector<double>> traces;  // [angle][sample]
};
SyntheticGather syntheticGather(const AvoResult& avo, double peakFrequencyHz = 30,
                                double stepMs = 2);

// The table of lithora-cli avo --table: "Depth", "TWT", "Intercept", "Gradient", "R <angle>"...,
// then one line per interface; TWT rounded to 4 decimals, the terms and reflections to 6, ties
// to even, in the program's number text.
std::vector<std::string> avoTableLines(const AvoResult& avo);

// Writes the same values as a LAS 2.0 file (lithora-cli avo -o) indexed by the interfaces'
// depths: TWT, INTERCEPT, GRADIENT and R<angle> for each angle, rounded as in the table. An
// empty text when written, else the message; target is untouched on failure.
std::string saveAvoLas(const workspace::Workspace& ws, const AvoResult& avo,
                       const std::filesystem::path& target);

}  // namespace lithora::commands
