#include "gui/widgets/table_grid.h"

#include <QPainter>

#include <algorithm>

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid() || !model()) return;
    const QVariant back = model()->headerData(logicalIndex, Qt::Horizontal, Qt::BackgroundRole);
    const QVariant fore = model()->headerData(logicalIndex, Qt::Horizontal, Qt::ForegroundRole);
    const QVariant font = model()->headerData(logicalIndex, Qt::Horizontal, Qt::FontRole);
    const QString text =
        model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();

    painter->save();
    const QColor face = back.isValid() ? back.value<QColor>() : palette().color(QPalette::Button);
    painter->fillRect(rect, face);
    // A raised cell, as grid titles are drawn on the desktop.
    painter->setPen(face.lighter(160));
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->setPen(palette().color(QPalette::Dark));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    if (font.isValid()) painter->setFont(font.value<QFont>());
    painter->setPen(fore.isValid() ? fore.value<QColor>() : palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(3, 1, -3, -1), Qt::AlignCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize GridHeader::sectionSizeFromContents(int logicalIndex) const {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (!model()) return size;
    const QVariant font = model()->headerData(logicalIndex, Qt::Horizontal, Qt::FontRole);
    if (font.isValid()) {
        const QFontMetrics fm(font.value<QFont>());
        size.setHeight(std::max(size.height(), fm.height() + 6));
    }
    return size;
}

TableGrid::TableGrid(lithora::store::Table& table, QWidget* parent)
    : QTableView(parent), model_(new TableModel(table, this)) {
    setHorizontalHeader(new GridHeader(this));
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    // Fixed row heights keep a grid over a million records as quick as one over ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(10);
    connect(model_, &TableModel::currentRowChanged, this, &TableGrid::followTable);
    connect(model_, &QAbstractItemModel::modelReset, this, &TableGrid::applyColumnWidths);
    connect(model_, &QAbstractItemModel::headerDataChanged, this, &TableGrid::applyColumnWidths);
}

namespace {

// Room around a cell's text and around a title's, in pixels.
constexpr int kCellPadding = 10;
constexpr int kTitlePadding = 14;
// Rows measured per column when the widths are fitted: the first, the last and an even
// spread between them, so that a million records cost no more than a hundred.
constexpr int kMeasuredRows = 96;

}  // namespace

int TableGrid::neededWidth(int column) const {
    QFont titleFont = horizontalHeader()->font();
    const ColumnStyle& style = model_->columnStyle(column);
    if (style.titleFont) titleFont = *style.titleFont;
    int needed = QFontMetrics(titleFont).horizontalAdvance(model_->title(column)) + kTitlePadding;

    const QFontMetrics cells(style.font ? *style.font : font());
    const int rows = model_->rowCount();
    const int measured = std::min(rows, kMeasuredRows);
    for (int i = 0; i < measured; ++i) {
        const int row =
            measured == 1
                ? 0
                : static_cast<int>(static_cast<long long>(i) * (rows - 1) / (measured - 1));
        const QString text = model_->data(model_->index(row, column), Qt::DisplayRole).toString();
        needed = std::max(needed, cells.horizontalAdvance(text) + kCellPadding);
    }
    return needed;
}

void TableGrid::applyColumnWidths() {
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int w = std::max(model_->columnStyle(c).width, neededWidth(c));
        if (w > 0) setColumnWidth(c, w);
    }
}

void TableGrid::followTable(int row) {
    if (following_) return;
    following_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearCurrentIndex();
    } else if (currentIndex().row() != row) {
        const int column = std::max(0, currentIndex().column());
        const QModelIndex target = model_->index(row, std::min(column, model_->columnCount() - 1));
        selectionModel()->setCurrentIndex(
            target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target);
    }
    following_ = false;
}

void TableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid()) return;
    lithora::store::Table* table = model_->table();
    if (!table || !table->isOpen() || current.row() >= table->recordCount()) return;
    if (table->currentRow() == current.row()) return;
    following_ = true;
    try {
        table->moveTo(current.row());
    } catch (const std::exception&) {
        // A record the table refuses to move to (it was removed meanwhile) leaves both as
        // they are; the next event of the table puts the grid right.
    }
    following_ = false;
}
