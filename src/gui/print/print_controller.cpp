#include "gui/print/print_controller.h"

#include <QMessageBox>
#include <QTableView>

#include "core/workspace/workspace.h"
#include "gui/display/track_panel.h"
#include "gui/print/chart_print_page.h"
#include "gui/print/column_configuration.h"
#include "gui/print/table_print.h"
#include "gui/widgets/dialog_seam.h"

PrintController::PrintController(ShellServices& shell, TrackPanel* tracks,
                                 std::function<QTableView*(int choice)> grid, QObject* parent)
    : QObject(parent), shell_(shell), tracks_(tracks), grid_(std::move(grid)) {}

bool PrintController::sourceEmpty() const {
    const auto& source = shell_.workspace().source();
    return !source.isOpen() || source.isEmpty();
}

void PrintController::restoreFolder() {
    shell_.restoreFolder();
}

void PrintController::printTracks() {
    if (sourceEmpty() || !tracks_) return;
    const auto& source = shell_.workspace().source();
    TChartPrintP::Tracks t;
    t.panel = tracks_;
    // Source track slot i shows source field i + 1 (after "Rec" and the depth field).
    for (int slot = 1; slot <= tracks_->sourceTrackCount(); ++slot)
        t.sourceLabels << (slot + 1 < source.fieldCount()
                               ? QString::fromStdString(source.field(slot + 1).label())
                               : QString());
    const auto& elastic = shell_.workspace().elastic();
    t.elasticHasRecords = elastic.isOpen() && !elastic.isEmpty();
    t.depthTitle = QString::fromStdString(shell_.workspace().depthLabel());
    t.folder = shell_.programFolder();
    TChartPrintP window(
        std::move(t), shell_.seam(), [this] { restoreFolder(); }, shell_.dialogParent());
    shell_.seam().exec(window);
    restoreFolder();
}

void PrintController::printTable() {
    if (sourceEmpty()) return;
    TTablePrint::Source s;
    s.grid = grid_;
    s.table = [ws = &shell_.workspace()](int choice) -> lithora::store::Table* {
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
    s.attachTableScroll = [this] { shell_.followSourceRow(true); };
    s.detachTableScroll = [this] { shell_.followSourceRow(false); };
    s.restoreFolder = [this] { restoreFolder(); };
    std::unique_ptr<TTablePrint> window;
    try {
        window = std::make_unique<TTablePrint>(std::move(s), shell_.seam(), shell_.dialogParent());
    } catch (const std::exception&) {
        shell_.message(QMessageBox::Critical,
                       QStringLiteral("There is no default PRINTER installed on this computer."));
        return;
    }
    shell_.seam().exec(*window);
    window.reset();
    restoreFolder();
}

void PrintController::configureColumns() {
    if (!shell_.workspace().loaded() || !grid_) return;
    QTableView* grid = grid_(0);
    if (!grid) return;
    TColumnConfiguration dialog(shell_.workspace().source(), *grid, shell_.dialogParent());
    shell_.seam().exec(dialog);
}

void PrintSubsystem::registerCommands(ShellServices& shell) {
    controller_ = new PrintController(shell, tracks_, grid_, owner_);
    auto loaded = [&shell] { return shell.workspace().loaded(); };
    shell.addCommand({CommandId::PrintTracks, loaded, [this] { controller_->printTracks(); }});
    shell.addCommand({CommandId::PrintTable, loaded, [this] { controller_->printTable(); }});
    shell.addCommand(
        {CommandId::ConfigureColumns, {}, [this] { controller_->configureColumns(); }});
}
