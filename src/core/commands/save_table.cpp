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

}  // namespace lithora::commands
