#pragma once
// The commands of lithora-cli, one file each; main.cpp lists them in its dispatch table.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/commands/compute_elastic.h"
#include "core/compute/elastic.h"
#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"

namespace lithora::cli {

extern const Command kImportCommand;
extern const Command kElasticCommand;
extern const Command kCorrelateCommand;
extern const Command kTimelapseCommand;
extern const Command kMergeCommand;
extern const Command kFluidSubCommand;
extern const Command kAvoCommand;

// The options of elastic that choose the curves, the units and the Vs estimation, as
// correlate takes them too.
extern const std::vector<std::string> kElasticChoiceOptions;
struct ElasticChoices {
    std::optional<std::string> density, pWave, sWave;
    bool estimate = false;  // --vs-equation given: Vs is estimated even with a shear curve
    compute::VsSettings vs = compute::kDefaultVsSettings;
    commands::UnitsGiven units;
    std::optional<std::string> litholog;  // --litholog, for --vs-equation lithology
};
// Reads those options; UsageError for a value they do not take.
ElasticChoices elasticChoices(const Args& a);
// The elastic computation those options ask of the loaded workspace (default: the first
// recognised curve of each role), with the litholog of --litholog read for Vs by lithology;
// InputError saying why when it cannot run.
commands::ElasticRequest elasticRequestFor(workspace::Workspace& ws, const Args& a);
// Computes the elastic table of the loaded workspace with those options; InputError saying why
// when it cannot run. With Vs by lithology, says on standard error what each class took.
void computeElasticWith(workspace::Workspace& ws, const Args& a);

// The workspace of one run: in memory, or table files in the folder --workspace names.
std::unique_ptr<workspace::Workspace> openWorkspace(const std::optional<std::string>& folder);

// Reads one well file into a workspace as the desktop import does (LAS, or ASCII columns).
// What the reader warned about is printed on standard error and returned. curves, when
// given, chooses the curves of a LAS file to read (the others are left out of the table).
std::vector<std::string> importInto(workspace::Workspace& ws, const std::string& file, bool ascii,
                                    import::CurveChoice curves = {});
// The same after opening the elastic and litholog tables, for commands that compute.
void loadWell(workspace::Workspace& ws, const std::string& file, bool ascii,
              import::CurveChoice curves = {});
// The curves an elastic computation with these options reads of a LAS file: the named
// ones, else the first recognised of each role it needs.
import::CurveChoice elasticCurves(const ElasticChoices& c);

// The files a command reads: its FILEs and the litholog of --litholog.
std::vector<std::string> inputsOf(const Args& a);

// Refuses, before anything is read or written, an output that is one of the inputs (the
// same file through any path or link): InputError "The output ... is the input file.".
void refuseOutputsThatAreInputs(const std::vector<std::filesystem::path>& outputs,
                                const std::vector<std::string>& inputs);

// Runs job over many files on up to `jobs` threads (batchWorkers), printing one line per file as it
// ends: its name, the records it gave and the seconds it took, or the message it failed with. Goes
// on past failures; returns 1 if any file failed, else 0. The output of each file is named after
// the file's name, so two files of one name are a usage error.
int runBatch(const std::vector<std::string>& files, int jobs,
             const std::function<std::size_t(const std::string& file)>& job);
// The progress line a batch keeps on a terminal: "3 of 10 files, 1 failed, about 12 s left",
// the time left estimated from the files done so far.
std::string progressText(std::size_t done, std::size_t total, std::size_t failures,
                         std::chrono::steady_clock::duration elapsed);

// The output for one input of a batch: dir / the input's file name, with its extension
// replaced when newExtension is given.
std::filesystem::path batchOutput(const std::filesystem::path& dir, const std::string& input,
                                  const char* newExtension = nullptr);
// Makes the output folder of a batch; a usage error when the path is no folder.
void makeBatchFolder(const std::filesystem::path& dir, const char* option);

// The default number of jobs: the number of cores.
int defaultJobs();

// How many of `jobs` workers a batch over files runs at once: never more than the files, the
// cores, or the workers whose files fit in the memory available together; at least one.
int batchWorkers(int jobs, const std::vector<std::string>& files);

}  // namespace lithora::cli
