#pragma once
#include <QAbstractTableModel>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>
#include <map>
#include <optional>

#include "core/chart/depth_rows.h"
#include "core/export/litholog.h"
#include "core/workspace/workspace.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/shell_services.h"

class DepthScale;
class QFontMetrics;
class QFrame;
class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

// A depth label inside the lithology column: every digit when it fits width, otherwise rounded
// to fewer decimals until it does, so that no label is cut short.
QString columnDepthText(double value, const QFontMetrics& metrics, int width);

// The grid's view of the litholog: "Top Depth" (read-only), "Bottom Depth", "Lithology".
// Edits go to the panel, which checks them in the litholog model.
class LithologGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    LithologGridModel(const lithora::exporter::LithologModel& model,
                      std::function<bool(int row, int column, const QString& text)> edit,
                      QObject* parent = nullptr);
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    const lithora::exporter::LithologModel& model_;
    std::function<bool(int, int, const QString&)> edit_;
    int rows_ = 0;
};

// The litholog of the Graph page: the grid of intervals with its lithology drop-down list, the
// navigator, the buttons "New Table", "Open  Table", "Save Table" (the .llg file) and "Save
// Litholog" (the column as a bitmap), the depth scale and the column image (40 x 484) drawn
// with the pattern bitmaps.
// The intervals and their rules live in a LithologModel; "Litholog.db" keeps every complete
// interval as soon as it is entered.
class LithologPanel : public QObject {
    Q_OBJECT
  public:
    // page: the Graph page the panel's controls are placed on. The panel follows the
    // workspace: an import sets its depth range, Empty Table its intervals, a filter the
    // depth window it draws.
    LithologPanel(ShellServices& shell, QWidget* page, QObject* parent = nullptr);
    ~LithologPanel() override;

    const lithora::exporter::LithologModel& model() const { return model_; }
    QTableView* grid() const { return grid_; }
    DepthScale* depthScale() const { return depthScale_; }
    // Places the column (and its frame and depth scale) on the page rows where the tracks
    // beside it draw the depths of its window, given the rows of two depths of theirs; the
    // column is drawn again at that height. The Save Litholog bitmap has the column's height.
    void lineUpWith(double depth1, int row1, double depth2, int row2);
    QLabel* columnImage() const { return columnImage_; }
    // What Save Litholog writes: the column, below the page header when the program gives one.
    QImage savedBitmap() const;
    const QImage& column() const { return column_; }
    QPushButton* button(const QString& name) const;           // "New Table", "Open  Table", ...
    QToolButton* navigatorButton(const QString& name) const;  // "First" ... "Delete"

    // A log was imported: the depth range, the depth scale and its title.
    void logLoaded();
    // The workspace was emptied, or its tables opened: the intervals "Litholog.db" holds
    // (none after Empty Table), a white column.
    void workspaceEmptied();
    // At start: intervals left in "Litholog.db" mean the last run ended without its clean-up
    // (a clean exit empties it). Says how many were kept and offers to save them as a
    // litholog file.
    void offerKeptIntervals();
    // Paints the column white and draws every interval over the depth window shown.
    void redraw();

    // The depth cursor of the tracks beside the column: a line across the column at that
    // depth; none, or a depth outside the window, shows no line.
    void showCursor(std::optional<double> depth);
    QFrame* cursorLine() const { return cursorLine_; }

    // Takes the intervals of a session in place of those shown, with the checks a litholog
    // file gets (against the loaded log); they count as saved work, the session holds them.
    // The message of the first interval refused (those above it are kept), empty when all
    // were taken.
    QString restoreIntervals(const std::vector<lithora::exporter::LithologInterval>& intervals);
    // Editing as the grid does it; false (after the message) when the edit is refused.
    bool typeBottom(int row, const QString& text);
    bool chooseLithology(int row, const QString& name);

  signals:
    // The mouse over the column: the depth there and where it is (on the screen); none
    // when it leaves the column.
    void cursorMoved(std::optional<double> depth, QPoint at);

  public slots:
    void startNewLitholog();    // New Table
    void openLithologFile();    // Open  Table
    bool saveLithologFile();    // Save Table: true when written
    bool saveLithologBitmap();  // Save Litholog: true when written
    void runNavigatorButton(const QString& button);
    // The depths the tracks beside the column show (the wheel scrolled or zoomed them): the
    // column draws the same part of the well. The whole window again after a filter, an
    // import or Empty Table.
    void showDepthSpan(double top, double bottom);

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void createControls();
    bool sourceEmpty();
    void alignDepthScale();
    void error(const QString& text, QMessageBox::Icon icon = QMessageBox::Critical);
    void information(const QString& text);
    bool store();
    void showModel(int focusRow, int focusColumn);
    int completeIntervals() const;
    const QImage* pattern(const std::string& name);
    void drawWindowLabels(class QPainter& painter);
    lithora::chart::DepthWindow window() const;

    ShellServices& shell_;
    QWidget* page_;
    // The part of the depth window the tracks show; none: all of it.
    std::optional<std::pair<double, double>> shownSpan_;
    lithora::store::Subscription changes_;
    lithora::exporter::LithologModel model_;
    QTableView* grid_ = nullptr;
    LithologGridModel* gridModel_ = nullptr;
    DepthScale* depthScale_ = nullptr;
    QFrame* frame_ = nullptr;
    QLabel* columnImage_ = nullptr;
    QFrame* cursorLine_ = nullptr;
    QImage column_;
    std::map<QString, QPushButton*> buttons_;
    std::map<QString, QToolButton*> navigator_;
    std::map<std::string, QImage> patterns_;
    QSet<QString> warnedPatterns_;
};
