#include "gui/export/save_controller.h"

#include <QWidget>

#include "core/commands/save_table.h"
#include "core/workspace/workspace.h"

namespace commands = lithora::commands;

SaveController::SaveController(CommandContext context,
                               std::function<std::vector<std::string>()> memo, QObject* parent)
    : QObject(parent), ctx_(std::move(context)), memo_(std::move(memo)) {}

bool SaveController::saveTable() {
    auto& ws = ctx_.workspace;
    if (!commands::hasTableToSave(ws)) {
        ctx_.status("Ready");
        return false;
    }
    const bool las = commands::saveFormat(ws) == commands::TableFormat::Las;
    if (las) ctx_.status("Saving table to file, please wait...");
    const QString file = las ? ctx_.seam.saveFileName(ctx_.parent, "Save Table as LAS file",
                                                      "LAS file (*.las)", "las")
                             : ctx_.seam.saveFileName(ctx_.parent, "Save Table as ASCII file",
                                                      "ASCII file (*.txt)", "txt");
    bool written = false;
    if (!file.isEmpty()) {
        if (las && ctx_.parent) ctx_.parent->repaint();
        std::string error;
        {
            BusyCursor busy;
            error = commands::saveTable(
                ws, {file.toStdString(), memo_ ? memo_() : std::vector<std::string>{}});
        }
        written = error.empty();
        if (!written) ctx_.message(QMessageBox::Critical, QString::fromStdString(error));
    }
    ctx_.restoreFolder();
    ctx_.status("Ready");
    return written;
}
