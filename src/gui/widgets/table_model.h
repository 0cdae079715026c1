#pragma once
#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "core/store/table.h"
#include "gui/widgets/grid_style.h"

// A read-only grid model over one store::Table. It follows the table's change events and
// reads each cell from the table when the view asks for it, so a table of a million records
// shows at once: nothing is copied. Columns are the table's visible fields in order, or a
// fixed list of field names (fields the table lacks show an empty column).
// The table must outlive the model, or detach() must be called first.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TableModel(lithora::store::Table& table, QObject* parent = nullptr);
    ~TableModel() override;

    // Stops following the table; the model then shows nothing.
    void detach();
    lithora::store::Table* table() const { return table_; }
    // Reads the columns and the record count again (after display labels or the hidden
    // fields changed, which the table does not announce).
    void reset();

    // Shows exactly these fields, in this order; an empty list shows every visible field.
    void setColumnFields(std::vector<std::string> names);
    // The table field shown in a column; -1 when the column has no field.
    int fieldOfColumn(int column) const;

    void setColumnStyles(std::vector<ColumnStyle> styles);
    const ColumnStyle& columnStyle(int column) const;
    // A title that replaces the field's display label; an empty optional restores it.
    void setTitle(int column, std::optional<QString> title);
    QString title(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    // The table's current record changed (row among the visible records, -1 when none).
    void currentRowChanged(int row);

  private:
    void onTableEvent(const lithora::store::TableEvent& e);
    void resolveColumns();

    lithora::store::Table* table_;
    lithora::store::Subscription subscription_;
    std::vector<std::string> names_;  // fixed column list, or empty
    std::vector<int> fields_;         // field index per column, -1 when absent
    std::vector<ColumnStyle> styles_;
    std::vector<std::optional<QString>> titles_;
    int rows_ = 0;
    char separator_ = '.';
};
