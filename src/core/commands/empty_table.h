#pragma once
// Empty Table: the workspace returns to its empty state without ending the program.
#include "core/workspace/workspace.h"

namespace lithora::commands {

// Deletes the source table, empties the elastic table (its filter off) and a litholog that
// holds intervals, and resets the counts and flags; the unit tags and the catalogue texts
// survive. False when there was nothing loaded (nothing changes then).
bool emptyTable(workspace::Workspace& ws);

}  // namespace lithora::commands
