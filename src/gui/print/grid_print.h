#pragma once
#include <QPointer>
#include <QString>
#include <vector>

#include "core/chart/page_layout.h"

class QAbstractItemModel;
class QPainter;
class QTableView;

// The printed form of a data grid: the columns the grid shows, in the order it shows them,
// with their titles and on-screen widths, and the cells of its model. Pages are painted one
// at a time from the page layout, so a table of a million records is never laid out whole.
//
// Lengths are millimetres of the paper; painting takes the device pixels per millimetre.
// Cells are centred and wrapped inside their cell in Arial of 11 screen pixels, title cells
// on grey; the page header carries the left and right captions and "Lithora Software".
class GridPrint {
  public:
    struct Column {
        int logical = 0;  // the model's column
        QString title;
        double widthMm = 0;
    };
    struct Header {
        QString left, right;
    };

    GridPrint() = default;
    explicit GridPrint(const QTableView& grid);

    int recordCount() const;
    const std::vector<Column>& columns() const { return columns_; }
    std::vector<double> columnWidthsMm() const;
    // How many leading printed columns place a record: the first two fields of the table
    // (Rec and the depth) where they lead the grid in their order.
    std::size_t placingColumns() const;
    // The text of a cell (record and column of columns()).
    QString cellText(int record, std::size_t column) const;

    // Paints page `page` (1-based) of the layout onto a painter whose origin is the paper's
    // top-left corner, at pxPerMm device pixels per millimetre.
    void paintPage(QPainter& painter, const lithora::chart::TablePageLayout& layout,
                   const lithora::chart::TablePageSetup& setup, int page, double pxPerMm,
                   const Header& header) const;

  private:
    QPointer<QAbstractItemModel> model_;
    std::vector<Column> columns_;
};
