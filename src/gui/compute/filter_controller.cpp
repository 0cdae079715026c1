#include "gui/compute/filter_controller.h"

#include <QApplication>

#include "core/commands/depth_filter.h"
#include "gui/compute/search_page.h"
#include "gui/widgets/number_box.h"

namespace commands = lithora::commands;

FilterController::FilterController(ShellServices& shell, NumberBox* startBox, NumberBox* stopBox,
                                   QObject* parent)
    : QObject(parent), shell_(shell), startBox_(startBox), stopBox_(stopBox) {}

void FilterController::run(const QString& status,
                           const std::function<lithora::commands::FilterRun()>& change) {
    shell_.setStatus(status);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    shell_.followSourceRow(false);
    const lithora::commands::FilterRun run = change();
    shell_.followSourceRow(true);
    QApplication::restoreOverrideCursor();
    shell_.setStatus(QStringLiteral("Ready"));
    if (!run.message.empty())
        shell_.message(QMessageBox::Warning, QString::fromStdString(run.message));
}

void FilterController::applyFilter() {
    auto& ws = shell_.workspace();
    if (!commands::canFilterOrFind(ws)) return;
    const auto start = startBox_->value();
    const auto stop = stopBox_->value();
    const std::string invalid = commands::checkFilterBounds(start, stop);
    if (!invalid.empty()) {
        shell_.message(QMessageBox::Critical, QString::fromStdString(invalid));
        return;
    }
    run(QStringLiteral("Applying filter, please wait..."),
        [&] { return commands::applyFilter(ws, *start, *stop); });
}

void FilterController::undoFilter() {
    auto& ws = shell_.workspace();
    if (!commands::canUndoFilter(ws)) return;
    run(QStringLiteral("Undoing filter, please wait..."), [&] { return commands::undoFilter(ws); });
}

void FilterController::findDepth() {
    auto& ws = shell_.workspace();
    if (!commands::canFilterOrFind(ws)) return;
    // A Search window already open comes to the front instead of another on top of it.
    for (const auto& open : searchPages_) {
        if (open && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto* page = new TSearchPage(
        ws, [this]() -> DialogSeam& { return shell_.seam(); }, shell_.dialogParent());
    searchPages_.push_back(page);
    page->show();
}
