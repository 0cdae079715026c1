#include "core/commands/save_table.h"

#include <exception>

#include "core/common/same_file.h"

namespace lithora::commands {

bool hasTableToSave(const workspace::Workspace& ws) {
    return ws.elastic().isOpen() && !ws.elastic().isEmpty();
}

TableFormat saveFormat(const workspace::Workspace& ws) {
    return ws.importInfo().lasSource ? TableFormat::Las : TableFormat::Ascii;
}

std::vector<std::string> memoForSave(const workspace::ImportInfo& info,
                                     const std::vector<std::string>& shown) {
    std::vector<std::string> lines;
    lines.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const bool asImported = i < info.headerLines.size() && i < info.headerBytes.size() &&
                                shown[i] == info.headerLines[i];
        lines.push_back(asImported ? info.headerBytes[i] : shown[i]);
    }
    return lines;
}

std::string saveTable(workspace::Workspace& ws, const SaveRequest& request) {
    if (!hasTableToSave(ws)) return {};
    if (inputReplacedBy(request.target, ws.importInfo().sourceFiles))
        return outputIsInputMessage(request.target);
    try {
        ws.saveTable(request.target, request.memo);
    } catch (const std::exception& e) {
        return e.what();
    }
    ws.markElasticSaved();
    return {};
}

std::string saveComputedTable(const workspace::Workspace& ws, const ElasticRequest& elastic,
                              const SaveRequest& request, rockphysics::LithologyVsCounts* counts) {
    if (inputReplacedBy(request.target, ws.importInfo().sourceFiles))
        return outputIsInputMessage(request.target);
    try {
        const auto taken = ws.saveComputedTable(
            request.target, request.memo, elastic.curves.density, elastic.curves.pWave,
            elastic.measuredVs ? elastic.curves.sWave : std::string(), elastic.units, elastic.vs,
            elastic.litholog);
        if (counts) *counts = taken;
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace lithora::commands
