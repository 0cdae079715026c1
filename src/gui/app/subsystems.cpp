#include "gui/app/subsystems.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include "gui/app/calculation_page.h"
#include "gui/compute/correlation_controller.h"
#include "gui/compute/filter_controller.h"
#include "gui/crossplot/cross_plots_controller.h"
#include "gui/display/elastic_correlations.h"
#include "gui/display/track_commands.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/print/print_controller.h"
#include "gui/timelapse/lapse_controller.h"
#include "gui/widgets/table_grid.h"

Subsystems::Subsystems(TCalculationForm& form) : form_(form) {
    createTrackCommands();
    createLithologAndFilter();
}

Subsystems::~Subsystems() = default;

void Subsystems::releaseTrackViews() {
    elasticCorrelations_.reset();
    trackCommands_.reset();
}

void Subsystems::createTrackCommands() {
    TrackCommands::Context c;
    c.panel = form_.trackPanel();
    c.window = &form_;
    c.seam = [this]() -> DialogSeam& { return form_.seam(); };
    c.programFolder = form_.programFolder();
    c.depthTitle = [this] { return depthAxisTitle(); };
    c.restoreFolder = [this] { form_.makeProgramFolderCurrent(); };
    trackCommands_ = std::make_unique<TrackCommands>(std::move(c));
}

void Subsystems::createLithologAndFilter() {
    auto seam = [this]() -> DialogSeam& { return form_.seam(); };
    LithologContext l;
    l.workspace = &form_.workspace();
    l.seam = seam;
    l.programFolder = form_.programFolder();
    l.makeProgramFolderCurrent = [this] { return form_.makeProgramFolderCurrent(); };
    l.page = form_.graphPage();
    lithologPanel_ = std::make_unique<LithologPanel>(l);
    form_.setLithologSaver([this] {
        return lithologPanel_->saveLithologFile() && lithologPanel_->saveLithologBitmap();
    });

    FilterContext f;
    f.workspace = &form_.workspace();
    f.seam = seam;
    f.setStatus = [this](const QString& text) {
        form_.setStatusText(text);
        form_.statusBar()->repaint();
    };
    f.startBox = form_.tablePage()->filterLowBox();
    f.stopBox = form_.tablePage()->filterHighBox();
    f.detachTableScroll = [this] { form_.detachTableScroll(); };
    f.attachTableScroll = [this] { form_.attachTableScroll(); };
    f.rescaleTracks = [this](int count) {
        for (int slot = 1; slot <= count; ++slot) form_.trackPanel()->rescaleTrack(slot);
    };
    f.redrawLitholog = [this] { lithologPanel_->redraw(); };
    f.parent = &form_;
    filterController_ = std::make_unique<FilterController>(f);
}

void Subsystems::bindCommands() {
    if (importController_) return;
    const CommandContext ctx = form_.context();
    importController_ = new ImportController(ctx, *this, &form_);
    elasticController_ = new ElasticController(ctx, *this, &form_);
    crossPlotsController_ = new CrossPlotsController(ctx, &form_);
    createCorrelationCommands();
    lapseController_ = new LapseController(ctx, &form_);
    saveController_ = new SaveController(
        ctx,
        [this] {
            // A memo line the user left as imported is written with the file's own bytes;
            // an edited one as the text the user sees.
            const auto& info = form_.workspace().importInfo();
            std::vector<std::string> lines;
            const QStringList shown = form_.tablePage()->memo()->toPlainText().split('\n');
            for (qsizetype i = 0; i < shown.size(); ++i) {
                std::string text = shown[i].toStdString();
                const auto k = static_cast<std::size_t>(i);
                if (k < info.headerLines.size() && k < info.headerBytes.size() &&
                    text == info.headerLines[k])
                    text = info.headerBytes[k];
                lines.push_back(std::move(text));
            }
            return lines;
        },
        &form_);
    createPrintController();

    CommandTable& c = form_.commands();
    c.bind(CommandId::ImportAscii, [this] { runImport(&ImportController::importAscii); });
    c.bind(CommandId::ImportLas, [this] { runImport(&ImportController::importLas); });
    c.bind(CommandId::MergeFiles, [this] { runImport(&ImportController::mergeLasFiles); });
    c.bind(CommandId::TimeLapse, [this] { lapseController_->showTimeLapse(); });
    c.bind(CommandId::EmptyTable, [this] { form_.emptyTable(); });
    c.bind(CommandId::SaveTable, [this] { saveController_->saveTable(); });
    c.bind(CommandId::Exit, [this] { form_.exitProgram(); });
    c.bind(CommandId::ElasticParameters,
           [this] { elasticController_->computeElasticParameters(); });
    c.bind(CommandId::CrossPlots, [this] { crossPlotsController_->showCrossPlots(); });
    c.bind(CommandId::About, [this] { form_.showAbout(); });
    c.bind(CommandId::PrintTracks, [this] { printController_->printTracks(); });
    c.bind(CommandId::PrintTable, [this] { printController_->printTable(); });
    c.bind(CommandId::ConfigureColumns, [this] { printController_->configureColumns(); });
    c.bind(CommandId::FindDepth, [this] { filterController_->findDepth(); });
    c.bind(CommandId::ApplyFilter, [this] { filterController_->applyFilter(); });
    c.bind(CommandId::UndoFilter, [this] { filterController_->undoFilter(); });
    c.bind(CommandId::CorrelationCoefficients,
           [this] { correlationController_->computeCorrelations(); });
    c.bind(CommandId::ElasticCorrelations,
           [this] { elasticCorrelations_->showElasticCorrelations(); });

    // The page buttons run their commands whatever the menu state; a button whose command
    // does not exist yet is greyed.
    auto button = [this, &c](QPushButton* b, CommandId id) {
        b->setEnabled(c.isBound(id));
        QObject::connect(b, &QPushButton::clicked, &form_,
                         [this, id] { form_.commands().run(id); });
    };
    TablePage* page = form_.tablePage();
    button(page->filterButton(), CommandId::ApplyFilter);
    button(page->undoFilterButton(), CommandId::UndoFilter);
    button(page->columnsButton(), CommandId::ConfigureColumns);
}

