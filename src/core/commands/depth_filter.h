#pragma once
// Edit > Filter, Undo Filter and Find: what each needs of the workspace, and the filter run
// with its messages.
#include <optional>
#include <string>

#include "core/compute/depth_filter.h"
#include "core/workspace/workspace.h"

namespace lithora::commands {

// Filter and Find work on the records of a loaded source table.
bool canFilterOrFind(const workspace::Workspace& ws);
// Undo Filter has something to undo only while a filter is in force.
bool canUndoFilter(const workspace::Workspace& ws);

// The bounds as read from the two boxes: kInvalidNumberMessage when either holds no number,
// empty when both do. Asked before anything changes.
std::string checkFilterBounds(const std::optional<double>& start,
                              const std::optional<double>& stop);

struct FilterRun {
    compute::FilterOutcome outcome;
    std::string message;  // why nothing changed ("The start depth must be ..."); empty: done
};

// The filter from start to stop on both tables, and its undo; the workspace reports the new
// depth window. A refusal leaves the tables as they were and says why.
FilterRun applyFilter(workspace::Workspace& ws, double start, double stop);
FilterRun undoFilter(workspace::Workspace& ws);

}  // namespace lithora::commands
