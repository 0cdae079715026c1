#pragma once
#include <QLockFile>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "core/workspace/workspace.h"
#include "gui/app/command_table.h"
#include "gui/app/graph_page.h"
#include "gui/app/subsystems.h"
#include "gui/app/table_page.h"
#include "gui/widgets/command_context.h"
#include "gui/widgets/dialog_seam.h"

class QLabel;
class QScrollArea;
class PageControl;
class TrackPanel;

// The main window: menus, tool bar, the "Table" and "Graph" pages, the status bar and the
// command states. It owns the workspace of the one well for the whole run and the set of
// subsystems (see Subsystems), whose controllers hold the commands and are bound to the menu
// items by their CommandId (see CommandTable).
//
// Creating the window makes the program folder current, takes the folder's single-copy
// lock and opens the shipped tables. When another copy runs from the folder, or the shipped
// tables cannot be opened, it says so and ready() is false: the program then ends without
// touching the folder's tables.
class TCalculationForm : public QMainWindow {
    Q_OBJECT
  public:
    // lock: the program folder's lock when the caller took it already; null to take it here.
    TCalculationForm(const QString& programFolder, std::unique_ptr<DialogSeam> seam,
                     std::unique_ptr<QLockFile> lock = nullptr, QWidget* parent = nullptr);
    ~TCalculationForm() override;

    bool ready() const { return ready_; }
    const QString& programFolder() const { return programFolder_; }
    lithora::workspace::Workspace& workspace() { return *workspace_; }
    // What a subsystem's commands are built with.
    CommandContext context();

    DialogSeam& seam() { return *seam_; }
    void setDialogSeam(std::unique_ptr<DialogSeam> seam);
    // A message box through the seam, titled with the program's name.
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // Makes the program folder current again; on failure shows "Cannot find directory"
    // (warning, OK) and returns false.
    bool makeProgramFolderCurrent();

    // The subsystems' controllers and panels.
    Subsystems& subsystems() const { return *subsystems_; }

    // Commands by their ids; a command is bound to its handler with commands().bind(id, ...),
    // and stays disabled until it is.
    CommandTable& commands() { return *commands_; }
    QAction* action(CommandId id) const { return commands_->action(id); }
    QList<QAction*> dataCommands() const { return commands_->dataCommands(); }
    void enableDataCommands() { commands_->setDataCommandsEnabled(true); }
    void disableDataCommands() { commands_->setDataCommandsEnabled(false); }
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

    // What the commands of the subsystems ask of the window.
    // An import has its file: the data commands on, the reading text shown, new tracks.
    void showImportBegun(bool las);
    // An import is complete: grids, tracks, summary, header and depth range shown.
    void showImportedWorkspace(bool las);
    // An import failed: nothing of it stays visible, the commands are as on an empty
    // workspace and the status bar reads "Ready".
    void showFailedImport();
    // The "Table" page at width 1000 and its height, both scroll positions 0 (after the
    // elastic parameters are computed, whichever page was showing).
    void showTablePage();
    // The window as an empty workspace shows it (Empty Table).
    void showEmptyWorkspace();

    // The source table's after-scroll handler keeps the elastic grid on the source depth.
    void attachTableScroll();
    void detachTableScroll();

  public slots:
    // File.
    void emptyTable();
    void exitProgram();
    // About.
    void showAbout();

    void TableScroll();
    void pageChanged(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;    // FormCloseQuery
    void resizeEvent(QResizeEvent* event) override;  // FormCanResize

  private:
    void createPages();
    void FormCreate(std::unique_ptr<QLockFile> lock);
    bool FormCloseQuery();

    QString programFolder_;
    std::unique_ptr<DialogSeam> seam_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<lithora::workspace::Workspace> workspace_;
    // Declared after the workspace so that the tracks go before the tables they show.
    std::unique_ptr<TrackPanel> trackPanel_;
    std::unique_ptr<Subsystems> subsystems_;
    bool ready_ = false;
    std::function<bool()> lithologSaver_;

    CommandTable* commands_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QWidget* pageHolder_ = nullptr;
    PageControl* pages_ = nullptr;
    TablePage* tablePage_ = nullptr;
    GraphPage* graphPage_ = nullptr;
    int tablePageHeight_ = 610;
};
