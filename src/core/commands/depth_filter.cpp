#include "core/commands/depth_filter.h"

#include <exception>
#include <functional>

namespace lithora::commands {

namespace {

FilterRun run(const std::function<compute::FilterOutcome()>& change) {
    FilterRun r;
    try {
        r.outcome = change();
    } catch (const std::exception& e) {
        r.message = e.what();
    }
    return r;
}

}  // namespace

bool canFilterOrFind(const workspace::Workspace& ws) {
    return ws.source().isOpen() && ws.source().totalRecordCount() > 0;
}

bool canUndoFilter(const workspace::Workspace& ws) {
    return ws.depthWindow().filterActive;
}

std::string checkFilterBounds(const std::optional<double>& start,
                              const std::optional<double>& stop) {
    return start && stop ? std::string() : std::string(compute::kInvalidNumberMessage);
}

FilterRun applyFilter(workspace::Workspace& ws, double start, double stop) {
    return run([&] { return ws.applyDepthFilter(start, stop); });
}

FilterRun undoFilter(workspace::Workspace& ws) {
    return run([&] { return ws.undoDepthFilter(); });
}

}  // namespace lithora::commands
