#pragma once
#include <QLockFile>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "core/store/subscription.h"
#include "core/workspace/workspace.h"
#include "gui/app/command_table.h"
#include "gui/app/graph_page.h"
#include "gui/app/table_page.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/shell_services.h"

class ComputeSubsystem;
class QSettings;
class SessionController;
class CrossPlotSubsystem;
class DisplaySubsystem;
class ExportSubsystem;
class ImportSubsystem;
class PrintSubsystem;
class RockPhysicsSubsystem;
class TimeLapseSubsystem;
class QLabel;
class QScrollArea;
class PageControl;
class TrackPanel;

// The main window: menus, tool bar, the "Table" and "Graph" pages, the status bar and the
// command states. It owns the workspace of the one well for the whole run and one Subsystem
// per folder of the program, each of which registers its commands by their CommandId (see
// CommandTable) and is served through ShellServices; the window itself runs only Empty
// Table, Exit and About. The pages follow the workspace's change reports.
//
// Creating the window makes the program folder current, takes the folder's single-copy
// lock and opens the shipped tables. When another copy runs from the folder, or the shipped
// tables cannot be opened, it says so and ready() is false: the program then ends without
// touching the folder's tables.
class TCalculationForm : public QMainWindow, public ShellServices {
    Q_OBJECT
  public:
    // lock: the program folder's lock when the caller took it already; null to take it here.
    TCalculationForm(const QString& programFolder, std::unique_ptr<DialogSeam> seam,
                     std::unique_ptr<QLockFile> lock = nullptr, QWidget* parent = nullptr);
    ~TCalculationForm() override;

    bool ready() const { return ready_; }
    // ShellServices.
    QString programFolder() const override { return programFolder_; }
    lithora::workspace::Workspace& workspace() override { return *workspace_; }
    DialogSeam& seam() override { return *seam_; }
    QWidget* dialogParent() override { return this; }
    void setStatus(const QString& text) override;
    void showProgress(const QString& text) override;
    bool restoreFolder() override { return makeProgramFolderCurrent(); }
    void followSourceRow(bool on) override;
    void addCommand(Command command) override;

    void setDialogSeam(std::unique_ptr<DialogSeam> seam);
    using ShellServices::message;

    // Makes the program folder current again; on failure shows "Cannot find directory"
    // (warning, OK) and returns false.
    bool makeProgramFolderCurrent();

    // The subsystems, one per folder of the program.
    ImportSubsystem& importSubsystem() const { return *import_; }
    ComputeSubsystem& computeSubsystem() const { return *compute_; }
    ExportSubsystem& exportSubsystem() const { return *export_; }
    PrintSubsystem& printSubsystem() const { return *print_; }
    CrossPlotSubsystem& crossPlotSubsystem() const { return *crossPlot_; }
    TimeLapseSubsystem& timeLapseSubsystem() const { return *timeLapse_; }
    DisplaySubsystem& displaySubsystem() const { return *display_; }
    RockPhysicsSubsystem& rockPhysicsSubsystem() const { return *rockPhysics_; }

    // Commands by their ids, as the subsystems registered them; a command nobody registered
    // stays disabled.
    CommandTable& commands() { return *commands_; }
    QAction* action(CommandId id) const { return commands_->action(id); }
    QList<QAction*> dataCommands() const { return commands_->dataCommands(); }
    // Litholog "Save Table" then "Save Litholog", asked for at exit; true when both wrote
    // their files. Without it the exit question says that the litholog cannot be saved.
    void setLithologSaver(std::function<bool()> save) { lithologSaver_ = std::move(save); }

    // The first panel of the status bar.
    void setStatusText(const QString& text);
    QString statusText() const;

    // Pages.
    PageControl* pageControl() const { return pages_; }
    TablePage* tablePage() const { return tablePage_; }
    GraphPage* graphPage() const { return graphPage_; }
    TrackPanel* trackPanel() const { return trackPanel_.get(); }
    QScrollArea* scrollArea() const { return scrollArea_; }
    void setPageControlSize(int width, int height);
    void resetScrollPositions();
    int tablePageHeight() const { return tablePageHeight_; }
    void setTablePageHeight(int height) { tablePageHeight_ = height; }

    // The "Table" page at width 1000 and its height, both scroll positions 0 (after the
    // elastic parameters are computed, whichever page was showing).
    void showTablePage();

    // The source table's after-scroll handler keeps the elastic grid on the source depth.
    void attachTableScroll();
    void detachTableScroll();

    // File > Save Session, Open Session and the Recent list; null when the window did not
    // start.
    SessionController* sessionController() const { return session_; }
    // Where the Recent list is kept (without, it lives as long as the window).
    void useSettings(std::unique_ptr<QSettings> settings);
    // What work no file holds would be lost with the loaded well ("The elastic parameters have
    // not been saved."); empty when none.
    QString unsavedWork() const;

    // Empty Table without its question (the caller asked already); true when the workspace
    // is empty afterwards.
    bool emptyLoadedWell();

  public slots:
    // File.
    void emptyTable();
    void exitProgram();
    // About.
    void showAbout();

    void TableScroll();
    // The Graph page as wide as its tracks need.
    void sizeGraphPage();
    // A click on a track at a depth: the grids show the record of that depth.
    void showRecordAtDepth(double depth);
    void pageChanged(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;  // FormCloseQuery
    // A LAS or ASCII file (or a session) dropped on the window is opened as its command would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // What the window shows of each change of the workspace.
    void workspaceChanged(lithora::workspace::Change change);
    // An import is complete: grids, tracks, summary, header and depth range shown.
    void showImportedWorkspace();
    // The window as an empty workspace shows it (Empty Table).
    void showEmptyWorkspace();
    // New elastic results: their tracks, and the Table page that shows them.
    void showElasticResults();
    // A filter or its undo: the tracks fit their value axes to the records now shown.
    void fitTracksToWindow();
    void createSubsystems();
    void createPageButtons();
    void createPages();
    void FormCreate(std::unique_ptr<QLockFile> lock);
    bool FormCloseQuery();

    QString programFolder_;
    std::unique_ptr<DialogSeam> seam_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<lithora::workspace::Workspace> workspace_;
    // Declared after the workspace so that the tracks go before the tables they show.
    std::unique_ptr<TrackPanel> trackPanel_;
    std::unique_ptr<ImportSubsystem> import_;
    std::unique_ptr<ComputeSubsystem> compute_;
    std::unique_ptr<ExportSubsystem> export_;
    std::unique_ptr<PrintSubsystem> print_;
    std::unique_ptr<CrossPlotSubsystem> crossPlot_;
    std::unique_ptr<TimeLapseSubsystem> timeLapse_;
    std::unique_ptr<DisplaySubsystem> display_;
    std::unique_ptr<RockPhysicsSubsystem> rockPhysics_;
    lithora::store::Subscription workspaceChanges_;
    bool ready_ = false;
    std::function<bool()> lithologSaver_;
    SessionController* session_ = nullptr;  // a child of the window

    CommandTable* commands_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QWidget* pageHolder_ = nullptr;
    PageControl* pages_ = nullptr;
    TablePage* tablePage_ = nullptr;
    GraphPage* graphPage_ = nullptr;
    int tablePageHeight_ = 610;
};
