#include "gui/app/calculation_page.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>

#include "core/commands/empty_table.h"
#include "core/commands/page_header.h"
#include "core/compute/elastic.h"
#include "gui/app/about_page.h"
#include "gui/app/display_subsystem.h"
#include "gui/app/exit_questions.h"
#include "gui/app/instance_lock.h"
#include "gui/app/pictures.h"
#include "gui/app/session_controller.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/crossplot/cross_plots_controller.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_cursor.h"
#include "gui/display/depth_navigation.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/import/import_controller.h"
#include "gui/print/print_controller.h"
#include "gui/rockphysics/rock_physics_subsystem.h"
#include "gui/timelapse/lapse_controller.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/page_header.h"
#include "gui/widgets/table_grid.h"

namespace {

constexpr int kWindowWidth = 1025;
constexpr int kWindowHeight = 737;
constexpr int kPageWidth = 1001;
constexpr int kPageHeight = 610;
constexpr int kTablePageWidth = 1000;
constexpr int kTablePageIndex = 0;
constexpr int kGraphPageIndex = 1;
// The tracks of the elastic parameters, after the source tracks.
constexpr int kElasticTrackCount = 13;

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
    // What is printed or exported names the loaded well, the depths shown and the date.
    setPageHeaderSource([this] {
        return QString::fromStdString(
            lithora::commands::pageHeader(*workspace_, pageHeaderDate().toStdString()));
    });

    commands_ = new CommandTable(this);
    createPages();
    trackPanel_ = std::make_unique<TrackPanel>(graphPage_, programFolder_);
    // The window follows the workspace before any subsystem does: a subsystem's window sees
    // the pages as the change left them.
    workspaceChanges_ = workspace_->subscribe(
        [this](lithora::workspace::Change change) { workspaceChanged(change); });
    createSubsystems();

    statusPanel_ = new QLabel(this);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel"));
    // 250 pixels, wider where a text needs more, so that no status text is cut short.
    statusPanel_->setMinimumWidth(250);
    statusPanel_->setFrameShape(QFrame::Panel);
    statusPanel_->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(statusPanel_);

    // Any size from the first one up: the first size, which holds every page, is the minimum,
    // and the window can be made larger and smaller again.
    resize(kWindowWidth, kWindowHeight);
    setMinimumSize(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(std::move(lock));
}

TCalculationForm::~TCalculationForm() {
    setPageHeaderSource({});
    // The tracks, views and models follow the workspace's tables: they go first.
    display_->releaseTrackViews();
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
        return;
    }
    tablePageHeight_ = kPageHeight;
    // The elastic grid has its columns once its table is open: widths that show each title.
    tablePage_->elasticGrid()->applyColumnWidths();
    export_->showKeptLitholog();
    for (Subsystem* s : std::initializer_list<Subsystem*>{
             import_.get(), compute_.get(), export_.get(), print_.get(), crossPlot_.get(),
             timeLapse_.get(), display_.get(), rockPhysics_.get()})
        s->registerCommands(*this);
    addCommand(
        {CommandId::EmptyTable, [this] { return workspace_->loaded(); }, [this] { emptyTable(); }});
    addCommand({CommandId::Exit, {}, [this] { exitProgram(); }});
    addCommand({CommandId::About, {}, [this] { showAbout(); }});
    session_ = new SessionController(*this);
    session_->registerCommands();
    setAcceptDrops(true);
    createPageButtons();
    setStatusText(QStringLiteral("Ready"));
    ready_ = true;
    commands_->refresh(ready_);
}

void TCalculationForm::createSubsystems() {
    import_ = std::make_unique<ImportSubsystem>(this);
    CorrelationPage page;
    TablePage* table = tablePage_;
    page.referenceCaption = table->referenceCaption();
    page.referenceNameCaption = table->referenceNameCaption();
    page.newRows = [table](bool elastic) { return table->newCorrelationRows(elastic); };
    page.clearRows = [table] { table->clearCorrelationRows(); };
    page.pageHeight = [this] { return tablePageHeight_; };
    page.showTablePage = [this](int height) {
        tablePageHeight_ = height;
        showTablePage();
    };
    compute_ = std::make_unique<ComputeSubsystem>(this, table->filterLowBox(),
                                                  table->filterHighBox(), std::move(page));
    export_ = std::make_unique<ExportSubsystem>(
        *this, graphPage_, [table] { return table->memo()->toPlainText(); }, this);
    lithologSaver_ = [this] { return export_->saveLitholog(); };
    // The litholog column stands on the rows where the tracks beside it draw the same depths.
    connect(trackPanel_.get(), &TrackPanel::plotRowsChanged, export_->lithologPanel(),
            &LithologPanel::lineUpWith);
    // The column shows the depths the wheel scrolled or zoomed the tracks to, on their rows.
    connect(trackPanel_->row()->navigation(), &DepthNavigation::shownChanged,
            export_->lithologPanel(), &LithologPanel::showDepthSpan);
    connect(trackPanel_->row()->navigation(), &DepthNavigation::shownChanged, trackPanel_.get(),
            &TrackPanel::reportPlotRows);
    // One depth cursor for the tracks and the litholog column beside them.
    DepthCursor* cursor = trackPanel_->row()->cursor();
    connect(cursor, &DepthCursor::depthPicked, this, &TCalculationForm::showRecordAtDepth);
    connect(cursor, &DepthCursor::moved, export_->lithologPanel(), &LithologPanel::showCursor);
    connect(export_->lithologPanel(), &LithologPanel::cursorMoved, cursor, &DepthCursor::setDepth);
    // Tracks hidden or widened on the Graph page change the room the page needs.
    connect(trackPanel_.get(), &TrackPanel::arrangementChanged, this, [this] {
        if (pages_->currentIndex() == kGraphPageIndex) sizeGraphPage();
    });
    print_ = std::make_unique<PrintSubsystem>(
        trackPanel_.get(),
        [this](int choice) -> QTableView* {
            if (choice == 0) return tablePage_->sourceGrid();
            if (choice == 1) return tablePage_->elasticGrid();
            return export_->lithologPanel()->grid();
        },
        this);
    crossPlot_ = std::make_unique<CrossPlotSubsystem>(this);
    timeLapse_ = std::make_unique<TimeLapseSubsystem>(this);
    display_ = std::make_unique<DisplaySubsystem>(*this, *trackPanel_);
    rockPhysics_ = std::make_unique<RockPhysicsSubsystem>(
        [this]() -> std::optional<lithora::commands::ElasticRequest> {
            const ElasticController* elastic = compute_->elasticController();
            return elastic ? elastic->lastRequest() : std::nullopt;
        });
}

