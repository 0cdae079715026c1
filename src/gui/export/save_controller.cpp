#include "gui/export/save_controller.h"

#include <QStringList>
#include <QWidget>

#include "core/commands/save_table.h"
#include "core/workspace/workspace.h"
#include "gui/export/litholog_panel.h"

namespace commands = lithora::commands;

SaveController::SaveController(ShellServices& shell, std::function<QString()> memo, QObject* parent)
    : QObject(parent), shell_(shell), memo_(std::move(memo)) {}

bool SaveController::saveTable() {
    auto& ws = shell_.workspace();
    if (!commands::hasTableToSave(ws)) {
        shell_.setStatus("Ready");
        return false;
    }
    const bool las = commands::saveFormat(ws) == commands::TableFormat::Las;
    if (las) shell_.setStatus("Saving table to file, please wait...");
    QWidget* window = shell_.dialogParent();
    const QString file = las ? shell_.seam().saveFileName(window, "Save Table as LAS file",
                                                          "LAS file (*.las)", "las")
                             : shell_.seam().saveFileName(window, "Save Table as ASCII file",
                                                          "ASCII file (*.txt)", "txt");
    bool written = false;
    if (!file.isEmpty()) {
        if (las && window) window->repaint();
        std::vector<std::string> shown;
        if (memo_)
            for (const QString& line : memo_().split('\n')) shown.push_back(line.toStdString());
        std::string error;
        {
            BusyCursor busy;
            error = commands::saveTable(
                ws, {file.toStdString(), commands::memoForSave(ws.importInfo(), shown)});
        }
        written = error.empty();
        if (!written) shell_.message(QMessageBox::Critical, QString::fromStdString(error));
    }
    shell_.restoreFolder();
    shell_.setStatus("Ready");
    return written;
}

ExportSubsystem::ExportSubsystem(ShellServices& shell, QWidget* graphPage,
                                 std::function<QString()> memo, QObject* owner)
    : owner_(owner),
      memo_(std::move(memo)),
      litholog_(std::make_unique<LithologPanel>(shell, graphPage)) {}

ExportSubsystem::~ExportSubsystem() = default;

void ExportSubsystem::registerCommands(ShellServices& shell) {
    save_ = new SaveController(shell, memo_, owner_);
    shell.addCommand({CommandId::SaveTable, [&shell] { return shell.workspace().loaded(); },
                      [this] { save_->saveTable(); }});
}

void ExportSubsystem::showKeptLitholog() {
    litholog_->workspaceEmptied();
    litholog_->offerKeptIntervals();
}

bool ExportSubsystem::saveLitholog() {
    return litholog_->saveLithologFile() && litholog_->saveLithologBitmap();
}
