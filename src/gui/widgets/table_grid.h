#pragma once
#include <QHeaderView>
#include <QTableView>

#include "gui/widgets/table_model.h"

// Column titles drawn in the colours and fonts the model gives them (the platform styles
// ignore a header's own background colour).
class GridHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit GridHeader(QWidget* parent = nullptr);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;
};

// A read-only grid bound to one table: it shows the table through a TableModel, keeps the
// table's current record and its own current row together, and takes the column widths of
// the model's column styles.
class TableGrid : public QTableView {
    Q_OBJECT
  public:
    TableGrid(lithora::store::Table& table, QWidget* parent = nullptr);

    TableModel* tableModel() const { return model_; }
    // Gives each column the width of its style, widened where its title or its numbers
    // need more, so that no title is clipped and no number elided.
    void applyColumnWidths();
    // The width a column needs for its title and for the texts of a spread of its rows.
    int neededWidth(int column) const;

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void followTable(int row);

    TableModel* model_;
    bool following_ = false;
};
