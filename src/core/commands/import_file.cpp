#include "core/commands/import_file.h"

#include <algorithm>
#include <optional>

#include "core/common/error.h"
#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "core/import/merge.h"
#include "core/import/read_failure.h"

namespace lithora::commands {

namespace {

constexpr const char* kReadError = "Error reading file.";

// What a failed read tells the user: "Error reading file." with the file and the reason.
struct Failure {
    std::string message = kReadError;
    std::string detail;
};

ImportOutcome install(workspace::Workspace& ws, std::optional<import::ImportResult> result,
                      const ImportRequest& request, std::vector<std::filesystem::path> files,
                      Failure failure, bool merged = false) {
    if (request.beforeInstall) request.beforeInstall();
    if (result) {
        try {
            std::vector<std::string> warnings = std::move(result->warnings);
            ws.installImport(std::move(*result));
            ws.setSourceFiles(std::move(files), merged);
            return {ImportOutcome::Status::Imported, {}, {}, std::move(warnings)};
        } catch (const std::exception& e) {
            failure = {e.what(), {}};
        }
    }
    // Nothing half-made stays: the source table goes, so the workspace is empty again.
    if (ws.source().isOpen()) {
        if (ws.source().controlsDisabled()) ws.source().enableControls();
        ws.source().close();
    }
    ws.clearStaleSource();
    return {ImportOutcome::Status::Failed, std::move(failure.message), std::move(failure.detail)};
}

std::optional<ImportOutcome> refusal(workspace::Workspace& ws) {
    std::string why = importRefusal(ws);
    if (why.empty()) return std::nullopt;
    return ImportOutcome{ImportOutcome::Status::Refused, std::move(why)};
}

Failure readFailure(const std::filesystem::path& file, const std::exception& e) {
    return {kReadError, import::readFailureDetail(file, e)};
}

}  // namespace

std::string importRefusal(workspace::Workspace& ws) {
    std::string why;
    if (!ws.loaded() || ws.clearStaleSource(&why)) return {};
    return why.empty() ? kEmptyFirstMessage : why;
}

namespace {

// After a read of chosen curves the others have empty columns: they leave the result, so
// the source table holds the depth and the curves read, with their roles.
void dropCurvesNotRead(import::ImportResult& r) {
    const std::size_t rows = r.rowCount();
    std::vector<std::size_t> kept;
    for (std::size_t f = 0; f < r.columns.size(); ++f)
        if (f == 0 || r.columns[f].size() == rows) kept.push_back(f);
    if (kept.size() == r.columns.size()) return;
    auto keep = [&](auto& items) {
        std::size_t to = 0;
        for (std::size_t f : kept) {
            if (f >= items.size()) break;
            if (to != f) items[to] = std::move(items[f]);
            ++to;
        }
        items.resize(std::min(to, items.size()));
    };
    int gammaRayIndex = 0;
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (static_cast<int>(kept[i]) + 1 == r.roles.gammaRayIndex)
            gammaRayIndex = static_cast<int>(i) + 1;
    keep(r.fieldNames);
    keep(r.fieldLabels);
    keep(r.columns);
    keep(r.catalog);
    auto read = [&](std::vector<std::string>& names) {
        std::erase_if(names, [&](const std::string& n) {
            return std::find(r.fieldNames.begin(), r.fieldNames.end(), n) == r.fieldNames.end();
        });
    };
    read(r.roles.density);
    read(r.roles.gammaRay);
    read(r.roles.pWave);
    read(r.roles.sWave);
    r.roles.gammaRayIndex = gammaRayIndex;
}

}  // namespace

ImportOutcome importLas(workspace::Workspace& ws, const ImportRequest& request) {
    if (auto refused = refusal(ws)) return *refused;
    std::optional<import::ImportResult> result;
    Failure failure;
    try {
        result = import::readLasFile(request.file.string(), request.progress, request.curves);
        if (request.curves) dropCurvesNotRead(*result);
    } catch (const std::exception& e) {
        failure = readFailure(request.file, e);
    }
    return install(ws, std::move(result), request, {request.file}, std::move(failure));
}

ImportOutcome importAscii(workspace::Workspace& ws, const ImportRequest& request) {
    if (auto refused = refusal(ws)) return *refused;
    std::optional<import::ImportResult> result;
    Failure failure;
    try {
        result = import::readAsciiFile(request.file.string(), request.progress);
    } catch (const import::AsciiHeaderError&) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(request.file, ec);
        return {ImportOutcome::Status::NothingRead,
                "Error reading file : " + (ec ? request.file : absolute).string()};
    } catch (const std::exception& e) {
        failure = readFailure(request.file, e);
    }
    return install(ws, std::move(result), request, {request.file}, std::move(failure));
}

ImportOutcome importMerged(workspace::Workspace& ws,
                           const std::vector<std::filesystem::path>& files,
                           const std::vector<import::MergeChoice>& chosen,
                           const ImportRequest& request) {
    if (auto refused = refusal(ws)) return *refused;
    std::optional<import::ImportResult> result;
    Failure failure;
    try {
        result = import::mergeLasFiles(files, chosen, request.progress);
    } catch (const std::exception& e) {
        failure.message = e.what();  // names the file that could not be read
    }
    return install(ws, std::move(result), request, files, std::move(failure), true);
}

}  // namespace lithora::commands
