#pragma once
#include <QString>
#include <QWidget>
#include <array>

#include "core/workspace/workspace.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class NumberBox;
class SummaryBox;
class TableGrid;

// The "Table" page of the main window: the source and elastic grids, the filter bounds,
// the import summary, the LAS header memo and the correlation captions. It shows what the
// workspace holds; the commands that change the workspace live elsewhere.
class TablePage : public QWidget {
    Q_OBJECT
  public:
    TablePage(lithora::workspace::Workspace& workspace, QWidget* parent = nullptr);
    ~TablePage() override;

    TableGrid* sourceGrid() const { return sourceGrid_; }
    TableGrid* elasticGrid() const { return elasticGrid_; }
    QLabel* sourceCaption() const { return sourceCaption_; }
    QLabel* elasticCaption() const { return elasticCaption_; }
    QLabel* headerCaption() const { return headerCaption_; }
    QPlainTextEdit* memo() const { return headerMemo_; }
    NumberBox* filterLowBox() const { return filterLow_; }
    NumberBox* filterHighBox() const { return filterHigh_; }
    QPushButton* filterButton() const { return filterButton_; }
    QPushButton* undoFilterButton() const { return undoFilterButton_; }
    QPushButton* columnsButton() const { return columnsButton_; }
    enum SummaryField { Records, Tracks, Start, Stop, Interval };
    SummaryBox* summaryBox(SummaryField which) const { return summary_[which]; }
    QLabel* correlationCaption() const { return correlationCaption_; }
    QLabel* referenceCaption() const { return referenceCaption_; }  // "Reference:"
    QLabel* referenceNameCaption() const { return referenceNameCaption_; }

    // Colours, fonts and widths of the source grid after an import: the LAS style, or the
    // style of an ASCII import (index column coloured like the curves). Also gives the
    // elastic grid's depth column the title of the source grid's depth column.
    void styleSourceGrid(bool lasStyle);
    void showSummary(const lithora::workspace::Summary& summary);
    // What an import shows besides the grids: the summary, the filter bounds preset to the
    // depth range and, after a LAS import, the header lines.
    void showImport(const lithora::workspace::Workspace& workspace, bool las);
    // Shows the controls an import fills; the header memo only for a LAS file.
    void showImportControls(bool las);
    // Back to what an empty workspace shows: empty summary, filter bounds, memo and
    // correlation captions, no correlation rows.
    void clear();

    // A new transparent container on the page for one run's correlation rows (source rows or
    // elastic rows); it replaces the previous container of that kind.
    QWidget* newCorrelationRows(bool elastic);
    void clearCorrelationRows();
    // The grids stop following the workspace's tables (before the tables go).
    void detachGrids();

  private:
    void createControls(lithora::workspace::Workspace& workspace);
    void styleElasticGrid();

    QLabel* sourceCaption_ = nullptr;
    QPushButton* columnsButton_ = nullptr;
    TableGrid* sourceGrid_ = nullptr;
    QPushButton* filterButton_ = nullptr;
    QPushButton* undoFilterButton_ = nullptr;
    NumberBox* filterLow_ = nullptr;
    NumberBox* filterHigh_ = nullptr;
    QLabel* elasticCaption_ = nullptr;
    TableGrid* elasticGrid_ = nullptr;
    std::array<SummaryBox*, 5> summary_{};
    QLabel* headerCaption_ = nullptr;
    QPlainTextEdit* headerMemo_ = nullptr;
    QLabel* correlationCaption_ = nullptr;
    QLabel* referenceCaption_ = nullptr;
    QLabel* referenceNameCaption_ = nullptr;
    QWidget* sourceRows_ = nullptr;
    QWidget* elasticRows_ = nullptr;
};

// A font by family, size in points and weight, as the window layouts give them.
QFont layoutFont(const char* family, int pointSize, bool bold);
// A caption at a place on a page, sized to its text.
QLabel* placedCaption(QWidget* parent, const QString& text, int left, int top, const QFont& font);