// The page buttons run their commands whatever the menu state; a button whose command does
// not exist is greyed.
void TCalculationForm::createPageButtons() {
    auto button = [this](QPushButton* b, CommandId id) {
        b->setEnabled(commands_->isBound(id));
        connect(b, &QPushButton::clicked, this, [this, id] { commands_->run(id); });
    };
    button(tablePage_->filterButton(), CommandId::ApplyFilter);
    button(tablePage_->undoFilterButton(), CommandId::UndoFilter);
    button(tablePage_->columnsButton(), CommandId::ConfigureColumns);
}

void TCalculationForm::setStatus(const QString& text) {
    setStatusText(text);
    statusBar()->repaint();
}

void TCalculationForm::showProgress(const QString& text) {
    setStatus(text);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TCalculationForm::followSourceRow(bool on) {
    if (on)
        attachTableScroll();
    else
        detachTableScroll();
}

void TCalculationForm::addCommand(Command command) {
    commands_->add(std::move(command));
}

void TCalculationForm::setDialogSeam(std::unique_ptr<DialogSeam> seam) {
    seam_ = seam ? std::move(seam) : std::make_unique<DialogSeam>();
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
    pages_ = new PageControl(pageHolder_);
    pages_->setObjectName(QStringLiteral("pages"));
    tablePage_ = new TablePage(*workspace_);
    graphPage_ = new GraphPage;
    pages_->addTab(tablePage_, QStringLiteral("Table"));
    pages_->addTab(graphPage_, QStringLiteral("Graph"));
    setPageControlSize(kPageWidth, kPageHeight);
    scrollArea_->setWidget(pageHolder_);
    setCentralWidget(scrollArea_);
    connect(pages_, &QTabWidget::currentChanged, this, &TCalculationForm::pageChanged);
    // The tabs stay in view however far the wide Graph page is scrolled.
    connect(scrollArea_->horizontalScrollBar(), &QScrollBar::valueChanged, pages_,
            &PageControl::setTabOffset);
}

void TCalculationForm::setPageControlSize(int width, int height) {
    pages_->resize(width, height);
    pageHolder_->resize(width, height);
}

void TCalculationForm::resetScrollPositions() {
    scrollArea_->horizontalScrollBar()->setValue(0);
    scrollArea_->verticalScrollBar()->setValue(0);
}

void TCalculationForm::sizeGraphPage() {
    const auto& elastic = workspace_->elastic();
    setPageControlSize(
        trackPanel_->graphPageWidth(elastic.isOpen() && !elastic.isEmpty(), pages_->width()),
        kPageHeight);
}

void TCalculationForm::pageChanged(int index) {
    if (index == kGraphPageIndex) {
        sizeGraphPage();
    } else if (index == kTablePageIndex) {
        setPageControlSize(kTablePageWidth, tablePageHeight_);
    }
    resetScrollPositions();
}

void TCalculationForm::showTablePage() {
    // Switching pages sizes them; the page may be showing already, so size it here too.
    pages_->setCurrentIndex(kTablePageIndex);
    setPageControlSize(kTablePageWidth, tablePageHeight_);
    resetScrollPositions();
}

void TCalculationForm::workspaceChanged(lithora::workspace::Change change) {
    using Change = lithora::workspace::Change;
    switch (change) {
        case Change::Imported:
            showImportedWorkspace();
            break;
        case Change::Emptied:
            showEmptyWorkspace();
            break;
        case Change::ElasticComputed:
            showElasticResults();
            break;
        case Change::DepthWindowChanged:
            fitTracksToWindow();
            break;
        case Change::LithologChanged:
            break;
    }
    commands_->refresh(ready_);
}

void TCalculationForm::showImportedWorkspace() {
    const bool las = workspace_->importInfo().lasSource;
    trackPanel_->begin();
    tablePage_->showImportControls(las);
    detachTableScroll();
    auto& source = workspace_->source();
    source.disableControls();
    trackPanel_->buildSourceTracks(source);
    tablePageHeight_ = kPageHeight;
    showTablePage();
    tablePage_->showImport(*workspace_, las);
    trackPanel_->rescaleAll();
    source.enableControls();
    attachTableScroll();
    setStatusText(QStringLiteral("Ready"));
}

// The tracks are made once the table is filled, so a curve name that is no field leaves the
// earlier results and their tracks as they were; they read the finished table once, when
// they are bound. The Table page shows the result, whichever page was showing.
void TCalculationForm::showElasticResults() {
    trackPanel_->buildElasticTracks(workspace_->elastic());
    showTablePage();
    trackPanel_->bindElasticTracks();
}

void TCalculationForm::fitTracksToWindow() {
    const auto& elastic = workspace_->elastic();
    const bool elasticShown = elastic.isOpen() && elastic.totalRecordCount() > 0;
    const int count = workspace_->sourceTrackCount() + (elasticShown ? kElasticTrackCount : 0);
    for (int slot = 1; slot <= count; ++slot) trackPanel_->rescaleTrack(slot);
}

void TCalculationForm::showEmptyWorkspace() {
    trackPanel_->removeAll();
    tablePage_->clear();
    // The correlation rows are gone, so the Table page takes its first height again.
    tablePageHeight_ = kPageHeight;
    showTablePage();
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
    const int depthField = workspace_->sourceDepthField();
    if (row < 0 || source.fieldCount() <= depthField || source.cellIsNull(row, depthField)) return;
    const int depth =
        elastic.findField(lithora::compute::kElasticFieldNames[lithora::compute::kDepth]);
    if (depth < 0) return;
    try {
        elastic.locate(depth, source.cellFloat(row, depthField));
    } catch (const std::exception&) {
        // Keeping the grids on one depth is a convenience; a table that refuses to move
        // simply stays where it is.
    }
}

void TCalculationForm::showRecordAtDepth(double depth) {
    auto& source = workspace_->source();
    if (!source.isOpen() || source.fieldCount() <= workspace_->sourceDepthField()) return;
    try {
        // The depth is that of a sample the track drew from this table: one record has it.
        source.locate(workspace_->sourceDepthField(), depth);
    } catch (const std::exception&) {
        // A table that refuses to move (a record being edited) stays where it is.
    }
}

// ---- handlers -------------------------------------------------------------------------

void TCalculationForm::emptyTable() {
    if (!ready_ || !workspace_->loaded()) return;
    // Work no file holds is lost only when the user says so.
    const QString what = unsavedWork();
    if (!what.isEmpty() &&
        message(QMessageBox::Warning, what + QStringLiteral(" Empty the table all the same?"),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    emptyLoadedWell();
}

QString TCalculationForm::unsavedWork() const {
    const bool elastic = workspace_->elasticUnsaved(), litholog = workspace_->lithologUnsaved();
    if (elastic && litholog)
        return QStringLiteral("The elastic parameters and the litholog have not been saved.");
    if (elastic) return QStringLiteral("The elastic parameters have not been saved.");
    if (litholog) return QStringLiteral("The litholog has not been saved.");
    return {};
}

void TCalculationForm::useSettings(std::unique_ptr<QSettings> settings) {
    if (session_) session_->useSettings(std::move(settings));
}

void TCalculationForm::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (ready_ && data && data->hasUrls() && !data->urls().isEmpty() &&
        data->urls().front().isLocalFile())
        event->acceptProposedAction();
}

void TCalculationForm::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!ready_ || !session_ || !data || !data->hasUrls()) return;
    QStringList files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // The questions an import may ask wait until the drag has ended.
    QMetaObject::invokeMethod(
        this,
        [this, files] {
            if (files.size() > 1) {
                message(QMessageBox::Information,
                        QStringLiteral("One well is read at a time: drop a single file."));
                return;
            }
            session_->openDroppedFile(files.front());
        },
        Qt::QueuedConnection);
}

bool TCalculationForm::emptyLoadedWell() {
    if (!ready_ || !workspace_->loaded()) return true;
    trackPanel_->removeAll();
    tablePage_->clearCorrelationRows();
    // The window shows the empty workspace when the workspace reports it emptied.
    try {
        lithora::commands::emptyTable(*workspace_);
    } catch (const std::exception& e) {
        message(QMessageBox::Critical, QString::fromUtf8(e.what()));
        return false;
    }
    return !workspace_->loaded();
}

void TCalculationForm::exitProgram() {
    close();
}

void TCalculationForm::showAbout() {
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
    bool keepLitholog = false;
    const auto saveElastic = [this] { return export_->saveController()->saveTable(); };
    if (!askExitQuestions(*this, saveElastic, lithologSaver_, keepLitholog)) return false;

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
