#pragma once
#include <string>
#include <vector>

#include "core/compute/correlation.h"

namespace lithora::workspace {

class Workspace;

// The correlation list of the loaded well against one reference curve (a source field
// name): a row per source curve after the depth, named by its catalogue mnemonic, then,
// when the elastic table holds records, a row per elastic parameter ("Poisson Ratio" ..
// "S-Impedance"). Only the visible records of each table take part; elastic records are
// paired with source records by "Rec". Nothing loaded gives no rows. Throws
// store::StoreError ("Field '<name>' not found.") for a reference that is no source field.
std::vector<compute::CorrelationRow> correlationList(const Workspace& ws,
                                                     const std::string& reference);

}  // namespace lithora::workspace
