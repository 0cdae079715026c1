#include "gui/print/column_configuration.h"

#include <QLabel>
#include <QListWidget>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "core/store/table.h"
#include "gui/widgets/pixel_font.h"
#include "gui/widgets/table_model.h"

TColumnConfiguration::TColumnConfiguration(const lithora::store::Table& source, QTableView& grid,
                                           QWidget* parent)
    : QDialog(parent), grid_(grid) {
    setObjectName(QStringLiteral("ColumnConfiguration"));
    setWindowTitle(QStringLiteral("Column Configuration"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* heading = new QLabel(
        QStringLiteral("Uncheck a column to make it invisible in the source table:"), this);
    heading->setFont(pixelFont("Tahoma", 13, true));
    heading->setStyleSheet(QStringLiteral("color: navy"));
    heading->setWordWrap(true);
    columnList_ = new QListWidget(this);
    columnList_->setObjectName(QStringLiteral("columnList"));
    columnList_->setFrameShape(QFrame::NoFrame);
    columnList_->setFlow(QListView::LeftToRight);
    columnList_->setWrapping(true);
    columnList_->setResizeMode(QListView::Adjust);
    // The entries are measured in the font they are drawn in, each for its own text, so no
    // entry is cut short while its cell has room.
    QFont bold = columnList_->font();
    bold.setBold(true);
    columnList_->setFont(bold);
    columnList_->setStyleSheet(
        QStringLiteral("QListWidget { background: rgb(233, 248, 254); color: green; }"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(columnList_, 1);
    resize(382, 264);
    FormCreate(source);
    connect(columnList_, &QListWidget::itemChanged, this, &TColumnConfiguration::columnTicked);
}

int TColumnConfiguration::columnOfField(int field) const {
    auto* model = dynamic_cast<TableModel*>(grid_.model());
    if (!model) return field;
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->fieldOfColumn(c) == field) return c;
    return -1;
}

void TColumnConfiguration::FormCreate(const lithora::store::Table& source) {
    if (!source.isOpen()) return;
    for (int f = 0; f + 1 < source.fieldCount(); ++f) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(source.field(f).label()), columnList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setData(Qt::UserRole, f);
        const int column = columnOfField(f);
        item->setCheckState(column >= 0 && !grid_.isColumnHidden(column) ? Qt::Checked
                                                                         : Qt::Unchecked);
        if (column < 0) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
}

void TColumnConfiguration::columnTicked(QListWidgetItem* item) {
    if (!item) return;
    const int column = columnOfField(item->data(Qt::UserRole).toInt());
    if (column >= 0) grid_.setColumnHidden(column, item->checkState() != Qt::Checked);
}

void TColumnConfiguration::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Two columns of entries, 17 pixels high. The list fills the dialog less its margins;
    // its own size is not laid out yet when the dialog is resized.
    const QMargins m = layout()->contentsMargins();
    const int width = (event->size().width() - m.left() - m.right() -
                       columnList_->verticalScrollBar()->sizeHint().width() - 4) /
                      2;
    columnList_->setGridSize(QSize(std::max(60, width), 17));
}
