#include "core/commands/empty_table.h"

namespace lithora::commands {

bool emptyTable(workspace::Workspace& ws) {
    if (!ws.loaded()) return false;
    ws.emptyTable();
    return true;
}

}  // namespace lithora::commands
