#pragma once
// "Add File" of File > Open 2: the curves of LAS files, listed for choosing (the merge
// itself is importMerged of import_file.h).
#include <filesystem>
#include <string>
#include <vector>

#include "core/workspace/workspace.h"

namespace lithora::commands {

// One file added to the merge dialog, with its curves as the dialog lists them (each curve
// line's mnemonic, in file order; the first is the file's depth).
struct ListedFile {
    std::filesystem::path path;
    std::vector<std::string> curves;
};

struct ListOutcome {
    std::vector<ListedFile> files;  // the files that could be read, in the order given
    std::string message;            // the first file that could not be read; empty: none
};

// "Add File": lists the curves of each file and records them in "Logs_Table" of the program
// folder (created when it does not exist; records accumulate for the whole run): the name
// (at most 20 characters), the file's place among `files` from 1, and the curve's place in
// its file from 1. A file that cannot be read is left out and named in the message; the
// files before and after it are listed. With in-memory storage nothing is written.
ListOutcome listMergeFiles(workspace::Workspace& ws,
                           const std::vector<std::filesystem::path>& files);

}  // namespace lithora::commands
