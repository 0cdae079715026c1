#pragma once
// Save Table: the elastic table written as LAS 2.0 after a LAS import, as ASCII columns after
// an ASCII import.
#include <filesystem>
#include <string>
#include <vector>

#include "core/commands/compute_elastic.h"
#include "core/workspace/workspace.h"

namespace lithora::commands {

enum class TableFormat { Las, Ascii };

// The elastic table holds records: there is something to save.
bool hasTableToSave(const workspace::Workspace& ws);
TableFormat saveFormat(const workspace::Workspace& ws);

struct SaveRequest {
    std::filesystem::path target;
    std::vector<std::string> memo;  // the header lines as the user sees them (LAS only)
};

// The memo lines a LAS export writes, from the header memo as the user sees it (UTF-8): a line
// the user left as imported is written with the file's own bytes, an edited or added one as
// the text shown.
std::vector<std::string> memoForSave(const workspace::ImportInfo& info,
                                     const std::vector<std::string>& shown);

// Writes the visible elastic records; the target is replaced only when the file is complete.
// A target that is a file the workspace was imported from is refused ("The output ... is the
// input file."). Returns the message to show when it fails, empty when written.
std::string saveTable(workspace::Workspace& ws, const SaveRequest& request);

// Writes what computeElastic with elastic followed by saveTable writes, with the same
// refusals, computing the rows as they are written: the elastic table is left as it was and
// the whole computed table is never held (a batch run's memory stays with the source curves).
// counts, when given, receives what Vs by lithology took.
std::string saveComputedTable(const workspace::Workspace& ws, const ElasticRequest& elastic,
                              const SaveRequest& request,
                              rockphysics::LithologyVsCounts* counts = nullptr);

}  // namespace lithora::commands
