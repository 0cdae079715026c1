#pragma once
#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QTableView;

namespace lithora::store {
class Table;
}

// Hides or shows columns of the source grid: one entry per field of the source table
// (without the hidden "Counting"), ticked while the grid shows its column. Unticking an
// entry hides the column at once; the grid keeps it hidden until an import rebuilds it.
class TColumnConfiguration : public QDialog {
    Q_OBJECT
  public:
    TColumnConfiguration(const lithora::store::Table& source, QTableView& grid,
                         QWidget* parent = nullptr);

    QListWidget* checkList() const { return columnList_; }

  public slots:
    void columnTicked(QListWidgetItem* item);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FormCreate(const lithora::store::Table& source);
    // The grid column that shows field f; -1 when none does.
    int columnOfField(int field) const;

    QTableView& grid_;
    QListWidget* columnList_ = nullptr;
};
