#include "core/commands/import_file.h"

#include <optional>

#include "core/common/error.h"
#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "core/import/merge.h"

namespace lithora::commands {

namespace {

constexpr const char* kReadError = "Error reading file.";

ImportOutcome install(workspace::Workspace& ws, std::optional<import::ImportResult> result,
                      const ImportRequest& request, std::string failure = kReadError) {
    if (request.beforeInstall) request.beforeInstall();
    if (result) {
        try {
            std::vector<std::string> warnings = std::move(result->warnings);
            ws.installImport(std::move(*result));
            return {ImportOutcome::Status::Imported, {}, std::move(warnings)};
        } catch (const std::exception&) {
        }
    }
    // Nothing half-made stays: the source table goes, so the workspace is empty again.
    if (ws.source().isOpen()) {
        if (ws.source().controlsDisabled()) ws.source().enableControls();
        ws.source().close();
    }
    ws.clearStaleSource();
    return {ImportOutcome::Status::Failed, std::move(failure)};
}

}  // namespace

bool canImport(workspace::Workspace& ws) {
    return !ws.loaded() || ws.clearStaleSource();
}

ImportOutcome importLas(workspace::Workspace& ws, const ImportRequest& request) {
    if (!canImport(ws)) return {ImportOutcome::Status::Refused, {}};
    std::optional<import::ImportResult> result;
    try {
        result = import::readLasFile(request.file.string(), request.progress);
    } catch (const std::exception&) {
    }
    return install(ws, std::move(result), request);
}

ImportOutcome importAscii(workspace::Workspace& ws, const ImportRequest& request) {
    if (!canImport(ws)) return {ImportOutcome::Status::Refused, {}};
    std::optional<import::ImportResult> result;
    try {
        result = import::readAsciiFile(request.file.string(), request.progress);
    } catch (const import::AsciiHeaderError&) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(request.file, ec);
        return {ImportOutcome::Status::NothingRead,
                "Error reading file : " + (ec ? request.file : absolute).string()};
    } catch (const std::exception&) {
    }
    return install(ws, std::move(result), request);
}

ImportOutcome importMerged(workspace::Workspace& ws,
                           const std::vector<std::filesystem::path>& files,
                           const std::vector<import::MergeChoice>& chosen,
                           const ImportRequest& request) {
    if (!canImport(ws)) return {ImportOutcome::Status::Refused, {}};
    std::optional<import::ImportResult> result;
    std::string failure = kReadError;
    try {
        result = import::mergeLasFiles(files, chosen, request.progress);
    } catch (const std::exception& e) {
        failure = e.what();  // names the file that could not be read
    }
    return install(ws, std::move(result), request, std::move(failure));
}

}  // namespace lithora::commands
