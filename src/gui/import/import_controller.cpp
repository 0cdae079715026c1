#include "gui/import/import_controller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <memory>

#include "core/commands/import_file.h"
#include "gui/import/read_files_dialog.h"

namespace {

constexpr const char* kReading = "Reading file data, please wait...";

// Shows how far the reader has come in the status bar and lets the window repaint, at most a
// few times a second, so a million-row file never leaves a frozen window. Input events are
// held back: the command runs to its end before the user can start another.
lithora::import::Progress statusProgress(const CommandContext& ctx) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto status = ctx.status;
    return [status, timer](std::uint64_t done, std::uint64_t total) {
        if (timer->elapsed() < 100 || total == 0) return;
        timer->restart();
        const int percent =
            static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(total));
        status(QString("%1 %2%").arg(kReading).arg(percent));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

}  // namespace

ImportController::ImportController(CommandContext context, ImportView& view, QObject* parent)
    : QObject(parent), ctx_(std::move(context)), view_(view) {}

void ImportController::importLas() {
    if (!lithora::commands::canImport(ctx_.workspace)) return;
    const QString file =
        ctx_.seam.openFileName(ctx_.parent, "Opening Las File", "LAS files (*.las)", "las");
    if (file.isEmpty()) {
        ctx_.restoreFolder();
        return;
    }
    run(true, file);
    ctx_.restoreFolder();
}

void ImportController::importAscii() {
    if (!lithora::commands::canImport(ctx_.workspace)) return;
    const QString file =
        ctx_.seam.openFileName(ctx_.parent, "Opening ASCII Files", "Text Files (*.txt)", ".txt");
    if (file.isEmpty()) return;
    run(false, file);
}

void ImportController::mergeLasFiles() {
    if (!lithora::commands::canImport(ctx_.workspace)) return;
    TRead_Files dialog(ctx_, ctx_.parent);
    const bool accepted = ctx_.seam.exec(dialog) == QDialog::Accepted;
    ctx_.restoreFolder();
    if (!accepted) return;
    const auto files = dialog.files();
    const auto chosen = dialog.chosen();
    run(true, {},
        [&](lithora::workspace::Workspace& ws, const lithora::commands::ImportRequest& r) {
            return lithora::commands::importMerged(ws, files, chosen, r);
        });
}

void ImportController::run(bool las, const QString& file) {
    run(las, file,
        [las](lithora::workspace::Workspace& ws, const lithora::commands::ImportRequest& r) {
            return las ? lithora::commands::importLas(ws, r)
                       : lithora::commands::importAscii(ws, r);
        });
}

void ImportController::run(bool las, const QString& file, const Reader& read) {
    using Status = lithora::commands::ImportOutcome::Status;
    ctx_.status(kReading);
    lithora::commands::ImportOutcome outcome;
    {
        BusyCursor busy;
        ctx_.restoreFolder();
        const lithora::commands::ImportRequest request{file.toStdString(), statusProgress(ctx_),
                                                       [this, las] { view_.importBegun(las); }};
        outcome = read(ctx_.workspace, request);
        if (outcome.ok()) view_.importFinished(las);
    }
    if (outcome.ok()) {
        ctx_.status("Ready");
        // The file was read, but the user should know how (data lines that did not fit).
        if (!outcome.warnings.empty()) {
            QStringList texts;
            for (const auto& w : outcome.warnings) texts << QString::fromStdString(w);
            ctx_.message(QMessageBox::Warning, texts.join('\n'));
        }
        return;
    }
    // "Error reading file." says what; the line below it says which file, and why.
    const QString text = QString::fromStdString(
        outcome.detail.empty() ? outcome.message : outcome.message + "\n" + outcome.detail);
    if (outcome.status == Status::NothingRead) {
        // No column file at all: nothing changed, the commands stay as they were.
        ctx_.status("Error reading file.");
        ctx_.message(QMessageBox::Warning, text);
        return;
    }
    view_.importFailed();
    ctx_.status("Ready");
    ctx_.message(QMessageBox::Critical, text);
}
