#pragma once
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "core/workspace/workspace.h"

namespace lithora::bench {

// The workspace of the desktop benchmarks: `folder` made afresh with a "Patterns" link to
// `patterns` (the tracks' background picture), a generated LAS file of `rows` depth steps
// imported and its elastic parameters computed from RHOB, DT and DTSM. Null, after a line on
// standard error, when the generated file leaves a unit undecided.
std::unique_ptr<workspace::Workspace> computedWell(const std::filesystem::path& folder,
                                                   std::size_t rows, const std::string& patterns);

}  // namespace lithora::bench
