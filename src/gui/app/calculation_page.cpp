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
#include "gui/app/exit_questions.h"
#include "gui/app/instance_lock.h"
#include "gui/app/pictures.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
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
    subsystems_ = std::make_unique<Subsystems>(*this);

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
    subsystems_->releaseTrackViews();
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
    subsystems_->lithologPanel()->workspaceEmptied();  // shows the intervals "Litholog.db" kept
    subsystems_->lithologPanel()->offerKeptIntervals();
    subsystems_->bindCommands();
    setStatusText(QStringLiteral("Ready"));
    disableDataCommands();
    ready_ = true;
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
}

void TCalculationForm::setPageControlSize(int width, int height) {
    pages_->resize(width, height);
    pageHolder_->resize(width, height);
}

void TCalculationForm::resetScrollPositions() {
    scrollArea_->horizontalScrollBar()->setValue(0);
    scrollArea_->verticalScrollBar()->setValue(0);
}

void TCalculationForm::pageChanged(int index) {
    if (index == kGraphPageIndex) {
        const auto& elastic = workspace_->elastic();
        setPageControlSize(
            trackPanel_->graphPageWidth(elastic.isOpen() && !elastic.isEmpty(), pages_->width()),
            kPageHeight);
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
    subsystems_->lithologPanel()->logLoaded();
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
    subsystems_->lithologPanel()->workspaceEmptied();
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

void TCalculationForm::emptyTable() {
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
    const auto saveElastic = [this] { return subsystems_->saveController()->saveTable(); };
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

void TCalculationForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The window grows but never shrinks: its size becomes its minimum. A maximised window
    // keeps the minimum of its normal size so that it can be restored.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setMinimumSize(minimumSize().expandedTo(size()));
}
