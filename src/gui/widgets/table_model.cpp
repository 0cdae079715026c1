#include "gui/widgets/table_model.h"

#include "gui/widgets/locale_text.h"

using lithora::store::TableEvent;

TableModel::TableModel(lithora::store::Table& table, QObject* parent)
    : QAbstractTableModel(parent), table_(&table) {
    subscription_ = table_->subscribe([this](const TableEvent& e) { onTableEvent(e); });
    resolveColumns();
}

TableModel::~TableModel() {
    detach();
}

void TableModel::detach() {
    if (!table_) return;
    beginResetModel();
    subscription_.reset();
    table_ = nullptr;
    fields_.clear();
    rows_ = 0;
    endResetModel();
}

void TableModel::reset() {
    beginResetModel();
    resolveColumns();
    endResetModel();
}

void TableModel::resolveColumns() {
    separator_ = localeDecimalPoint();
    fields_.clear();
    const bool open = table_ && table_->isOpen();
    if (!names_.empty()) {
        for (const auto& name : names_) fields_.push_back(open ? table_->findField(name) : -1);
    } else if (open) {
        for (int f = 0; f < table_->fieldCount(); ++f)
            if (table_->field(f).visible) fields_.push_back(f);
    }
    rows_ = open ? table_->recordCount() : 0;
}

void TableModel::setColumnFields(std::vector<std::string> names) {
    names_ = std::move(names);
    reset();
}

int TableModel::fieldOfColumn(int column) const {
    if (column < 0 || column >= static_cast<int>(fields_.size())) return -1;
    return fields_[static_cast<std::size_t>(column)];
}

void TableModel::setColumnStyles(std::vector<ColumnStyle> styles) {
    styles_ = std::move(styles);
    if (columnCount() > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

const ColumnStyle& TableModel::columnStyle(int column) const {
    static const ColumnStyle plain;
    if (column < 0 || column >= static_cast<int>(styles_.size())) return plain;
    return styles_[static_cast<std::size_t>(column)];
}

void TableModel::setTitle(int column, std::optional<QString> title) {
    if (column < 0) return;
    if (column >= static_cast<int>(titles_.size()))
        titles_.resize(static_cast<std::size_t>(column) + 1);
    titles_[static_cast<std::size_t>(column)] = std::move(title);
    if (column < columnCount()) emit headerDataChanged(Qt::Horizontal, column, column);
}

QString TableModel::title(int column) const {
    if (column >= 0 && column < static_cast<int>(titles_.size()) &&
        titles_[static_cast<std::size_t>(column)])
        return *titles_[static_cast<std::size_t>(column)];
    const int f = fieldOfColumn(column);
    if (f >= 0 && table_ && table_->isOpen() && f < table_->fieldCount())
        return QString::fromStdString(table_->field(f).label());
    if (column >= 0 && column < static_cast<int>(names_.size()))
        return QString::fromStdString(names_[static_cast<std::size_t>(column)]);
    return {};
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const ColumnStyle& s = columnStyle(index.column());
    switch (role) {
        case Qt::DisplayRole: {
            const int f = fieldOfColumn(index.column());
            // The view may ask between a change of the table and its event; read only rows
            // the table still has.
            if (f < 0 || !table_ || !table_->isOpen() || f >= table_->fieldCount() ||
                index.row() >= table_->recordCount())
                return {};
            return QString::fromStdString(table_->cellText(index.row(), f, separator_));
        }
        case Qt::ForegroundRole:
            return s.text ? QVariant(*s.text) : QVariant();
        case Qt::BackgroundRole:
            return s.back ? QVariant(*s.back) : QVariant();
        case Qt::FontRole:
            return s.font ? QVariant(*s.font) : QVariant();
        case Qt::TextAlignmentRole: {
            if (s.alignment) return QVariant::fromValue(*s.alignment | Qt::AlignVCenter);
            // Numbers stand to the right, text to the left, as in any table.
            const int f = fieldOfColumn(index.column());
            if (f >= 0 && table_ && table_->isOpen() && f < table_->fieldCount() &&
                table_->field(f).def.type == lithora::store::FieldType::Text)
                return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        default:
            return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        if (role == Qt::DisplayRole) return section + 1;
        return {};
    }
    const ColumnStyle& s = columnStyle(section);
    switch (role) {
        case Qt::DisplayRole:
            return title(section);
        case Qt::ForegroundRole:
            return s.titleText ? QVariant(*s.titleText) : QVariant();
        case Qt::BackgroundRole:
            return s.titleBack ? QVariant(*s.titleBack) : QVariant();
        case Qt::FontRole:
            return s.titleFont ? QVariant(*s.titleFont) : QVariant();
        default:
            return {};
    }
}

void TableModel::onTableEvent(const TableEvent& e) {
    switch (e.kind) {
        case TableEvent::RowChanged:
            if (e.row >= 0 && e.row < rows_ && columnCount() > 0)
                emit dataChanged(index(e.row, 0), index(e.row, columnCount() - 1));
            return;
        case TableEvent::RowInserted:
            if (e.row >= 0 && e.row <= rows_ && table_->recordCount() == rows_ + 1) {
                beginInsertRows({}, e.row, e.row);
                ++rows_;
                endInsertRows();
                return;
            }
            break;
        case TableEvent::RowRemoved:
            if (e.row >= 0 && e.row < rows_ && table_->recordCount() == rows_ - 1) {
                beginRemoveRows({}, e.row, e.row);
                --rows_;
                endRemoveRows();
                return;
            }
            break;
        case TableEvent::CurrentChanged:
            emit currentRowChanged(e.row);
            return;
        case TableEvent::Reset:
        case TableEvent::Closed:
            break;
    }
    reset();
    if (table_ && table_->isOpen()) emit currentRowChanged(table_->currentRow());
}
