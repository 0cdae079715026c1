#include "gui/import/import_controller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <memory>

#include "core/commands/import_file.h"
#include "gui/import/read_files_dialog.h"

namespace {

constexpr const char* kReading = "Reading file data, please wait...";

// Shows how far the reader has come, at most a few times a second, so a million-row file
// never leaves a frozen window.
lithora::import::Progress statusProgress(ShellServices& shell) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [&shell, timer](std::uint64_t done, std::uint64_t total) {
        if (timer->elapsed() < 100 || total == 0) return;
        timer->restart();
        const int percent =
            static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(total));
        shell.showProgress(QString("%1 %2%").arg(kReading).arg(percent));
    };
}

}  // namespace

ImportController::ImportController(ShellServices& shell, QObject* parent)
    : QObject(parent), shell_(shell) {}

bool ImportController::refused() {
    // A second file is read only into an empty workspace.
    const std::string why = lithora::commands::importRefusal(shell_.workspace());
    if (why.empty()) return false;
    shell_.setStatus(QString::fromStdString(why));
    return true;
}

void ImportController::importLas() {
    if (refused()) return;
    const QString file = shell_.seam().openFileName(shell_.dialogParent(), "Opening Las File",
                                                    "LAS files (*.las)", "las");
    if (file.isEmpty()) {
        shell_.restoreFolder();
        return;
    }
    run(true, file);
    shell_.restoreFolder();
}

void ImportController::importAscii() {
    if (refused()) return;
    const QString file = shell_.seam().openFileName(shell_.dialogParent(), "Opening ASCII Files",
                                                    "Text Files (*.txt)", ".txt");
    if (file.isEmpty()) return;
    run(false, file);
}

void ImportController::mergeLasFiles() {
    if (refused()) return;
    TRead_Files dialog(shell_.context(), shell_.dialogParent());
    const bool accepted = shell_.seam().exec(dialog) == QDialog::Accepted;
    shell_.restoreFolder();
    if (!accepted) return;
    const auto files = dialog.files();
    const auto chosen = dialog.chosen();
    run({}, [&](lithora::workspace::Workspace& ws, const lithora::commands::ImportRequest& r) {
        return lithora::commands::importMerged(ws, files, chosen, r);
    });
}

bool ImportController::importFile(bool las, const QString& file) {
    if (refused()) return false;
    const bool imported = run(las, file);
    shell_.restoreFolder();
    return imported;
}

bool ImportController::run(bool las, const QString& file) {
    const bool imported = run(file, [las](lithora::workspace::Workspace& ws,
                                          const lithora::commands::ImportRequest& r) {
        return las ? lithora::commands::importLas(ws, r) : lithora::commands::importAscii(ws, r);
    });
    if (imported) emit fileImported(las, file);
    return imported;
}

bool ImportController::run(const QString& file, const Reader& read) {
    using Status = lithora::commands::ImportOutcome::Status;
    shell_.setStatus(kReading);
    lithora::commands::ImportOutcome outcome;
    {
        BusyCursor busy;
        shell_.restoreFolder();
        const lithora::commands::ImportRequest request{
            file.toStdString(), statusProgress(shell_), {}};
        outcome = read(shell_.workspace(), request);
    }
    if (outcome.ok()) {
        shell_.setStatus("Ready");
        // The file was read, but the user should know how (data lines that did not fit).
        if (!outcome.warnings.empty()) {
            QStringList texts;
            for (const auto& w : outcome.warnings) texts << QString::fromStdString(w);
            shell_.message(QMessageBox::Warning, texts.join('\n'));
        }
        return true;
    }
    // "Error reading file." says what; the line below it says which file, and why.
    const QString text = QString::fromStdString(
        outcome.detail.empty() ? outcome.message : outcome.message + "\n" + outcome.detail);
    if (outcome.status == Status::NothingRead) {
        // No column file at all: nothing changed, the commands stay as they were.
        shell_.setStatus("Error reading file.");
        shell_.message(QMessageBox::Warning, text);
        return false;
    }
    // The workspace is empty again and was empty before: nothing of the file is shown.
    shell_.setStatus("Ready");
    shell_.message(QMessageBox::Critical, text);
    return false;
}

void ImportSubsystem::registerCommands(ShellServices& shell) {
    controller_ = new ImportController(shell, owner_);
    shell.addCommand({CommandId::ImportAscii, {}, [this] { controller_->importAscii(); }});
    shell.addCommand({CommandId::ImportLas, {}, [this] { controller_->importLas(); }});
    shell.addCommand({CommandId::MergeFiles, {}, [this] { controller_->mergeLasFiles(); }});
}
