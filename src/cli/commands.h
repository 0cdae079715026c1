#pragma once
// The commands of lithora-cli, one file each; main.cpp lists them in its dispatch table.
#include <string>

#include "cli/cli.h"

namespace lithora::cli {

extern const Command kImportCommand;
extern const Command kElasticCommand;

// Reads one well file into a workspace as the desktop import does (LAS, or ASCII columns).
void importInto(workspace::Workspace& ws, const std::string& file, bool ascii);

}  // namespace lithora::cli
