#include "gui/print/print_controller.h"

#include <QMessageBox>
#include <QTableView>

#include "core/workspace/workspace.h"
#include "gui/display/track_panel.h"
#include "gui/print/chart_print_page.h"
#include "gui/print/column_configuration.h"
#include "gui/print/table_print.h"
#include "gui/widgets/dialog_seam.h"

PrintController::PrintController(PrintContext context, QObject* parent)
    : QObject(parent), c_(std::move(context)) {}

bool PrintController::sourceEmpty() const {
    if (!c_.workspace) return true;
    const auto& source = c_.workspace->source();
    return !source.isOpen() || source.isEmpty();
}

void PrintController::restoreFolder() {
    if (c_.makeProgramFolderCurrent) c_.makeProgramFolderCurrent();
}

void PrintController::printTracks() {
    if (sourceEmpty() || !c_.tracks) return;
    const auto& source = c_.workspace->source();
    TChartPrintP::Tracks t;
    t.panel = c_.tracks;
    // Source track slot i shows source field i + 1 (after "Rec" and the depth field).
    for (int slot = 1; slot <= c_.tracks->sourceTrackCount(); ++slot)
        t.sourceLabels << (slot + 1 < source.fieldCount()
                               ? QString::fromStdString(source.field(slot + 1).label())
                               : QString());
    const auto& elastic = c_.workspace->elastic();
    t.elasticHasRecords = elastic.isOpen() && !elastic.isEmpty();
    t.depthTitle = c_.depthTitle ? c_.depthTitle() : QString();
    t.folder = c_.programFolder;
    TChartPrintP window(
        std::move(t), c_.seam(), [this] { restoreFolder(); }, c_.parent);
    c_.seam().exec(window);
    restoreFolder();
}

void PrintController::printTable() {
    if (sourceEmpty()) return;
    TTablePrint::Source s;
    s.grid = c_.grid;
    s.table = [ws = c_.workspace](int choice) -> lithora::store::Table* {
        switch (choice) {
            case 0:
                return &ws->source();
            case 1:
                return &ws->elastic();
            case 2:
                return &ws->litholog();
            default:
                return nullptr;
        }
    };
    s.attachTableScroll = c_.attachTableScroll;
    s.detachTableScroll = c_.detachTableScroll;
    s.restoreFolder = [this] { restoreFolder(); };
    std::unique_ptr<TTablePrint> window;
    try {
        window = std::make_unique<TTablePrint>(std::move(s), c_.seam(), c_.parent);
    } catch (const std::exception&) {
        c_.seam().message(c_.parent, QMessageBox::Critical, QStringLiteral("Lithora"),
                          QStringLiteral("There is no default PRINTER installed on this computer."),
                          QMessageBox::Ok);
        return;
    }
    c_.seam().exec(*window);
    window.reset();
    restoreFolder();
}

void PrintController::configureColumns() {
    if (!c_.workspace || !c_.workspace->loaded() || !c_.grid) return;
    QTableView* grid = c_.grid(0);
    if (!grid) return;
    TColumnConfiguration dialog(c_.workspace->source(), *grid, c_.parent);
    c_.seam().exec(dialog);
}