void Subsystems::runImport(void (ImportController::*command)()) {
    auto& ws = form_.workspace();
    if (ws.loaded() && !ws.clearStaleSource()) {
        // A second file is read only into an empty workspace.
        form_.setStatusText(QStringLiteral("Empty the table first (File > Empty Table)."));
        return;
    }
    (importController_->*command)();
}

void Subsystems::createPrintController() {
    PrintContext p;
    p.workspace = &form_.workspace();
    p.seam = [this]() -> DialogSeam& { return form_.seam(); };
    p.parent = &form_;
    p.programFolder = form_.programFolder();
    p.tracks = form_.trackPanel();
    p.depthTitle = [this] { return depthAxisTitle(); };
    p.grid = [this](int choice) -> QTableView* {
        if (choice == 0) return form_.tablePage()->sourceGrid();
        if (choice == 1) return form_.tablePage()->elasticGrid();
        return lithologPanel_ ? lithologPanel_->grid() : nullptr;
    };
    p.attachTableScroll = [this] { form_.attachTableScroll(); };
    p.detachTableScroll = [this] { form_.detachTableScroll(); };
    p.makeProgramFolderCurrent = [this] { return form_.makeProgramFolderCurrent(); };
    printController_ = new PrintController(std::move(p), &form_);
}

QString Subsystems::depthAxisTitle() const {
    const auto& source = form_.workspace().source();
    return source.isOpen() && source.fieldCount() > 1
               ? QString::fromStdString(source.field(1).label())
               : QString();
}

void Subsystems::createCorrelationCommands() {
    TablePage* table = form_.tablePage();
    CorrelationPage page;
    page.referenceCaption = table->referenceCaption();
    page.referenceNameCaption = table->referenceNameCaption();
    page.newRows = [table](bool elastic) { return table->newCorrelationRows(elastic); };
    page.clearRows = [table] { table->clearCorrelationRows(); };
    page.pageHeight = [this] { return form_.tablePageHeight(); };
    page.showTablePage = [this](int height) {
        form_.setTablePageHeight(height);
        form_.showTablePage();
    };
    page.detachTableScroll = [this] { form_.detachTableScroll(); };
    page.attachTableScroll = [this] { form_.attachTableScroll(); };
    correlationController_ = new CorrelationController(form_.context(), std::move(page), &form_);

    auto& ws = form_.workspace();
    ElasticCorrelationContext e;
    e.source = &ws.source();
    e.elastic = &ws.elastic();
    e.roles = [&ws] { return ws.roles(); };
    e.seam = [this]() -> DialogSeam& { return form_.seam(); };
    e.programFolder = form_.programFolder();
    e.depthTitle = [this] { return depthAxisTitle(); };
    e.restoreFolder = [this] { form_.makeProgramFolderCurrent(); };
    e.window = &form_;
    elasticCorrelations_ = std::make_unique<ElasticCorrelations>(std::move(e));
}

// ---- what the window shows of the data commands -----------------------------------------

void Subsystems::importBegun(bool las) {
    form_.showImportBegun(las);
}

void Subsystems::importFinished(bool las) {
    form_.showImportedWorkspace(las);
}

void Subsystems::importFailed() {
    form_.showFailedImport();
}

void Subsystems::elasticBegun() {
    form_.detachTableScroll();
}

// The tracks are made once the table is filled, so a curve name that is no field leaves the
// earlier results and their tracks as they were; they read the finished table once, when
// they are bound. The Table page shows the result, whichever page was showing.
void Subsystems::elasticComputed() {
    form_.trackPanel()->buildElasticTracks(form_.workspace().elastic());
    form_.showTablePage();
    form_.trackPanel()->bindElasticTracks();
}

void Subsystems::elasticEnded() {
    form_.attachTableScroll();
}
