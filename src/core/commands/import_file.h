#pragma once
// Import LAS File and Import ASCII File: a well file read into an empty workspace.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/import/import_result.h"
#include "core/import/las_reader.h"
#include "core/import/merge.h"
#include "core/workspace/workspace.h"

namespace lithora::commands {

struct ImportRequest {
    std::filesystem::path file;
    import::Progress progress;  // may be empty
    // Called once the reader is done, before the workspace changes (not when the file is no
    // column file at all): the desktop shows there that an import has begun.
    std::function<void()> beforeInstall;
    // LAS only: the curves to read (see import::CurveChoice); the source table then holds the
    // depth and those curves alone. Empty: every curve, as the desktop reads a file.
    import::CurveChoice curves;
};

struct ImportOutcome {
    enum class Status {
        Imported,
        Refused,      // a workspace is loaded: Empty Table comes first
        NothingRead,  // the file is no column file at all; nothing changed
        Failed,       // the file could not be read; the workspace is empty
    };
    Status status = Status::Failed;
    // The text to show: for Refused what to do first (kEmptyFirstMessage) or why an old work
    // table cannot be removed; for NothingRead and Failed what went wrong.
    std::string message;
    // Failed with "Error reading file.": the file and why it could not be read, for a line
    // below the message.
    std::string detail;
    // Imported, but the reader says how (data lines that did not fit): shown to the user.
    std::vector<std::string> warnings;
    bool ok() const { return status == Status::Imported; }
};

// What a refused import says while a workspace is loaded.
inline constexpr const char* kEmptyFirstMessage = "Empty the table first (File > Empty Table).";

// Why no file may be read now: kEmptyFirstMessage while a workspace is loaded, or why a
// stale source table of an earlier failed import cannot be removed (it is removed on the
// way when it can). Empty when an import may run. Every import command asks this first.
std::string importRefusal(workspace::Workspace& ws);

// Each import records the files it read (workspace::ImportInfo::sourceFiles), so that no
// save replaces them.

ImportOutcome importLas(workspace::Workspace& ws, const ImportRequest& request);
ImportOutcome importAscii(workspace::Workspace& ws, const ImportRequest& request);
// File > Open 2: the chosen curves of several LAS files as one source table (rows as
// import::mergeLasFiles makes them); request.file is not used. A file that cannot be read
// leaves the workspace empty, with the reader's message naming the file.
ImportOutcome importMerged(workspace::Workspace& ws,
                           const std::vector<std::filesystem::path>& files,
                           const std::vector<import::MergeChoice>& chosen,
                           const ImportRequest& request);

}  // namespace lithora::commands
