#include "gui/app/calculation_page.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include "core/compute/elastic.h"
#include "gui/app/about_page.h"
#include "gui/app/instance_lock.h"
#include "gui/app/pictures.h"
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
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/table_grid.h"

namespace {

constexpr int kWindowWidth = 1025;
constexpr int kWindowHeight = 737;
constexpr int kPageWidth = 1001;
constexpr int kPageHeight = 610;
constexpr int kTablePageWidth = 1000;
constexpr int kTablePageIndex = 0;
constexpr int kGraphPageIndex = 1;

}  // namespace

TCalculationForm::TCalculationForm(const QString& programFolder, std::unique_ptr<DialogSeam> seam,
                                   std::unique_ptr<QLockFile> lock, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(QDir::cleanPath(QDir(programFolder).absolutePath())),
      seam_(seam ? std::move(seam) : std::make_unique<DialogSeam>()),
      workspace_(std::make_unique<lithora::workspace::Workspace>(
          std::filesystem::path(programFolder_.toStdString()))) {
    setObjectName(QStringLiteral("CalculationForm"));
    setWindowTitle(QStringLiteral("Lithora"));
    setWindowIcon(pictures::programIcon());
    setFont(layoutFont("MS Sans Serif", 8, false));

    commands_ = new CommandTable(this);
    createPages();
    trackPanel_ = std::make_unique<TrackPanel>(graphPage_, programFolder_);
    TrackCommands::Context trackContext;
    trackContext.panel = trackPanel_.get();
    trackContext.window = this;
    trackContext.seam = [this]() -> DialogSeam& { return *seam_; };
    trackContext.programFolder = programFolder_;
    trackContext.depthTitle = [this] { return depthAxisTitle(); };
    trackContext.restoreFolder = [this] { makeProgramFolderCurrent(); };
    trackCommands_ = std::make_unique<TrackCommands>(std::move(trackContext));
    createLithologAndFilter();

    statusPanel_ = new QLabel(this);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel"));
    // 250 pixels, wider where a text needs more, so that no status text is cut short.
    statusPanel_->setMinimumWidth(250);
    statusPanel_->setFrameShape(QFrame::Panel);
    statusPanel_->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(statusPanel_);

    resize(kWindowWidth, kWindowHeight);
    setMinimumSize(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(std::move(lock));
}

TCalculationForm::~TCalculationForm() {
    // The tracks, views and models follow the workspace's tables: they go first.
    elasticCorrelations_.reset();
    trackCommands_.reset();
    trackPanel_.reset();
    tablePage_->detachGrids();
    detachTableScroll();
    delete takeCentralWidget();
}

void TCalculationForm::FormCreate(std::unique_ptr<QLockFile> lock) {
    makeProgramFolderCurrent();

    lock_ = std::move(lock);
    if (!lock_) {
        InstanceLockResult result = InstanceLockResult::Unavailable;
        lock_ = lockProgramFolder(programFolder_, &result);
        if (result == InstanceLockResult::HeldByOther) {
            message(QMessageBox::Warning, QString::fromLatin1(kAlreadyRunningMessage));
            disableDataCommands();
            return;
        }
        // A folder where no lock file can be made (read-only media) still runs; the tables
        // say themselves whether they can be opened there.
    }

    try {
        workspace_->openShippedTables();
    } catch (const std::exception& e) {
        message(QMessageBox::Critical,
                QStringLiteral("The tables in the program folder cannot be opened:\n%1\n\n%2\n\n"
                               "Lithora cannot work without them and will close.")
                    .arg(QDir::toNativeSeparators(programFolder_), QString::fromUtf8(e.what())));
        disableDataCommands();
        return;
    }
    tablePageHeight_ = kPageHeight;
    // The elastic grid has its columns once its table is open: widths that show each title.
    tablePage_->elasticGrid()->applyColumnWidths();
    lithologPanel_->workspaceEmptied();  // shows the intervals "Litholog.db" kept
    lithologPanel_->offerKeptIntervals();
    bindCommands();
    setStatusText(QStringLiteral("Ready"));
    disableDataCommands();
    ready_ = true;
}

// Each command the program has is bound here to the handler that owns it; the others stay
// disabled.
void TCalculationForm::bindCommands() {
    CommandTable& c = *commands_;
    createControllers();
    c.bind(QStringLiteral("ASCIIfile1"), [this] { runImport(&ImportController::ASCIIfile1Click); });
    c.bind(QStringLiteral("Lasfilez1"), [this] { runImport(&ImportController::Lasfilez1Click); });
    c.bind(QStringLiteral("Open21"), [this] { runImport(&ImportController::Open21Click); });
    c.bind(QStringLiteral("Lapse1"), [this] { lapseController_->Lapse1Click(); });
    c.bind(QStringLiteral("Emptytable1"), [this] { Emptytable1Click(); });
    c.bind(QStringLiteral("Savetable1"), [this] { saveController_->Savetable1Click(); });
    c.bind(QStringLiteral("Exit1"), [this] { Exit1Click(); });
    c.bind(QStringLiteral("Elasticparameters1"),
           [this] { elasticController_->Elasticparameters1Click(); });
    c.bind(QStringLiteral("N3"), [this] { crossPlotsController_->N3Click(); });
    c.bind(QStringLiteral("About2"), [this] { About2Click(); });
    c.bind(QStringLiteral("Printtracks1"), [this] { printController_->Printtracks1Click(); });
    c.bind(QStringLiteral("Printtable1"), [this] { printController_->Printtable1Click(); });
    c.bind(QStringLiteral("ColumnsConfiguration"), [this] { printController_->sButton3Click(); });
    c.bind(QStringLiteral("Find1"), [this] { filterController_->Find1Click(); });
    c.bind(QStringLiteral("Filter1"), [this] { filterController_->Filter1Click(); });
    c.bind(QStringLiteral("UndoFilter1"), [this] { filterController_->UndoFilter1Click(); });
    c.bind(QStringLiteral("Correlationcoefficients1"),
           [this] { correlationController_->Correlationcoefficients1Click(); });
    c.bind(QStringLiteral("ElasticCorrelations1"),
           [this] { elasticCorrelations_->ElasticCorrelations1Click(); });

    // The page buttons run their commands whatever the menu state; a button whose command
    // does not exist yet is greyed.
    auto button = [this](QPushButton* b, const QString& name) {
        b->setEnabled(commands_->isBound(name));
        connect(b, &QPushButton::clicked, this, [this, name] { commands_->run(name); });
    };
    button(tablePage_->filterButton(), QStringLiteral("Filter1"));
    button(tablePage_->undoFilterButton(), QStringLiteral("UndoFilter1"));
    button(tablePage_->columnsButton(), QStringLiteral("ColumnsConfiguration"));
}

void TCalculationForm::createLithologAndFilter() {
    auto seam = [this]() -> DialogSeam& { return *seam_; };
    LithologContext l;
    l.workspace = workspace_.get();
    l.seam = seam;
    l.programFolder = programFolder_;
    l.makeProgramFolderCurrent = [this] { return makeProgramFolderCurrent(); };
    l.page = graphPage_;
    lithologPanel_ = std::make_unique<LithologPanel>(l);
    setLithologSaver(
        [this] { return lithologPanel_->Button2Click() && lithologPanel_->Button4Click(); });

    FilterContext f;
    f.workspace = workspace_.get();
    f.seam = seam;
    f.setStatus = [this](const QString& text) {
        setStatusText(text);
        statusBar()->repaint();
    };
    f.startBox = tablePage_->filterLowBox();
    f.stopBox = tablePage_->filterHighBox();
    f.detachTableScroll = [this] { detachTableScroll(); };
    f.attachTableScroll = [this] { attachTableScroll(); };
    f.rescaleTracks = [this](int count) {
        for (int slot = 1; slot <= count; ++slot) trackPanel_->rescaleTrack(slot);
    };
    f.redrawLitholog = [this] { lithologPanel_->redraw(); };
    f.parent = this;
    filterController_ = std::make_unique<FilterController>(f);
}

void TCalculationForm::runImport(void (ImportController::*command)()) {
    if (workspace_->loaded() && !workspace_->clearStaleSource()) {
        // A second file is read only into an empty workspace.
        setStatusText(QStringLiteral("Empty the table first (File > Empty Table)."));
        return;
    }
    (importController_->*command)();
}

void TCalculationForm::createControllers() {
    if (importController_) return;
    CommandContext ctx = context();
    importController_ = new ImportController(ctx, *this, this);
    elasticController_ = new ElasticController(ctx, *this, this);
    crossPlotsController_ = new CrossPlotsController(ctx, this);
    createCorrelationCommands();
    lapseController_ = new LapseController(ctx, this);
    saveController_ = new SaveController(
        ctx,
        [this] {
            // A memo line the user left as imported is written with the file's own bytes;
            // an edited one as the text the user sees.
            const auto& info = workspace_->importInfo();
            std::vector<std::string> lines;
            const QStringList shown = tablePage()->memo()->toPlainText().split('\n');
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
        this);
    createPrintController();
}

void TCalculationForm::createPrintController() {
    PrintContext p;
    p.workspace = workspace_.get();
    p.seam = [this]() -> DialogSeam& { return *seam_; };
    p.parent = this;
    p.programFolder = programFolder_;
    p.tracks = trackPanel_.get();
    p.depthTitle = [this] { return depthAxisTitle(); };
    p.grid = [this](int choice) -> QTableView* {
        if (choice == 0) return tablePage_->sourceGrid();
        if (choice == 1) return tablePage_->elasticGrid();
        return lithologPanel_ ? lithologPanel_->grid() : nullptr;
    };
    p.attachTableScroll = [this] { attachTableScroll(); };
    p.detachTableScroll = [this] { detachTableScroll(); };
    p.makeProgramFolderCurrent = [this] { return makeProgramFolderCurrent(); };
    printController_ = new PrintController(std::move(p), this);
}

// The depth axis title of the printed and zoomed track copies: the depth field's label.
QString TCalculationForm::depthAxisTitle() const {
    const auto& source = workspace_->source();
    return source.isOpen() && source.fieldCount() > 1
               ? QString::fromStdString(source.field(1).label())
               : QString();
}

void TCalculationForm::createCorrelationCommands() {
    CorrelationPage page;
    page.referenceCaption = tablePage_->referenceCaption();
    page.referenceNameCaption = tablePage_->referenceNameCaption();
    page.newRows = [this](bool elastic) { return tablePage_->newCorrelationRows(elastic); };
    page.clearRows = [this] { tablePage_->clearCorrelationRows(); };
    page.pageHeight = [this] { return tablePageHeight_; };
    page.showTablePage = [this](int height) {
        tablePageHeight_ = height;
        showTablePage();
    };
    page.detachTableScroll = [this] { detachTableScroll(); };
    page.attachTableScroll = [this] { attachTableScroll(); };
    correlationController_ = new CorrelationController(context(), std::move(page), this);

    ElasticCorrelationContext e;
    e.source = &workspace_->source();
    e.elastic = &workspace_->elastic();
    e.roles = [this] { return workspace_->roles(); };
    e.seam = [this]() -> DialogSeam& { return *seam_; };
    e.programFolder = programFolder_;
    e.depthTitle = [this] { return depthAxisTitle(); };
    e.restoreFolder = [this] { makeProgramFolderCurrent(); };
    e.window = this;
    elasticCorrelations_ = std::make_unique<ElasticCorrelations>(std::move(e));
}

CommandContext TCalculationForm::context() {
    return {*workspace_, *seam_, this,
            [this](const QString& text) {
                setStatusText(text);
                statusBar()->repaint();
            },
            [this] { return makeProgramFolderCurrent(); }};
}

void TCalculationForm::setDialogSeam(std::unique_ptr<DialogSeam> seam) {
    seam_ = seam ? std::move(seam) : std::make_unique<DialogSeam>();
}

QMessageBox::StandardButton TCalculationForm::message(QMessageBox::Icon icon, const QString& text,
                                                      QMessageBox::StandardButtons buttons) {
    return seam_->message(this, icon, QStringLiteral("Lithora"), text, buttons);
}

bool TCalculationForm::makeProgramFolderCurrent() {
    if (QDir::setCurrent(programFolder_)) return true;
    message(QMessageBox::Warning, QStringLiteral("Cannot find directory"));
    return false;
}

void TCalculationForm::setStatusText(const QString& text) {
    statusBar()->clearMessage();
    statusPanel_->setText(text);
    // Shown at once: the commands that set it go on working without returning to the loop.
    statusPanel_->repaint();
}

QString TCalculationForm::statusText() const {
    return statusPanel_->text();
}

// ---- pages ----------------------------------------------------------------------------

void TCalculationForm::createPages() {
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("ScrollBox"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    pageHolder_ = new QWidget;
    pageHolder_->setObjectName(QStringLiteral("PageHolder"));
    PageControl1_ = new PageControl(pageHolder_);
    PageControl1_->setObjectName(QStringLiteral("PageControl1"));
    tablePage_ = new TablePage(*workspace_);
    graphPage_ = new GraphPage;
    PageControl1_->addTab(tablePage_, QStringLiteral("Table"));
    PageControl1_->addTab(graphPage_, QStringLiteral("Graph"));
    setPageControlSize(kPageWidth, kPageHeight);
    scrollArea_->setWidget(pageHolder_);
    setCentralWidget(scrollArea_);
    connect(PageControl1_, &QTabWidget::currentChanged, this,
            &TCalculationForm::PageControl1Change);
}

void TCalculationForm::setPageControlSize(int width, int height) {
    PageControl1_->resize(width, height);
    pageHolder_->resize(width, height);
}

void TCalculationForm::resetScrollPositions() {
    scrollArea_->horizontalScrollBar()->setValue(0);
    scrollArea_->verticalScrollBar()->setValue(0);
}

void TCalculationForm::PageControl1Change(int index) {
    if (index == kGraphPageIndex) {
        const auto& elastic = workspace_->elastic();
        setPageControlSize(trackPanel_->graphPageWidth(elastic.isOpen() && !elastic.isEmpty(),
                                                       PageControl1_->width()),
                           kPageHeight);
    } else if (index == kTablePageIndex) {
        setPageControlSize(kTablePageWidth, tablePageHeight_);
    }
    resetScrollPositions();
}

void TCalculationForm::showTablePage() {
    // Switching pages sizes them; the page may be showing already, so size it here too.
    PageControl1_->setCurrentIndex(kTablePageIndex);
    setPageControlSize(kTablePageWidth, tablePageHeight_);
    resetScrollPositions();
}

void TCalculationForm::showImportBegun(bool las) {
    enableDataCommands();
    setStatusText(QStringLiteral("Reading file data, please wait..."));
    trackPanel_->begin();
    tablePage_->showImportControls(las);
    repaint();
}

void TCalculationForm::showImportedWorkspace(bool las) {
    detachTableScroll();
    auto& source = workspace_->source();
    source.disableControls();
    trackPanel_->buildSourceTracks(source);
    tablePageHeight_ = kPageHeight;
    showTablePage();
    tablePage_->showImport(*workspace_, las);
    trackPanel_->rescaleAll();
    lithologPanel_->logLoaded();
    source.enableControls();
    attachTableScroll();
    setStatusText(QStringLiteral("Ready"));
}

void TCalculationForm::showFailedImport() {
    auto& source = workspace_->source();
    if (source.controlsDisabled()) source.enableControls();
    showEmptyWorkspace();
}

void TCalculationForm::showEmptyWorkspace() {
    trackPanel_->removeAll();
    tablePage_->clear();
    lithologPanel_->workspaceEmptied();
    // The correlation rows are gone, so the Table page takes its first height again.
    tablePageHeight_ = kPageHeight;
    showTablePage();
    disableDataCommands();
    attachTableScroll();
    setStatusText(QStringLiteral("Ready"));
}

// ---- grids ----------------------------------------------------------------------------

void TCalculationForm::attachTableScroll() {
    workspace_->source().setAfterScroll([this] { TableScroll(); });
}

void TCalculationForm::detachTableScroll() {
    if (workspace_) workspace_->source().clearAfterScroll();
}

void TCalculationForm::TableScroll() {
    auto& source = workspace_->source();
    auto& elastic = workspace_->elastic();
    if (!source.isOpen() || !elastic.isOpen() || elastic.isEmpty()) return;
    const int row = source.currentRow();
    if (row < 0 || source.fieldCount() < 2 || source.cellIsNull(row, 1)) return;
    const int depth =
        elastic.findField(lithora::compute::kElasticFieldNames[lithora::compute::kDepth]);
    if (depth < 0) return;
    try {
        elastic.locate(depth, source.cellFloat(row, 1));
    } catch (const std::exception&) {
        // Keeping the grids on one depth is a convenience; a table that refuses to move
        // simply stays where it is.
    }
}

// ---- handlers -------------------------------------------------------------------------

void TCalculationForm::Emptytable1Click() {
    if (!ready_ || !workspace_->loaded()) return;
    trackPanel_->removeAll();
    tablePage_->clearCorrelationRows();
    try {
        workspace_->emptyTable();
    } catch (const std::exception& e) {
        message(QMessageBox::Critical, QString::fromUtf8(e.what()));
        return;
    }
    showEmptyWorkspace();
}

void TCalculationForm::Exit1Click() {
    close();
}

void TCalculationForm::About2Click() {
    TAboutForm about(this);
    seam_->exec(about);
}

void TCalculationForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TCalculationForm::FormCloseQuery() {
    // A window that never started (another copy runs, or its tables did not open) leaves the
    // folder's tables alone.
    if (!ready_) return true;
    const auto& elastic = workspace_->elastic();
    // Records hidden by a depth filter count too: none may be lost unasked.
    if (elastic.isOpen() && elastic.totalRecordCount() > 0) {
        const auto answer = message(
            QMessageBox::Information,
            QStringLiteral("Elastic table is not empty. Do you want to save it before exit?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes && !saveController_->Savetable1Click()) return false;
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) return false;
    }
    bool keepLitholog = false;
    if (!askLithologAtExit(keepLitholog)) return false;

    trackPanel_->removeAll();
    tablePage_->detachGrids();
    detachTableScroll();
    // Intervals that could not be saved to a file stay in their table for the next start.
    if (keepLitholog) workspace_->litholog().close();
    workspace_->exitCleanup();
    // The work tables are closed and gone: nothing is left to ask about or to clean up.
    ready_ = false;
    return true;
}

// The litholog question at exit; false when the window is to stay open.
bool TCalculationForm::askLithologAtExit(bool& keepLitholog) {
    const auto& litholog = workspace_->litholog();
    if (!litholog.isOpen() || litholog.totalRecordCount() == 0) return true;
    if (!lithologSaver_) {
        const auto answer =
            message(QMessageBox::Information,
                    QStringLiteral("LithoLog table has changed. This version cannot save it to a "
                                   "file; its intervals are kept in the program folder for the "
                                   "next start.\n\nExit now?"),
                    QMessageBox::Yes | QMessageBox::No);
        keepLitholog = answer == QMessageBox::Yes;
        return keepLitholog;
    }
    const auto answer =
        message(QMessageBox::Information,
                QStringLiteral("LithoLog table has changed. Do you want to save it before exit?"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) return lithologSaver_();
    return answer == QMessageBox::No;
}

void TCalculationForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The window grows but never shrinks: its size becomes its minimum. A maximised window
    // keeps the minimum of its normal size so that it can be restored.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setMinimumSize(minimumSize().expandedTo(size()));
}
