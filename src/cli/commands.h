#pragma once
// The commands of lithora-cli, one file each; main.cpp lists them in its dispatch table.
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/compute/elastic.h"

namespace lithora::cli {

extern const Command kImportCommand;
extern const Command kElasticCommand;
extern const Command kCorrelateCommand;
extern const Command kTimelapseCommand;
extern const Command kMergeCommand;

// The options of elastic that choose the curves, the units and the Vs estimation, as
// correlate takes them too.
extern const std::vector<std::string> kElasticChoiceOptions;
struct ElasticChoices {
    std::optional<std::string> equation, depthUnit, densityUnit;
    compute::VsSettings vs;
};
// Reads those options; UsageError for a value they do not take.
ElasticChoices elasticChoices(const Args& a);
// Computes the elastic table of the loaded workspace with those options (default: the first
// recognised curve of each role); InputError saying why when it cannot run.
void computeElasticWith(workspace::Workspace& ws, const Args& a);

// Reads one well file into a workspace as the desktop import does (LAS, or ASCII columns).
// What the reader warned about is printed on standard error and returned.
std::vector<std::string> importInto(workspace::Workspace& ws, const std::string& file, bool ascii);
// The same after opening the elastic and litholog tables, for commands that compute.
void loadWell(workspace::Workspace& ws, const std::string& file, bool ascii);

}  // namespace lithora::cli
