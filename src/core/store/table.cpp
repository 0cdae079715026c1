#include "core/store/table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unordered_set>
#include <utility>

#include "core/common/number_text.h"

namespace lithora::store {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

Table::Table(std::filesystem::path file, Durability durability)
    : path_(std::move(file)), durability_(durability), storage_(makeStorage(path_, durability)) {}

Table::~Table() {
    if (!isOpen()) return;
    try {
        if (editing()) cancel();
        storage_->flush(data_);
        storage_->close(std::move(data_));
    } catch (...) {
        // A destructor cannot report; callers that care close the table themselves.
    }
}

std::unique_ptr<Table> Table::createInMemory(std::string name, std::vector<FieldDef> fields) {
    auto t = std::make_unique<Table>(std::filesystem::path(std::move(name)), Durability::Memory);
    for (auto& d : fields) t->addFieldDef(std::move(d));
    t->createTable();
    return t;
}

std::string Table::label() const {
    return path_.filename().string();
}

void Table::setPath(std::filesystem::path file) {
    if (isOpen()) throw StoreError("Cannot rename the open table '" + label() + "'.");
    path_ = std::move(file);
    storage_ = makeStorage(path_, durability_);
}

bool Table::exists() const {
    return storage_->exists();
}

void Table::createTable() {
    if (exists()) throw StoreError("Table '" + label() + "' already exists.");
    if (defs_.empty()) throw StoreError("Table '" + label() + "' has no fields.");
    // One pass over folded names: a table of 100,000 curves is made as fast as one of ten.
    std::unordered_set<std::string> names;
    names.reserve(defs_.size());
    for (const auto& d : defs_) {
        if (trimView(d.name).empty()) throw StoreError("Invalid field name '" + d.name + "'.");
        if (!names.insert(foldName(d.name)).second)
            throw StoreError("Duplicate field name '" + d.name + "'.");
    }
    storage_->create(TableImage::empty(defs_));
}

void Table::open() {
    if (isOpen()) return;
    if (!exists()) throw StoreError("Table '" + label() + "' does not exist.");
    data_ = storage_->open();
    rebuildNameIndex();
    state_ = State::Browse;
    filtered_ = filtered_ && filterField_ >= 0 && filterField_ < fieldCount();
    rebuildVisible();
    current_ = recordCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = recordCount() == 0;
    notify({TableEvent::Reset});
}

void Table::flush() {
    if (!isOpen()) return;
    storage_->flush(data_);
}

void Table::close() {
    if (!isOpen()) return;
    if (editing()) cancel();
    storage_->flush(data_);
    storage_->close(std::move(data_));
    state_ = State::Inactive;
    data_ = TableImage{};
    nameIndex_.clear();
    visible_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    notify({TableEvent::Closed});
}

void Table::deleteTable() {
    if (isOpen()) throw StoreError("Cannot delete the open table '" + label() + "'.");
    storage_->remove();
}

void Table::emptyTable() {
    if (!isOpen()) {
        if (!exists()) throw StoreError("Table '" + label() + "' does not exist.");
        storage_->emptyClosed();
        return;
    }
    if (editing()) cancel();
    for (auto& c : data_.columns) c.clear();
    data_.rows = 0;
    storage_->replaced(data_);
    rebuildVisible();
    current_ = -1;
    eof_ = bof_ = true;
    notify({TableEvent::Reset});
}

// ---- fields -----------------------------------------------------------------------------

void Table::requireOpen() const {
    if (!isOpen()) throw StoreError("Table '" + label() + "' is not open.");
}

void Table::requireField(int f) const {
    requireOpen();
    if (f < 0 || f >= fieldCount())
        throw StoreError("Field index " + std::to_string(f) + " out of range.");
}

void Table::requireEditing() const {
    if (!editing()) throw StoreError("Table '" + label() + "' is not in edit or insert mode.");
}

Field& Table::field(int index) {
    requireField(index);
    return data_.fields[static_cast<std::size_t>(index)];
}

const Field& Table::field(int index) const {
    requireField(index);
    return data_.fields[static_cast<std::size_t>(index)];
}

void Table::rebuildNameIndex() {
    nameIndex_.clear();
    nameIndex_.reserve(data_.fields.size());
    for (std::size_t i = 0; i < data_.fields.size(); ++i)
        nameIndex_.emplace(foldName(data_.fields[i].def.name), static_cast<int>(i));
}

int Table::findField(std::string_view name) const {
    auto it = nameIndex_.find(foldName(name));
    return it == nameIndex_.end() ? -1 : it->second;
}

int Table::fieldIndex(std::string_view name) const {
    requireOpen();
    int i = findField(name);
    if (i < 0) throw StoreError("Field '" + std::string(name) + "' not found.");
    return i;
}

void Table::setDisplayLabel(int index, std::string label) {
    std::vector<std::pair<int, std::string>> one;
    one.emplace_back(index, std::move(label));
    setDisplayLabels(std::move(one));
}

void Table::setDisplayLabels(std::vector<std::pair<int, std::string>> labels) {
    for (const auto& [index, label] : labels) field(index);  // every index is a field
    std::vector<std::size_t> changed;
    std::vector<std::string> old;  // the labels before, to put back when the write fails
    for (auto& [index, label] : labels) {
        Field& f = field(index);
        if (f.displayLabel == label) continue;
        changed.push_back(static_cast<std::size_t>(index));
        old.push_back(std::exchange(f.displayLabel, std::move(label)));
    }
    if (changed.empty()) return;
    try {
        storage_->labelsChanged(data_, changed);
    } catch (...) {
        for (std::size_t i = changed.size(); i-- > 0;)
            data_.fields[changed[i]].displayLabel = std::move(old[i]);
        throw;
    }
}

// ---- navigation ------------------------------------------------------------------------

int Table::recordCount() const {
    if (!isOpen()) return 0;
    return static_cast<int>(filtered_ ? visible_.size() : data_.rows);
}

int Table::recNo() const {
    return current_ >= 0 ? current_ + 1 : 0;
}

std::size_t Table::storedIndex(int row) const {
    return filtered_ ? visible_[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
}

void Table::rebuildVisible() {
    visible_.clear();
    if (!filtered_ || filterField_ < 0 || filterField_ >= fieldCount()) {
        if (filtered_ && filterField_ >= fieldCount()) filtered_ = false;
        return;
    }
    const Column& c = column(filterField_);
    if (c.type() == FieldType::Text) return;
    for (std::size_t r = 0; r < data_.rows; ++r) {
        const double v = c.number(r);
        if (v >= filterLo_ && v <= filterHi_) visible_.push_back(static_cast<std::uint32_t>(r));
    }
}

void Table::setCurrent(int row, bool notifyScroll) {
    int old = current_;
    current_ = row;
    if (old != row) {
        notify({TableEvent::CurrentChanged, row});
        if (notifyScroll && afterScroll_) afterScroll_();
    }
}

void Table::first() {
    requireOpen();
    if (state_ != State::Browse) post();
    bof_ = true;
    eof_ = recordCount() == 0;
    setCurrent(recordCount() > 0 ? 0 : -1);
}

void Table::last() {
    requireOpen();
    if (state_ != State::Browse) post();
    eof_ = true;
    bof_ = recordCount() == 0;
    setCurrent(recordCount() - 1);
}

void Table::next() {
    requireOpen();
    if (state_ != State::Browse) post();
    if (current_ + 1 < recordCount()) {
        bof_ = false;
        eof_ = false;
        setCurrent(current_ + 1);
    } else {
        eof_ = true;
    }
}

void Table::prior() {
    requireOpen();
    if (state_ != State::Browse) post();
    if (current_ > 0) {
        bof_ = false;
        eof_ = false;
        setCurrent(current_ - 1);
    } else {
        bof_ = true;
    }
}

void Table::moveTo(int row) {
    requireOpen();
    if (state_ != State::Browse) post();
    if (row < 0 || row >= recordCount()) throw StoreError("Record out of range.");
    bof_ = row == 0;
    eof_ = false;
    setCurrent(row);
}

// ---- editing ---------------------------------------------------------------------------

void Table::startPending(State s) {
    pending_.assign(data_.fields.size(), Cell{});
    state_ = s;
}

void Table::append() {
    requireOpen();
    if (state_ != State::Browse) post();
    startPending(State::Insert);
    pendingRow_ = recordCount();
}

void Table::insert() {
    requireOpen();
    if (state_ != State::Browse) post();
    startPending(State::Insert);
    pendingRow_ = current_ >= 0 ? current_ : 0;
}

void Table::edit() {
    requireOpen();
    if (editing()) return;
    if (current_ < 0) throw StoreError("Table '" + label() + "' has no current record.");
    startPending(State::Edit);
    const std::size_t r = storedIndex(current_);
    for (std::size_t f = 0; f < data_.columns.size(); ++f) pending_[f] = data_.columns[f].get(r);
    pendingRow_ = current_;
}

void Table::post() {
    requireOpen();
    if (state_ == State::Browse) return;
    for (std::size_t f = 0; f < data_.fields.size(); ++f) {
        if (data_.fields[f].def.required && pending_[f].null)
            throw StoreError("Field '" + data_.fields[f].def.name + "' must have a value.");
    }
    const bool inserting = state_ == State::Insert;
    const std::size_t at = !inserting                     ? storedIndex(pendingRow_)
                           : pendingRow_ >= recordCount() ? data_.rows
                                                          : storedIndex(pendingRow_);
    std::vector<Cell> before;
    if (inserting) {
        for (std::size_t f = 0; f < data_.columns.size(); ++f)
            data_.columns[f].insert(at, pending_[f]);
        ++data_.rows;
    } else {
        before.reserve(data_.columns.size());
        for (std::size_t f = 0; f < data_.columns.size(); ++f) {
            before.push_back(data_.columns[f].get(at));
            data_.columns[f].set(at, pending_[f]);
        }
    }
    try {
        if (inserting)
            storage_->inserted(data_, at);
        else
            storage_->changed(data_, at);
    } catch (...) {
        // The record could not be written: the table stays as it was, still editing.
        for (std::size_t f = 0; f < data_.columns.size(); ++f) {
            if (inserting)
                data_.columns[f].erase(at);
            else
                data_.columns[f].set(at, before[f]);
        }
        if (inserting) --data_.rows;
        throw;
    }
    state_ = State::Browse;
    rebuildVisible();
    int row = static_cast<int>(at);
    if (filtered_) {
        auto it = std::lower_bound(visible_.begin(), visible_.end(), at);
        row = static_cast<int>(it - visible_.begin());
        if (row >= recordCount()) row = recordCount() - 1;
    }
    eof_ = bof_ = false;
    notify({inserting ? TableEvent::RowInserted : TableEvent::RowChanged, row});
    setCurrent(row);
}

void Table::cancel() {
    if (editing()) state_ = State::Browse;
    pendingRow_ = -1;
}

void Table::deleteRecord() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (current_ < 0) throw StoreError("Table '" + label() + "' has no current record.");
    const std::size_t at = storedIndex(current_);
    storage_->erased(data_, at);  // first: a record that cannot be deleted stays
    for (auto& c : data_.columns) c.erase(at);
    --data_.rows;
    const int removed = current_;
    rebuildVisible();
    notify({TableEvent::RowRemoved, removed});
    const int row = std::min(removed, recordCount() - 1);
    current_ = -2;  // force the scroll notification for the record that moved up
    eof_ = recordCount() == 0;
    setCurrent(row);
}

// ---- values ----------------------------------------------------------------------------

bool Table::isNull(int f) const {
    requireField(f);
    if (editing()) return pending_[static_cast<std::size_t>(f)].null;
    if (current_ < 0) return true;
    return cellIsNull(current_, f);
}

double Table::asFloat(int f) const {
    requireField(f);
    if (editing()) {
        const Cell& c = pending_[static_cast<std::size_t>(f)];
        if (c.null) return 0.0;
        if (column(f).type() == FieldType::Text) return parseNumber(c.text).value_or(0.0);
        return c.number;
    }
    if (current_ < 0 || cellIsNull(current_, f)) return 0.0;
    return cellFloat(current_, f);
}

std::int32_t Table::asInteger(int f) const {
    double v = asFloat(f);
    if (!(v >= std::numeric_limits<std::int32_t>::min() &&
          v <= std::numeric_limits<std::int32_t>::max()))
        throw StoreError("'" + numberText(v) + "' is not a valid integer value for field '" +
                         field(f).def.name + "'.");
    return static_cast<std::int32_t>(std::llround(v));
}

std::string Table::asText(int f, char decimalSeparator) const {
    requireField(f);
    if (editing()) {
        const Cell& c = pending_[static_cast<std::size_t>(f)];
        if (c.null) return {};
        switch (column(f).type()) {
            case FieldType::Text:
                return c.text;
            case FieldType::Integer:
                return std::to_string(static_cast<std::int64_t>(c.number));
            case FieldType::Float:
                return numberText(c.number, decimalSeparator);
        }
    }
    if (current_ < 0) return {};
    return cellText(current_, f, decimalSeparator);
}

void Table::checkValue(int f, double v) const {
    const Field& fd = data_.fields[static_cast<std::size_t>(f)];
    if ((fd.minValue && v < *fd.minValue) || (fd.maxValue && v > *fd.maxValue)) {
        char buf[512];
        std::snprintf(buf, sizeof buf,
                      "%g is not a valid value for field '%s'. The allowed range is %g to %g", v,
                      fd.def.name.c_str(),
                      fd.minValue ? *fd.minValue : -std::numeric_limits<double>::infinity(),
                      fd.maxValue ? *fd.maxValue : std::numeric_limits<double>::infinity());
        throw StoreError(buf);
    }
}

void Table::setFloat(int f, double value) {
    requireField(f);
    requireEditing();
    if (std::isnan(value)) {
        setNull(f);
        return;
    }
    Cell& cell = pending_[static_cast<std::size_t>(f)];
    switch (column(f).type()) {
        case FieldType::Float:
            checkValue(f, value);
            cell = Cell::ofNumber(value);
            break;
        case FieldType::Integer:
            if (!(value >= std::numeric_limits<std::int32_t>::min() &&
                  value <= std::numeric_limits<std::int32_t>::max()) ||
                value != std::trunc(value))
                throw StoreError("'" + numberText(value) +
                                 "' is not a valid integer value for field '" +
                                 data_.fields[static_cast<std::size_t>(f)].def.name + "'.");
            cell = Cell::ofNumber(value);
            break;
        case FieldType::Text:
            setText(f, numberText(value));
            break;
    }
}

void Table::setInteger(int f, std::int32_t value) {
    setFloat(f, static_cast<double>(value));
}

void Table::setText(int f, std::string_view text, char decimalSeparator) {
    requireField(f);
    requireEditing();
    const FieldDef& def = data_.fields[static_cast<std::size_t>(f)].def;
    if (def.type == FieldType::Text) {
        std::string s(text);
        if (def.size > 0 && s.size() > static_cast<std::size_t>(def.size))
            s.resize(static_cast<std::size_t>(def.size));
        pending_[static_cast<std::size_t>(f)] = s.empty() ? Cell{} : Cell::ofText(std::move(s));
        return;
    }
    if (trimView(text).empty()) {
        setNull(f);
        return;
    }
    auto v = parseNumber(text, decimalSeparator);
    if (!v)
        throw StoreError("'" + std::string(text) + "' is not a valid value for field '" + def.name +
                         "'.");
    setFloat(f, *v);
}

void Table::setNull(int f) {
    requireField(f);
    requireEditing();
    pending_[static_cast<std::size_t>(f)] = Cell{};
}

bool Table::cellIsNull(int row, int f) const {
    requireField(f);
    if (row < 0 || row >= recordCount()) return true;
    return column(f).isNull(storedIndex(row));
}

double Table::cellFloat(int row, int f) const {
    requireField(f);
    if (row < 0 || row >= recordCount()) return kNaN;
    return column(f).number(storedIndex(row));
}

std::string Table::cellText(int row, int f, char decimalSeparator) const {
    requireField(f);
    if (row < 0 || row >= recordCount()) return {};
    return column(f).text(storedIndex(row), decimalSeparator);
}

bool Table::locateRow(int f, const std::function<bool(int row)>& matches) {
    requireField(f);
    if (state_ != State::Browse) post();
    for (int row = 0; row < recordCount(); ++row) {
        if (!cellIsNull(row, f) && matches(row)) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

bool Table::locate(int f, double value) {
    return locateRow(f, [&](int row) { return cellFloat(row, f) == value; });
}

bool Table::locate(int f, std::string_view text) {
    requireField(f);
    if (column(f).type() != FieldType::Text) {
        auto v = parseNumber(text);
        return v ? locate(f, *v) : false;
    }
    return locateRow(f, [&](int row) { return cellText(row, f) == text; });
}

// ---- filter ----------------------------------------------------------------------------

void Table::setFilterText(std::string_view expression) {
    requireOpen();
    auto bad = [&]() -> StoreError {
        return StoreError("Invalid filter expression '" + std::string(expression) + "'.");
    };
    std::string text(expression);
    std::string low = foldName(text);
    auto ge = text.find(">=");
    auto andPos = low.find(" and ");
    if (ge == std::string::npos || andPos == std::string::npos || andPos < ge) throw bad();
    auto le = text.find("<=", andPos);
    if (le == std::string::npos) throw bad();
    std::string name1 = trim(text.substr(0, ge));
    std::string name2 = trim(text.substr(andPos + 5, le - andPos - 5));
    auto lo = parseNumber(text.substr(ge + 2, andPos - ge - 2));
    auto hi = parseNumber(text.substr(le + 2));
    if (!lo || !hi || foldName(name1) != foldName(name2)) throw bad();
    int f = findField(name1);
    if (f < 0) throw StoreError("Field '" + name1 + "' not found.");
    setFilterRange(f, *lo, *hi);
    filterText_ = text;
}

void Table::setFilterRange(int f, double lo, double hi) {
    requireField(f);
    if (column(f).type() == FieldType::Text)
        throw StoreError("A text field cannot be filtered by range.");
    if (state_ != State::Browse) post();
    filterField_ = f;
    filterLo_ = lo;
    filterHi_ = hi;
    const std::string& name = data_.fields[static_cast<std::size_t>(f)].def.name;
    filterText_ = name + ">=" + numberText(lo) + " and " + name + "<=" + numberText(hi);
    if (filtered_) {
        showFromFirst();
    }
}

void Table::setFiltered(bool on) {
    if (!isOpen()) {
        filtered_ = on;
        return;
    }
    if (state_ != State::Browse) post();
    bool effective = on && filterField_ >= 0;
    if (effective == filtered_) return;
    filtered_ = effective;
    showFromFirst();
}

// The visible records changed as a whole: grids start again, on the first record.
void Table::showFromFirst() {
    rebuildVisible();
    current_ = -1;
    bof_ = true;
    eof_ = recordCount() == 0;
    notify({TableEvent::Reset});
    setCurrent(recordCount() > 0 ? 0 : -1);
}

// ---- columns ---------------------------------------------------------------------------

std::vector<double> Table::visibleFloats(int f) const {
    requireField(f);
    const Column& c = column(f);
    if (c.type() == FieldType::Float && !filtered_)
        return std::vector<double>(c.floats().begin(), c.floats().end());
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(recordCount()));
    for (int row = 0; row < recordCount(); ++row) out.push_back(c.number(storedIndex(row)));
    return out;
}

std::span<const double> Table::visibleFloatsView(int f, std::vector<double>& storage) const {
    requireField(f);
    const Column& c = column(f);
    if (c.type() == FieldType::Float && !filtered_) return c.floats();
    storage = visibleFloats(f);
    return storage;
}

std::span<const double> Table::floatColumn(int f) const {
    requireField(f);
    if (column(f).type() != FieldType::Float)
        throw StoreError("Field '" + data_.fields[static_cast<std::size_t>(f)].def.name +
                         "' is not a float field.");
    return column(f).floats();
}

void Table::loadColumns(std::vector<BulkColumn> columns) {
    requireOpen();
    if (columns.size() != data_.fields.size())
        throw StoreError("Table '" + label() + "': wrong number of columns.");
    if (state_ != State::Browse) cancel();
    auto lengthOf = [&](std::size_t fi) {
        switch (data_.fields[fi].def.type) {
            case FieldType::Float:
                return columns[fi].floats.size();
            case FieldType::Integer:
                return columns[fi].integers.size();
            case FieldType::Text:
                return columns[fi].texts.size();
        }
        return std::size_t{0};
    };
    const std::size_t rows = lengthOf(0);
    for (std::size_t fi = 1; fi < data_.fields.size(); ++fi)
        if (lengthOf(fi) != rows && lengthOf(fi) != 0)
            throw StoreError("Table '" + label() + "': columns of unequal length.");
    std::vector<Column> cols;
    cols.reserve(data_.fields.size());
    for (std::size_t fi = 0; fi < data_.fields.size(); ++fi) {
        BulkColumn& b = columns[fi];
        switch (data_.fields[fi].def.type) {
            case FieldType::Float:
                if (data_.fields[fi].minValue || data_.fields[fi].maxValue)
                    for (double v : b.floats)
                        if (!std::isnan(v)) checkValue(static_cast<int>(fi), v);
                cols.push_back(Column::ofFloats(std::move(b.floats), rows));
                break;
            case FieldType::Integer:
                cols.push_back(Column::ofIntegers(std::move(b.integers), rows));
                break;
            case FieldType::Text:
                cols.push_back(Column::ofTexts(std::move(b.texts), rows));
                break;
        }
    }
    // The old records stay until the new ones are written.
    std::swap(data_.columns, cols);
    const std::size_t oldRows = std::exchange(data_.rows, rows);
    try {
        storage_->replaced(data_);
    } catch (...) {
        std::swap(data_.columns, cols);
        data_.rows = oldRows;
        throw;
    }
    showFromFirst();
}

// ---- controls --------------------------------------------------------------------------

void Table::disableControls() {
    ++disabled_;
}

void Table::enableControls() {
    if (disabled_ == 0) return;
    if (--disabled_ == 0 && changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        notify({TableEvent::Reset});
    }
}

Subscription Table::subscribe(TableListener listener) {
    return Subscription(listeners_, listeners_->add(std::move(listener)));
}

void Table::notify(TableEvent e) {
    if (disabled_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    listeners_->send(e);
}

}  // namespace lithora::store
