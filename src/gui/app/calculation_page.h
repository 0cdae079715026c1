#pragma once
#include <QLockFile>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <array>
#include <memory>

#include "core/workspace/workspace.h"
#include "gui/widgets/dialog_seam.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class NumberBox;
class PageControl;
class TableGrid;
class TrackPanel;

// The main window: menus, tool bar, the "Table" and "Graph" pages and the status bar. It
// owns the workspace of the one well for the whole run and starts every command. The data
// commands are enabled only while a workspace is loaded (or an import has begun).
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

    DialogSeam& seam() { return *seam_; }
    void setDialogSeam(std::unique_ptr<DialogSeam> seam);
    // A message box through the seam, titled with the program's name.
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // Makes the program folder current again; on failure shows "Cannot find directory"
    // (warning, OK) and returns false.
    bool makeProgramFolderCurrent();

    // Commands. Names are the menu items' object names ("Lasfilez1", "Exit1", "Open1" for
    // the Open submenu, ...).
    QAction* action(const QString& name) const;
    // Empty Table, Save Table, Print Table, Print Tracks, Find, Filter, Undo Filter, Elastic
    // Correlations, Elastic Parameters, Correlation Coefficients.
    QList<QAction*> dataCommands() const;
    void enableDataCommands();
    void disableDataCommands();

    // The first panel of the status bar.
    void setStatusText(const QString& text);
    QString statusText() const;

    // Table page.
    TableGrid* sourceGrid() const { return sourceGrid_; }
    TableGrid* elasticGrid() const { return elasticGrid_; }
    // Colours, fonts and widths of the source grid after an import: the LAS style, or the
    // style of an ASCII import (index column coloured like the curves). Also gives the
    // elastic grid's depth column the title of the source grid's depth column.
    void styleSourceGrid(bool lasStyle);
    QLabel* sourceCaption() const { return sourceCaption_; }
    QLabel* elasticCaption() const { return elasticCaption_; }
    QLabel* headerCaption() const { return headerCaption_; }
    QPlainTextEdit* memo() const { return Memo1_; }
    NumberBox* filterLowBox() const { return filterLow_; }
    NumberBox* filterHighBox() const { return filterHigh_; }
    enum SummaryBox { Records, Tracks, Start, Stop, Interval };
    QLineEdit* summaryBox(SummaryBox which) const { return summary_[which]; }
    void showSummary(const lithora::workspace::Summary& summary);
    void clearSummary();
    QLabel* correlationCaption() const { return CCVrLabel_; }
    QLabel* referenceCaption() const { return VrLabel10_; }  // "Reference:"
    QLabel* referenceNameCaption() const { return VrLabelSourceCC_; }
    // A new transparent container on the Table page for one run's correlation rows (source
    // rows or elastic rows); it replaces the previous container of that kind.
    QWidget* newCorrelationRows(bool elastic);
    void clearCorrelationRows();

    // Pages.
    PageControl* pageControl() const { return PageControl1_; }
    QWidget* tablePage() const { return tablePage_; }
    QWidget* graphPage() const { return graphPage_; }
    // The tracks of the Graph page.
    TrackPanel* trackPanel() const { return trackPanel_.get(); }
    QScrollArea* scrollArea() const { return scrollArea_; }
    void setPageControlSize(int width, int height);
    void resetScrollPositions();
    int tablePageHeight() const { return tablePageHeight_; }
    void setTablePageHeight(int height) { tablePageHeight_ = height; }
    // Graph page: the litholog chart's place and the litholog column picture.
    QFrame* lithologChartArea() const { return lithologChartArea_; }
    QLabel* lithologImage() const { return Image1_; }
    void paintLithologWhite();

    // The source table's after-scroll handler keeps the elastic grid on the source depth.
    void attachTableScroll();
    void detachTableScroll();

  public slots:
    // File.
    void ASCIIfile1Click();
    void Lasfilez1Click();
    void Open21Click();
    void Emptytable1Click();
    // Save Table. True when the table was written; the close query keeps the window open
    // when it was not, so choosing to save before exit never loses the table.
    bool Savetable1Click();
    void Printtracks1Click();
    void Printtable1Click();
    void Exit1Click();
    // Edit.
    void Find1Click();
    void Filter1Click();
    void UndoFilter1Click();
    // View.
    void ElasticCorrelations1Click();
    void Lapse1Click();
    void N3Click();
    // Calculation.
    void Elasticparameters1Click();
    void Correlationcoefficients1Click();
    // About.
    void About2Click();
    // Table page.
    void ColumnsConfigurationClick();
    // Litholog "Save Table" and "Save Litholog"; true when written.
    bool Button2Click();
    bool Button4Click();

    void TableScroll();
    void PageControl1Change(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;    // FormCloseQuery
    void resizeEvent(QResizeEvent* event) override;  // FormCanResize

  private:
    // The shared steps of the two readers.
    void prepareImport(bool las);
    void finishImport(lithora::import::ImportResult&& result, bool las);
    void importFailed();

    void createCommands();
    void createMenus();
    void createToolBar();
    void createPages();
    void createTablePage();
    void createGraphPage();
    void styleElasticGrid();
    void FormCreate(std::unique_ptr<QLockFile> lock);
    bool FormCloseQuery();
    void removeAllTracks();
    QAction* addCommand(const QString& name, const QString& text, const QKeySequence& shortcut,
                        const QString& hint);

    QString programFolder_;
    std::unique_ptr<DialogSeam> seam_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<lithora::workspace::Workspace> workspace_;
    // Declared after the workspace so that the tracks go before the tables they show.
    std::unique_ptr<TrackPanel> trackPanel_;
    bool ready_ = false;

    QMap<QString, QAction*> actions_;
    QMenu* Open1_ = nullptr;
    QLabel* statusPanel_ = nullptr;

    QScrollArea* scrollArea_ = nullptr;
    QWidget* pageHolder_ = nullptr;
    PageControl* PageControl1_ = nullptr;
    QWidget* tablePage_ = nullptr;
    QWidget* graphPage_ = nullptr;
    int tablePageHeight_ = 610;

    QLabel* sourceCaption_ = nullptr;
    QPushButton* columnsButton_ = nullptr;
    TableGrid* sourceGrid_ = nullptr;
    QPushButton* filterButton_ = nullptr;
    QPushButton* undoFilterButton_ = nullptr;
    NumberBox* filterLow_ = nullptr;
    NumberBox* filterHigh_ = nullptr;
    QLabel* elasticCaption_ = nullptr;
    TableGrid* elasticGrid_ = nullptr;
    std::array<QLabel*, 5> summaryCaptions_{};
    std::array<QLineEdit*, 5> summary_{};
    QLabel* headerCaption_ = nullptr;
    QPlainTextEdit* Memo1_ = nullptr;
    QLabel* CCVrLabel_ = nullptr;
    QLabel* VrLabel10_ = nullptr;
    QLabel* VrLabelSourceCC_ = nullptr;
    QWidget* sourceRows_ = nullptr;
    QWidget* elasticRows_ = nullptr;

    QLabel* lithologCaption_ = nullptr;
    QFrame* lithologChartArea_ = nullptr;
    QFrame* lithologFrame_ = nullptr;
    QLabel* Image1_ = nullptr;
};
